#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/convert.h"
#include "support/data_file.h"
#include "support/sentinel.h"

namespace {

using namespace std::string_literals;

// All 256 codes: the rows of one table of tests/data/ebcdic_tables.tsv, `other` everywhere else.
std::string expected_table(const std::string &name, char other) {
  std::string table(256, other);
  for (const auto &row : vl::test::data_rows("ebcdic_tables.tsv")) {
    if (row.size() != 3 || row[0] != name) continue;
    unsigned code = static_cast<unsigned>(std::stoul(row[1], nullptr, 16));
    for (size_t cell = 0; cell < row[2].size(); cell += 3)
      table[code++] = static_cast<char>(std::stoul(row[2].substr(cell, 2), nullptr, 16));
  }
  return table;
}

const unsigned char *as_bytes(const char *s) { return reinterpret_cast<const unsigned char *>(s); }

TEST(Charsets, EveryCodeOfEachTableTheOtherTranslationsAndEbcdicDigits) {
  std::string codes(256, '\0');
  for (unsigned c = 0; c < 256; ++c) codes[c] = static_cast<char>(c);
  const char *text = codes.data();
  const std::string to_ebcdic = expected_table("ascii_to_ebcdic", 0x20);
  const std::string to_ebcdic_hex = vl::test::hex_of(as_bytes(to_ebcdic.data()), 256) + "A5";
  // The first code, 0x00, is not an ASCII digit, so the whole buffer is translated.
  const std::string to_ascii = expected_table("ebcdic_to_ascii", 0x40) + "# -> 1";
  const char *accented = "S\xE3o Paulo \xDC\xFC\xDB\x7F";
  const std::string cases[][2] = {
      {HEX_OF(257, ASC2EBCDIC(o, text, 256)), to_ebcdic_hex},
      {HEX_OF(257, ASC2EBCDIC_StdCall(o, text, 256)), to_ebcdic_hex},
      {TEXT_OF(257, EBCDIC2ASC(o, as_bytes(text), 256)), to_ascii},
      {TEXT_OF(257, EBCDIC2ASC_StdCall(o, as_bytes(text), 256)), to_ascii},
      // A field that starts with an ASCII digit is copied whole; a count of 0 writes nothing.
      {TEXT_OF(5, EBCDIC2ASC(o, as_bytes("12A\xC1"), 4)), "12A\xC1# -> 0"},
      {TEXT_OF(1, EBCDIC2ASC(o, as_bytes("1"), 0)), "# -> 1"}, {HEX_OF(1, ASC2EBCDIC(o, "A", 0)), "A5"},
      // Only bytes of the accent table change; DEL and the letters outside it stay.
      {TEXT_OF(15, IEC8859ASC(o, accented, 14)), "Sao Paulo U\xFC\xDB\x7F#"},
      {TEXT_OF(15, IEC8859_ASC(o, accented, 14)), "Sao Paulo U\xFC\xDB\x7F#"},
      {TEXT_OF(13, URI_Encode("a b/\xE7", o)), "a%20b%2F%E7\0#"s},
      {TEXT_OF(24, URI_Encode("AZaz09-_.~%+\x01\xFF", o)), "AZaz09-_.~%25%2B%01%FF\0#"s},
      {TEXT_OF(4, zonarr(as_bytes("\x1A\xBC"), o, 3)), "1AB# -> 0"},
      // No upper-casing: 1a is 0x10 | (0x61 - 0x37).
      {HEX_OF(4, dezonarr("1A9F1a", o, 6)), "1A9F3AA5"}, {HEX_OF(3, dezonarr("123", o, 3)), "1230A5"},
  };
  vl::test::expect_rows(cases);
  const int digits[][2] = {
      {IsEBCDIC(0xEF) + IsEBCDIC(0xFA) + IsEBCDIC('5'), 0}, {IsEBCDIC(0xF0) + IsEBCDIC(0xF9), 2},
      {IsBufEBCDIC(as_bytes("\xF0\xF9"), 2), 1}, {IsBufEBCDIC(as_bytes("\xF0\x3A"), 2), 0},
      {IsBufEBCDIC(as_bytes("\xF0\x3A"), 1), 1},  // reads only count bytes
      {IsBufEBCDIC(as_bytes("\x3A"), 0) + IsBufEBCDIC(as_bytes("\x3A"), -3), 2},
  };
  vl::test::expect_rows(digits);

  const std::string latin_accents =
      "\xC0\xC1\xC2\xC3\xC7\xC8\xC9\xCA\xCD\xD1\xD3\xD4\xD5\xDA\xDC"
      "\xE0\xE1\xE2\xE3\xE7\xE8\xE9\xEA\xED\xF1\xF3\xF4\xF5\xFA\xFB";
  const std::string plain = "AAAACEEEINOOOUUaaaaceeeinooouu";
  for (unsigned c = 0; c < 256; ++c) {
    const size_t at = latin_accents.find(static_cast<char>(c));
    EXPECT_EQ(latin1(static_cast<char>(c)), at == std::string::npos ? static_cast<char>(c) : plain[at]) << c;
  }
}

}  // namespace

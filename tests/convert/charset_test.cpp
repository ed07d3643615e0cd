#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/convert.h"
#include "written.h"

namespace {

using namespace std::string_literals;

// The translation tables as printed, sixteen codes a row.
constexpr const char *kAsciiToEbcdicRows[] = {  // ASCII 0x20..0x7F
    "40 5A 7F 7B 5B 6C 50 7D 4D 5D 5C 4E 6B 60 4B 61", "F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 7A 5E 4C 7E 6E 6F",
    "7C C1 C2 C3 C4 C5 C6 C7 C8 C9 D1 D2 D3 D4 D5 D6", "D7 D8 D9 E2 E3 E4 E5 E6 E7 E8 E9 AD E0 BD 5F 6D",
    "7C 81 82 83 84 85 86 87 88 89 91 92 93 94 95 96", "97 98 99 A2 A3 A4 A5 A6 A7 A8 A9 8B 6A 9B A1 03",
};
constexpr const char *kEbcdicToAsciiRows[] = {  // EBCDIC 0x40..0xF9
    "20 40 40 40 40 40 40 40 40 40 40 2E 3C 28 2B 40", "26 40 40 40 40 40 40 40 40 40 21 24 2A 29 3B 5E",
    "2D 2F 40 40 40 40 40 40 40 40 7C 2C 25 5F 3E 3F", "40 40 40 40 40 40 40 40 40 40 3A 23 40 27 3D 22",
    "40 61 62 63 64 65 66 67 68 69 40 40 40 40 40 40", "40 6A 6B 6C 6D 6E 6F 70 71 72 40 40 40 40 40 40",
    "40 40 73 74 75 76 77 78 79 7A 40 40 40 5B 40 40", "40 40 40 40 40 40 40 40 40 40 40 40 40 5D 40 40",
    "40 41 42 43 44 45 46 47 48 49 40 40 40 40 40 40", "40 4A 4B 4C 4D 4E 4F 50 51 52 40 40 40 40 40 40",
    "40 40 53 54 55 56 57 58 59 5A 40 40 40 40 40 40", "30 31 32 33 34 35 36 37 38 39",
};

// All 256 codes: the printed rows from `first` on, `other` everywhere else.
template <size_t Rows>
std::string expected_table(const char *const (&rows)[Rows], unsigned first, char other) {
  std::string table(256, other);
  unsigned code = first;
  for (const char *row : rows)
    for (size_t cell = 0; cell < std::strlen(row); cell += 3)
      table[code++] = static_cast<char>(std::stoul(std::string(row + cell, 2), nullptr, 16));
  return table;
}

const unsigned char *as_bytes(const char *s) { return reinterpret_cast<const unsigned char *>(s); }

TEST(Charsets, EveryCodeOfBothTablesAndTheOtherTranslations) {
  std::string codes(256, '\0');
  for (unsigned c = 0; c < 256; ++c) codes[c] = static_cast<char>(c);
  const char *text = codes.data();
  const std::string to_ebcdic = expected_table(kAsciiToEbcdicRows, 0x20, 0x20);
  const std::string to_ebcdic_hex = vl::test::hex_of(as_bytes(to_ebcdic.data()), 256) + "A5";
  // The first code, 0x00, is not an ASCII digit, so the whole buffer is translated.
  const std::string to_ascii = expected_table(kEbcdicToAsciiRows, 0x40, 0x40) + "# -> 1";
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
}

TEST(Charsets, EbcdicDigitTestsAndTheAccentTable) {
  const int cases[][2] = {
      {IsEBCDIC(0xEF) + IsEBCDIC(0xFA) + IsEBCDIC('5'), 0}, {IsEBCDIC(0xF0) + IsEBCDIC(0xF9), 2},
      {IsBufEBCDIC(as_bytes("\xF0\xF9"), 2), 1}, {IsBufEBCDIC(as_bytes("\xF0\x3A"), 2), 0},
      {IsBufEBCDIC(as_bytes("\xF0\x3A"), 1), 1},  // reads only count bytes
      {IsBufEBCDIC(as_bytes("\x3A"), 0) + IsBufEBCDIC(as_bytes("\x3A"), -3), 2},
  };
  vl::test::expect_rows(cases);

  const std::string accented =
      "\xC0\xC1\xC2\xC3\xC7\xC8\xC9\xCA\xCD\xD1\xD3\xD4\xD5\xDA\xDC"
      "\xE0\xE1\xE2\xE3\xE7\xE8\xE9\xEA\xED\xF1\xF3\xF4\xF5\xFA\xFB";
  const std::string plain = "AAAACEEEINOOOUUaaaaceeeinooouu";
  for (unsigned c = 0; c < 256; ++c) {
    const size_t at = accented.find(static_cast<char>(c));
    EXPECT_EQ(latin1(static_cast<char>(c)), at == std::string::npos ? static_cast<char>(c) : plain[at]) << c;
  }
}

}  // namespace

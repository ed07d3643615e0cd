#include <gtest/gtest.h>

#include <string>

#include "vertalib/convert.h"
#include "support/sentinel.h"

namespace {

using namespace std::string_literals;

TEST(HexToBytes, PairsOddCountsPaddingAndPacking) {
  const std::string cases[][2] = {
      {HEX_OF(3, ASC2Bin(o, "1a2B", 4)), "1A2BA5"}, {HEX_OF(3, ASC2Bin(o, "1a2B", 3)), "1A20A5"},
      {HEX_OF(1, ASC2Bin(o, "12", 0)), "A5"}, {HEX_OF(3, ASC2BinL(o, "123", 3)), "1230A5 -> 2"},
      {HEX_OF(3, ASC2BinR(o, "123", 3)), "0123A5 -> 2"}, {HEX_OF(3, ASC2BinR(o, "ABCD", 4)), "ABCDA5 -> 2"},
      {HEX_OF(5, ASC2BinEx(o, 4, "12345", 5)), "12345FFFA5"}, {HEX_OF(5, ASC2BinEx(o, 4, "12", 0)), "FFFFFFFFA5"},
      // ':' .. '?' give their low four bits, every other non-digit F.
      {HEX_OF(4, ASC2BinEx(o, 3, "a:?zG ", 6)), "AAFFFFA5"},
      // A pair that starts on the last character takes its low nibble from the next one.
      {HEX_OF(3, ASC2BinEx(o, 2, "123", 3)), "123FA5"}, {HEX_OF(3, ASC2BinEx(o, 2, "1234", 3)), "1234A5"},
      {HEX_OF(3, int2Bcd(o, 123, 4)), "0123A5"}, {HEX_OF(3, int2Bcd(o, 123, 3)), "1230A5"},
      {HEX_OF(3, FormatWordToByte(o, 0x1234)), "1234A5 -> 2"},
      {HEX_OF(2, FormatWordToByteEx(o, 1, 0x1234)), "12A5 -> 1"},
      {HEX_OF(4, FormatWordToByteEx(o, 3, 0x1234)), "001234A5 -> 3"},
  };
  vl::test::expect_rows(cases);
}

// Outside 0-9/A-F the first rule puts only the low bits of the first character on top and
// ORs the whole second one in; the second counts ':' .. '@' from 10 and adds modulo 256.
TEST(HexToBytes, TheTwoNibbleRulesOnCharactersOutsideHex) {
  const struct { const char *pair; unsigned char asc2bin, hex2binary; } cases[] = {
      {"fE", 0xFE, 0xFE}, {"G0", 0x00, 0x00}, {"0G", 0x10, 0x10}, {"0g", 0x10, 0x10}, {"Gg", 0x10, 0x10},
      {"1:", 0x13, 0x1A}, {"0@", 0x09, 0x10}, {"0 ", 0xF0, 0xF0}, {" 0", 0x00, 0x00},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(HEX_OF(2, hex2binary(c.pair, 2, o)), vl::test::hex_of(&c.hex2binary, 1) + "A5 -> 0") << c.pair;
    EXPECT_EQ(GetHexByteFromAscByte(c.pair), c.asc2bin) << c.pair;
  }
}

TEST(BytesToText, HexBitsAndDecimalWithTheirRefusalsAndHexToNumbers) {
  const unsigned char bin[] = {0xAB, 0xCD, 0x01}, left[] = {0x12, 0x30}, right[] = {0x01, 0x23};
  const unsigned char bits[] = {0x0F, 0x80};
  const std::string cases[][2] = {
      {TEXT_OF(4, Bin2ASC(o, bin, 3)), "ABC# -> 0"}, {TEXT_OF(5, Bin2ASCz(o, bin, 3)), "ABC\0# -> 0"s},
      {TEXT_OF(4, Bin2ASCL(o, left, 3)), "123# -> 3"}, {TEXT_OF(4, Bin2ASCR(o, right, 3)), "123# -> 3"},
      {TEXT_OF(7, binary2hex(bin, 3, o)), "ABCD01# -> 0"}, {TEXT_OF(6, ASCII2HexString("A\xE9", o)), "41E9\0# -> 4"s},
      {TEXT_OF(9, ASC2ASCBit(o, 0xA5)), "10100101#"}, {TEXT_OF(3, ASCBit2ASC(o, "1x100101")), "E5#"},
      {TEXT_OF(1, ASCs2ASCBits(o, 15, bits, 2)), "# -> 0"}, {TEXT_OF(1, ASCs2ASCBits(o, 16, bits, 0)), "# -> 0"},
      {TEXT_OF(17, ASCs2ASCBits(o, 16, bits, 2)), "0000111110000000# -> 1"},
      // The bits of count work bytes: the text's, then zeros.
      {TEXT_OF(17, ASCHex2ASCBit(o, 16, "A5", 2)), "1010010100000000# -> 1"},
      {TEXT_OF(1, ASCHex2ASCBit(o, 15, "A5", 2)), "# -> 0"}, {TEXT_OF(1, ASCHex2ASCBit(o, 99, "A5", 0)), "# -> 0"},
      {TEXT_OF(0, ASCHex2ASCBit(o, 136, "00000000000000000", 17)), " -> 1"},
      {TEXT_OF(1, ASCHex2ASCBit(o, 144, "000000000000000000", 18)), "# -> 0"},
      {TEXT_OF(6, ASCHex2ASCInt(o, 5, "FF", 2)), "00255# -> 1"},
      {TEXT_OF(3, ASCHex2ASCInt(o, 2, "FFFFFFFF", 8)), "-1# -> 1"},
      {TEXT_OF(6, ASCHex2ASCInt(o, 2, "12345", 5)), "74565# -> 1"},  // longer than width
      {TEXT_OF(17, ASCHex2ASCInt(o, 16, "1", 1)), "0000000000000001# -> 1"},
      {TEXT_OF(1, ASCHex2ASCInt(o, 17, "1", 1)), "# -> 0"},
      {TEXT_OF(11, ASCHex2ASCIntEx(o, 10, "010000", 6, 0)), "65536\0\0\0\0\0# -> 1"s},
      {TEXT_OF(10, ASCHex2ASCIntEx(o, 8, "10000", 5, 1)), "00065536\0# -> 1"s},
      {TEXT_OF(20, ASCHex2ASCIntEx(o, 19, "7FFFFFFFFFFFFFFF", 16, 0)), "9223372036854775807# -> 1"},
      {TEXT_OF(1, ASCHex2ASCIntEx(o, 20, "8000000000000000", 16, 0)), "# -> 0"},
      {TEXT_OF(1, ASCHex2ASCIntEx(o, 4, "12345", 5, 0)), "# -> 0"},  // more digits than size
      {TEXT_OF(1, ASCHex2ASCIntEx(o, 20, nullptr, 2, 0)), "# -> 0"},
  };
  vl::test::expect_rows(cases);
  const unsigned char bcd[] = {0x01, 0x23, 0x45, 0x67}, nibble_above_nine[] = {0x12, 0xA4};
  const long long numbers[][2] = {
      {ASCHex2Long("1", 1), 1}, {ASCHex2Long("FFFFFFFF", 8), 0xFFFFFFFF},
      {ASCHex2Long("123456789", 8), 0x12345678}, {ASCHex2Long("123456789", 9), 0},
      {Bcd2int(bcd, 4), 123}, {Bcd2int(bcd, 3), 123}, {Bcd2int(bcd, 6), 12345}, {Bcd2int(bcd, 7), 0},
      {Bcd2int(nibble_above_nine, 4), 12},
      {FormatByteArrayToWord(bcd + 1), 0x2345}, {FormatByteArrayToWord(nullptr), 0},
  };
  vl::test::expect_rows(numbers);
}

}  // namespace

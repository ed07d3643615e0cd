#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/convert.h"

namespace {

// Output buffers start as this pattern so bytes past what a function writes can be seen.
constexpr unsigned char kUntouched = 0xA5;

std::string bytes_hex(const unsigned char *bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

TEST(HexToBytes, PairsOddCountsAndAlignment) {
  unsigned char out[8];
  std::memset(out, kUntouched, sizeof out);
  ASC2Bin(out, "1a2B", 4);
  EXPECT_EQ(bytes_hex(out, 3), "1A2BA5");
  std::memset(out, kUntouched, sizeof out);
  ASC2Bin(out, "1a2B", 3);
  EXPECT_EQ(bytes_hex(out, 3), "1A20A5");

  std::memset(out, kUntouched, sizeof out);
  EXPECT_EQ(ASC2BinL(out, "123", 3), 2u);
  EXPECT_EQ(bytes_hex(out, 3), "1230A5");
  std::memset(out, kUntouched, sizeof out);
  EXPECT_EQ(ASC2BinR(out, "123", 3), 2u);
  EXPECT_EQ(bytes_hex(out, 3), "0123A5");
  EXPECT_EQ(ASC2BinR(out, "ABCD", 4), 2u);
  EXPECT_EQ(bytes_hex(out, 2), "ABCD");

  std::memset(out, kUntouched, sizeof out);
  ASC2Bin(out, "12", 0);
  EXPECT_EQ(out[0], kUntouched) << "a count of 0 writes nothing";
  EXPECT_EQ(GetHexByteFromAscByte("fe"), 0xFE);
}

TEST(HexToBytes, TheTwoNibbleRulesOnCharactersOutsideHex) {
  // ASC2Bin rule: above '9' is c - 0x37; the second character is OR'd in whole.
  EXPECT_EQ(GetHexByteFromAscByte("G0"), 0x00) << "G is 0x10: only its low bits go on top";
  EXPECT_EQ(GetHexByteFromAscByte("0G"), 0x10) << "the whole 0x10 is OR'd in";
  EXPECT_EQ(GetHexByteFromAscByte("1:"), 0x13) << "':' is 0x3A - 0x37 = 3";
  EXPECT_EQ(GetHexByteFromAscByte("0@"), 0x09) << "'@' is 0x40 - 0x37";
  EXPECT_EQ(GetHexByteFromAscByte("0 "), 0xF0) << "' ' is 0x20 - 0x30 = 0xF0 modulo 256";
  EXPECT_EQ(GetHexByteFromAscByte("0g"), 0x10) << "lower case is upper-cased first";

  // hex2binary rule: above '@' is c - 0x37, so ':' .. '@' count from 10 upwards.
  unsigned char out[4];
  std::memset(out, kUntouched, sizeof out);
  EXPECT_EQ(hex2binary("1:0@Gg", 6, out), 0);
  EXPECT_EQ(bytes_hex(out, 4), "1A1010A5");
  // 1: -> 16 + 10; 0@ -> 0 + 16 = 0x10 (no masking); Gg -> 16*16 + 16 = 0x110 -> 0x10.
  hex2binary(" 0", 2, out);
  EXPECT_EQ(out[0], 0x00) << "' ' is 0xF0: 16 * 0xF0 = 0xF00 modulo 256";
}

TEST(HexToBytes, PaddedFormFillsWithF) {
  unsigned char out[6];
  std::memset(out, kUntouched, sizeof out);
  ASC2BinEx(out, 4, "12345", 5);
  EXPECT_EQ(bytes_hex(out, 5), "12345FFFA5");
  std::memset(out, kUntouched, sizeof out);
  ASC2BinEx(out, 4, "12", 0);
  EXPECT_EQ(bytes_hex(out, 5), "FFFFFFFFA5");
  // ':' .. '?' give their low four bits, anything else F; lower case is upper-cased.
  ASC2BinEx(out, 3, "a:?zG ", 6);
  EXPECT_EQ(bytes_hex(out, 3), "AAFFFF");
  // An odd count takes the low nibble of the last pair from the next character in memory.
  ASC2BinEx(out, 2, "123", 3);
  EXPECT_EQ(bytes_hex(out, 2), "123F");
  ASC2BinEx(out, 2, "1234", 3);
  EXPECT_EQ(bytes_hex(out, 2), "1234");
}

TEST(BytesToHex, CountedDigitsWithoutNul) {
  const unsigned char bin[] = {0xAB, 0xCD, 0x01};
  char out[8];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Bin2ASC(out, bin, 3), 0);
  EXPECT_EQ(std::string(out, 4), "ABC#");
  std::memset(out, '#', sizeof out);
  Bin2ASCz(out, bin, 3);
  EXPECT_EQ(std::memcmp(out, "ABC\0#", 5), 0);

  const unsigned char left[] = {0x12, 0x30};
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Bin2ASCL(out, left, 3), 3u);
  EXPECT_EQ(std::string(out, 4), "123#");
  const unsigned char right[] = {0x01, 0x23};
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Bin2ASCR(out, right, 3), 3u);
  EXPECT_EQ(std::string(out, 4), "123#");

  std::memset(out, '#', sizeof out);
  EXPECT_EQ(binary2hex(bin, 3, out), 0);
  EXPECT_EQ(std::string(out, 7), "ABCD01#");

  char text[8];
  EXPECT_EQ(ASCII2HexString("A\xE9", text), 4);
  EXPECT_STREQ(text, "41E9");
  EXPECT_EQ(ASCII2HexString("", text), 0);
  EXPECT_STREQ(text, "");
}

TEST(BitTexts, BitsOfBytesAndHexWithTheirRefusals) {
  char out[40];
  std::memset(out, '#', sizeof out);
  ASC2ASCBit(out, 0xA5);
  EXPECT_EQ(std::string(out, 9), "10100101#");
  std::memset(out, '#', sizeof out);
  ASCBit2ASC(out, "1x100101");
  EXPECT_EQ(std::string(out, 3), "E5#") << "every character but '0' is a 1";

  const unsigned char bytes[] = {0x0F, 0x80};
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(ASCs2ASCBits(out, 15, bytes, 2), 0);
  EXPECT_EQ(out[0], '#') << "refused: nothing written";
  EXPECT_EQ(ASCs2ASCBits(out, 16, bytes, 0), 0);
  EXPECT_EQ(ASCs2ASCBits(out, 16, bytes, 2), 1);
  EXPECT_EQ(std::string(out, 17), "0000111110000000#");

  std::memset(out, '#', sizeof out);
  EXPECT_EQ(ASCHex2ASCBit(out, 16, "A5", 2), 1);
  EXPECT_EQ(std::string(out, 17), "1010010100000000#");
  EXPECT_EQ(ASCHex2ASCBit(out, 15, "A5", 2), 0);
  EXPECT_EQ(ASCHex2ASCBit(out, 200, "A5", 0), 0);
  EXPECT_EQ(ASCHex2ASCBit(out, 200, "000000000000000000", 18), 0);
}

TEST(HexToNumbers, LongIntAndTheSixtyFourBitText) {
  EXPECT_EQ(ASCHex2Long("1", 1), 1u);
  EXPECT_EQ(ASCHex2Long("FFFFFFFF", 8), 0xFFFFFFFFu);
  EXPECT_EQ(ASCHex2Long("123456789", 9), 0u);
  EXPECT_EQ(ASCHex2Long("00001388xyz", 8), 5000u);

  char out[24];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(ASCHex2ASCInt(out, 5, "FF", 2), 1);
  EXPECT_EQ(std::string(out, 6), "00255#");
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(ASCHex2ASCInt(out, 2, "FFFFFFFF", 8), 1);
  EXPECT_EQ(std::string(out, 3), "-1#");
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(ASCHex2ASCInt(out, 2, "12345", 5), 1);
  EXPECT_EQ(std::string(out, 6), "74565#") << "longer than width: written whole";
  EXPECT_EQ(ASCHex2ASCInt(out, 17, "1", 1), 0);

  EXPECT_EQ(ASCHex2ASCIntEx(out, 10, "010000", 6, 0), 1);
  EXPECT_STREQ(out, "65536");
  EXPECT_EQ(ASCHex2ASCIntEx(out, 8, "10000", 5, 1), 1);
  EXPECT_STREQ(out, "00065536");
  EXPECT_EQ(ASCHex2ASCIntEx(out, 20, "8000000000000000", 16, 0), 0);
  EXPECT_EQ(ASCHex2ASCIntEx(out, 20, "7FFFFFFFFFFFFFFF", 16, 0), 1);
  EXPECT_STREQ(out, "9223372036854775807");
  EXPECT_EQ(ASCHex2ASCIntEx(out, 4, "12345", 5, 0), 0) << "more digits than size";
  EXPECT_EQ(ASCHex2ASCIntEx(out, 20, nullptr, 2, 0), 0);
}

TEST(BcdAndWords, PackAndUnpack) {
  unsigned char out[4];
  std::memset(out, kUntouched, sizeof out);
  int2Bcd(out, 123, 4);
  EXPECT_EQ(bytes_hex(out, 3), "0123A5");
  std::memset(out, kUntouched, sizeof out);
  int2Bcd(out, 123, 3);
  EXPECT_EQ(bytes_hex(out, 3), "1230A5");

  const unsigned char bcd[] = {0x01, 0x23, 0x45, 0x67};
  EXPECT_EQ(Bcd2int(bcd, 4), 123);
  EXPECT_EQ(Bcd2int(bcd, 3), 123);
  EXPECT_EQ(Bcd2int(bcd, 6), 12345);
  EXPECT_EQ(Bcd2int(bcd, 7), 0);
  const unsigned char nibble_above_nine[] = {0x12, 0xA4};
  EXPECT_EQ(Bcd2int(nibble_above_nine, 4), 12);

  EXPECT_EQ(FormatWordToByte(out, 0x1234), 2);
  EXPECT_EQ(bytes_hex(out, 2), "1234");
  EXPECT_EQ(FormatByteArrayToWord(out), 0x1234);
  EXPECT_EQ(FormatByteArrayToWord(nullptr), 0);
  std::memset(out, kUntouched, sizeof out);
  EXPECT_EQ(FormatWordToByteEx(out, 1, 0x1234), 1);
  EXPECT_EQ(bytes_hex(out, 2), "12A5");
  EXPECT_EQ(FormatWordToByteEx(out, 3, 0x1234), 3);
  EXPECT_EQ(bytes_hex(out, 4), "001234A5");
  EXPECT_EQ(FormatWordToByteEx(out, 0, 0x1234), 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "vertalib/convert.h"

namespace {

TEST(CountedText, ReadsOnlyTheCountAndRefusesBeyondTheWorkArea) {
  EXPECT_EQ(ASC2int("0042X", 4), 42);
  EXPECT_EQ(ASC2int("0042X", 7), 0);
  EXPECT_EQ(ASC2int("123456", 6), 123456);
  EXPECT_EQ(ASC2int("  -12", 5), -12);
  EXPECT_EQ(ASC2int("1234", 2), 12);
  EXPECT_EQ(StrToInt("98765", 4), 9876);
  EXPECT_EQ(StrToInt("98765", 5), 0);
  EXPECT_EQ(atolong("9999999999", 10), INT32_MAX) << "clamped to 32 bits";
  EXPECT_EQ(atolong("-9999999999", 10), -999999999);
  EXPECT_EQ(atolong("12345678901", 11), 0);
  EXPECT_EQ(ASC2long("-99999999999", 12), INT32_MIN);
  EXPECT_EQ(ASC2long("1234567890123456789", 19), INT32_MAX);
  EXPECT_EQ(ASC2long("12345678901234567890", 20), 0);
  EXPECT_DOUBLE_EQ(atodbl("12.5e1xyz", 6), 125.0);
  EXPECT_DOUBLE_EQ(atodbl("1234567890123456789", 19), 0.0);
  EXPECT_DOUBLE_EQ(atodbl("0x10", 4), 0.0);
}

TEST(CountedText, AllDigitsAndSignificantDigits) {
  EXPECT_EQ(ASC2IntEx("12A4", 4), 0);
  EXPECT_EQ(ASC2IntEx("0123", 4), 123);
  EXPECT_EQ(ASC2IntEx("-1", 2), 0);
  EXPECT_EQ(ASC2IntEx("1", 0), 0);
  EXPECT_EQ(ASC2IntEx("4294967297", 10), 1) << "32-bit arithmetic wraps";
  EXPECT_EQ(QtdDigitosNumInteiroAsc("00120", 5), 3);
  EXPECT_EQ(QtdDigitosNumInteiroAsc("000", 3), 0);
  EXPECT_EQ(QtdDigitosNumInteiroAsc("12a4", 4), 2);
  EXPECT_EQ(QtdDigitosNumInteiroAsc("12", 0), 0);
  EXPECT_EQ(ASCx2uInt("fF"), 255u);
}

TEST(CountedText, SixtyFourBitReader) {
  EXPECT_EQ(atoLONGLONG("1234567890123", 13), 1234567890123LL);
  EXPECT_EQ(atoLONGLONG("1234567890123", 14), -1);
  EXPECT_EQ(atoLONGLONG("-12345678901", 12), -1);
  EXPECT_EQ(atoLONGLONG("-123", 4), -123);
  EXPECT_EQ(atoLONGLONG("999999999999999999", 18), 999999999999999999LL);
  EXPECT_EQ(atoLONGLONG("1234567890123456789", 19), -1);
  EXPECT_EQ(atoLONGLONG("", 0), 0);
}

TEST(FixedWidthText, ZeroFilledWithoutNul) {
  char out[16];
  std::memset(out, '#', sizeof out);
  int2ASC(out, 123, 4);
  EXPECT_EQ(std::string(out, 5), "0123#");
  std::memset(out, '#', sizeof out);
  int2ASC(out, 123, 2);
  EXPECT_EQ(std::string(out, 3), "23#");
  std::memset(out, '#', sizeof out);
  int2ASC(out, 123, 9);
  EXPECT_EQ(std::string(out, 6), "00123#");

  std::memset(out, '#', sizeof out);
  long2ASC(out, 123, 6);
  EXPECT_EQ(std::string(out, 7), "000123#");
  std::memset(out, '#', sizeof out);
  long2ASC(out, 1234567, 4);
  EXPECT_EQ(std::string(out, 5), "4567#");
  std::memset(out, '#', sizeof out);
  long2ASC(out, 123, 10);
  EXPECT_EQ(std::string(out, 9), "00000123#");

  std::memset(out, '#', sizeof out);
  ltoascii(out, 123, 6);
  EXPECT_EQ(std::string(out, 7), "000123#");
  std::memset(out, '#', sizeof out);
  ltoascii(out, 1234567, 4);
  EXPECT_EQ(std::string(out, 5), "1234#");
  std::memset(out, '#', sizeof out);
  ltoascii(out, -42, 5);
  EXPECT_EQ(std::string(out, 6), "00-42#");
  std::memset(out, '#', sizeof out);
  ltoascii(out, 7, 14);
  EXPECT_EQ(std::string(out, 13), "000000000007#");

  EXPECT_EQ(ASCx2ASCd(out, "FF", 4), 4);
  EXPECT_STREQ(out, "0255");
  EXPECT_EQ(ASCx2ASCd(out, "FF", 1), 3);
  EXPECT_STREQ(out, "255");
}

TEST(SixtyFourBitWriters, LeftAlignedAndTheirRefusals) {
  char out[24];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStr(1000000005, 10, out), 1);
  EXPECT_EQ(std::memcmp(out, "1000000005\0#", 12), 0);
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStr(1000000005, 9, out), 0);
  EXPECT_EQ(std::memcmp(out, "\0\0\0\0\0\0\0\0\0#", 10), 0) << "refused: size NULs";
  EXPECT_EQ(LONGLONGtoStr(-1, 10, out), 0);
  EXPECT_EQ(LONGLONGtoStr(0, 3, out), 1);
  EXPECT_STREQ(out, "0");
  EXPECT_EQ(LONGLONGtoStr(INT64_MAX, 19, out), 1);
  EXPECT_STREQ(out, "9223372036854775807");
  EXPECT_EQ(LONGLONGtoStr(INT64_MAX, 18, out), 0);
  EXPECT_EQ(LONGLONGtoStr(123, 5, out), 1);
  EXPECT_EQ(std::memcmp(out, "123\0\0\0", 6), 0);
}

TEST(SixtyFourBitWriters, PaddedOrPlainAndTheirBounds) {
  char out[24];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(1000000005, 12, out, 1), 1);
  EXPECT_EQ(std::memcmp(out, "001000000005\0#", 14), 0);
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(1000000005, 12, out, 0), 1);
  EXPECT_EQ(std::memcmp(out, "1000000005\0\0#", 13), 0);
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(0, 4, out, 0), 1);
  EXPECT_EQ(std::memcmp(out, "\0\0\0\0#", 5), 0) << "0 has no digits";
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(0, 4, out, 1), 1);
  EXPECT_EQ(std::memcmp(out, "0000\0#", 6), 0);
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(12, 2, out, 0), 1);
  EXPECT_EQ(std::memcmp(out, "12#", 3), 0) << "a text of exactly size gets no NUL";

  EXPECT_EQ(LONGLONGtoStrEx(INT64_MAX, 19, out, 0), 1);
  EXPECT_EQ(std::string(out, 19), "9223372036854775807");
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(LONGLONGtoStrEx(INT64_MAX, 18, out, 1), 0);
  EXPECT_EQ(std::memcmp(out, "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0#", 19), 0);
  EXPECT_EQ(LONGLONGtoStrEx(1000000000, 9, out, 0), 0) << "10 digits need size 10";
  EXPECT_EQ(LONGLONGtoStrEx(1000000000, 10, out, 0), 1);
  EXPECT_EQ(LONGLONGtoStrEx(-5, 10, out, 1), 0);
  EXPECT_EQ(LONGLONGtoStrEx(5, 3, nullptr, 1), 1) << "a null out is skipped";
}

TEST(DoubleText, RoundedIntegersWithHalvesAwayFromZero) {
  char out[32];
  EXPECT_EQ(DoubleToStr(out, 6, 12.4), 6);
  EXPECT_STREQ(out, "000012");
  EXPECT_EQ(DoubleToStr(out, 6, -5.0), 6);
  EXPECT_STREQ(out, "0000-5");
  EXPECT_EQ(DoubleToStr(out, 3, 2.5), 3);
  EXPECT_STREQ(out, "003");
  EXPECT_EQ(DoubleToStr(out, 2, 123456.0), 6);
  EXPECT_STREQ(out, "123456");
  EXPECT_EQ(DoubleToStr(out, -4, 7.0), 4);
  EXPECT_STREQ(out, "7   ");

  std::memset(out, '#', sizeof out);
  _dtoasc(out, 12345.5, 8);
  EXPECT_EQ(std::string(out, 9), "00012346#");
  std::memset(out, '#', sizeof out);
  _dtoasc(out, -1234567.0, 4);
  EXPECT_EQ(std::string(out, 5), "4567#") << "the last width digits, no sign";
  std::memset(out, '#', sizeof out);
  _dtoasc(out, 0.0, 3);
  EXPECT_EQ(std::string(out, 4), "000#");
}

TEST(DoubleText, ConversionBufferDigitsPerThread) {
  EXPECT_STREQ(IntToChar(0), "0");
  EXPECT_STREQ(IntToChar(-42), "42");
  EXPECT_STREQ(DoubleToChar(0.0), "000");
  EXPECT_STREQ(DoubleToChar(12.345), "1235");
  EXPECT_STREQ(DoubleToChar(0.05), "5");
  char *first = IntToChar(1);
  char *second = DoubleToChar(2.0);
  EXPECT_EQ(first, second) << "one buffer per thread, overwritten by the next conversion";
  EXPECT_STREQ(first, "200");
  char *other = nullptr;
  std::string other_text;
  std::thread([&] {
    other = IntToChar(777);
    other_text = other;
  }).join();
  EXPECT_NE(other, first);
  EXPECT_EQ(other_text, "777");
  EXPECT_STREQ(first, "200") << "another thread's conversion leaves this one alone";
  EXPECT_DOUBLE_EQ(CalculaPotencia(2.0, 10.0), 1024.0);
}

}  // namespace

#include <gtest/gtest.h>
#include <climits>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

#include "vertalib/convert.h"
#include "support/sentinel.h"

namespace {

using namespace std::string_literals;

// Each reader at its work-area bound and one past it, clamping, and the count limiting the read.
TEST(CountedText, ReadersTheirWorkAreaLimitsAndClamping) {
  const int64_t cases[][2] = {
      {ASC2int("0042X", 4), 42}, {ASC2int("0042X", 7), 0}, {ASC2int("123456", 6), 123456},
      {ASC2int("  -12", 5), -12}, {StrToInt("98765", 4), 9876}, {StrToInt("98765", 5), 0},
      {atolong("9999999999", 10), INT32_MAX}, {atolong("-9999999999", 10), -999999999},
      {atolong("12345678901", 11), 0}, {ASC2long("-99999999999", 12), INT32_MIN},
      {ASC2long("1234567890123456789", 19), INT32_MAX}, {ASC2long("12345678901234567890", 20), 0},
      {ASC2IntEx("12A4", 4), 0}, {ASC2IntEx("0123", 4), 123}, {ASC2IntEx("-1", 2), 0},
      {ASC2IntEx("1", 0), 0}, {ASC2IntEx("4294967297", 10), 1},  // 32-bit arithmetic wraps
      {QtdDigitosNumInteiroAsc("00120", 5), 3}, {QtdDigitosNumInteiroAsc("000", 3), 0},
      {QtdDigitosNumInteiroAsc("12a4", 4), 2}, {QtdDigitosNumInteiroAsc("12", 0), 0}, {ASCx2uInt("fF"), 255},
      {atoLONGLONG("1234567890123", 13), 1234567890123}, {atoLONGLONG("1234567890123", 14), -1},
      {atoLONGLONG("-12345678901", 12), -1}, {atoLONGLONG("-123", 4), -123},
      {atoLONGLONG("999999999999999999", 18), 999999999999999999},
      {atoLONGLONG("1234567890123456789", 19), -1}, {atoLONGLONG(nullptr, 0), -1}, {DoubleToStr(nullptr, 4, 5.0), 0},
  };
  vl::test::expect_rows(cases);
  // The decimal prefix only, '.' whatever the locale; no hexadecimal, "inf" or "nan".
  const std::pair<const char *, double> decimals[] = {
      {"12.5e1xyz", 125.0}, {"  -12.50xyz", -12.5}, {"1,5", 1.0}, {"1e", 1.0}, {".5", 0.5},
      {"0x10", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"123456789012345678", 123456789012345678.0},
      {"1234567890123456789", 0.0}};
  for (const auto &[text, value] : decimals)
    EXPECT_EQ(atodbl(text, static_cast<int>(std::strlen(text))), value) << text;
  EXPECT_DOUBLE_EQ(CalculaPotencia(2.0, 10.0), 1024.0);
}

TEST(FixedWidthText, ZeroFilledDigitRunsAndSixtyFourBitBounds) {
  const std::string cases[][2] = {
      {TEXT_OF(5, int2ASC(o, 123, 4)), "0123#"}, {TEXT_OF(3, int2ASC(o, 123, 2)), "23#"},
      {TEXT_OF(6, int2ASC(o, 123, 9)), "00123#"}, {TEXT_OF(7, long2ASC(o, 123, 6)), "000123#"},
      {TEXT_OF(5, long2ASC(o, 1234567, 4)), "4567#"}, {TEXT_OF(9, long2ASC(o, 123, 10)), "00000123#"},
      {TEXT_OF(7, ltoascii(o, 123, 6)), "000123#"}, {TEXT_OF(5, ltoascii(o, 1234567, 4)), "1234#"},
      {TEXT_OF(6, ltoascii(o, -42, 5)), "00-42#"}, {TEXT_OF(13, ltoascii(o, 7, 14)), "000000000007#"},
      {TEXT_OF(6, ASCx2ASCd(o, "FF", 4)), "0255\0# -> 4"s}, {TEXT_OF(5, ASCx2ASCd(o, "FF", 1)), "255\0# -> 3"s},
      {TEXT_OF(7, DoubleToStr(o, 6, 12.4)), "000012\0 -> 6"s},
      {TEXT_OF(7, DoubleToStr(o, 6, -5.0)), "0000-5\0 -> 6"s}, {TEXT_OF(4, DoubleToStr(o, 3, 2.5)), "003\0 -> 3"s},
      {TEXT_OF(7, DoubleToStr(o, 2, 123456.0)), "123456\0 -> 6"s},
      {TEXT_OF(5, DoubleToStr(o, -4, 7.0)), "7   \0 -> 4"s},
      {TEXT_OF(9, _dtoasc(o, 12345.5, 8)), "00012346#"}, {TEXT_OF(5, _dtoasc(o, -1234567.0, 4)), "4567#"},
      {TEXT_OF(4, _dtoasc(o, 0.0, 3)), "000#"},
      // Counts of 0 and below write nothing (DoubleToStr clears the first byte).
      {TEXT_OF(8, (long2ASC(o, 123, INT_MIN), long2ASC(o, 123, 0))), "########"},
      {TEXT_OF(2, DoubleToStr(o, INT_MIN, 5.0)), "\0# -> 0"s},
  };
  vl::test::expect_rows(cases);
  // 64 bits: a refusal leaves size NULs; the padded form and an exact fit differ in out[size].
  const std::string nuls(18, '\0');
  const std::string wide[][2] = {
      {TEXT_OF(12, LONGLONGtoStr(1000000005, 10, o)), "1000000005\0# -> 1"s},
      {TEXT_OF(10, LONGLONGtoStr(1000000005, 9, o)), nuls.substr(0, 9) + "# -> 0"},
      {TEXT_OF(4, LONGLONGtoStr(-1, 3, o)), "\0\0\0# -> 0"s}, {TEXT_OF(5, LONGLONGtoStr(0, 3, o)), "0\0\0\0# -> 1"s},
      {TEXT_OF(21, LONGLONGtoStr(INT64_MAX, 19, o)), "9223372036854775807\0# -> 1"s},
      {TEXT_OF(19, LONGLONGtoStr(INT64_MAX, 18, o)), nuls + "# -> 0"},
      {TEXT_OF(14, LONGLONGtoStrEx(1000000005, 12, o, 1)), "001000000005\0# -> 1"s},
      {TEXT_OF(13, LONGLONGtoStrEx(1000000005, 12, o, 0)), "1000000005\0\0# -> 1"s},
      {TEXT_OF(5, LONGLONGtoStrEx(0, 4, o, 0)), "\0\0\0\0# -> 1"s}, {TEXT_OF(6, LONGLONGtoStrEx(0, 4, o, 1)), "0000\0# -> 1"s},
      {TEXT_OF(3, LONGLONGtoStrEx(12, 2, o, 0)), "12# -> 1"}, {TEXT_OF(4, LONGLONGtoStrEx(-5, 3, o, 1)), "\0\0\0# -> 0"s},
      {TEXT_OF(20, LONGLONGtoStrEx(1000000000000000000, 19, o, 0)), "1000000000000000000# -> 1"},
      {TEXT_OF(20, LONGLONGtoStrEx(INT64_MAX, 19, o, 0)), "9223372036854775807# -> 1"},
      {TEXT_OF(19, LONGLONGtoStrEx(INT64_MAX, 18, o, 1)), nuls + "# -> 0"},
      {std::to_string(LONGLONGtoStrEx(5, 3, nullptr, 1)), "1"},  // a null out is skipped
  };
  vl::test::expect_rows(wide);
}

// fcvt digits of the absolute value in one buffer per thread, which the next conversion reuses.
TEST(ConversionBuffer, DigitsInOneBufferPerThread) {
  const std::string digits[][2] = {{IntToChar(0), "0"}, {IntToChar(-42), "42"}, {DoubleToChar(0.0), "000"},
                                   {DoubleToChar(-12.345), "1235"}, {DoubleToChar(0.05), "5"}};
  vl::test::expect_rows(digits);
  char *first = IntToChar(1);
  EXPECT_EQ(DoubleToChar(2.0), first);
  EXPECT_STREQ(first, "200");
  std::string other_text;
  std::thread([&] { const char *other = IntToChar(777); other_text = other != first ? other : "the same"; }).join();
  EXPECT_EQ(other_text, "777");
  EXPECT_STREQ(first, "200") << "another thread's conversion leaves this one alone";
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/frame.h"

namespace {

using namespace std::string_literals;

// "result major.minor.release.build", the outputs starting at 7 so that zeroing shows.
std::string split(const char *text) {
  unsigned short p[4] = {7, 7, 7, 7};
  const int result = SeparaStringVersao(text, &p[0], &p[1], &p[2], &p[3]);
  return std::to_string(result) + " " + std::to_string(p[0]) + "." + std::to_string(p[1]) +
         "." + std::to_string(p[2]) + "." + std::to_string(p[3]);
}

TEST(SeparaStringVersao, PartsRefusalsAndZeroedOutputs) {
  const std::pair<const char *, const char *> cases[] = {
      {"1.02.0003", "1 1.2.0.3"},       {"1.02.03.0004", "1 1.2.3.4"},
      {"9999.9999.9999.9999", "1 9999.9999.9999.9999"},
      {"1..3456", "1 1.0.0.3456"},      // an empty part reads as 0
      {"1.2.3.4.5", "1 1.2.3.4"},       // the last part "4.5" reads up to its non-digit
      {nullptr, "0 0.0.0.0"},           {"1.2.3", "0 0.0.0.0"},
      {"1234567", "0 0.0.0.0"},         {"1234.567", "0 0.0.0.0"},
      {".12.345", "0 0.0.0.0"},         {"12345.1.1", "0 0.0.0.0"},
      {"1.23456.1", "0 0.0.0.0"},       {"1.2.34567", "0 0.0.0.0"},
      {"1.2.3.45678", "0 0.0.0.0"},
  };
  for (const auto &[text, expected] : cases) EXPECT_EQ(split(text), expected) << expected;
}

TEST(VersionText, NumbersInsideSizeAndRightAlignedDigits) {
  const char *text = "1.02.03.0004";
  const std::string cases[][2] = {
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 8)), "1.2.3\0\0\0 -> 1"s},
      {TEXT_OF(8, ObtemBuilddaVersao(text, o, 3)), "4\0\0##### -> 1"s},
      {TEXT_OF(8, ObtemVersaosemBuild("garbage", o, 6)), "0.0.0\0## -> 1"s},
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 4)), "\0\0\0\0#### -> 0"s},
      // Exactly filled: size bounds the text, and its NUL follows at out[size].
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 5)), "1.2.3\0## -> 1"s},
      {TEXT_OF(7, GetVersionNumber(o, 6, "1.2.3")), "000123#"},
      {TEXT_OF(3, GetVersionNumber(o, 2, "v10.20b")), "20#"},
  };
  vl::test::expect_rows(cases);
  EXPECT_EQ(ConverteVersaoToLong("1.02.003"), 102003);
  EXPECT_EQ(ConverteVersaoToLong("1.2.3.4a5"), 1234);
  EXPECT_EQ(ConverteVersaoToLong("000.000.000.123"), 12);  // the twelfth digit is dropped
  EXPECT_EQ(ConverteVersaoToLong("99.999.999.999"), INT32_MAX);
}

TEST(GetVersaoReleaseFromString, TwoDigitGroups) {
  int version = -1, release = -1;
  EXPECT_EQ(GetVersaoReleaseFromString("01.02", 5, &version, &release), 2);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(GetVersaoReleaseFromString("0102", 4, &version, &release), 102);  // all digits
  EXPECT_EQ(version, 102);
  EXPECT_EQ(GetVersaoReleaseFromString("0001.00023", 10, &version, &release), 2);  // 9 count
  EXPECT_EQ(GetVersaoReleaseFromString("123456-78", 9, &version, &release), 78);
  EXPECT_EQ(version, 1234);  // a group keeps 4 digits
  EXPECT_EQ(release, 78);
}

TEST(MontaVersaoRedecard, FieldAndHeads) {
  char out[64];
  // "length text" of what was written.
  const auto field = [&out](int length) { return std::to_string(length) + " " + out; };
  EXPECT_EQ(field(MontaVersaoRedecard("01.02.003", out)), "27 003021CL0401    :P0102003  ");
  EXPECT_EQ(field(MontaVersaoRedecard("1234567890", out)), "27 003021CL0401    :P123456789");
  EXPECT_EQ(field(MontaVersaoRedecard("1.2.3", out)), "21 003021CL0401    :P123");  // unpadded
  EXPECT_EQ(field(MontaVersaoRedecard(nullptr, out)), "27 003021CL0401    :P         ");
  EXPECT_EQ(field(MontaVersaoRedecardEx("01.02.003", out, 'g', "ABC")), "21 @03021CABC:P0102003  ");
  EXPECT_EQ(field(MontaVersaoRedecardEx("1.2", out, '\\', "ABC")), "20 003021CL0401    :P12");
  EXPECT_EQ(field(MontaVersaoRedecardEx("1.2", out, 'x', "ABC")), "11 003021C:P12");
}

}  // namespace

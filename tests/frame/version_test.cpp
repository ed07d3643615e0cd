#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/frame.h"

namespace {

TEST(SeparaStringVersao, PartsRefusalsAndZeroedOutputs) {
  const struct {
    const char *text;
    int result;
    unsigned short major, minor, release, build;
  } cases[] = {
      {"1.02.0003", 1, 1, 2, 0, 3},
      {"1.02.03.0004", 1, 1, 2, 3, 4},
      {"9999.9999.9999.9999", 1, 9999, 9999, 9999, 9999},
      {"1..3456", 1, 1, 0, 0, 3456},  // an empty part reads as 0
      {"1.2.3.4.5", 1, 1, 2, 3, 4},   // the last part "4.5" reads up to its non-digit
      {nullptr, 0, 0, 0, 0, 0},       {"1.2.3", 0, 0, 0, 0, 0},
      {"1234567", 0, 0, 0, 0, 0},     {"1234.567", 0, 0, 0, 0, 0},
      {".12.345", 0, 0, 0, 0, 0},     {"12345.1.1", 0, 0, 0, 0, 0},
      {"1.23456.1", 0, 0, 0, 0, 0},   {"1.2.34567", 0, 0, 0, 0, 0},
      {"1.2.3.45678", 0, 0, 0, 0, 0},
  };
  for (const auto &c : cases) {
    unsigned short p[4] = {7, 7, 7, 7};
    const char *label = c.text ? c.text : "(null)";
    EXPECT_EQ(SeparaStringVersao(c.text, &p[0], &p[1], &p[2], &p[3]), c.result) << label;
    EXPECT_EQ(p[0], c.major) << label;
    EXPECT_EQ(p[1], c.minor) << label;
    EXPECT_EQ(p[2], c.release) << label;
    EXPECT_EQ(p[3], c.build) << label;
  }
}

TEST(ObtemVersao, WritesNumbersInsideSize) {
  char out[8];
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, sizeof out), 1);
  EXPECT_STREQ(out, "1.2.3");
  EXPECT_EQ(ObtemBuilddaVersao("1.02.03.0004", out, sizeof out), 1);
  EXPECT_STREQ(out, "4");
  EXPECT_EQ(ObtemVersaosemBuild("garbage", out, sizeof out), 1);  // counts as zeros
  EXPECT_STREQ(out, "0.0.0");

  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, 4), 0);
  EXPECT_EQ(std::string(out, 5), std::string("\0\0\0\0x", 5));
  // Exactly filled: size bounds the text, and its NUL follows at out[size].
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, 5), 1);
  EXPECT_EQ(std::string(out, 7), std::string("1.2.3\0x", 7));
}

TEST(VersionDigits, NumberAndRightAlignedDigits) {
  EXPECT_EQ(ConverteVersaoToLong("1.02.003"), 102003);
  EXPECT_EQ(ConverteVersaoToLong("1.2.3.4a5"), 1234);
  EXPECT_EQ(ConverteVersaoToLong("000.000.000.123"), 12);  // the twelfth digit is dropped
  EXPECT_EQ(ConverteVersaoToLong("99.999.999.999"), INT32_MAX);

  char out[8];
  std::memset(out, 'x', sizeof out);
  GetVersionNumber(out, 6, "1.2.3");
  EXPECT_EQ(std::string(out, 7), "000123x");
  GetVersionNumber(out, 2, "v10.20b");
  EXPECT_EQ(std::string(out, 7), "200123x");
}

TEST(GetVersaoReleaseFromString, TwoDigitGroups) {
  int version = -1, release = -1;
  EXPECT_EQ(GetVersaoReleaseFromString("01.02", 5, &version, &release), 2);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(release, 2);
  EXPECT_EQ(GetVersaoReleaseFromString("0102", 4, &version, &release), 102);  // all digits
  EXPECT_EQ(version, 102);
  EXPECT_EQ(GetVersaoReleaseFromString("0001.00023", 10, &version, &release), 2);  // 9 count
  EXPECT_EQ(GetVersaoReleaseFromString("123456-78", 9, &version, &release), 78);
  EXPECT_EQ(version, 1234);  // a group keeps 4 digits
}

TEST(MontaVersaoRedecard, FieldAndHeads) {
  char out[64];
  EXPECT_EQ(MontaVersaoRedecard("01.02.003", out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P0102003  ");
  EXPECT_EQ(MontaVersaoRedecard("1234567890", out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P123456789");
  EXPECT_EQ(MontaVersaoRedecard("1.2.3", out), 21);  // shorter: no padding
  EXPECT_STREQ(out, "003021CL0401    :P123");
  EXPECT_EQ(MontaVersaoRedecard(nullptr, out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P         ");

  EXPECT_EQ(MontaVersaoRedecardEx("01.02.003", out, 'g', "ABC"), 21);
  EXPECT_STREQ(out, "@03021CABC:P0102003  ");
  EXPECT_EQ(MontaVersaoRedecardEx("1.2", out, '\\', "ABC"), 20);
  EXPECT_STREQ(out, "003021CL0401    :P12");
  EXPECT_EQ(MontaVersaoRedecardEx("1.2", out, 'x', "ABC"), 11);
  EXPECT_STREQ(out, "003021C:P12");
}

}  // namespace

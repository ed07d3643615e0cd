#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/frame.h"

namespace {

struct Parsed {
  int result;
  unsigned short major, minor, release, build;
};

Parsed separa(const char *text) {
  Parsed p{-1, 0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
  p.result = SeparaStringVersao(text, &p.major, &p.minor, &p.release, &p.build);
  return p;
}

void expect_parsed(const char *text, unsigned short major, unsigned short minor,
                   unsigned short release, unsigned short build) {
  const Parsed p = separa(text);
  EXPECT_EQ(p.result, 1) << text;
  EXPECT_EQ(p.major, major) << text;
  EXPECT_EQ(p.minor, minor) << text;
  EXPECT_EQ(p.release, release) << text;
  EXPECT_EQ(p.build, build) << text;
}

void expect_refused(const char *text) {
  const Parsed p = separa(text);
  EXPECT_EQ(p.result, 0) << (text ? text : "(null)");
  EXPECT_EQ(p.major + p.minor + p.release + p.build, 0) << (text ? text : "(null)");
}

TEST(SeparaStringVersao, ThreeAndFourPartTexts) {
  expect_parsed("1.02.0003", 1, 2, 0, 3);
  expect_parsed("1.02.03.0004", 1, 2, 3, 4);
  expect_parsed("9999.9999.9999.9999", 9999, 9999, 9999, 9999);
  // Empty parts read as 0; past a third dot the rest is one part read up to its first
  // non-digit.
  expect_parsed("1..3456", 1, 0, 0, 3456);
  expect_parsed("1.2.3.4.5", 1, 2, 3, 4);
}

TEST(SeparaStringVersao, RefusesShortTextsMissingDotsAndLongParts) {
  expect_refused(nullptr);
  expect_refused("1.2.3");       // shorter than 7
  expect_refused("1234567");     // no dot
  expect_refused("1234.567");    // one dot
  expect_refused(".12.345");     // first dot at the start
  expect_refused("12345.1.1");   // first part of 5
  expect_refused("1.23456.1");   // second part of 5
  expect_refused("1.2.34567");   // last part of three, 5 long
  expect_refused("1.2.3.45678"); // last part of four, 5 long
}

TEST(ObtemVersao, WritesNumbersWithoutLeadingZeros) {
  char out[16];
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, sizeof out), 1);
  EXPECT_STREQ(out, "1.2.3");
  EXPECT_EQ(ObtemBuilddaVersao("1.02.03.0004", out, sizeof out), 1);
  EXPECT_STREQ(out, "4");
  EXPECT_EQ(ObtemVersaosemBuild("10.20.0300", out, sizeof out), 1);
  EXPECT_STREQ(out, "10.20.0");
  // A text that does not parse counts as zeros.
  EXPECT_EQ(ObtemVersaosemBuild("garbage", out, sizeof out), 1);
  EXPECT_STREQ(out, "0.0.0");
}

TEST(ObtemVersao, RefusesTooSmallOutputsAndStaysInsideSize) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, 4), 0);
  EXPECT_EQ(std::string(out, 4), std::string(4, '\0'));
  EXPECT_EQ(out[4], 'x');

  // Exactly filled: the text is written, the NUL that would fall past size is not.
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, 5), 1);
  EXPECT_EQ(std::string(out, 6), "1.2.3x");
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemVersaosemBuild("1.02.03.0004", out, 6), 1);
  EXPECT_EQ(std::string(out, 7), std::string("1.2.3\0x", 7));

  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ObtemBuilddaVersao("1.2.3.1234", out, 3), 0);
  EXPECT_EQ(std::string(out, 4), std::string("\0\0\0x", 4));
  out[0] = 'x';
  EXPECT_EQ(ObtemBuilddaVersao("1.2.3.1234", out, 0), 0);
  EXPECT_EQ(out[0], 'x');
}

TEST(ConverteVersaoToLong, DropsDotsAndKeepsElevenCharacters) {
  EXPECT_EQ(ConverteVersaoToLong("1.02.003"), 102003);
  EXPECT_EQ(ConverteVersaoToLong("1.2.3.4a5"), 1234);
  // Twelve digits: the twelfth is not kept.
  EXPECT_EQ(ConverteVersaoToLong("000.000.000.123"), 12);
  // Eleven digits are past 32 bits and clamp as strtol does.
  EXPECT_EQ(ConverteVersaoToLong("99.999.999.999"), INT32_MAX);
  EXPECT_EQ(ConverteVersaoToLong(""), 0);
}

TEST(GetVersionNumber, RightAlignsTheLastDigitsWithoutNul) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  GetVersionNumber(out, 6, "1.2.3");
  EXPECT_EQ(std::string(out, 7), "000123x");
  std::memset(out, 'x', sizeof out);
  GetVersionNumber(out, 2, "1.2.3");
  EXPECT_EQ(std::string(out, 3), "23x");
  std::memset(out, 'x', sizeof out);
  GetVersionNumber(out, 4, "v10.20b");
  EXPECT_EQ(std::string(out, 5), "1020x");
  std::memset(out, 'x', sizeof out);
  GetVersionNumber(out, 0, "1.2.3");
  EXPECT_EQ(out[0], 'x');
}

TEST(GetVersaoReleaseFromString, TwoDigitGroups) {
  int version = -1, release = -1;
  EXPECT_EQ(GetVersaoReleaseFromString("01.02", 5, &version, &release), 2);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(release, 2);
  // All digits: both groups are the same digits.
  EXPECT_EQ(GetVersaoReleaseFromString("0102", 4, &version, &release), 102);
  EXPECT_EQ(version, 102);
  // Only length characters count, and never more than 9.
  EXPECT_EQ(GetVersaoReleaseFromString("01.0234", 5, &version, &release), 2);
  EXPECT_EQ(GetVersaoReleaseFromString("0001.00023", 10, &version, &release), 2);
  EXPECT_EQ(version, 1);
  // A group keeps at most 4 digits.
  EXPECT_EQ(GetVersaoReleaseFromString("123456-78", 9, &version, &release), 78);
  EXPECT_EQ(version, 1234);
  EXPECT_EQ(GetVersaoReleaseFromString("12-", 3, &version, &release), 0);
  EXPECT_EQ(version, 12);
}

TEST(MontaVersaoRedecard, IdentificationField) {
  char out[64];
  EXPECT_EQ(MontaVersaoRedecard("01.02.003", out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P0102003  ");
  // Only the first 9 characters count, dots included.
  EXPECT_EQ(MontaVersaoRedecard("1234567890", out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P123456789");
  // Shorter than 9: the field ends with the last kept character.
  EXPECT_EQ(MontaVersaoRedecard("1.2.3", out), 21);
  EXPECT_STREQ(out, "003021CL0401    :P123");
  EXPECT_EQ(MontaVersaoRedecard(nullptr, out), 27);
  EXPECT_STREQ(out, "003021CL0401    :P         ");
}

TEST(MontaVersaoRedecard, HeadChosenByKind) {
  char out[64];
  EXPECT_EQ(MontaVersaoRedecardEx("01.02.003", out, 'g', "ABC"), 21);
  EXPECT_STREQ(out, "@03021CABC:P0102003  ");
  EXPECT_EQ(MontaVersaoRedecardEx("01.02.003", out, '\\', "ABC"), 27);
  EXPECT_STREQ(out, "003021CL0401    :P0102003  ");
  EXPECT_EQ(MontaVersaoRedecardEx("1.2", out, 'x', "ABC"), 11);
  EXPECT_STREQ(out, "003021C:P12");
  EXPECT_EQ(MontaVersaoRedecardEx(nullptr, out, 'g', nullptr), 18);
  EXPECT_STREQ(out, "@03021C:P         ");
}

}  // namespace

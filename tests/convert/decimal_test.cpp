#include "convert/decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string fixed(double value, int decimals) {
  char out[64];
  const int n = vl::format_fixed(out, sizeof out, value, decimals);
  return n < 0 ? "<refused>" : std::string(out, static_cast<size_t>(n));
}

std::string digits(double value, int decimals, int *point) {
  char out[64];
  const int n = vl::fixed_point_digits(value, decimals, out, sizeof out, point);
  return n < 0 ? "<refused>" : std::string(out);
}

TEST(FormatFixed, ExactHalvesRoundAwayFromZero) {
  EXPECT_EQ(fixed(2.5, 0), "3");
  EXPECT_EQ(fixed(3.5, 0), "4");
  EXPECT_EQ(fixed(-2.5, 0), "-3");
  EXPECT_EQ(fixed(0.5, 0), "1");
  EXPECT_EQ(fixed(9.5, 0), "10");
  EXPECT_EQ(fixed(-99.5, 0), "-100");
  EXPECT_EQ(fixed(0.125, 2), "0.13");
  EXPECT_EQ(fixed(0.375, 2), "0.38");
  EXPECT_EQ(fixed(99.995 + 0.0, 2), "100.00") << "99.995 is stored just above the half";
  EXPECT_EQ(fixed(1234567.5, 0), "1234568");
}

TEST(FormatFixed, ValuesNearAHalfRoundToNearest) {
  EXPECT_EQ(fixed(2.4999999, 0), "2");
  EXPECT_EQ(fixed(2.5000001, 0), "3");
  EXPECT_EQ(fixed(1.005, 2), "1.00") << "1.005 is stored just below the half";
  EXPECT_EQ(fixed(-0.4, 0), "-0");
  EXPECT_EQ(fixed(12.4, 0), "12");
}

TEST(FormatFixed, RefusesWhatDoesNotFit) {
  char out[4];
  EXPECT_EQ(vl::format_fixed(out, sizeof out, 1234.0, 0), -1);
  EXPECT_EQ(vl::format_fixed(out, sizeof out, 123.0, 0), 3);
  EXPECT_EQ(vl::format_fixed(out, sizeof out, 1.0, -1), -1);
}

TEST(FixedPointDigits, DropLeadingZerosAndPlaceThePoint) {
  int point = 99;
  EXPECT_EQ(digits(123.456, 2, &point), "12346");
  EXPECT_EQ(point, 3);
  EXPECT_EQ(digits(0.5, 2, &point), "50");
  EXPECT_EQ(point, 0);
  EXPECT_EQ(digits(0.05, 2, &point), "5");
  EXPECT_EQ(point, -1);
  EXPECT_EQ(digits(-1.5, 2, &point), "150");
  EXPECT_EQ(point, 1);
  EXPECT_EQ(digits(0.0, 3, &point), "000");
  EXPECT_EQ(point, 0);
  EXPECT_EQ(digits(0.0, 1, &point), "0");
  EXPECT_EQ(digits(42.0, 0, &point), "42");
  EXPECT_EQ(point, 2);
  EXPECT_EQ(digits(0.125, 2, &point), "13");
  EXPECT_EQ(point, 0);
}

TEST(ReadDecimal, ReadsTheDecimalPrefixOnly) {
  EXPECT_EQ(vl::read_decimal("  -12.50xyz"), -12.5);
  EXPECT_EQ(vl::read_decimal("1,5"), 1.0);
  EXPECT_EQ(vl::read_decimal("1e3"), 1000.0);
  EXPECT_EQ(vl::read_decimal("1e"), 1.0);
  EXPECT_EQ(vl::read_decimal(".5"), 0.5);
  EXPECT_EQ(vl::read_decimal(""), 0.0);
  EXPECT_EQ(vl::read_decimal("abc"), 0.0);
  EXPECT_EQ(vl::read_decimal("inf"), 0.0);
  EXPECT_EQ(vl::read_decimal("nan"), 0.0);
  EXPECT_EQ(vl::read_decimal("0x10"), 0.0);
  EXPECT_EQ(vl::read_decimal("000000012345"), 12345.0);
  const char *text = "  7.25;rest";
  const char *end = nullptr;
  EXPECT_EQ(vl::read_decimal(text, &end), 7.25);
  EXPECT_EQ(end, text + 6);
}

}  // namespace

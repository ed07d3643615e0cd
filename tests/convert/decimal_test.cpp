#include "convert/decimal.h"

#include <gtest/gtest.h>

#include <string>

#include "written.h"

namespace {

std::string fixed(double value, int decimals) {
  char out[64];
  const int n = vl::format_fixed(out, sizeof out, value, decimals);
  return n < 0 ? "<refused>" : std::string(out, static_cast<size_t>(n));
}

// The digits, then '@' and the position of the decimal point.
std::string digits(double value, int decimals) {
  char out[64];
  int point = 99;
  const int n = vl::fixed_point_digits(value, decimals, out, sizeof out, &point);
  return n < 0 ? "<refused>" : std::string(out) + "@" + std::to_string(point);
}

// Exact halves round away from zero (carrying into a new digit); 1.005 is stored just below
// its half and rounds down.
TEST(FixedPoint, HalvesAwayFromZeroAndTheDigitsOfTheMagnitude) {
  const std::string cases[][2] = {
      {fixed(-2.5, 0), "-3"}, {fixed(0.5, 0), "1"}, {fixed(9.5, 0), "10"},
      {fixed(-99.5, 0), "-100"}, {fixed(0.125, 2), "0.13"}, {fixed(1.005, 2), "1.00"},
      {fixed(-0.4, 0), "-0"}, {fixed(1.0, -1), "<refused>"},
      {digits(123.456, 2), "12346@3"}, {digits(0.05, 2), "5@-1"}, {digits(0.0, 3), "000@0"},
  };
  vl::test::expect_rows(cases);

  char out[4];
  EXPECT_EQ(vl::format_fixed(out, sizeof out, 1234.0, 0), -1);
  EXPECT_EQ(vl::format_fixed(out, sizeof out, 123.0, 0), 3);
  EXPECT_STREQ(out, "123");
}

TEST(ReadDecimal, ReadsTheDecimalPrefixOnly) {
  const struct {
    const char *text;
    double value;
  } cases[] = {
      {"  -12.50xyz", -12.5}, {"1,5", 1.0}, {"1e3", 1000.0}, {"1e", 1.0}, {".5", 0.5},
      {"", 0.0}, {"inf", 0.0}, {"nan", 0.0}, {"0x10", 0.0},
  };
  for (const auto &c : cases) EXPECT_EQ(vl::read_decimal(c.text), c.value) << c.text;
  const char *text = "  7.25;rest";
  const char *end = nullptr;
  EXPECT_EQ(vl::read_decimal(text, &end), 7.25);
  EXPECT_EQ(end, text + 6);
}

}  // namespace

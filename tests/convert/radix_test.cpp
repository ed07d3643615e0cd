#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "vertalib/convert.h"
#include "support/sentinel.h"

namespace {

using namespace std::string_literals;

// toDeci's result, then what it printed on standard output.
std::string to_deci_printing(const char *text, int radix) {
  testing::internal::CaptureStdout();
  const int value = toDeci(text, radix);
  return std::to_string(value) + "|" + testing::internal::GetCapturedStdout();
}

TEST(Radix, ReadingWritingRoundTripsAndTheInvalidNumberLine) {
  const std::string cases[][2] = {
      {to_deci_printing("1Z", 36), "71|"}, {to_deci_printing("1z", 36), "-1|Invalid Number\n"},
      {to_deci_printing("", 10), "0|"}, {to_deci_printing("12", 2), "-1|Invalid Number\n"},
      {to_deci_printing(":", 10), "3|"},           // a non-digit below 'A' is c - 55
      {to_deci_printing("1\xE9", 10), "-68|"},     // 0xE9 is the signed code -23
      {to_deci_printing("ZZZZZZZ", 36), "1054752767|"},  // 36^7 - 1 wraps modulo 2^32
      {std::to_string(convertBase36toDecimal("ZZ")), "1295"},
      {TEXT_OF(5, fromDeci(o, 36, 5, 4) == o), "005\0# -> 1"s}, {TEXT_OF(2, fromDeci(o, 10, 7, 1) == o), "\0# -> 1"s},
      {TEXT_OF(5, fromDeci(o, 36, 0, 4) == o), "000\0# -> 1"s},
      {TEXT_OF(4, fromDeci(o, 16, -255, 3) == o), "00\0# -> 1"s},
      {TEXT_OF(4, fromDeci(o, 36, 1296 + 35, 3) == o), "0Z\0# -> 1"s},  // the last digits
      {TEXT_OF(5, convertDecimaltoBase36(71, o, 4) == o), "01Z\0# -> 1"s},
  };
  vl::test::expect_rows(cases);
  // Every radix round-trips over non-negative values.
  std::mt19937 random(36);
  std::uniform_int_distribution<int> any(0, INT_MAX);
  char text[33];
  for (int radix = 2; radix <= 36; ++radix)
    for (int n = 0; n < 1200; ++n) {
      const int value = n < 1000 ? n : n == 1000 ? INT_MAX : any(random);
      ASSERT_EQ(toDeci(fromDeci(text, radix, value, sizeof text), radix), value) << radix;
    }
}

TEST(VertaCode, FixedPointsAndEveryTwoDigitNumberBothWays) {
  const int fixed_points[][2] = {{convertB36VertatoDecimal("0A"), 100}, {convertB36VertatoDecimal("0Z"), 125},
                                 {convertB36VertatoDecimal("1A"), 126}, {convertB36VertatoDecimal("8Z"), 333}};
  vl::test::expect_rows(fixed_points);
  // 10..99 are their decimal digits; 100..333 climb through the digit-letter codes (with the
  // fixed points, one table only). Outside 10..333 the radix-36 text passes through ("9A" is
  // 334); "45" is 45 as a code, 149 in radix 36: each converts by the column asked for.
  std::string previous;
  for (int value = 0; value < 36 * 36; ++value) {
    char base36[3];
    fromDeci(base36, 36, value, 3);
    const std::string written = TEXT_OF(3, convertDecimaltoB36Verta(value, o));
    ASSERT_EQ(written[2], '#') << value;
    const std::string code = written.substr(0, 2);
    if (value >= 100 && value <= 333) {
      ASSERT_TRUE(code[0] >= '0' && code[0] <= '8' && code[1] >= 'A' && code[1] <= 'Z' && code > previous) << value;
      previous = code;
    } else {
      ASSERT_EQ(code, value >= 10 && value < 100 ? std::to_string(value) : std::string(base36)) << value;
    }
    ASSERT_EQ(convertB36VertatoDecimal(code.c_str()), value) << code;
    ASSERT_EQ(TEXT_OF(3, convertB36VertatoBase36(code.c_str(), o)), base36 + "#"s) << value;
    ASSERT_EQ(TEXT_OF(3, convertBase36toB36Verta(base36, o)), code + "#") << value;
  }
}

// fromBit41Base32's result and its three fields.
std::string unpack(const char *code) {
  char first[5], second[5], third[4];
  const int result = fromBit41Base32(code, first, second, third);
  return std::to_string(result) + ":" + first + "|" + second + "|" + third;
}

TEST(Base32Fields, PackingRoundTripsAndRefusals) {
  EXPECT_EQ(TEXT_OF(10, toBit41Base32(o, "9999", "9999", "999")), "9OF9OFV7\0# -> 8"s);
  char code[10], fields[20];
  for (int v = 0; v <= 9999; ++v) {
    const std::string first = std::to_string(v), second = std::to_string(9999 - v), third = std::to_string(v % 1000);
    toBit41Base32(code, first.c_str(), second.c_str(), third.c_str());
    std::snprintf(fields, sizeof fields, "1:%04d|%04d|%03d", v, 9999 - v, v % 1000);
    ASSERT_EQ(unpack(code), fields);
  }
  // Each field one past its range, a lower case letter, a non-digit, a short code.
  testing::internal::CaptureStdout();
  for (const char *refused : {"9OG00000", "0009OG00", "000000VK", "00000a00", "000:0000", "0001"})
    EXPECT_EQ(unpack(refused), "0:0000|0000|000") << refused;
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Invalid Number\n") << "the 'a', at or above the radix";
}

const unsigned char *bytes_of(const char *s) { return reinterpret_cast<const unsigned char *>(s); }

TEST(RunLength, RunsCountLikeBytesRefusalsAndRandomBuffersInExactlyTheirRoom) {
  const std::string a130(130, 'A');
  const std::string cases[][2] = {
      {HEX_OF(4, RleEncode(o, bytes_of("AAAAB"), 5)), "834142A5 -> 3"},
      {HEX_OF(4, RleEncode(o, bytes_of("AAB"), 3)), "414142A5 -> 3"},  // a pair stays literal
      {HEX_OF(3, RleEncode(o, bytes_of("\x85"), 1)), "8085A5 -> 2"},
      {HEX_OF(3, RleEncode(o, bytes_of("\x85\x85"), 2)), "8185A5 -> 2"},
      {HEX_OF(7, RleEncode(o, bytes_of(a130.c_str()), 130)), "BF41BF414141A5 -> 6"},  // runs stop at 64
      {HEX_OF(6, RleDecode(o, bytes_of("\x83" "AB"), 3, 5)), "4141414142A5 -> 5"},
      // Refused: the runs that fitted stay written, nothing goes past size.
      {HEX_OF(5, RleDecode(o, bytes_of("\x83" "AB"), 3, 4)), "41414141A5 -> 0"},
      {HEX_OF(3, RleDecode(o, bytes_of("AB\x83"), 3, 5)), "4142A5 -> 0"},  // no data byte after
      {HEX_OF(1, RleDecode(o, bytes_of(""), 0, 1)), "A5 -> 0"},
  };
  vl::test::expect_rows(cases);
  // Random runs of 1 to 80 bytes, count-like bytes among them: encoded into at most twice
  // their size, decoded back into exactly their room, refused with one byte less.
  std::mt19937 random(64);
  for (int n = 0; n < 3000; ++n) {
    std::vector<unsigned char> in;
    const unsigned length = 1 + random() % 300;
    while (in.size() < length) {
      const auto byte = static_cast<unsigned char>(random() % 4 == 0 ? 0x80 + random() % 64 : random() % 256);
      in.insert(in.end(), std::min<size_t>(1 + random() % 80, length - in.size()), byte);
    }
    std::vector<unsigned char> encoded(2 * length), back(length);
    const unsigned size = RleEncode(encoded.data(), in.data(), length);
    ASSERT_LE(size, 2 * length);
    ASSERT_EQ(RleDecode(back.data(), encoded.data(), size, length), length);
    ASSERT_EQ(back, in);
    ASSERT_EQ(RleDecode(back.data(), encoded.data(), size, length - 1), 0u);
  }
}

}  // namespace

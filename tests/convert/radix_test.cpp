#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "vertalib/convert.h"

namespace {

constexpr unsigned char kUntouched = 0xA5;

// toDeci's result together with what it printed on standard output.
std::pair<int, std::string> to_deci_printing(const char *text, int radix) {
  testing::internal::CaptureStdout();
  const int value = toDeci(text, radix);
  return {value, testing::internal::GetCapturedStdout()};
}

std::string from_deci(int radix, int value, int size) {
  char out[40];
  std::memset(out, kUntouched, sizeof out);
  EXPECT_EQ(fromDeci(out, radix, value, size), out);
  EXPECT_EQ(static_cast<unsigned char>(out[size]), kUntouched);
  return std::string(out, static_cast<size_t>(size));
}

TEST(Radix, ReadingDigitsAndTheInvalidNumberLine) {
  EXPECT_EQ(to_deci_printing("1Z", 36), std::make_pair(71, std::string()));
  EXPECT_EQ(to_deci_printing("1z", 36), std::make_pair(-1, std::string("Invalid Number\n")));
  EXPECT_EQ(to_deci_printing("12", 2), std::make_pair(-1, std::string("Invalid Number\n")));
  EXPECT_EQ(to_deci_printing("", 10), std::make_pair(0, std::string()));
  EXPECT_EQ(toDeci(":", 10), 3) << "a non-digit below 'A' is c - 55";
  EXPECT_EQ(toDeci("ZZZZZZZ", 36), 1054752767) << "36^7 - 1 wraps modulo 2^32";
  EXPECT_EQ(convertBase36toDecimal("ZZ"), 1295);
}

TEST(Radix, WritingPadsKeepsTheLastDigitsAndNeverPassesSize) {
  EXPECT_EQ(from_deci(36, 5, 4), std::string("005\0", 4));
  EXPECT_EQ(from_deci(36, 0, 4), std::string("000\0", 4));
  EXPECT_EQ(from_deci(16, -255, 3), std::string("00\0", 3));
  EXPECT_EQ(from_deci(36, 1296 + 35, 3), std::string("0Z\0", 3)) << "1296 is 100 in radix 36";
  EXPECT_EQ(from_deci(2, INT_MAX, 32), std::string(31, '1') + '\0');
  EXPECT_EQ(from_deci(10, 7, 1), std::string(1, '\0'));
  char out[8];
  EXPECT_STREQ(convertDecimaltoBase36(71, out, 4), "01Z");
}

TEST(Radix, EveryRadixRoundTripsOverNonNegativeValues) {
  std::mt19937 random(36);
  std::uniform_int_distribution<int> any(0, INT_MAX);
  for (int radix = 2; radix <= 36; ++radix) {
    std::vector<int> values{INT_MAX};
    for (int v = 0; v < 2000; ++v) values.push_back(v);
    for (int n = 0; n < 2000; ++n) values.push_back(any(random));
    char text[33];
    for (int value : values)
      ASSERT_EQ(toDeci(fromDeci(text, radix, value, sizeof text), radix), value) << radix;
  }
}

std::string verta_of(int value) {
  char out[3] = {0, 0, static_cast<char>(kUntouched)};
  convertDecimaltoB36Verta(value, out);
  EXPECT_EQ(static_cast<unsigned char>(out[2]), kUntouched);
  return std::string(out, 2);
}

std::string converted(void (*convert)(const char *, char *), const char *in) {
  char out[2];
  convert(in, out);
  return std::string(out, 2);
}

TEST(VertaCode, FixedPointsAndTextsOutsideTheTable) {
  EXPECT_EQ(convertB36VertatoDecimal("0A"), 100);
  EXPECT_EQ(convertB36VertatoDecimal("0Z"), 125);
  EXPECT_EQ(convertB36VertatoDecimal("1A"), 126);
  EXPECT_EQ(convertB36VertatoDecimal("8Z"), 333);
  EXPECT_EQ(convertB36VertatoDecimal("45"), 45);
  EXPECT_EQ(convertB36VertatoDecimal("9A"), 334) << "not a Verta code: read in radix 36";
  EXPECT_EQ(convertB36VertatoDecimal("05"), 5);
  EXPECT_EQ(verta_of(100), "0A");

  EXPECT_EQ(converted(convertB36VertatoBase36, "0A"), "2S");
  EXPECT_EQ(converted(convertBase36toB36Verta, "2S"), "0A");
  // "45" is both the Verta code of 45 and the radix-36 text of 149 (Verta 1X).
  EXPECT_EQ(converted(convertB36VertatoBase36, "45"), "19");
  EXPECT_EQ(converted(convertBase36toB36Verta, "45"), "1X");
}

// Numbers outside 10..333 keep their radix-36 text, both ways.
TEST(VertaCode, EveryTwoDigitNumberRoundTrips) {
  for (int value = 0; value < 36 * 36; ++value) {
    const std::string code = verta_of(value);
    ASSERT_EQ(convertB36VertatoDecimal(code.c_str()), value) << code;
    char base36[3];
    fromDeci(base36, 36, value, 3);
    ASSERT_EQ(converted(convertB36VertatoBase36, code.c_str()), base36) << value;
    ASSERT_EQ(converted(convertBase36toB36Verta, base36), code) << value;
    ASSERT_EQ(code != base36, value >= 10 && value <= 333) << value;
  }
}

struct Fields {
  char first[5], second[5], third[4];
  int result;
};

Fields unpack(const char *code) {
  Fields f{};
  f.result = fromBit41Base32(code, f.first, f.second, f.third);
  return f;
}

TEST(Base32Fields, PackingLimitsAndRefusals) {
  char code[9];
  EXPECT_EQ(toBit41Base32(code, "9999", "9999", "999"), 8);
  EXPECT_STREQ(code, "9OF9OFV7");
  const Fields top = unpack(code);
  EXPECT_EQ(top.result, 1);
  EXPECT_EQ(std::string(top.first) + top.second + top.third, "99999999999");

  for (const char *refused : {"9OG00000", "0009OG00", "000000VK", "00000a00", "000:0000", "0001"}) {
    testing::internal::CaptureStdout();
    const Fields f = unpack(refused);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(f.result, 0) << refused;
    EXPECT_EQ(std::string(f.first) + "|" + f.second + "|" + f.third, "0000|0000|000") << refused;
  }
}

TEST(Base32Fields, EachFieldRoundTripsOverItsRange) {
  char code[9];
  auto round_trip = [&](int a, int b, int c) {
    toBit41Base32(code, std::to_string(a).c_str(), std::to_string(b).c_str(), std::to_string(c).c_str());
    const Fields f = unpack(code);
    return f.result == 1 && std::stoi(f.first) == a && std::stoi(f.second) == b && std::stoi(f.third) == c;
  };
  for (int v = 0; v <= 9999; ++v) ASSERT_TRUE(round_trip(v, 9999 - v, v % 1000)) << v;
}

std::string encode(const std::string &in) {
  std::vector<unsigned char> out(2 * in.size() + 1, kUntouched);
  const unsigned written =
      RleEncode(out.data(), reinterpret_cast<const unsigned char *>(in.data()), static_cast<unsigned>(in.size()));
  for (size_t i = written; i < out.size(); ++i)
    if (out[i] != kUntouched) return "wrote past its result";
  return std::string(reinterpret_cast<const char *>(out.data()), written);
}

// The result and the first `size` bytes of out (untouched ones shown as 0xA5); the byte after
// them must stay untouched.
std::pair<unsigned, std::string> decode(const std::string &in, unsigned size) {
  std::vector<unsigned char> out(size + 1, kUntouched);
  const unsigned written =
      RleDecode(out.data(), reinterpret_cast<const unsigned char *>(in.data()), static_cast<unsigned>(in.size()), size);
  if (out[size] != kUntouched) return {written, "wrote past size"};
  return {written, std::string(reinterpret_cast<const char *>(out.data()), size)};
}

TEST(RunLength, RunsCountLikeBytesAndRefusals) {
  EXPECT_EQ(encode("AAAAB"), "\x83" "AB");
  EXPECT_EQ(encode("AAB"), "AAB");
  EXPECT_EQ(encode("\x85"), "\x80\x85");
  EXPECT_EQ(encode("\x85\x85"), "\x81\x85");
  EXPECT_EQ(encode(std::string(130, 'A')), "\xBF" "A\xBF" "AAA") << "runs stop at 64";
  EXPECT_EQ(encode(""), "");

  EXPECT_EQ(decode("\x83" "AB", 5), std::make_pair(5u, std::string("AAAAB")));
  EXPECT_EQ(decode("\xBF\xC0", 64), std::make_pair(64u, std::string(64, '\xC0')));
  // Refused: the runs that fitted stay written, nothing goes past size.
  EXPECT_EQ(decode("\x83" "AB", 4), std::make_pair(0u, std::string("AAAA")));
  EXPECT_EQ(decode("B\x83" "A", 4), std::make_pair(0u, std::string("B\xA5\xA5\xA5")));
  EXPECT_EQ(decode("AB\x83", 5), std::make_pair(0u, std::string("AB\xA5\xA5\xA5")))
      << "a count byte with no data byte after it";
  EXPECT_EQ(decode("", 1), std::make_pair(0u, std::string("\xA5")));
}

TEST(RunLength, DecodingGivesBackRandomBuffersThatFitExactly) {
  std::mt19937 random(64);
  for (int n = 0; n < 3000; ++n) {
    std::string buffer;
    const size_t length = 1 + random() % 300;
    while (buffer.size() < length) {
      const auto byte = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 64 : random() % 256);
      buffer.append(std::min<size_t>(1 + random() % 80, length - buffer.size()), byte);
    }
    const std::string encoded = encode(buffer);
    ASSERT_LE(encoded.size(), 2 * buffer.size());
    const auto size = static_cast<unsigned>(buffer.size());
    ASSERT_EQ(decode(encoded, size), std::make_pair(size, buffer));
    ASSERT_EQ(decode(encoded, size - 1).first, 0u);
  }
}

}  // namespace

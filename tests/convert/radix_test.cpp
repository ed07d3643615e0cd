#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
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

TEST(Radix, ReadingWritingAndTheInvalidNumberLine) {
  EXPECT_EQ(to_deci_printing("1Z", 36), std::make_pair(71, std::string()));
  EXPECT_EQ(to_deci_printing("1z", 36), std::make_pair(-1, std::string("Invalid Number\n")));
  EXPECT_EQ(to_deci_printing("12", 2), std::make_pair(-1, std::string("Invalid Number\n")));
  EXPECT_EQ(to_deci_printing("", 10), std::make_pair(0, std::string()));
  EXPECT_EQ(toDeci(":", 10), 3) << "a non-digit below 'A' is c - 55";
  EXPECT_EQ(toDeci("1\xE9", 10), -68) << "0xE9 is the signed code -23";
  EXPECT_EQ(toDeci("ZZZZZZZ", 36), 1054752767) << "36^7 - 1 wraps modulo 2^32";

  EXPECT_EQ(from_deci(36, 5, 4), std::string("005\0", 4));
  EXPECT_EQ(from_deci(36, 0, 4), std::string("000\0", 4));
  EXPECT_EQ(from_deci(16, -255, 3), std::string("00\0", 3));
  EXPECT_EQ(from_deci(36, 1296 + 35, 3), std::string("0Z\0", 3)) << "keeps the last two digits";
  EXPECT_EQ(from_deci(10, 7, 1), std::string(1, '\0'));
  char out[8];
  EXPECT_STREQ(convertDecimaltoBase36(71, out, 4), "01Z");
}

TEST(Radix, EveryRadixRoundTripsOverNonNegativeValues) {
  std::mt19937 random(36);
  std::uniform_int_distribution<int> any(0, INT_MAX);
  char text[33];
  for (int radix = 2; radix <= 36; ++radix)
    for (int n = 0; n < 2000; ++n) {
      const int value = n < 1000 ? n : n == 1000 ? INT_MAX : any(random);
      ASSERT_EQ(toDeci(fromDeci(text, radix, value, sizeof text), radix), value) << radix;
    }
}

std::string two_of(void (*convert)(const char *, char *), const char *in) {
  char out[3] = {0, 0, static_cast<char>(kUntouched)};
  convert(in, out);
  EXPECT_EQ(static_cast<unsigned char>(out[2]), kUntouched);
  return std::string(out, 2);
}

// Every two-digit radix-36 number: the Verta code built from its rule for 10..333 (decimal
// digits, then a digit and a letter counting up from 100), the radix-36 text elsewhere. Texts
// in both columns ("45" is 45 as a code and 149 in radix 36) convert by the column asked for.
TEST(VertaCode, EveryTwoDigitNumberBothWays) {
  std::vector<std::string> verta(36 * 36);
  for (int value = 10; value < 100; ++value) verta[value] = std::to_string(value);
  int number = 100;
  for (char digit = '0'; digit <= '8'; ++digit)
    for (char letter = 'A'; letter <= 'Z'; ++letter) verta[number++] = {digit, letter};
  ASSERT_EQ(number, 334);

  for (int value = 0; value < 36 * 36; ++value) {
    char base36[3];
    fromDeci(base36, 36, value, 3);
    const std::string code = verta[value].empty() ? base36 : verta[value];
    char out[3] = {0, 0, static_cast<char>(kUntouched)};
    convertDecimaltoB36Verta(value, out);
    ASSERT_EQ(std::string(out, 3), code + static_cast<char>(kUntouched)) << value;
    ASSERT_EQ(convertB36VertatoDecimal(code.c_str()), value) << code;
    ASSERT_EQ(two_of(convertB36VertatoBase36, code.c_str()), base36) << value;
    ASSERT_EQ(two_of(convertBase36toB36Verta, base36), code) << value;
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

TEST(Base32Fields, PackingRoundTripsAndRefusals) {
  char code[10];
  std::memset(code, kUntouched, sizeof code);
  EXPECT_EQ(toBit41Base32(code, "9999", "9999", "999"), 8);
  EXPECT_EQ(std::string(code, 10), std::string("9OF9OFV7\0\xA5", 10));
  for (int v = 0; v <= 9999; ++v) {
    const std::string first = std::to_string(v), second = std::to_string(9999 - v), third = std::to_string(v % 1000);
    toBit41Base32(code, first.c_str(), second.c_str(), third.c_str());
    const Fields f = unpack(code);
    char fields[40];
    std::snprintf(fields, sizeof fields, "%04d%04d%03d", v, 9999 - v, v % 1000);
    ASSERT_EQ(f.result, 1) << v;
    ASSERT_EQ(std::string(f.first) + f.second + f.third, fields);
  }

  for (const char *refused : {"9OG00000", "0009OG00", "000000VK", "00000a00", "000:0000", "0001"}) {
    testing::internal::CaptureStdout();  // a lower-case letter prints "Invalid Number"
    const Fields f = unpack(refused);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(f.result, 0) << refused;
    EXPECT_EQ(std::string(f.first) + "|" + f.second + "|" + f.third, "0000|0000|000") << refused;
  }
}

const unsigned char *bytes_of(const std::string &s) { return reinterpret_cast<const unsigned char *>(s.data()); }

// The bytes written; out has room for twice the input and the byte after it must stay.
std::string encode(const std::string &in) {
  std::vector<unsigned char> out(2 * in.size() + 1, kUntouched);
  const unsigned written = RleEncode(out.data(), bytes_of(in), static_cast<unsigned>(in.size()));
  if (out.back() != kUntouched) return "wrote past twice its input";
  return std::string(out.begin(), out.begin() + written);
}

// The result and the `size` bytes of out (unwritten ones 0xA5); the byte after them must stay.
std::pair<unsigned, std::string> decode(const std::string &in, unsigned size) {
  std::vector<unsigned char> out(size + 1, kUntouched);
  const unsigned written = RleDecode(out.data(), bytes_of(in), static_cast<unsigned>(in.size()), size);
  if (out.back() != kUntouched) return {written, "wrote past size"};
  return {written, std::string(out.begin(), out.end() - 1)};
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

// Random runs of 1 to 80 bytes, count-like bytes among them, decode back into exactly their room.
TEST(RunLength, RandomBuffersRoundTripIntoExactlyTheirRoom) {
  std::mt19937 random(64);
  for (int n = 0; n < 3000; ++n) {
    std::string buffer;
    const size_t length = 1 + random() % 300;
    while (buffer.size() < length) {
      const auto byte = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 64 : random() % 256);
      buffer.append(std::min<size_t>(1 + random() % 80, length - buffer.size()), byte);
    }
    const std::string encoded = encode(buffer);
    const auto size = static_cast<unsigned>(buffer.size());
    ASSERT_EQ(decode(encoded, size), std::make_pair(size, buffer));
    ASSERT_EQ(decode(encoded, size - 1).first, 0u);
  }
}

}  // namespace

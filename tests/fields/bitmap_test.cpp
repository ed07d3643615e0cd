#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/fields.h"

namespace {

std::string bytes(const unsigned char *data, size_t count) {
  return std::string(reinterpret_cast<const char *>(data), count);
}

TEST(Bitmap, BitsCountFromTheHighBitOfTheFirstByte) {
  unsigned char map[16] = {};
  SetBIT(1, map);
  SetBIT(64, map);
  SetBIT(65, map);
  SetBIT(10, map);
  SetBIT(128, map);
  const unsigned char expected[16] = {0x80, 0x40, 0, 0, 0, 0, 0, 0x01, 0x80, 0, 0, 0, 0, 0, 0, 0x01};
  EXPECT_EQ(bytes(map, 16), bytes(expected, 16));
  SetBIT(10, map);
  ResetBIT(11, map);
  EXPECT_EQ(bytes(map, 16), bytes(expected, 16)) << "setting a set bit or clearing a clear one";
  ResetBIT(1, map);
  ResetBIT(128, map);
  EXPECT_EQ(map[0], 0x00);
  EXPECT_EQ(map[15], 0x00);
  EXPECT_EQ(map[1], 0x40);
}

TEST(Bitmap, IsOnAnswersTheSignedMask) {
  unsigned char map[2] = {0xFF, 0x01};
  const int expected[] = {-128, 64, 32, 16, 8, 4, 2, 1};
  for (int bit = 1; bit <= 8; ++bit) EXPECT_EQ(isON(map, bit), expected[bit - 1]) << bit;
  EXPECT_EQ(isON(map, 9), 0);
  EXPECT_EQ(isON(map, 16), 1);
}

struct Record {
  unsigned char bytes[64];
  Record() { std::memset(bytes, 0xA5, sizeof bytes); std::memset(bytes + 29, 0, 16); }
};

TEST(RecordBitmap, LivesInBytes29To44AndIgnoresBadArguments) {
  Record r;
  SetBITISO(1, r.bytes);
  SetBITISO(64, r.bytes);
  SetBITISO(65, r.bytes);
  SetBITISO(128, r.bytes);
  SetBITISO(0, r.bytes);
  SetBITISO(129, r.bytes);
  SetBITISO(-3, r.bytes);
  SetBITISO(5, nullptr);
  ResetBITISO(5, nullptr);
  Record expected;
  expected.bytes[29] = 0x80;
  expected.bytes[36] = 0x01;
  expected.bytes[37] = 0x80;
  expected.bytes[44] = 0x01;
  EXPECT_EQ(bytes(r.bytes, 64), bytes(expected.bytes, 64));
  ResetBITISO(65, r.bytes);
  ResetBITISO(129, r.bytes);
  expected.bytes[37] = 0x00;
  EXPECT_EQ(bytes(r.bytes, 64), bytes(expected.bytes, 64));
}

TEST(RecordBitmap, ResetBitsClearsTheListedBitsUpToZero) {
  Record r;
  std::memset(r.bytes + 29, 0xFF, 16);
  EXPECT_EQ(ResetBits(r.bytes, 2, 3, 65, 0, 4), 0);
  Record expected;
  std::memset(expected.bytes + 29, 0xFF, 16);
  expected.bytes[29] = 0x9F;
  expected.bytes[37] = 0x7F;
  EXPECT_EQ(bytes(r.bytes, 64), bytes(expected.bytes, 64)) << "bit 4 follows the end of the list";
  EXPECT_EQ(ResetBits(r.bytes, 0), 0);
  EXPECT_EQ(bytes(r.bytes, 64), bytes(expected.bytes, 64));
}

}  // namespace

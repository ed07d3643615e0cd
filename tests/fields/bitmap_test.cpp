#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "vertalib/fields.h"

namespace {

TEST(Bitmap, BitsCountFromTheHighBitOfByteZero) {
  unsigned char map[16] = {};
  for (int bit : {1, 10, 64, 65, 128, 10}) SetBIT(bit, map);
  ResetBIT(11, map);
  ResetBIT(128, map);
  const unsigned char expected[16] = {0x80, 0x40, 0, 0, 0, 0, 0, 0x01, 0x80};
  EXPECT_EQ(std::memcmp(map, expected, 16), 0);
  // The tested byte and the mask are both signed bytes: the first bit of a byte gives -128.
  const unsigned char ones[2] = {0xFF, 0x01};
  const int answers[16] = {-128, 64, 32, 16, 8, 4, 2, 1, 0, 0, 0, 0, 0, 0, 0, 1};
  for (int bit = 1; bit <= 16; ++bit) EXPECT_EQ(isON(ones, bit), answers[bit - 1]) << bit;
}

TEST(RecordBitmap, LivesInBytes29To44AndIgnoresBadArguments) {
  unsigned char record[48], expected[48];
  std::memset(record, 0xA5, sizeof record);
  std::memset(record + 29, 0, 16);
  std::memcpy(expected, record, sizeof record);
  for (int bit : {1, 64, 65, 128, 0, 129, -3}) SetBITISO(bit, record);
  SetBITISO(5, nullptr);
  ResetBITISO(5, nullptr);
  ResetBITISO(128, record);
  ResetBITISO(129, record);
  expected[29] = 0x80;
  expected[36] = 0x01;
  expected[37] = 0x80;
  EXPECT_EQ(std::memcmp(record, expected, sizeof record), 0);
  std::memset(record + 29, 0xFF, 16);
  std::memset(expected + 29, 0xFF, 16);
  expected[29] = 0x9F;
  expected[37] = 0x7F;
  EXPECT_EQ(ResetBits(record, 2, 3, 65, 0, 4), 0) << "bit 4 follows the end of the list";
  EXPECT_EQ(std::memcmp(record, expected, sizeof record), 0);
  // Numbers outside 1..128 are passed over, the rest of the list still applies.
  EXPECT_EQ(ResetBits(record, -1, 129, INT_MIN, 1, 0), 0);
  expected[29] = 0x1F;
  EXPECT_EQ(std::memcmp(record, expected, sizeof record), 0);
}

// Bit numbers below 1 would index before the bitmap: nothing is touched or read.
TEST(Bitmap, BitsBelowOneAreRefused) {
  unsigned char bitmap[3] = {0x00, 0xFF, 0x00};
  for (int bit : {0, -1, -8, INT_MIN}) {
    SetBIT(bit, bitmap + 1);
    ResetBIT(bit, bitmap + 1);
    EXPECT_EQ(isON(bitmap + 1, bit), 0) << bit;
  }
  EXPECT_EQ(bitmap[0], 0x00);
  EXPECT_EQ(bitmap[1], 0xFF);
  EXPECT_EQ(isON(nullptr, 1), 0);
}

}  // namespace

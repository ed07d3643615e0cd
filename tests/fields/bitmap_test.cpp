#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/fields.h"

namespace {

using vl::test::hex_of;

std::string a5(int count) { return count > 0 ? "A5" + a5(count - 1) : ""; }

TEST(Bitmap, BitsCountFromTheHighBitOfByteZeroAndBitsBelowOneAreRefused) {
  unsigned char map[16] = {};
  for (int bit : {1, 10, 64, 65, 128, 10}) SetBIT(bit, map);
  for (int bit : {11, 128}) ResetBIT(bit, map);
  EXPECT_EQ(hex_of(map, 16), "8040000000000001" "8000000000000000");
  // The tested byte and the mask are both signed bytes: the first bit of a byte gives -128.
  const unsigned char ones[2] = {0xFF, 0x01};
  const int answers[16] = {-128, 64, 32, 16, 8, 4, 2, 1, 0, 0, 0, 0, 0, 0, 0, 1};
  for (int bit = 1; bit <= 16; ++bit) EXPECT_EQ(isON(ones, bit), answers[bit - 1]) << bit;
  // Bit numbers below 1 would index before the bitmap: nothing is touched or read.
  unsigned char zero[4] = {}, full[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  for (int bit : {0, -1, -8, INT_MIN}) {
    SetBIT(bit, zero + 2);
    ResetBIT(bit, full + 2);
    EXPECT_EQ(isON(full + 2, bit), 0) << bit;
  }
  EXPECT_EQ(hex_of(zero, 4) + hex_of(full, 4) + std::to_string(isON(nullptr, 1)), "00000000FFFFFFFF0");
}

TEST(RecordBitmap, LivesInBytes29To44AndIgnoresBadArguments) {
  unsigned char record[48];
  std::memset(record, 0xA5, sizeof record);
  std::memset(record + 29, 0, 16);
  for (int bit : {1, 64, 65, 128, 0, 129, -3}) SetBITISO(bit, record);
  SetBITISO(5, nullptr);
  ResetBITISO(5, nullptr);
  for (int bit : {128, 129}) ResetBITISO(bit, record);
  EXPECT_EQ(hex_of(record, 48), a5(29) + "8000000000000001" "8000000000000000" + a5(3));
  std::memset(record + 29, 0xFF, 16);
  EXPECT_EQ(ResetBits(record, 2, 3, 65, 0, 4), 0) << "bit 4 follows the end of the list";
  EXPECT_EQ(hex_of(record, 48), a5(29) + "9FFFFFFFFFFFFFFF" "7FFFFFFFFFFFFFFF" + a5(3));
  // Numbers outside 1..128 are passed over, the rest of the list still applies.
  EXPECT_EQ(ResetBits(record, -1, 129, INT_MIN, 1, 0), 0);
  EXPECT_EQ(hex_of(record, 48), a5(29) + "1FFFFFFFFFFFFFFF" "7FFFFFFFFFFFFFFF" + a5(3));
}

}  // namespace

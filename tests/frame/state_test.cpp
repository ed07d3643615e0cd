#include <gtest/gtest.h>
#include <climits>

#include <chrono>
#include <cstring>
#include <string>

#include "frame/heap.h"
#include "support/sentinel.h"
#include "vertalib/frame.h"

namespace {

using namespace std::string_literals;

TEST(ProcessSettings, LibraryModeKeepsTheLowestBitAndPaymentTypeIsOpaque) {
  EXPECT_EQ(GetLibMode(nullptr), 0);
  for (const auto &[set, kept] : {std::pair{3, 1}, {2, 0}, {-1, 1}, {0, 0}}) {
    int mode = -7;
    EXPECT_EQ(SetLibMode(set), 1);
    EXPECT_EQ(GetLibMode(&mode), 1);
    EXPECT_EQ(mode, kept) << set;
  }
  SetTipoPagto(-77);
  EXPECT_EQ(GetTipoPagto(), -77);
  SetTipoPagto(0);
}

TEST(CurrentCard, StoresClearsAndReturnsExactlyItsLength) {
  unsigned char out[42];
  const auto fetch = [&out] {
    std::memset(out, 0xEE, sizeof out);
    return GetCartao(out);
  };
  const auto *big = reinterpret_cast<const unsigned char *>("abcdefghijklmnopqrst");
  SetCartao(big, 20);
  SetCartao(reinterpret_cast<const unsigned char *>("12345"), 5);
  EXPECT_EQ(fetch(), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(out), 6), "12345\xEE");
  SetCartao(big, 10);
  LimpaCartao();  // clears the bytes, keeps the length
  EXPECT_EQ(fetch(), 10);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(out), 11), std::string(10, '\0') + "\xEE");
  SetCartao(nullptr, 0);
  EXPECT_EQ(fetch(), 0);
  EXPECT_EQ(out[0], 0xEE);
  // A card of 41 bytes is kept whole; a longer one is cut to 41.
  const std::string longest(45, '7');
  for (int length : {41, 45}) {
    SetCartao(reinterpret_cast<const unsigned char *>(longest.data()), static_cast<unsigned char>(length));
    EXPECT_EQ(fetch(), 41) << length;
    EXPECT_EQ(std::string(reinterpret_cast<char *>(out), 42), std::string(41, '7') + "\xEE") << length;
  }
  SetCartao(nullptr, 0);
}

TEST(WindowMessages, SixDistinctCodesThatRegisteringAgainKeeps) {
  RegisterVertaMessages();
  unsigned codes[6];
  for (unsigned i = 0; i < 6; ++i) codes[i] = GetMessageCode(i);
  RegisterVertaMessages();
  for (unsigned i = 0; i < 6; ++i) {
    EXPECT_EQ(GetMessageCode(i), codes[i]) << i;
    EXPECT_GE(codes[i], 0xC000u) << i;
    for (unsigned j = 0; j < i; ++j) EXPECT_NE(codes[i], codes[j]) << i << j;
  }
  EXPECT_EQ(GetMessageCode(6), 0u);
}

TEST(TerminatedCopies, WriteTheNulAtCountAndNothingBeyond) {
  const std::string cases[][2] = {
      {TEXT_OF(8, memcpyz(o, "ABCD", 2) == o), "AB\0##### -> 1"s},
      {TEXT_OF(8, memsetz(o, '7', 3) == o), "777\0#### -> 1"s},
      {TEXT_OF(4, memcpyz(o, "ABCD", 0) == o), "\0### -> 1"s},
      // Outside the contract: negative counts write nothing.
      {TEXT_OF(4, memcpyz(o, "AB", -1) == o), "#### -> 1"},
      {TEXT_OF(4, memsetz(o, 'x', INT_MIN) == o), "#### -> 1"},
  };
  vl::test::expect_rows(cases);
  EXPECT_EQ(memcpyz(nullptr, "AB", 2), nullptr);
}

TEST(CleaningFree, ReleasesAndNullsThePointerAndIgnoresNull) {
  void *block = vl::heap_alloc(16);
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "4111111111111111", 16);
  CleaningFree(&block, 16);
  EXPECT_EQ(block, nullptr);
  CleaningFree(&block, 16);
  EXPECT_EQ(block, nullptr);
  CleaningFree(nullptr, 0);
}

TEST(Esperar, SleepsAtLeastTheRequestedTime) {
  const auto before = std::chrono::steady_clock::now();
  Esperar(40);
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(40));
}

TEST(CurrentCard, ARefusedCardLeavesTheStoredOne) {
  SetCartao(reinterpret_cast<const unsigned char *>("4111"), 4);
  SetCartao(nullptr, 5);  // refused: the stored card stays
  unsigned char card[41] = {};
  EXPECT_EQ(GetCartao(card), 4);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(card), 4), "4111");
  EXPECT_EQ(GetCartao(nullptr), 0);
  SetCartao(nullptr, 0);
  EXPECT_EQ(GetCartao(card), 0);
}

}  // namespace

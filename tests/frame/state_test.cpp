#include <gtest/gtest.h>
#include <climits>

#include <chrono>
#include <cstring>
#include <string>

#include "frame/heap.h"
#include "platform/platform.h"
#include "vertalib/frame.h"

namespace {

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
}

TEST(WindowMessages, EachRowKeepsTheCodeOfItsName) {
  const char *names[] = {"Msg_Verta_Accept",  "Msg_Verta_ShutDown",   "Msg_Verta_Init_Kernel",
                         "Msg_Verta_TaskBar", "Msg_Verta_Accept_Pre", "Msg_Verta_Accept_Sdc"};
  for (int round = 0; round < 2; ++round) {  // registering again keeps the same codes
    RegisterVertaMessages();
    for (unsigned i = 0; i < 6; ++i)
      EXPECT_EQ(GetMessageCode(i), vl::platform::register_window_message(names[i])) << names[i];
  }
  for (unsigned i = 0; i < 6; ++i)  // real codes, one per name
    for (unsigned j = 0; j < i; ++j) EXPECT_NE(GetMessageCode(i), GetMessageCode(j)) << i << j;
  EXPECT_GE(GetMessageCode(0), 0xC000u);
  EXPECT_EQ(GetMessageCode(6), 0u);
}

TEST(TerminatedCopies, WriteTheNulAtCountAndNothingBeyond) {
  char out[8];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(memcpyz(out, "ABCD", 2), out);
  EXPECT_EQ(std::string(out, 8), std::string("AB\0#####", 8));
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(memsetz(out, '7', 3), out);
  EXPECT_EQ(std::string(out, 8), std::string("777\0####", 8));
  memcpyz(out, "ABCD", 0);
  EXPECT_EQ(std::string(out, 8), std::string("\0" "77\0####", 8));
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

TEST(ProcessSettingsOutsideTheContract, NegativeCountsAndNullPointersWriteNothing) {
  char out[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(memcpyz(out, "AB", -1), out);
  EXPECT_EQ(memsetz(out, 'x', INT_MIN), out);
  EXPECT_EQ(std::string(out, 4), "####");
  EXPECT_EQ(memcpyz(nullptr, "AB", 2), nullptr);

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

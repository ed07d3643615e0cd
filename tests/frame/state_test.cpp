#include <gtest/gtest.h>

#include <cstring>

#include "frame/heap.h"
#include "platform/platform.h"
#include "vertalib/frame.h"

namespace {

TEST(LibraryMode, KeepsOnlyTheLowestBit) {
  int mode = -1;
  EXPECT_EQ(GetLibMode(nullptr), 0);
  EXPECT_EQ(SetLibMode(3), 1);
  EXPECT_EQ(GetLibMode(&mode), 1);
  EXPECT_EQ(mode, 1);
  SetLibMode(2);
  GetLibMode(&mode);
  EXPECT_EQ(mode, 0);
  SetLibMode(-1);
  GetLibMode(&mode);
  EXPECT_EQ(mode, 1);
  SetLibMode(0);
}

TEST(CurrentCard, StoresClearsAndReturnsExactlyItsLength) {
  unsigned char out[42];
  std::memset(out, 0xEE, sizeof out);
  const unsigned char twenty[] = "ABCDEFGHIJKLMNOPQRST";
  SetCartao(twenty, 20);
  SetCartao(reinterpret_cast<const unsigned char *>("12345"), 5);
  EXPECT_EQ(GetCartao(out), 5);
  EXPECT_EQ(std::memcmp(out, "12345", 5), 0);
  EXPECT_EQ(out[5], 0xEE) << "GetCartao writes only the stored length";

  // Clearing keeps the length: the caller then gets that many zero bytes.
  SetCartao(twenty, 10);
  LimpaCartao();
  std::memset(out, 0xEE, sizeof out);
  EXPECT_EQ(GetCartao(out), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(out[i], 0) << i;
  EXPECT_EQ(out[10], 0xEE);

  // A length above the 41-byte store keeps the first 41 bytes.
  unsigned char big[60];
  for (int i = 0; i < 60; ++i) big[i] = static_cast<unsigned char>('a' + i % 26);
  SetCartao(big, 60);
  std::memset(out, 0xEE, sizeof out);
  EXPECT_EQ(GetCartao(out), 41);
  EXPECT_EQ(std::memcmp(out, big, 41), 0);
  EXPECT_EQ(out[41], 0xEE);

  SetCartao(nullptr, 0);
  EXPECT_EQ(GetCartao(out), 0);
}

TEST(PaymentType, IsStoredAsGiven) {
  SetTipoPagto(-77);
  EXPECT_EQ(GetTipoPagto(), -77);
  SetTipoPagto(0);
  EXPECT_EQ(GetTipoPagto(), 0);
}

TEST(WindowMessages, RegistrationKeepsTheSystemsCodes) {
  EXPECT_EQ(GetMessageCode(6), 0u);
  RegisterVertaMessages();
  EXPECT_EQ(GetMessageCode(3), vl::platform::register_window_message("MSG_VERTA_TASKBAR"));
  EXPECT_EQ(GetMessageCode(0), vl::platform::register_window_message("Msg_Verta_Accept"));
  for (unsigned i = 0; i < 6; ++i) {
    EXPECT_GE(GetMessageCode(i), 0xC000u);
    for (unsigned j = 0; j < i; ++j) EXPECT_NE(GetMessageCode(i), GetMessageCode(j));
  }
  const unsigned int first = GetMessageCode(5);
  RegisterVertaMessages();
  EXPECT_EQ(GetMessageCode(5), first);
  EXPECT_EQ(GetMessageCode(6), 0u);
}

TEST(TerminatedCopies, WriteTheNulAtCountAndNothingBeyond) {
  char out[8];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(memcpyz(out, "ABCD", 2), out);
  EXPECT_EQ(std::memcmp(out, "AB\0#####", 8), 0);

  std::memset(out, '#', sizeof out);
  EXPECT_EQ(memsetz(out, '7', 3), out);
  EXPECT_EQ(std::memcmp(out, "777\0####", 8), 0);

  std::memset(out, '#', sizeof out);
  memcpyz(out, "ABCD", 0);
  EXPECT_EQ(std::memcmp(out, "\0#######", 8), 0);
}

TEST(CleaningFree, WipesReleasesAndNullsThePointer) {
  void *block = vl::heap_alloc(16);
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "4111111111111111", 16);
  CleaningFree(&block, 16);
  EXPECT_EQ(block, nullptr);
  CleaningFree(&block, 16);  // a null block is left alone
  EXPECT_EQ(block, nullptr);
  CleaningFree(nullptr, 0);
}

TEST(SecureZero, OverwritesEveryByte) {
  unsigned char key[24];
  std::memset(key, 0x5A, sizeof key);
  vl::secure_zero(key, sizeof key);
  for (unsigned char b : key) EXPECT_EQ(b, 0);
}

TEST(Esperar, SleepsAtLeastTheRequestedTime) {
  const int64_t before = vl::platform::epoch_now();
  Esperar(1100);
  EXPECT_GE(vl::platform::epoch_now() - before, 1);
}

}  // namespace

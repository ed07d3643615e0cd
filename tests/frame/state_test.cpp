#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <set>
#include <string>

#include "frame/heap.h"
#include "support/sentinel.h"
#include "vertalib/frame.h"

namespace {

using namespace std::string_literals;

const unsigned char *bytes(const std::string &t) { return reinterpret_cast<const unsigned char *>(t.data()); }

// The window messages: six distinct codes that registering again keeps, none past them.
TEST(ProcessSettings, LibraryModePaymentTypeAndWindowMessages) {
  int mode = -7;
  for (const auto &[set, kept] : {std::pair{3, 1}, {2, 0}, {-1, 1}, {0, 0}}) {
    EXPECT_EQ(SetLibMode(set) + GetLibMode(&mode), 2);
    EXPECT_EQ(mode, kept) << set;  // the lowest bit
  }
  SetTipoPagto(-77);
  EXPECT_EQ(GetTipoPagto(), -77);
  SetTipoPagto(0);
  RegisterVertaMessages();
  unsigned codes[6];
  for (unsigned i = 0; i < 6; ++i) codes[i] = GetMessageCode(i);
  RegisterVertaMessages();
  for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(GetMessageCode(i), codes[i]) << i;
  const std::set<unsigned> distinct(codes, codes + 6);
  EXPECT_EQ(distinct.size(), 6u);
  EXPECT_GE(*distinct.begin(), 0xC000u);
  EXPECT_EQ(GetMessageCode(6), 0u);
}

// GetCartao's output in hex up to one byte past the card, and its result.
TEST(CurrentCard, StoresClearsAndReturnsExactlyItsLength) {
  SetCartao(bytes("abcdefghijklmnopqrst"), 20);
  SetCartao(bytes("12345"), 5);  // the longer card's tail is cleared
  EXPECT_EQ(HEX_OF(6, GetCartao(o)), "3132333435A5 -> 5");
  LimpaCartao();  // clears the bytes, keeps the length
  EXPECT_EQ(HEX_OF(6, GetCartao(o)), "0000000000A5 -> 5");
  SetCartao(bytes("4111"), 4);
  SetCartao(nullptr, 5);  // refused: the stored card stays
  EXPECT_EQ(HEX_OF(5, GetCartao(o)), "34313131A5 -> 4");
  const std::string sevens(45, '7');
  SetCartao(bytes(sevens), 45);  // cut to 41
  EXPECT_EQ(HEX_OF(42, GetCartao(o)), vl::test::hex_of(bytes(sevens), 41) + "A5 -> 41");
  SetCartao(nullptr, 0);
  EXPECT_EQ(HEX_OF(1, GetCartao(o)), "A5 -> 0");
}

// The NUL goes at count; negative counts and null pointers are refused without writing;
// Esperar sleeps at least the time asked.
TEST(MemoryHelpers, TheNulAtCountReleasedPointersNulledAndRefusals) {
  void *block = vl::heap_alloc(16), *none = nullptr;
  std::memcpy(block, "4111111111111111", 16);
  CleaningFree(&block, 16);
  CleaningFree(&none, 16);
  CleaningFree(nullptr, 0);
  const std::string cases[][2] = {
      {TEXT_OF(8, memcpyz(o, "ABCD", 2) == o), "AB\0##### -> 1"s},
      {TEXT_OF(8, memsetz(o, '7', 3) == o), "777\0#### -> 1"s},
      {TEXT_OF(4, memcpyz(o, "ABCD", 0) == o), "\0### -> 1"s},
      {TEXT_OF(4, memcpyz(o, "AB", -1) == o), "#### -> 1"},
      {TEXT_OF(4, memsetz(o, 'x', INT_MIN) == o), "#### -> 1"},
      {std::to_string(memcpyz(nullptr, "AB", 2) == nullptr), "1"},
      {std::to_string(GetLibSign(nullptr) == nullptr) + std::to_string(GetLibMode(nullptr)) +
           std::to_string(GetCartao(nullptr)) + std::to_string(block == nullptr && none == nullptr), "1001"},
  };
  vl::test::expect_rows(cases);
  const auto before = std::chrono::steady_clock::now();
  Esperar(40);
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(40));
}

}  // namespace

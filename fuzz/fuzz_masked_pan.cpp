// Comparison of stored card numbers: symmetric in its arguments, and a number is always
// alike to its own masked form and, when no '-' lies among its first six characters, to
// its own truncated form.
#include <cstdint>
#include <cstring>

#include "vertalib/card.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  char first[64] = {}, second[64] = {};
  const size_t split = data[0] % (size < 64 ? size : 64);
  const size_t first_length = split < sizeof first - 1 ? split : sizeof first - 1;
  size_t second_length = size - 1 - split;
  if (second_length > sizeof second - 1) second_length = sizeof second - 1;
  std::memcpy(first, data + 1, first_length);
  std::memcpy(second, data + 1 + split, second_length);
  const int a = static_cast<int>(first_length), b = static_cast<int>(second_length);

  if (IsMaskedPANsAlike(first, a, second, b) != IsMaskedPANsAlike(second, b, first, a))
    __builtin_trap();
  if (a < 12) return 0;
  char masked[64];
  std::memcpy(masked, first, sizeof masked);
  MascaraPAN(masked, a);
  if (IsMaskedPANsAlike(masked, a, first, a) != 1) __builtin_trap();
  if (std::memchr(first, '-', 6) != nullptr) return 0;
  char truncated[64];
  std::memcpy(truncated, first, sizeof truncated);
  TruncaCartao(truncated, a);
  if (IsMaskedPANsAlike(truncated, 11, first, a) != 1) __builtin_trap();
  return 0;
}

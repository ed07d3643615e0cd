#include "frame/heap.h"

#include <cstdlib>
#include <cstring>

namespace vl {

void secure_zero(void *block, size_t length) {
  if (block == nullptr || length == 0) return;
#if defined(__GNUC__) || defined(__clang__)
  // A plain memset, then an empty assembly statement that is handed the block and said to
  // read memory: the compiler must assume the zeros are looked at, so it cannot drop them,
  // and the wipe runs at memset speed (the key-schedule wipes sit on the DES hot path).
  std::memset(block, 0, length);
  __asm__ __volatile__("" : : "r"(block) : "memory");
#else
  // Writes through a volatile pointer are observable behaviour, so they stay even when
  // the block is freed right after.
  auto *bytes = static_cast<volatile unsigned char *>(block);
  for (size_t i = 0; i < length; ++i) bytes[i] = 0;
#endif
}

void *heap_alloc(size_t length) { return std::calloc(length == 0 ? 1 : length, 1); }

void heap_free_wiped(void *block, size_t length) {
  if (block == nullptr) return;
  secure_zero(block, length);
  std::free(block);
}

}  // namespace vl

#include "frame/heap.h"

#include <cstdlib>

namespace vl {

void secure_zero(void *block, size_t length) {
  // Writes through a volatile pointer are observable behaviour, so they stay even when
  // the block is freed right after.
  auto *bytes = static_cast<volatile unsigned char *>(block);
  for (size_t i = 0; i < length; ++i) bytes[i] = 0;
}

void *heap_alloc(size_t length) { return std::calloc(length == 0 ? 1 : length, 1); }

void heap_free_wiped(void *block, size_t length) {
  if (block == nullptr) return;
  secure_zero(block, length);
  std::free(block);
}

}  // namespace vl

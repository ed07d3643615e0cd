// The library's own heap. Blocks handed to callers (and released through the library)
// come from here; blocks that held keys, PINs or card data are wiped before release.
#pragma once

#include <cstddef>

namespace vl {

// Overwrites length bytes with zeros in a way the optimiser cannot remove.
void secure_zero(void *block, size_t length);

// Allocates length bytes, all zero; null when the heap refuses.
void *heap_alloc(size_t length);

// Zeroes the first length bytes of block, then releases it. Null is ignored.
void heap_free_wiped(void *block, size_t length);

// Zeroes a block that held a key, PIN or card data when the scope it guards ends, on every
// way out of the function:  char pin[16]; vl::WipeOnExit wipe_pin(pin, sizeof pin);
class WipeOnExit {
 public:
  WipeOnExit(void *block, size_t length) : block_(block), length_(length) {}
  ~WipeOnExit() { secure_zero(block_, length_); }
  WipeOnExit(const WipeOnExit &) = delete;
  WipeOnExit &operator=(const WipeOnExit &) = delete;

 private:
  void *block_;
  size_t length_;
};

}  // namespace vl

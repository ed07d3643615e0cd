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

}  // namespace vl

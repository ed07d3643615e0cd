// The current-card store keeps at most its 41 bytes, whatever length a caller passes.
#include <cstdint>
#include <cstring>

#include "vertalib/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  unsigned char input[256] = {};
  const size_t length = size < sizeof input ? size : sizeof input;
  if (length > 0) std::memcpy(input, data, length);
  SetCartao(input, static_cast<unsigned char>(length));
  unsigned char out[41];
  const unsigned char stored = GetCartao(out);
  if (stored > 41 || std::memcmp(out, input, stored) != 0) __builtin_trap();
  return 0;
}

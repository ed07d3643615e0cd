// The random text filler over the runtime generator.
#include "frame/random.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace vl {

namespace {
constexpr size_t kChunkDigits = 10;
}  // namespace

void fill_random_text(unsigned char *block, size_t length) {
  std::memset(block, 0, length);
  runtime_srand(static_cast<uint32_t>(platform::epoch_now()));
  size_t at = 0;
  for (; length - at >= kChunkDigits; at += kChunkDigits) {
    char digits[24];  // room for any long, though the numbers stay below 32768
    std::snprintf(digits, sizeof digits, "%010ld", static_cast<long>(runtime_rand()));
    std::memcpy(block + at, digits, kChunkDigits);
  }
  for (; at < length; ++at) block[at] = static_cast<unsigned char>(runtime_rand() & 0xFF);
}

}  // namespace vl

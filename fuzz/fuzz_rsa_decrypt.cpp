// RSA decryption of blocks from outside under a fixed small key: every block is opened or
// refused cleanly, nothing is read past the block or written past the output.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "vertalib/crypto.h"

namespace {

constexpr int kBytes = 32;  // a 256-bit key

// The same bytes on every run, so the key is the same too.
int VL_CDECL fixed_random(void *state, unsigned char *out, uint32_t length) {
  auto &x = *static_cast<uint64_t *>(state);
  for (uint32_t i = 0; i < length; ++i) {
    x = x * 6364136223846793005u + 1442695040888963407u;
    out[i] = static_cast<unsigned char>(x >> 56);
  }
  return 0;
}

rsa_key_context &fixed_key() {
  static uint64_t state = 0x5EED;
  static rsa_key_context key = [] {
    rsa_key_context k{};
    k.len = 1;  // keeps the random source below
    k.f_rng = fixed_random;
    k.p_rng = &state;
    if (RSAGenerateKeys(&k, 8 * kBytes, 65537) != 0 || k.len != kBytes) __builtin_trap();
    return k;
  }();
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  rsa_key_context &key = fixed_key();
  // The first byte: mode (0, 1, or another) and the padded flag; the rest: the block.
  const int mode = data[0] % 3;
  const int padded = (data[0] >> 2) & 1;
  auto *block = static_cast<unsigned char *>(std::calloc(kBytes, 1));
  std::memcpy(block, data + 1, size - 1 < kBytes ? size - 1 : kBytes);
  auto *out = static_cast<unsigned char *>(std::malloc(kBytes));
  int32_t length = -7;
  const int result = RSADecrypt(&key, mode, 0, 0, block, static_cast<int>(size), out, &length, padded);
  if (result != 0 && result != 1) __builtin_trap();
  if (mode == 2 && result != 1) __builtin_trap();
  if (result == 1 && length != -7) __builtin_trap();
  if (result == 0 && (padded ? (length < 0 || length > kBytes - 3) : length != 0)) __builtin_trap();

  // Short enough inputs go round: encrypted under one key half, opened with the other.
  const size_t message = size - 1;
  if (mode != 2 && message <= kBytes - 11) {
    if (RSAEncrypt(&key, mode, 0, 0, data + 1, static_cast<int>(message), block) != 0) __builtin_trap();
    if (RSADecrypt(&key, 1 - mode, 0, 0, block, kBytes, out, &length, 1) != 0) __builtin_trap();
    if (length != static_cast<int32_t>(message) || std::memcmp(out, data + 1, message) != 0) __builtin_trap();
  }
  std::free(block);
  std::free(out);
  return 0;
}

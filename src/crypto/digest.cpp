// SHA-1 (computed by mbed TLS over the library's own context record), CRC-32, the
// process-wide random generator, the random filler and the deterministic key derivation.
#include <mbedtls/sha1.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VL_HAVE_CARRYLESS_MULTIPLY 1
#endif

#include "crypto/digest.h"
#include "frame/random.h"
#include "frame/heap.h"
#include "platform/platform.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

// ---------------------------------------------------------------------------------------
// SHA-1
// ---------------------------------------------------------------------------------------

// The caller's record and mbed TLS's hold the same values; they are copied field by field
// so neither layout is ever read as the other.
class Sha1Engine {
 public:
  explicit Sha1Engine(const sha1_context &from) {
    mbedtls_sha1_init(&engine_);
    std::memcpy(engine_.total, from.total, sizeof engine_.total);
    std::memcpy(engine_.state, from.state, sizeof engine_.state);
    std::memcpy(engine_.buffer, from.buffer, sizeof engine_.buffer);
  }
  ~Sha1Engine() { mbedtls_sha1_free(&engine_); }
  Sha1Engine(const Sha1Engine &) = delete;
  Sha1Engine &operator=(const Sha1Engine &) = delete;

  void start() { mbedtls_sha1_starts_ret(&engine_); }
  void update(const unsigned char *data, size_t length) { mbedtls_sha1_update_ret(&engine_, data, length); }

  void store(sha1_context &to) const {
    std::memcpy(to.total, engine_.total, sizeof to.total);
    std::memcpy(to.state, engine_.state, sizeof to.state);
    std::memcpy(to.buffer, engine_.buffer, sizeof to.buffer);
  }

 private:
  mbedtls_sha1_context engine_;
};

// ---------------------------------------------------------------------------------------
// CRC-32
// ---------------------------------------------------------------------------------------

// Table k gives the CRC contribution of a byte followed by k zero bytes; table 0 is the
// usual byte table of the reflected polynomial. Eight bytes are folded per step.
constexpr int kCrcSlices = 8;

constexpr std::array<std::array<uint32_t, 256>, kCrcSlices> make_crc_tables() {
  std::array<std::array<uint32_t, 256>, kCrcSlices> tables{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    tables[0][i] = crc;
  }
  for (int k = 1; k < kCrcSlices; ++k)
    for (uint32_t i = 0; i < 256; ++i)
      tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFF];
  return tables;
}

constexpr auto kCrcTables = make_crc_tables();
static_assert(kCrcTables[0][1] == 0x77073096u && kCrcTables[0][255] == 0x2D02EF8Du);

inline uint32_t load_le32(const unsigned char *p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t crc32_tables(uint32_t crc, const unsigned char *p, size_t length) {
  const auto &t = kCrcTables;
  for (; length >= 8; length -= 8, p += 8) {
    const uint32_t low = crc ^ load_le32(p);
    const uint32_t high = load_le32(p + 4);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; length > 0; --length, ++p) crc = (crc >> 8) ^ t[0][(crc ^ *p) & 0xFF];
  return crc;
}

#if defined(VL_HAVE_CARRYLESS_MULTIPLY)
// Folding with carry-less multiplication. Bytes are read as a polynomial whose first bit
// (the low bit of the first byte) is the highest power, which is the bit order of this CRC.
// A 16-byte accumulator X = H * x^64 + L (H from its first eight bytes) moved D bits
// further on is H * x^(D+64) + L * x^D, and modulo the polynomial the powers are 32-bit
// remainders; so one fold is two 64x64 multiplications and an XOR with the next 16 bytes.
// In this bit order the multiplication yields the product times x, so the constants are
// the remainders of x^(D+63) and x^(D-1).

// x^n modulo the CRC polynomial, in the usual order (bit d is the coefficient of x^d).
constexpr uint64_t x_power_mod(int n) {
  uint64_t r = 1;
  for (int i = 0; i < n; ++i) {
    r <<= 1;
    if ((r & (uint64_t{1} << 32)) != 0) r ^= 0x104C11DB7u;
  }
  return r;
}

// The same remainder as a 64-bit lane in the reflected order (coefficient of x^d at bit
// 63 - d).
constexpr uint64_t reflected_lane(uint64_t remainder) {
  uint64_t lane = 0;
  for (int d = 0; d < 32; ++d)
    if (((remainder >> d) & 1) != 0) lane |= uint64_t{1} << (63 - d);
  return lane;
}

struct FoldConstants {
  uint64_t first_half;   // multiplies H
  uint64_t second_half;  // multiplies L
};

constexpr FoldConstants fold_constants(int distance) {
  return {reflected_lane(x_power_mod(distance + 63)), reflected_lane(x_power_mod(distance - 1))};
}

constexpr FoldConstants kFold128 = fold_constants(128);
constexpr FoldConstants kFold512 = fold_constants(512);

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i x, __m128i constants, __m128i next) {
  const __m128i first = _mm_clmulepi64_si128(x, constants, 0x00);
  const __m128i second = _mm_clmulepi64_si128(x, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(first, second), next);
}

__attribute__((target("pclmul,sse2"))) inline __m128i constants_of(const FoldConstants &k) {
  return _mm_set_epi64x(static_cast<long long>(k.second_half), static_cast<long long>(k.first_half));
}

// A function of its own rather than a lambda: a lambda does not take the target of the
// function around it, and on i386 SSE2 is not the baseline.
__attribute__((target("pclmul,sse2"))) inline __m128i load(const unsigned char *at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

__attribute__((target("pclmul,sse2"))) uint32_t crc32_instructions(uint32_t crc, const unsigned char *p,
                                                                     size_t length) {
  if (length < 64) return crc32_tables(crc, p, length);
  // The running remainder enters as an XOR over the first four bytes.
  __m128i x0 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x1 = load(p + 16), x2 = load(p + 32), x3 = load(p + 48);
  p += 64;
  length -= 64;
  const __m128i by512 = constants_of(kFold512);
  for (; length >= 64; p += 64, length -= 64) {
    x0 = fold(x0, by512, load(p));
    x1 = fold(x1, by512, load(p + 16));
    x2 = fold(x2, by512, load(p + 32));
    x3 = fold(x3, by512, load(p + 48));
  }
  const __m128i by128 = constants_of(kFold128);
  __m128i x = fold(fold(fold(x0, by128, x1), by128, x2), by128, x3);
  for (; length >= 16; p += 16, length -= 16) x = fold(x, by128, load(p));
  // The remainder of the 16 accumulated bytes is their CRC from a zero register.
  unsigned char folded[16];
  _mm_storeu_si128(reinterpret_cast<__m128i *>(folded), x);
  return crc32_tables(crc32_tables(0, folded, 16), p, length);
}

bool processor_has_carryless_multiply() { return __builtin_cpu_supports("pclmul") != 0; }
#endif

using CrcFunction = uint32_t (*)(uint32_t, const unsigned char *, size_t);

CrcFunction crc_for(bool instructions) {
#if defined(VL_HAVE_CARRYLESS_MULTIPLY)
  if (instructions && processor_has_carryless_multiply()) return crc32_instructions;
#else
  (void)instructions;
#endif
  return crc32_tables;
}

CrcFunction &crc_path() {
  static CrcFunction path = crc_for(true);
  return path;
}

// ---------------------------------------------------------------------------------------
// Random numbers
// ---------------------------------------------------------------------------------------

// The process-wide generator state: zero at load, never reset, no lock.
uint32_t random_state = 0;

constexpr uint32_t kSeedMultiplier = 1812433253u;

}  // namespace

bool vl::crc32_use_instructions(bool wanted) {
  crc_path() = crc_for(wanted);
  return crc_path() != crc32_tables;
}

extern "C" {

VL_API void VL_CDECL verta_SHA1_Init(sha1_context *ctx) {
  if (ctx == nullptr) return;
  const sha1_context empty{};
  Sha1Engine engine(empty);
  engine.start();
  engine.store(*ctx);
}

VL_API void VL_CDECL verta_SHA1_Update(sha1_context *ctx, const unsigned char *data, uint32_t length) {
  if (ctx == nullptr || data == nullptr || length == 0) return;
  Sha1Engine engine(*ctx);
  engine.update(data, length);
  engine.store(*ctx);
}

VL_API void VL_CDECL verta_SHA1_Final(sha1_context *ctx, unsigned char *digest) {
  if (ctx == nullptr || digest == nullptr) return;
  // The bit length, taken before the padding is counted in.
  const uint32_t high_bits = (ctx->total[0] >> 29) | (ctx->total[1] << 3);
  const uint32_t low_bits = ctx->total[0] << 3;
  unsigned char length_block[8];
  for (int i = 0; i < 4; ++i) {
    length_block[i] = static_cast<unsigned char>(high_bits >> (24 - 8 * i));
    length_block[4 + i] = static_cast<unsigned char>(low_bits >> (24 - 8 * i));
  }
  // 0x80 and zeros up to 56 bytes into a block, then the length: through the same update.
  unsigned char padding[64] = {0x80};
  const uint32_t used = ctx->total[0] & 0x3F;
  const uint32_t pad = used < 56 ? 56 - used : 120 - used;
  Sha1Engine engine(*ctx);
  engine.update(padding, pad);
  engine.update(length_block, sizeof length_block);
  engine.store(*ctx);
  for (int word = 0; word < 5; ++word)
    for (int i = 0; i < 4; ++i) digest[4 * word + i] = static_cast<unsigned char>(ctx->state[word] >> (24 - 8 * i));
}

VL_API int VL_STDCALL SHA1_StdCall(const char *text, char *out) {
  if (text == nullptr || out == nullptr) return 0;
  const auto length = static_cast<uint32_t>(std::strlen(text) & 0xFFFF);
  sha1_context ctx;
  verta_SHA1_Init(&ctx);
  verta_SHA1_Update(&ctx, reinterpret_cast<const unsigned char *>(text), length);
  unsigned char digest[20];
  verta_SHA1_Final(&ctx, digest);
  unsigned char folded[10];
  OperacaoXOR(folded, digest, digest + 10, 10);
  Bin2ASC(out, folded, 20);
  vl::secure_zero(&ctx, sizeof ctx);
  vl::secure_zero(digest, sizeof digest);
  vl::secure_zero(folded, sizeof folded);
  return 1;
}

VL_API uint32_t VL_CDECL crc32_verta(const unsigned char *buffer, uint32_t length) {
  if (buffer == nullptr || length == 0) return 0;
  return ~crc_path()(0xFFFFFFFFu, buffer, length);
}

VL_API uint32_t VL_CDECL SetRandomSeed(uint32_t seed) {
  const uint32_t mixed = seed * kSeedMultiplier;
  random_state ^= mixed;
  return mixed;
}

VL_API int VL_CDECL GetRandomNumber(void) {
  random_state = random_state * 214013u + 2531011u;
  return static_cast<int>((random_state >> 16) & 0x7FFF);
}

VL_API int VL_CDECL GetRandomBool(void) {
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  const int units = now.second % 10;
  return units % 2 == 0 ? 1 : 0;
}

VL_API void VL_CDECL PreencheRand(char *buffer, int32_t length) {
  if (buffer == nullptr || length <= 0) return;
  vl::fill_random_text(reinterpret_cast<unsigned char *>(buffer), static_cast<size_t>(length));
}

VL_API int VL_CDECL Gera128bitsDeterministico(int32_t mode, const char *seed, int32_t seed_length,
                                              unsigned char *key_out) {
  if (mode != 1 || key_out == nullptr) return 0;
  if (seed == nullptr) {
    std::memcpy(key_out, vl::secrets::digest_null_seed_key, 16);
    return 1;
  }
  if (seed_length <= 0) return 0;
  unsigned char bytes[16];
  for (int32_t i = 0; i < 16; ++i) {
    const auto c = static_cast<signed char>(seed[i % seed_length]);
    int32_t r = c % seed_length;
    if (r < 0) r += seed_length;
    bytes[i] = static_cast<unsigned char>(seed[r] ^ vl::secrets::digest_key_mask[0]);
  }
  for (int word = 0; word < 4; ++word) {
    const uint32_t value = load_le32(bytes + 4 * word) ^ load_le32(vl::secrets::digest_key_constants + 4 * word);
    for (int i = 0; i < 4; ++i) key_out[4 * word + i] = static_cast<unsigned char>(value >> (8 * i));
  }
  vl::secure_zero(bytes, sizeof bytes);
  return 1;
}

}  // extern "C"

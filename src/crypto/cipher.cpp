// AES with ECB and CBC modes, single and triple DES, key check values and buffer XOR.
//
// Every table below is computed by the compiler: the AES S-box from the multiplicative
// inverse in GF(2^8) and the affine map, the AES round tables from the S-box, and the DES
// permutations and S-box/P combinations from the bit tables of the algorithm.
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VL_HAVE_AES_INSTRUCTIONS 1
#endif

#include "crypto/cipher.h"
#include "frame/heap.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"

namespace {

// ---------------------------------------------------------------------------------------
// AES tables
// ---------------------------------------------------------------------------------------

constexpr uint8_t xtime(uint8_t a) {
  return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? 0x1B : 0x00));
}

constexpr uint8_t gf_mul(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  while (b != 0) {
    if ((b & 1) != 0) product ^= a;
    a = xtime(a);
    b = static_cast<uint8_t>(b >> 1);
  }
  return product;
}

// a^254, which is the inverse of a for a != 0 and 0 for a == 0.
constexpr uint8_t gf_inverse(uint8_t a) {
  uint8_t result = 1;
  uint8_t base = a;
  for (unsigned exponent = 254; exponent != 0; exponent >>= 1) {
    if ((exponent & 1) != 0) result = gf_mul(result, base);
    base = gf_mul(base, base);
  }
  return result;
}

constexpr uint8_t rotl8(uint8_t x, int n) { return static_cast<uint8_t>((x << n) | (x >> (8 - n))); }

constexpr std::array<uint8_t, 256> make_sbox() {
  std::array<uint8_t, 256> box{};
  for (int i = 0; i < 256; ++i) {
    const uint8_t b = gf_inverse(static_cast<uint8_t>(i));
    box[i] = static_cast<uint8_t>(b ^ rotl8(b, 1) ^ rotl8(b, 2) ^ rotl8(b, 3) ^ rotl8(b, 4) ^ 0x63);
  }
  return box;
}

constexpr std::array<uint8_t, 256> kSbox = make_sbox();

constexpr std::array<uint8_t, 256> make_inverse_sbox() {
  std::array<uint8_t, 256> box{};
  for (int i = 0; i < 256; ++i) box[kSbox[i]] = static_cast<uint8_t>(i);
  return box;
}

constexpr std::array<uint8_t, 256> kInverseSbox = make_inverse_sbox();

static_assert(kSbox[0x00] == 0x63 && kSbox[0x53] == 0xED && kSbox[0xFF] == 0x16);

constexpr uint32_t rotl32(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }
constexpr uint32_t rotr32(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

// A column is a word with row 0 in the low byte. Table 0 gives what a byte of row 0
// contributes to its output column after SubBytes and MixColumns; tables 1..3 are the same
// word rotated for rows 1..3.
using WordTable = std::array<uint32_t, 256>;

constexpr uint32_t column(uint8_t r0, uint8_t r1, uint8_t r2, uint8_t r3) {
  return static_cast<uint32_t>(r0) | (static_cast<uint32_t>(r1) << 8) | (static_cast<uint32_t>(r2) << 16) |
         (static_cast<uint32_t>(r3) << 24);
}

constexpr WordTable make_forward_table(int row) {
  WordTable table{};
  for (int i = 0; i < 256; ++i) {
    const uint8_t s = kSbox[i];
    const uint32_t word = column(xtime(s), s, s, static_cast<uint8_t>(xtime(s) ^ s));
    table[i] = row == 0 ? word : rotl32(word, 8 * row);
  }
  return table;
}

constexpr WordTable make_inverse_table(int row) {
  WordTable table{};
  for (int i = 0; i < 256; ++i) {
    const uint8_t s = kInverseSbox[i];
    const uint32_t word = column(gf_mul(s, 0x0E), gf_mul(s, 0x09), gf_mul(s, 0x0D), gf_mul(s, 0x0B));
    table[i] = row == 0 ? word : rotl32(word, 8 * row);
  }
  return table;
}

using RowTables = std::array<WordTable, 4>;

constexpr RowTables kForward = {make_forward_table(0), make_forward_table(1), make_forward_table(2),
                                make_forward_table(3)};
constexpr RowTables kInverse = {make_inverse_table(0), make_inverse_table(1), make_inverse_table(2),
                                make_inverse_table(3)};

// The last round has no MixColumns: the S-box byte placed in each row.
constexpr WordTable make_last_table(const std::array<uint8_t, 256> &box, int row) {
  WordTable table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint32_t>(box[i]) << (8 * row);
  return table;
}

constexpr RowTables kLast = {make_last_table(kSbox, 0), make_last_table(kSbox, 1), make_last_table(kSbox, 2),
                             make_last_table(kSbox, 3)};
constexpr RowTables kInverseLast = {make_last_table(kInverseSbox, 0), make_last_table(kInverseSbox, 1),
                                    make_last_table(kInverseSbox, 2), make_last_table(kInverseSbox, 3)};

constexpr std::array<uint8_t, 10> make_round_constants() {
  std::array<uint8_t, 10> rc{};
  uint8_t value = 1;
  for (auto &entry : rc) {
    entry = value;
    value = xtime(value);
  }
  return rc;
}

constexpr std::array<uint8_t, 10> kRoundConstants = make_round_constants();
static_assert(kRoundConstants[8] == 0x1B && kRoundConstants[9] == 0x36);

inline uint32_t load_le(const unsigned char *p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

inline void store_le(unsigned char *p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

inline uint32_t byte_of(uint32_t word, int index) { return (word >> (8 * index)) & 0xFF; }

uint32_t sub_word(uint32_t w) {
  return column(kSbox[byte_of(w, 0)], kSbox[byte_of(w, 1)], kSbox[byte_of(w, 2)], kSbox[byte_of(w, 3)]);
}

// InvMixColumns of one column: the inverse round table undoes the S-box it contains when
// fed the S-box value of each byte.
uint32_t inverse_mix_column(uint32_t w) {
  return kInverse[0][kSbox[byte_of(w, 0)]] ^ kInverse[1][kSbox[byte_of(w, 1)]] ^ kInverse[2][kSbox[byte_of(w, 2)]] ^
         kInverse[3][kSbox[byte_of(w, 3)]];
}

// One block through the cipher (or, with Inverse, the equivalent inverse cipher). Row r of
// output column c comes from input column c + r (c - r for the inverse): ShiftRows.
template <bool Inverse>
void aes_block_tables(const aes_key_context &ctx, const unsigned char *in, unsigned char *out) {
  constexpr int step = Inverse ? 3 : 1;
  const RowTables &rounds = Inverse ? kInverse : kForward;
  const RowTables &last = Inverse ? kInverseLast : kLast;
  const uint32_t *rk = Inverse ? ctx.dec_keys : ctx.enc_keys;
  uint32_t x[4];
  for (int c = 0; c < 4; ++c) x[c] = load_le(in + 4 * c) ^ rk[c];
  const auto mix = [&x](const RowTables &t, int c) {
    return t[0][byte_of(x[c], 0)] ^ t[1][byte_of(x[(c + step) & 3], 1)] ^ t[2][byte_of(x[(c + 2 * step) & 3], 2)] ^
           t[3][byte_of(x[(c + 3 * step) & 3], 3)];
  };
  for (uint32_t round = 1; round < ctx.rounds; ++round) {
    rk += 4;
    const uint32_t y[4] = {rk[0] ^ mix(rounds, 0), rk[1] ^ mix(rounds, 1), rk[2] ^ mix(rounds, 2),
                           rk[3] ^ mix(rounds, 3)};
    for (int c = 0; c < 4; ++c) x[c] = y[c];
  }
  rk += 4;
  for (int c = 0; c < 4; ++c) store_le(out + 4 * c, rk[c] ^ mix(last, c));
}

constexpr auto aes_encrypt_block_tables = aes_block_tables<false>;
constexpr auto aes_decrypt_block_tables = aes_block_tables<true>;

#if defined(VL_HAVE_AES_INSTRUCTIONS)
// The same two block functions on the processor's AES instructions. The context's round
// keys are already what they take: the encryption keys as bytes in FIPS order (the words
// are little-endian), the decryption keys in equivalent-inverse-cipher order.
__attribute__((target("aes,sse2"))) void aes_encrypt_block_instructions(const aes_key_context &ctx,
                                                                          const unsigned char *in,
                                                                          unsigned char *out) {
  const auto *rk = reinterpret_cast<const __m128i *>(ctx.enc_keys);
  __m128i state = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(in)), _mm_loadu_si128(rk));
  for (uint32_t round = 1; round < ctx.rounds; ++round) state = _mm_aesenc_si128(state, _mm_loadu_si128(rk + round));
  state = _mm_aesenclast_si128(state, _mm_loadu_si128(rk + ctx.rounds));
  _mm_storeu_si128(reinterpret_cast<__m128i *>(out), state);
}

__attribute__((target("aes,sse2"))) void aes_decrypt_block_instructions(const aes_key_context &ctx,
                                                                          const unsigned char *in,
                                                                          unsigned char *out) {
  const auto *rk = reinterpret_cast<const __m128i *>(ctx.dec_keys);
  __m128i state = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(in)), _mm_loadu_si128(rk));
  for (uint32_t round = 1; round < ctx.rounds; ++round) state = _mm_aesdec_si128(state, _mm_loadu_si128(rk + round));
  state = _mm_aesdeclast_si128(state, _mm_loadu_si128(rk + ctx.rounds));
  _mm_storeu_si128(reinterpret_cast<__m128i *>(out), state);
}

// ECB over whole blocks with the rounds unrolled for the key size, so a call costs one
// dispatch and the blocks run back to back. The round keys are read from the context itself
// (the compiler keeps them in registers across blocks): no copy of them lands on the stack.
template <bool Decrypt, int Rounds>
__attribute__((target("aes,sse2"))) void aes_ecb_unrolled(const aes_key_context &ctx, unsigned char *buffer,
                                                            size_t blocks) {
  const auto *rk = reinterpret_cast<const __m128i *>(Decrypt ? ctx.dec_keys : ctx.enc_keys);
  for (size_t b = 0; b < blocks; ++b) {
    auto *block = reinterpret_cast<__m128i *>(buffer + 16 * b);
    __m128i state = _mm_xor_si128(_mm_loadu_si128(block), _mm_loadu_si128(rk));
    for (int round = 1; round < Rounds; ++round) {
      const __m128i key = _mm_loadu_si128(rk + round);
      state = Decrypt ? _mm_aesdec_si128(state, key) : _mm_aesenc_si128(state, key);
    }
    const __m128i last = _mm_loadu_si128(rk + Rounds);
    state = Decrypt ? _mm_aesdeclast_si128(state, last) : _mm_aesenclast_si128(state, last);
    _mm_storeu_si128(block, state);
  }
}

bool processor_has_aes() { return __builtin_cpu_supports("aes") != 0; }
#endif

// The block functions in use: the processor's AES instructions when it has them, the
// tables otherwise. Chosen on first use.
using BlockFunction = void (*)(const aes_key_context &, const unsigned char *, unsigned char *);

using EcbFunction = void (*)(const aes_key_context &, unsigned char *, size_t);

template <bool Decrypt>
void aes_ecb_tables(const aes_key_context &ctx, unsigned char *buffer, size_t blocks) {
  for (size_t i = 0; i < blocks; ++i) aes_block_tables<Decrypt>(ctx, buffer + 16 * i, buffer + 16 * i);
}

// The ECB functions are chosen per direction and key size (128, 192, 256 bits), so a call
// costs one dispatch.
struct AesPath {
  BlockFunction encrypt;
  BlockFunction decrypt;
  EcbFunction ecb[2][3];
};

AesPath path_for(bool instructions) {
#if defined(VL_HAVE_AES_INSTRUCTIONS)
  if (instructions && processor_has_aes())
    return {aes_encrypt_block_instructions,
            aes_decrypt_block_instructions,
            {{aes_ecb_unrolled<false, 10>, aes_ecb_unrolled<false, 12>, aes_ecb_unrolled<false, 14>},
             {aes_ecb_unrolled<true, 10>, aes_ecb_unrolled<true, 12>, aes_ecb_unrolled<true, 14>}}};
#else
  (void)instructions;
#endif
  return {aes_encrypt_block_tables,
          aes_decrypt_block_tables,
          {{aes_ecb_tables<false>, aes_ecb_tables<false>, aes_ecb_tables<false>},
           {aes_ecb_tables<true>, aes_ecb_tables<true>, aes_ecb_tables<true>}}};
}

AesPath &aes_path() {
  static AesPath path = path_for(true);
  return path;
}

// A context aes_set_key made: anything else (an uninitialised one, say) would send the
// rounds past the round keys, so the mode functions leave the buffer alone.
// Its key size as 0, 1 or 2 (10, 12 or 14 rounds), or -1.
int key_size_of(const aes_key_context *ctx) {
  if (ctx == nullptr || (ctx->rounds != 10 && ctx->rounds != 12 && ctx->rounds != 14)) return -1;
  return static_cast<int>(ctx->rounds - 10) / 2;
}

bool usable(const aes_key_context *ctx) { return key_size_of(ctx) >= 0; }

void xor_block(unsigned char *out, const unsigned char *a, const unsigned char *b, size_t n) {
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(a[i] ^ b[i]);
}

// ---------------------------------------------------------------------------------------
// DES tables
// ---------------------------------------------------------------------------------------
// Bits are numbered as the algorithm numbers them: 1 is the most significant bit of the
// first byte. A block is held as a 64-bit number with bit 1 on top.

constexpr uint8_t kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4, 62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8, 57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr uint8_t kPermutedChoice1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                          10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                          63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                          14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPermutedChoice2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
                                          23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
                                          41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
                                          44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kPermutationP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                       2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kSboxes[8][64] = {
    {14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7, 0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11,
     9, 5, 3, 8, 4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0, 15, 12, 8, 2, 4, 9, 1, 7, 5, 11,
     3, 14, 10, 0, 6, 13},
    {15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10, 3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10,
     6, 9, 11, 5, 0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15, 13, 8, 10, 1, 3, 15, 4, 2, 11,
     6, 7, 12, 0, 5, 14, 9},
    {10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8, 13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14,
     12, 11, 15, 1, 13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7, 1, 10, 13, 0, 6, 9, 8, 7, 4,
     15, 14, 3, 11, 5, 2, 12},
    {7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15, 13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12,
     1, 10, 14, 9, 10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4, 3, 15, 0, 6, 10, 1, 13, 8, 9,
     4, 5, 11, 12, 7, 2, 14},
    {2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9, 14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10,
     3, 9, 8, 6, 4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14, 11, 8, 12, 7, 1, 14, 2, 13, 6,
     15, 0, 9, 10, 4, 5, 3},
    {12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11, 10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14,
     0, 11, 3, 8, 9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6, 4, 3, 2, 12, 9, 5, 15, 10, 11,
     14, 1, 7, 6, 0, 8, 13},
    {4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1, 13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12,
     2, 15, 8, 6, 1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2, 6, 11, 13, 8, 1, 4, 10, 7, 9,
     5, 0, 15, 14, 2, 3, 12},
    {13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7, 1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11,
     0, 14, 9, 2, 7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8, 2, 1, 14, 7, 4, 10, 8, 13, 15,
     12, 9, 0, 3, 5, 6, 11}};

// A typing slip in the S-boxes would go unnoticed by most blocks, so their defining
// properties are checked here: every row is a permutation of 0..15, and changing one input
// bit changes at least two output bits.
constexpr bool sboxes_are_sound() {
  for (const auto &box : kSboxes) {
    for (int row = 0; row < 4; ++row) {
      unsigned seen = 0;
      for (int col = 0; col < 16; ++col) seen |= 1u << box[row * 16 + col];
      if (seen != 0xFFFF) return false;
    }
    const auto lookup = [&box](int v) { return box[(((v >> 4) & 2) | (v & 1)) * 16 + ((v >> 1) & 0x0F)]; };
    for (int v = 0; v < 64; ++v)
      for (int bit = 0; bit < 6; ++bit) {
        const int change = lookup(v) ^ lookup(v ^ (1 << bit));
        if (change == 0 || (change & (change - 1)) == 0) return false;
      }
  }
  return true;
}
static_assert(sboxes_are_sound());

// Tables that apply a bit permutation chunk by chunk: entry [c][v] is the output (bit 1 on
// top of an out_bits-wide number) that chunk c of the input contributes when it holds v.
template <int InBits, int ChunkBits>
using ChunkTables = std::array<std::array<uint64_t, (1 << ChunkBits)>, InBits / ChunkBits>;

// source[i] is the input bit (1-based) that output bit i + 1 takes.
template <int InBits, int OutBits, int ChunkBits, typename Source>
constexpr ChunkTables<InBits, ChunkBits> make_chunk_tables(const Source &source) {
  ChunkTables<InBits, ChunkBits> tables{};
  for (int out = 0; out < OutBits; ++out) {
    const int in = source[out] - 1;  // 0-based input bit, 0 on top
    const int chunk = in / ChunkBits;
    const int bit_in_chunk = ChunkBits - 1 - in % ChunkBits;
    for (int v = 0; v < (1 << ChunkBits); ++v)
      if (((v >> bit_in_chunk) & 1) != 0) tables[chunk][v] |= uint64_t{1} << (OutBits - 1 - out);
  }
  return tables;
}

constexpr std::array<uint8_t, 64> make_final_permutation() {
  std::array<uint8_t, 64> inverse{};
  for (int i = 0; i < 64; ++i) inverse[kInitialPermutation[i] - 1] = static_cast<uint8_t>(i + 1);
  return inverse;
}

constexpr auto kFinalPermutation = make_final_permutation();

constexpr auto kInitialTables = make_chunk_tables<64, 64, 8>(kInitialPermutation);
constexpr auto kFinalTables = make_chunk_tables<64, 64, 8>(kFinalPermutation);

// The round key layout the round function wants. The expansion takes eight overlapping
// 6-bit groups of R; group j starts at bit 4j (bit 0 meaning bit 32). Rotating R right by
// 3 puts groups 0, 2, 4, 6 at bits 24, 16, 8, 0; rotating it left by 1 puts groups
// 1, 3, 5, 7 there. So a round key is two words with the key groups at the same places:
// the even groups in the high word, the odd ones in the low word.
constexpr std::array<uint8_t, 48> make_round_key_positions() {
  std::array<uint8_t, 48> position{};
  for (int bit = 0; bit < 48; ++bit) {
    const int group = bit / 6;
    const int within = 5 - bit % 6;  // 5 for the group's first bit
    const int base = group % 2 == 0 ? 32 + 24 - 4 * group : 24 - 4 * (group - 1);
    position[bit] = static_cast<uint8_t>(base + within);
  }
  return position;
}

// Every round key is a selection of key bits: permuted choice 1, the rotations of C and D up
// to that round, then permuted choice 2. So the whole schedule is built from the key bytes
// by table rows: for each key byte, its high four bits index one row and its next three
// bits another (the low bit, parity, takes no part), and a row holds what those bits
// contribute to each of the 16 round keys. The schedule is the OR of 16 rows.
using ScheduleRow = std::array<uint64_t, 16>;

template <int Values>
using ScheduleRows = std::array<std::array<ScheduleRow, Values>, 8>;

struct ScheduleTables {
  ScheduleRows<16> high;  // key bits 1-4 of each byte
  ScheduleRows<8> low;    // key bits 5-7 of each byte
};

constexpr ScheduleTables make_schedule_tables() {
  constexpr auto position = make_round_key_positions();
  ScheduleTables tables{};
  int shifted = 0;
  for (int round = 0; round < 16; ++round) {
    shifted += kShifts[round];
    for (int out = 0; out < 48; ++out) {
      // Bit k of C (or D) after the rotations held bit k + shifted before them.
      const int cd = kPermutedChoice2[out] - 1;  // 0..55
      const int half = cd / 28;
      const int before = half * 28 + (cd % 28 + shifted) % 28;
      const int key_bit = kPermutedChoice1[before] - 1;  // 0..63, never a parity bit
      const int byte = key_bit / 8, bit = key_bit % 8;   // bit 0 is the byte's top bit
      const uint64_t contribution = uint64_t{1} << position[out];
      if (bit < 4) {
        for (int v = 0; v < 16; ++v)
          if (((v >> (3 - bit)) & 1) != 0) tables.high[byte][v][round] |= contribution;
      } else {
        for (int v = 0; v < 8; ++v)
          if (((v >> (6 - bit)) & 1) != 0) tables.low[byte][v][round] |= contribution;
      }
    }
  }
  return tables;
}

constexpr ScheduleTables kScheduleTables = make_schedule_tables();

// S-box j followed by P: the 32-bit word a 6-bit input of S-box j contributes. The S-box
// row is the outer two bits of the input, the column the inner four. Each table is indexed
// by a whole byte whose top two bits are ignored, so the round function takes the bytes of
// its words as they are, without masking.
constexpr std::array<std::array<uint32_t, 256>, 8> make_sp_tables() {
  std::array<std::array<uint32_t, 256>, 8> tables{};
  for (int box = 0; box < 8; ++box) {
    for (int byte = 0; byte < 256; ++byte) {
      const int v = byte & 0x3F;
      const int row = ((v >> 4) & 2) | (v & 1);
      const int col = (v >> 1) & 0x0F;
      const uint32_t nibble = kSboxes[box][row * 16 + col];
      const uint32_t before = nibble << (28 - 4 * box);  // S-box output bits 4j+1..4j+4
      uint32_t after = 0;
      for (int out = 0; out < 32; ++out)
        if (((before >> (32 - kPermutationP[out])) & 1) != 0) after |= uint32_t{1} << (31 - out);
      tables[box][byte] = after;
    }
  }
  return tables;
}

constexpr auto kSpTables = make_sp_tables();

inline uint64_t load_be64(const unsigned char *p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
  return v;
}

inline void store_be64(unsigned char *p, uint64_t v) {
  for (int i = 7; i >= 0; --i) {
    p[i] = static_cast<unsigned char>(v);
    v >>= 8;
  }
}

template <typename Tables>
inline uint64_t permute_bytes(const Tables &tables, uint64_t v) {
  return tables[0][v >> 56] | tables[1][(v >> 48) & 0xFF] | tables[2][(v >> 40) & 0xFF] |
         tables[3][(v >> 32) & 0xFF] | tables[4][(v >> 24) & 0xFF] | tables[5][(v >> 16) & 0xFF] |
         tables[6][(v >> 8) & 0xFF] | tables[7][v & 0xFF];
}

// The 16 round keys of a DES key, in encryption order.
struct DesSchedule {
  uint64_t keys[16];
};

void make_schedule(const unsigned char *key, DesSchedule &schedule) {
  uint64_t *keys = schedule.keys;
  for (int round = 0; round < 16; ++round) keys[round] = 0;
  for (int byte = 0; byte < 8; ++byte) {
    const ScheduleRow &high = kScheduleTables.high[byte][key[byte] >> 4];
    const ScheduleRow &low = kScheduleTables.low[byte][(key[byte] >> 1) & 7];
    for (int round = 0; round < 16; ++round) keys[round] |= high[round] | low[round];
  }
}

inline uint32_t feistel(uint32_t r, uint64_t key) {
  const uint32_t even = rotr32(r, 3) ^ static_cast<uint32_t>(key >> 32);
  const uint32_t odd = rotl32(r, 1) ^ static_cast<uint32_t>(key);
  return kSpTables[0][even >> 24] ^ kSpTables[2][(even >> 16) & 0xFF] ^ kSpTables[4][(even >> 8) & 0xFF] ^
         kSpTables[6][even & 0xFF] ^ kSpTables[1][odd >> 24] ^ kSpTables[3][(odd >> 16) & 0xFF] ^
         kSpTables[5][(odd >> 8) & 0xFF] ^ kSpTables[7][odd & 0xFF];
}

// The 16 rounds on the halves of a block after the initial permutation; the halves come
// back swapped, as the final permutation expects them.
inline void des_rounds(uint32_t &left, uint32_t &right, const DesSchedule &schedule, bool decrypt) {
  uint32_t l = left, r = right;
  if (!decrypt) {
    for (int round = 0; round < 16; round += 2) {
      l ^= feistel(r, schedule.keys[round]);
      r ^= feistel(l, schedule.keys[round + 1]);
    }
  } else {
    for (int round = 15; round > 0; round -= 2) {
      l ^= feistel(r, schedule.keys[round]);
      r ^= feistel(l, schedule.keys[round - 1]);
    }
  }
  left = r;
  right = l;
}

uint64_t des_block(uint64_t block, const DesSchedule &schedule, bool decrypt) {
  const uint64_t permuted = permute_bytes(kInitialTables, block);
  auto left = static_cast<uint32_t>(permuted >> 32);
  auto right = static_cast<uint32_t>(permuted);
  des_rounds(left, right, schedule, decrypt);
  return permute_bytes(kFinalTables, (static_cast<uint64_t>(left) << 32) | right);
}

// Three DES operations chained. Between two of them the final permutation of one and the
// initial permutation of the next cancel out, so only the outer ones are applied.
uint64_t des_chain3(uint64_t block, const DesSchedule *const (&schedules)[3], const bool (&decrypt)[3]) {
  const uint64_t permuted = permute_bytes(kInitialTables, block);
  auto left = static_cast<uint32_t>(permuted >> 32);
  auto right = static_cast<uint32_t>(permuted);
  for (int step = 0; step < 3; ++step) {
    des_rounds(left, right, *schedules[step], decrypt[step]);
    // The rounds hand back (R16, L16); the next operation starts from (L0, R0) of the
    // permuted output, which is that same pair.
  }
  return permute_bytes(kFinalTables, (static_cast<uint64_t>(left) << 32) | right);
}

// Triple DES under a hex key text; false (nothing written) when the mode or the key text
// is not one the function takes.
bool triple_des(bool ede, int mode, int key_digits, const char *key_text, const unsigned char *input,
                unsigned char *output) {
  if ((mode != 0 && mode != 1) || (key_digits != 16 && key_digits != 32 && key_digits != 48) ||
      key_text == nullptr || input == nullptr || output == nullptr)
    return false;
  // A text that ends before its stated length is refused rather than read past its end.
  if (std::memchr(key_text, '\0', static_cast<size_t>(key_digits)) != nullptr) return false;
  // One schedule per distinct key: K1 alone for 16 digits, K1 and K2 for 32, all three for 48.
  const int distinct = key_digits / 16;
  unsigned char key[8];
  DesSchedule schedules[3];
  for (int k = 0; k < distinct; ++k) {
    hex2binary(key_text + 16 * k, 16, key);
    make_schedule(key, schedules[k]);
  }
  const DesSchedule &k1 = schedules[0];
  const DesSchedule &k2 = distinct > 1 ? schedules[1] : k1;
  const DesSchedule &k3 = distinct > 2 ? schedules[2] : k1;
  // Encryption runs K1, K2, K3; decryption K3, K2, K1. The middle step of EDE goes the
  // other way from the outer ones.
  const bool decrypt = mode == 1;
  const DesSchedule *order[3] = {decrypt ? &k3 : &k1, &k2, decrypt ? &k1 : &k3};
  const bool directions[3] = {decrypt, ede ? !decrypt : decrypt, decrypt};
  store_be64(output, des_chain3(load_be64(input), order, directions));
  vl::secure_zero(key, sizeof key);
  vl::secure_zero(schedules, sizeof(DesSchedule) * static_cast<size_t>(distinct));
  return true;
}

void des_cbc(const unsigned char *key, const unsigned char *iv, unsigned char *buffer, int32_t length,
             bool decrypt) {
  if (key == nullptr || iv == nullptr || buffer == nullptr || length < 8) return;
  DesSchedule schedule;
  make_schedule(key, schedule);
  uint64_t chain = load_be64(iv);
  const int32_t blocks = length / 8;
  for (int32_t i = 0; i < blocks; ++i) {
    unsigned char *block = buffer + 8 * static_cast<size_t>(i);
    const uint64_t in = load_be64(block);
    if (decrypt) {
      store_be64(block, des_block(in, schedule, true) ^ chain);
      chain = in;
    } else {
      chain = des_block(in ^ chain, schedule, false);
      store_be64(block, chain);
    }
  }
  vl::secure_zero(&schedule, sizeof schedule);
}

}  // namespace

bool vl::aes_use_instructions(bool wanted) {
  aes_path() = path_for(wanted);
  return aes_path().encrypt != aes_encrypt_block_tables;
}

extern "C" {

VL_API void VL_CDECL aes_set_key(aes_key_context *ctx, const unsigned char *key, unsigned int key_length,
                                 int encrypt_only) {
  if (ctx == nullptr || key == nullptr) return;
  uint32_t words = 4;
  if (key_length == 24 || key_length == 192) words = 6;
  if (key_length == 32 || key_length == 256) words = 8;
  const uint32_t rounds = words + 6;
  const uint32_t total = 4 * (rounds + 1);
  ctx->key_words = words;
  ctx->rounds = rounds;
  uint32_t *w = ctx->enc_keys;
  for (uint32_t i = 0; i < words; ++i) w[i] = load_le(key + 4 * i);
  for (uint32_t i = words; i < total; ++i) {
    uint32_t temp = w[i - 1];
    if (i % words == 0)
      temp = sub_word(rotr32(temp, 8)) ^ kRoundConstants[i / words - 1];  // RotWord moves byte 1 down
    else if (words > 6 && i % words == 4)
      temp = sub_word(temp);
    w[i] = w[i - words] ^ temp;
  }
  for (uint32_t i = total; i < 64; ++i) w[i] = 0;
  if (encrypt_only != 0) return;
  uint32_t *d = ctx->dec_keys;
  for (uint32_t j = 0; j < 4; ++j) {
    d[j] = w[4 * rounds + j];
    d[4 * rounds + j] = w[j];
  }
  for (uint32_t round = 1; round < rounds; ++round)
    for (uint32_t j = 0; j < 4; ++j) d[4 * round + j] = inverse_mix_column(w[4 * (rounds - round) + j]);
  for (uint32_t i = total; i < 64; ++i) d[i] = 0;
}

VL_API void VL_CDECL aes_ecb_encrypt(const aes_key_context *ctx, unsigned char *buffer, unsigned int length) {
  const int key_size = key_size_of(ctx);
  if (key_size < 0 || buffer == nullptr) return;
  aes_path().ecb[0][key_size](*ctx, buffer, length / 16);
}

VL_API void VL_CDECL aes_ecb_decrypt(const aes_key_context *ctx, unsigned char *buffer, unsigned int length) {
  const int key_size = key_size_of(ctx);
  if (key_size < 0 || buffer == nullptr) return;
  aes_path().ecb[1][key_size](*ctx, buffer, length / 16);
}

VL_API void VL_CDECL aes_cbc_encrypt(const aes_key_context *ctx, const unsigned char *iv, unsigned char *buffer,
                                     unsigned int length) {
  if (!usable(ctx) || iv == nullptr || buffer == nullptr) return;
  const BlockFunction encrypt = aes_path().encrypt;
  const unsigned char *previous = iv;
  for (unsigned int i = 0; i < length / 16; ++i) {
    unsigned char *block = buffer + 16 * size_t{i};
    xor_block(block, block, previous, 16);
    encrypt(*ctx, block, block);
    previous = block;
  }
}

VL_API void VL_CDECL aes_cbc_decrypt(const aes_key_context *ctx, const unsigned char *iv, unsigned char *buffer,
                                     unsigned int length) {
  if (!usable(ctx) || iv == nullptr || buffer == nullptr) return;
  const BlockFunction decrypt = aes_path().decrypt;
  unsigned char chain[16], cipher[16];
  std::memcpy(chain, iv, 16);
  for (unsigned int i = 0; i < length / 16; ++i) {
    unsigned char *block = buffer + 16 * size_t{i};
    std::memcpy(cipher, block, 16);
    decrypt(*ctx, block, block);
    xor_block(block, block, chain, 16);
    std::memcpy(chain, cipher, 16);
  }
}

VL_API void VL_CDECL des_cbc_encrypt(const unsigned char *key, const unsigned char *iv, unsigned char *buffer,
                                     int32_t length) {
  des_cbc(key, iv, buffer, length, false);
}

VL_API void VL_CDECL des_cbc_decrypt(const unsigned char *key, const unsigned char *iv, unsigned char *buffer,
                                     int32_t length) {
  des_cbc(key, iv, buffer, length, true);
}

VL_API int VL_CDECL desnbs(int direction, const unsigned char *input, const unsigned char *key,
                           unsigned char *output) {
  if (input == nullptr || key == nullptr || output == nullptr) return 0;
  DesSchedule schedule;
  make_schedule(key, schedule);
  store_be64(output, des_block(load_be64(input), schedule, direction != 0));
  vl::secure_zero(&schedule, sizeof schedule);
  return 0;
}

VL_API int VL_CDECL tripleDES_EEE(int mode, int key_digits, const char *key_text, const unsigned char *input,
                                  unsigned char *output) {
  return triple_des(false, mode, key_digits, key_text, input, output) ? 0 : 1;
}

VL_API int VL_CDECL tripleDES_EDE(int mode, int key_digits, const char *key_text, const unsigned char *input,
                                  unsigned char *output) {
  return triple_des(true, mode, key_digits, key_text, input, output) ? 0 : 1;
}

VL_API int VL_CDECL generateKeyCheckValue(int arrangement, int key_digits, const char *key_text,
                                          unsigned char *output) {
  if (arrangement != 0 && arrangement != 1) return 1;
  unsigned char zeros[8];
  hex2binary("0000000000000000", 16, zeros);
  return triple_des(arrangement == 1, 0, key_digits, key_text, zeros, output) ? 0 : 1;
}

VL_API void VL_CDECL OperacaoXOR(unsigned char *destination, const unsigned char *a, const unsigned char *b,
                                 int32_t length) {
  if (destination == nullptr || a == nullptr || b == nullptr || length <= 0) return;
  xor_block(destination, a, b, static_cast<size_t>(length));
}

}  // extern "C"

// The small protection schemes particular acquirers and devices require: an 8-byte
// Feistel cipher with a 15-byte key, the Stone and Vindi protections of a track 2 over the
// card-field DES block, the digit mixing of a reference record and a password, the numeric
// scrambling of a date-like value, a character transposition, the making of a random key
// and the check and protection of an initial pass phrase under AES.
#include <cstdint>
#include <cstring>

#include "convert/decimal.h"
#include "frame/heap.h"
#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace vl {

// Start index, step after each group of key bytes and stop index of the cipher's key
// schedule, set by Cript and descript before each run. Process-wide, as the interface
// documents: the two functions must not run on two threads at once.
unsigned acquirer_cipher_start = 0;
unsigned acquirer_cipher_step = 1;
unsigned acquirer_cipher_stop = 0;

// Where algtec reads its next digit; process-wide, set at the start of every call.
size_t acquirer_algtec_position = 0;

}  // namespace vl

namespace {

// ---- The 8-byte block cipher ----

// The substitution table must be a permutation of the 256 byte values.
constexpr bool is_byte_permutation(const unsigned char (&table)[256]) {
  bool seen[256] = {};
  for (unsigned char value : table) {
    if (seen[value]) return false;
    seen[value] = true;
  }
  return true;
}
static_assert(is_byte_permutation(vl::secrets::acquirer_cript_table),
              "acquirer_cript_table must hold every byte value exactly once");

constexpr unsigned kCipherKeyLength = 15;

// Moves a key index on by step, wrapping past 14 back to 0.
constexpr unsigned advance(unsigned index, unsigned step) {
  const unsigned next = index + step;
  return next >= kCipherKeyLength ? next - kCipherKeyLength : next;
}

// Runs half-rounds from the start index until the index meets the stop index after a first
// half-round. Bytes 0-3 are the left half, 4-7 the right half.
void run_cipher(unsigned char *block, const unsigned char *key) {
  const unsigned char *s = vl::secrets::acquirer_cript_table;
  unsigned char l[4], r[4];
  std::memcpy(l, block, 4);
  std::memcpy(r, block + 4, 4);
  const unsigned step = vl::acquirer_cipher_step;
  const unsigned stop = vl::acquirer_cipher_stop;
  unsigned i = vl::acquirer_cipher_start;
  for (;;) {
    r[0] ^= s[key[i] ^ l[0]];
    i = advance(i, 1);
    r[1] ^= s[key[i] ^ l[1]];
    i = advance(i, 1);
    r[2] ^= s[key[i] ^ l[2]];
    i = advance(i, 1);
    r[3] ^= s[key[i] ^ l[3]];
    i = advance(i, step);
    if (i == stop) break;
    l[1] ^= s[key[i] ^ r[0]];
    i = advance(i, 1);
    l[2] ^= s[r[1] ^ r[0]];
    l[3] ^= s[key[i] ^ r[2]];
    i = advance(i, 1);
    l[0] ^= s[key[i] ^ r[3]];
    i = advance(i, step);
  }
  std::memcpy(block, l, 4);
  std::memcpy(block + 4, r, 4);
  vl::secure_zero(l, sizeof l);
  vl::secure_zero(r, sizeof r);
}

// ---- algtec ----

constexpr size_t kReferenceLength = 23;
constexpr unsigned kFewestDigits = 6;
constexpr unsigned kMostDigits = 30;

// The low four bits of a digit character.
constexpr unsigned char nibble(char c) { return static_cast<unsigned char>(c & 0x0F); }

// Two digit characters as one byte, the first in the high four bits.
constexpr unsigned char packed(const char *text, size_t position) {
  return static_cast<unsigned char>((nibble(text[position]) << 4) | nibble(text[position + 1]));
}

// Writes digit number k of a run into bytes[last - k / 2]: low four bits for even k, high
// for odd k.
void put_nibble(unsigned char *bytes, size_t last, size_t k, unsigned char value) {
  unsigned char &byte = bytes[last - k / 2];
  byte = (k % 2 == 0) ? static_cast<unsigned char>((byte & 0xF0) | value)
                      : static_cast<unsigned char>((byte & 0x0F) | (value << 4));
}

// The next digit of the digit text, moving the shared reading position on.
unsigned char next_digit(const char *digits) { return nibble(digits[vl::acquirer_algtec_position++]); }

// ---- cripBEM ----

constexpr size_t kBemValueLength = 8;
constexpr size_t kBemAddendLength = 6;

unsigned bem_factor(const unsigned char (&bytes)[2]) {
  return static_cast<unsigned>(bytes[0]) << 8 | bytes[1];
}

// The decimal number of the first count characters of text (strtol rules: stops at the
// first character that is not a digit).
int32_t number_of(const char *text, size_t count) {
  char copy[16] = {};
  std::memcpy(copy, text, count);
  return vl::strtol32(copy);
}

// "%d" of value right-aligned in width characters filled with '0'; a longer text gives its
// first width characters.
void right_aligned(char *out, size_t width, int32_t value) {
  char text[16];
  const int written = vl::format_fixed(text, sizeof text, value, 0);
  const size_t length = written > 0 ? static_cast<size_t>(written) : 0;
  const size_t n = length < width ? length : width;
  std::memset(out, '0', width);
  std::memcpy(out + width - n, text, n);
}

// ---- scramble ----

// The text length taken as a 16-bit value, read no further than that.
size_t short_length(const char *text) {
  const size_t length = std::strlen(text);
  return length & 0xFFFF;
}

// ---- Stone and Vindi track protection ----

constexpr size_t kBlockDigits = 16;
constexpr size_t kTextRoom = kBlockDigits + 1;
// The shortest the three caller texts may be: the patterns pick positions within these.
constexpr size_t kKeyTextLengths[3] = {11, 3, 6};
constexpr size_t kPatternLength = 2 * kBlockDigits;
// The opened Vindi track is put together in this many characters, which bound its output.
constexpr size_t kVindiOutputRoom = 64;

// Each pattern byte picks one character: (text << 4) | position.
constexpr bool is_valid_pattern(const unsigned char (&pattern)[kPatternLength]) {
  for (unsigned char entry : pattern) {
    const unsigned text = entry >> 4;
    if (text > 2 || (entry & 0x0Fu) >= kKeyTextLengths[text]) return false;
  }
  return true;
}
static_assert(is_valid_pattern(vl::secrets::acquirer_stone_pattern),
              "acquirer_stone_pattern picks outside the caller texts");
static_assert(is_valid_pattern(vl::secrets::acquirer_vindi_pattern),
              "acquirer_vindi_pattern picks outside the caller texts");

enum class Scheme { stone, vindi };

// The texts of one call, in one heap block that is wiped before it is released.
struct TrackWork {
  char key[kTextRoom];     // DES key text
  char field[kTextRoom];   // field text
  char clear[kTextRoom];   // the card digits (padded), NUL-terminated
  char sealed[kTextRoom];  // the 16 cipher digits, NUL-terminated
  char joined[kVindiOutputRoom];
};

// Picks the key text and the field text out of the caller's three texts by the scheme's
// pattern; false when a text is missing or shorter than its minimum.
bool build_key_texts(Scheme scheme, const char *text1, const char *text2, const char *text3,
                     TrackWork &work) {
  const char *texts[3] = {text1, text2, text3};
  for (size_t t = 0; t < 3; ++t) {
    if (texts[t] == nullptr || vl::bounded_length(texts[t], kKeyTextLengths[t]) < kKeyTextLengths[t])
      return false;
  }
  const unsigned char *pattern = scheme == Scheme::stone ? vl::secrets::acquirer_stone_pattern
                                                         : vl::secrets::acquirer_vindi_pattern;
  for (size_t i = 0; i < kPatternLength; ++i) {
    const char c = texts[pattern[i] >> 4][pattern[i] & 0x0F];
    if (i < kBlockDigits) work.key[i] = c;
    else work.field[i - kBlockDigits] = c;
  }
  return true;
}

int protect_track(Scheme scheme, char *out, int32_t *out_length, const char *track,
                  int32_t length, const char *text1, const char *text2, const char *text3) {
  if (out == nullptr || out_length == nullptr || track == nullptr) return 0;
  // The output length 16 + (length - k) must stay a 32-bit count.
  if (length < 0 || length > INT32_MAX - static_cast<int32_t>(kBlockDigits)) return 0;
  auto *work = static_cast<TrackWork *>(vl::heap_alloc(sizeof(TrackWork)));
  if (work == nullptr) return 0;
  int result = 0;
  if (build_key_texts(scheme, text1, text2, text3, *work)) {
    const auto total = static_cast<size_t>(length);
    // The leading digits (Stone: digits and '='), at most 16, over sixteen 'F'; the last
    // '=' among them becomes 'E'.
    std::memset(work->clear, 'F', kBlockDigits);
    size_t k = 0;
    size_t separator = kBlockDigits;
    while (k < kBlockDigits && k < total &&
           (vl::is_digit(track[k]) || (scheme == Scheme::stone && track[k] == '='))) {
      if (track[k] == '=') separator = k;
      work->clear[k] = track[k];
      ++k;
    }
    if (separator < kBlockDigits) work->clear[separator] = 'E';
    // Room for the 16 digits and the NUL the card-data function ends them with. A text it
    // takes as less than a whole 16-character card number (a short card number followed by
    // its separator and expiry) does not fit, and the call is refused.
    int32_t sealed_size = static_cast<int32_t>(kTextRoom);
    CriptografaDadosCartao(work->clear, static_cast<int>(kBlockDigits), work->field,
                           static_cast<int>(kBlockDigits), work->key, static_cast<int>(kBlockDigits),
                           work->sealed, &sealed_size);
    if (sealed_size == static_cast<int32_t>(kBlockDigits)) {
      std::memcpy(out, work->sealed, kBlockDigits);
      std::memcpy(out + kBlockDigits, track + k, total - k);
      *out_length = static_cast<int32_t>(kBlockDigits + total - k);
      result = 1;
    }
  }
  vl::heap_free_wiped(work, sizeof(TrackWork));
  return result;
}

int open_track(Scheme scheme, char *out, int32_t *out_length, const char *text, int32_t length,
               const char *text1, const char *text2, const char *text3) {
  if (out == nullptr || out_length == nullptr || text == nullptr || length < 0) return 0;
  auto *work = static_cast<TrackWork *>(vl::heap_alloc(sizeof(TrackWork)));
  if (work == nullptr) return 0;
  int result = 0;
  if (build_key_texts(scheme, text1, text2, text3, *work)) {
    const auto total = static_cast<size_t>(length);
    // The first 16 characters (fewer when the text is shorter: NULs follow them).
    std::memcpy(work->sealed, text, total < kBlockDigits ? total : kBlockDigits);
    int32_t opened_length = 0;
    DescriptografaDadosCartao(work->sealed, static_cast<int>(kBlockDigits), work->field,
                              static_cast<int>(kBlockDigits), work->key,
                              static_cast<int>(kBlockDigits), work->clear, &opened_length);
    // Stone writes straight into the caller's buffer; Vindi builds its text in 64 characters.
    const bool stone = scheme == Scheme::stone;
    char *target = stone ? out : work->joined;
    const size_t room = stone ? kBlockDigits + total : kVindiOutputRoom;
    size_t n = 0;
    for (size_t i = 0; i < kBlockDigits && n < room; ++i) {
      const char c = work->clear[i];
      if (vl::is_digit(c)) target[n++] = c;
      else if (stone && c == 'E') target[n++] = '=';
      else break;
    }
    const size_t rest = total > kBlockDigits ? total - kBlockDigits : 0;
    const size_t taken = rest < room - n ? rest : room - n;
    if (taken > 0) std::memcpy(target + n, text + kBlockDigits, taken);
    n += taken;
    if (!stone) std::memcpy(out, work->joined, n);
    *out_length = static_cast<int32_t>(n);
    result = 1;
  }
  vl::heap_free_wiped(work, sizeof(TrackWork));
  return result;
}

// ---- the initial pass phrase ----

constexpr size_t kAesBlock = 16;
constexpr size_t kCheckDigits = 12;

// Compares count bytes without stopping at the first difference.
bool same_bytes(const unsigned char *a, const unsigned char *b, size_t count) {
  unsigned char difference = 0;
  for (size_t i = 0; i < count; ++i) difference = static_cast<unsigned char>(difference | (a[i] ^ b[i]));
  return difference == 0;
}

}  // namespace

extern "C" {

VL_API void VL_CDECL Cript(unsigned char *block, const unsigned char *key) {
  if (block == nullptr || key == nullptr) return;
  vl::acquirer_cipher_start = 0;
  vl::acquirer_cipher_step = 1;
  vl::acquirer_cipher_stop = 0;
  run_cipher(block, key);
}

VL_API void VL_CDECL descript(unsigned char *block, const unsigned char *key) {
  if (block == nullptr || key == nullptr) return;
  vl::acquirer_cipher_start = 11;
  vl::acquirer_cipher_step = 9;
  vl::acquirer_cipher_stop = 12;
  run_cipher(block, key);
}

VL_API void VL_CDECL algtec(const char *reference, char *digits, unsigned char count,
                            unsigned char *second) {
  if (reference == nullptr || digits == nullptr || second == nullptr) return;
  if (count < kFewestDigits || count > kMostDigits) return;
  if (vl::bounded_length(reference, kReferenceLength) < kReferenceLength) return;
  if (vl::bounded_length(digits, count) < count) return;

  unsigned char r[8];
  r[0] = packed(reference, 21);
  r[1] = packed(reference, 17);
  r[2] = packed(reference, 4);
  r[3] = packed(reference, 6);
  r[4] = packed(reference, 8);
  r[5] = packed(reference, 10);
  r[6] = packed(reference, 12);
  r[7] = packed(reference, 14);

  // Each byte holds a pair of the first six digits, the later one on top.
  unsigned char pairs[3];
  for (size_t k = 0; k < 3; ++k)
    pairs[k] = static_cast<unsigned char>(nibble(digits[2 * k + 1]) << 4 | nibble(digits[2 * k]));
  vl::acquirer_algtec_position = kFewestDigits;
  unsigned char q[7];
  q[6] = pairs[0];
  q[5] = pairs[1];
  q[4] = pairs[2];
  q[3] = pairs[0] ^ r[4];
  q[2] = pairs[1] ^ r[5];
  q[1] = pairs[2] ^ r[6];
  q[0] = pairs[0] ^ r[7];

  unsigned rest = 0;
  if (count != kFewestDigits) {
    const unsigned extra = count - kFewestDigits;  // 1..24
    const unsigned placed = extra <= 7 ? extra : 8;
    r[0] = static_cast<unsigned char>(r[0] + extra);
    for (size_t k = 0; k < placed; ++k) put_nibble(q, 3, k, next_digit(digits));
    rest = extra - placed;
  }
  for (unsigned char &byte : q) byte = static_cast<unsigned char>(byte + 0x33);
  if (rest != 0) {
    unsigned char z[8] = {};
    const size_t placed = rest < 16 ? rest : 16;
    for (size_t k = 0; k < placed; ++k) put_nibble(z, 7, k, next_digit(digits));
    for (size_t k = 0; k < 8; ++k) r[k] = static_cast<unsigned char>(r[k] + z[k]);
    vl::secure_zero(z, sizeof z);
  }

  unsigned char first[8] = {r[6], q[6], r[4], q[4], r[2], q[2], r[0], q[0]};
  unsigned char other[8] = {q[5], r[7], q[3], r[5], q[1], r[3], count, r[1]};
  std::memcpy(second, other, sizeof other);
  std::memcpy(digits, first, sizeof first);
  vl::secure_zero(r, sizeof r);
  vl::secure_zero(q, sizeof q);
  vl::secure_zero(pairs, sizeof pairs);
  vl::secure_zero(first, sizeof first);
  vl::secure_zero(other, sizeof other);
}

VL_API void VL_CDECL cripBEM(char *value, const char *addend) {
  if (value == nullptr || addend == nullptr) return;
  if (vl::bounded_length(value, 4) < 4) return;
  if (vl::bounded_length(addend, kBemAddendLength) < kBemAddendLength) return;
  const int32_t p = number_of(value, 2);
  const int32_t q = number_of(value + 2, 2);
  char mixed[8] = {};
  right_aligned(mixed, 4, p * static_cast<int32_t>(bem_factor(vl::secrets::acquirer_bem_factor_1)));
  right_aligned(mixed + 4, 3, q * static_cast<int32_t>(bem_factor(vl::secrets::acquirer_bem_factor_2)));
  const int32_t a = vl::strtol32(mixed);
  const int32_t b = number_of(addend, kBemAddendLength);
  char sum[kBemValueLength];
  _dtoasc(sum, static_cast<double>(a) + static_cast<double>(b), static_cast<int>(kBemValueLength));
  std::memcpy(value, sum, kBemValueLength);
  vl::secure_zero(mixed, sizeof mixed);
  vl::secure_zero(sum, sizeof sum);
}

VL_API void VL_CDECL scramble(const char *in, char *out) {
  if (in == nullptr || out == nullptr) return;
  const size_t length = short_length(in);
  if (length == 0) return;
  size_t n = 0;
  out[n++] = in[0];
  for (size_t k = 1; k < length; k += 2) out[n++] = in[k];  // positions 2, 4, 6, ...
  const size_t last_odd = (length - 1) & ~static_cast<size_t>(1);  // 0-based, even
  for (size_t k = last_odd; k >= 2; k -= 2) out[n++] = in[k];  // positions ..., 5, 3
  out[n] = '\0';
}

VL_API void VL_CDECL discramble(const char *in, char *out) {
  if (in == nullptr || out == nullptr) return;
  const size_t length = short_length(in);
  if (length == 0) return;
  size_t n = 0;
  out[0] = in[n++];
  for (size_t k = 1; k < length; k += 2) out[k] = in[n++];
  const size_t last_odd = (length - 1) & ~static_cast<size_t>(1);
  for (size_t k = last_odd; k >= 2; k -= 2) out[k] = in[n++];
  out[length] = '\0';
}

VL_API void VL_STDCALL scramble_StdCall(const char *in, char *out) { scramble(in, out); }

VL_API void VL_STDCALL discramble_StdCall(const char *in, char *out) { discramble(in, out); }

VL_API int VL_CDECL CriptStone(char *out, int32_t *outLength, const char *track2, int32_t length,
                               const char *keyText1, const char *keyText2, const char *keyText3) {
  return protect_track(Scheme::stone, out, outLength, track2, length, keyText1, keyText2, keyText3);
}

VL_API int VL_CDECL DescriptStone(char *out, int32_t *outLength, const char *protectedText,
                                  int32_t length, const char *keyText1, const char *keyText2,
                                  const char *keyText3) {
  return open_track(Scheme::stone, out, outLength, protectedText, length, keyText1, keyText2, keyText3);
}

VL_API int VL_CDECL CriptVindi(char *out, int32_t *outLength, const char *track2, int32_t length,
                               const char *keyText1, const char *keyText2, const char *keyText3) {
  return protect_track(Scheme::vindi, out, outLength, track2, length, keyText1, keyText2, keyText3);
}

VL_API int VL_CDECL DescriptVindi(char *out, int32_t *outLength, const char *protectedText,
                                  int32_t length, const char *keyText1, const char *keyText2,
                                  const char *keyText3) {
  return open_track(Scheme::vindi, out, outLength, protectedText, length, keyText1, keyText2, keyText3);
}

VL_API int VL_CDECL descript_vindi(char *out, int32_t *outLength, const char *protectedText,
                                   int32_t length, const char *keyText1, const char *keyText2,
                                   const char *keyText3) {
  return DescriptVindi(out, outLength, protectedText, length, keyText1, keyText2, keyText3);
}

VL_API void VL_CDECL GeraChaveCriptografica(unsigned char *out, int32_t count) {
  SetRandomSeed(static_cast<uint32_t>(vl::platform::epoch_now()));
  if (out == nullptr) return;
  for (int32_t i = 0; i < count; ++i) {
    uint32_t word = 0;
    if (vl::platform::secure_random(&word, sizeof word)) {
      out[i] = static_cast<unsigned char>(word & 0xFF);
    } else {
      // GetRandomNumber keeps bits 16..30 of the stepped state: its low byte is bits 16..23.
      out[i] = static_cast<unsigned char>(GetRandomNumber() & 0xFF);
    }
    vl::secure_zero(&word, sizeof word);
  }
}

VL_API int VL_STDCALL ValidaProtegeFraseInicial(int32_t mode, const char *phrase, const char *check,
                                                char *protectedKey, char *protectedPhrase) {
  if (mode != 0) return 2;
  if (phrase == nullptr || check == nullptr || protectedKey == nullptr || protectedPhrase == nullptr)
    return 1;
  if (vl::bounded_length(check, kCheckDigits) < kCheckDigits) return 1;
  const size_t length = std::strlen(phrase);

  // The phrase's key: the first 16 bytes of its SHA-1 digest.
  sha1_context sha;
  verta_SHA1_Init(&sha);
  for (size_t done = 0; done < length;) {
    const size_t part = length - done < 0x40000000u ? length - done : 0x40000000u;
    verta_SHA1_Update(&sha, reinterpret_cast<const unsigned char *>(phrase + done),
                      static_cast<uint32_t>(part));
    done += part;
  }
  unsigned char digest[20];
  verta_SHA1_Final(&sha, digest);

  aes_key_context aes;
  unsigned char block[kAesBlock] = {};
  aes_set_key(&aes, digest, 128, 1);
  aes_ecb_encrypt(&aes, block, kAesBlock);
  unsigned char expected[kCheckDigits / 2];
  hex2binary(check, kCheckDigits, expected);
  const bool matches = same_bytes(block, expected, sizeof expected);

  int result = 1;
  if (matches) {
    const unsigned char zero_iv[kAesBlock] = {};
    aes_set_key(&aes, vl::secrets::acquirer_phrase_key_1, 128, 1);
    std::memcpy(block, digest, kAesBlock);
    aes_cbc_encrypt(&aes, zero_iv, block, kAesBlock);
    binary2hex(block, kAesBlock, protectedKey);

    // The phrase padded with zero bytes to whole blocks, chained block by block.
    aes_set_key(&aes, vl::secrets::acquirer_phrase_key_2, 128, 1);
    unsigned char chain[kAesBlock] = {};
    for (size_t offset = 0; offset < length; offset += kAesBlock) {
      const size_t part = length - offset < kAesBlock ? length - offset : kAesBlock;
      std::memset(block, 0, kAesBlock);
      std::memcpy(block, phrase + offset, part);
      aes_cbc_encrypt(&aes, chain, block, kAesBlock);
      std::memcpy(chain, block, kAesBlock);
      binary2hex(block, kAesBlock, protectedPhrase + 2 * offset);
    }
    vl::secure_zero(chain, sizeof chain);
    result = 0;
  }
  vl::secure_zero(&sha, sizeof sha);
  vl::secure_zero(digest, sizeof digest);
  vl::secure_zero(&aes, sizeof aes);
  vl::secure_zero(block, sizeof block);
  vl::secure_zero(expected, sizeof expected);
  return result;
}

}  // extern "C"

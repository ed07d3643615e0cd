// Card data at rest and between modules: whole buffers, tracks 1 and 2 and the CVV under
// the card-data AES key (derived from the build's seed on every call, never kept); the card
// number, alone or inside a track 2, under a DES key the caller gives; and the reversible
// scrambling of message buffers. Everything works in the caller's buffers, and every local
// or heap copy of a key, card number or track is wiped before the call returns.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "frame/heap.h"
#include "frame/text.h"
#include "vertalib/card.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

// ---- wiping ----------------------------------------------------------------------------

// A zero-filled heap block that is wiped and released when the scope ends.
class HeapBlock {
 public:
  explicit HeapBlock(size_t length) : block_(static_cast<char *>(vl::heap_alloc(length))), length_(length) {}
  ~HeapBlock() { vl::heap_free_wiped(block_, length_); }
  HeapBlock(const HeapBlock &) = delete;
  HeapBlock &operator=(const HeapBlock &) = delete;
  char *text() const { return block_; }
  unsigned char *bytes() const { return reinterpret_cast<unsigned char *>(block_); }
  bool allocated() const { return block_ != nullptr; }

 private:
  char *block_;
  size_t length_;
};

// ---- the card-data AES key -------------------------------------------------------------

constexpr size_t kAesBlock = 16;
constexpr int32_t kDeriveMode = 1;
constexpr unsigned kAesKeyBits = 128;
constexpr int kEncryptOnly = 1;
constexpr int kWithDecryption = 0;

constexpr auto &kSeed = vl::secrets::carddata_aes_seed;
constexpr size_t kSeedCharacters = sizeof kSeed;

constexpr bool seed_is_hex_text() {
  for (unsigned char c : kSeed)
    if (!vl::is_digit(static_cast<char>(c)) && !(c >= 'A' && c <= 'F')) return false;
  return true;
}
static_assert(kSeedCharacters == 16, "the card-data seed is a text of 16 characters");
static_assert(seed_is_hex_text(), "the card-data seed is upper-case hexadecimal text");

enum class Direction { kEncrypt, kDecrypt };

// The AES-128 context of the card-data key, made for one call and wiped with it. The key
// comes from the seed text counted with its NUL (17 characters).
class CardDataAes {
 public:
  explicit CardDataAes(Direction direction) {
    char seed[kSeedCharacters + 1] = {};
    unsigned char key[16] = {};
    vl::WipeOnExit wipe_seed(seed, sizeof seed);
    vl::WipeOnExit wipe_key(key, sizeof key);
    std::memcpy(seed, kSeed, kSeedCharacters);
    Gera128bitsDeterministico(kDeriveMode, seed, static_cast<int32_t>(sizeof seed), key);
    aes_set_key(&context_, key, kAesKeyBits,
                direction == Direction::kEncrypt ? kEncryptOnly : kWithDecryption);
  }
  ~CardDataAes() { vl::secure_zero(&context_, sizeof context_); }
  CardDataAes(const CardDataAes &) = delete;
  CardDataAes &operator=(const CardDataAes &) = delete;

  void run(Direction direction, unsigned char *buffer, size_t length) {
    if (direction == Direction::kEncrypt) aes_ecb_encrypt(&context_, buffer, static_cast<uint32_t>(length));
    else aes_ecb_decrypt(&context_, buffer, static_cast<uint32_t>(length));
  }

 private:
  aes_key_context context_{};
};

// ECB over the whole blocks of length bytes; a shorter buffer (or a negative length)
// changes nothing and needs no key.
void card_data_aes(Direction direction, void *buffer, int64_t length) {
  if (buffer == nullptr || length < static_cast<int64_t>(kAesBlock)) return;
  CardDataAes(direction).run(direction, static_cast<unsigned char *>(buffer), static_cast<size_t>(length));
}

// Tracks shorter than these are left in clear.
constexpr int kShortestEncryptedTrack1 = 21;
constexpr int kShortestEncryptedTrack2 = 20;

// ---- CVV -------------------------------------------------------------------------------

constexpr unsigned kLongestCvv = 9;
// A block not made by EncryptCvvAES may announce any count; no more than this is copied,
// so the text always ends inside the 16 bytes.
constexpr size_t kLongestOpenedCvv = kAesBlock - 1;

// A buffer opening with three zero bytes holds no CVV; both directions leave it alone.
bool holds_no_cvv(const char *cvv) { return cvv[0] == '\0' && cvv[1] == '\0' && cvv[2] == '\0'; }

// ---- DES over hexadecimal text ---------------------------------------------------------

constexpr int kDesEncrypt = 0;
constexpr int kDesDecrypt = 1;
constexpr int kDesKeyDigits = 16;  // a 16-digit key makes triple DES single DES
constexpr size_t kField = 16;      // digits of one DES block as text
constexpr size_t kLongestPan = 2 * kField;
constexpr size_t kEncryptedPanLength = 2 + 2 * kField;

// The key text must hold the 16 digits the DES reads.
bool has_des_key(const char *key) {
  return key != nullptr && vl::bounded_length(key, kDesKeyDigits) == kDesKeyDigits;
}

// DES of 8 bytes, written as 16 upper-case hexadecimal digits (no NUL).
void des_to_hex(int mode, const char *key, const unsigned char *in, char *out) {
  unsigned char result[8];
  vl::WipeOnExit wipe(result, sizeof result);
  tripleDES_EDE(mode, kDesKeyDigits, key, in, result);
  Bin2ASC(out, result, kField);
}

// DES of the 8 bytes that 16 hexadecimal digits stand for, written back as 16 digits.
void des_hex_block(int mode, const char *key, const char *digits, char *out) {
  unsigned char in[8];
  vl::WipeOnExit wipe(in, sizeof in);
  ASC2Bin(in, digits, static_cast<int>(kField));
  des_to_hex(mode, key, in, out);
}

// ---- card number inside a track 2 ------------------------------------------------------

// The longest track text encrypted (a track 2 holds 37; room is left for fillers).
constexpr size_t kLongestTrack = 128;
constexpr size_t kCardNumberBuffer = 23;  // what the track parser writes: 22 and a NUL

// Key part 1 then key part 2 as one key text on the library's heap, each part as many
// characters as its length says or up to its NUL, whichever comes first.
class JoinedKey {
 public:
  JoinedKey(const char *first, int firstLength, const char *second, int secondLength)
      : first_(part_length(first, firstLength)),
        second_(part_length(second, secondLength)),
        block_(first_ + second_ + 1) {
    if (!block_.allocated()) return;
    if (first_ > 0) std::memcpy(block_.text(), first, first_);
    if (second_ > 0) std::memcpy(block_.text() + first_, second, second_);
  }
  bool allocated() const { return block_.allocated(); }
  const char *text() const { return block_.text(); }
  int length() const { return static_cast<int>(first_ + second_); }

 private:
  static size_t part_length(const char *part, int length) {
    return part == nullptr ? 0 : vl::bounded_length(part, vl::non_negative(length));
  }
  size_t first_;
  size_t second_;
  HeapBlock block_;
};

const char *text_or_empty(const char *text) { return text == nullptr ? "" : text; }

// ---- message scrambling ----------------------------------------------------------------

static_assert(sizeof vl::secrets::carddata_scramble_k1 == 1 && sizeof vl::secrets::carddata_scramble_k2 == 1,
              "the scrambling constants are one byte each");
constexpr unsigned char kScrambleK1 = vl::secrets::carddata_scramble_k1[0];
constexpr unsigned char kScrambleK2 = vl::secrets::carddata_scramble_k2[0];

}  // namespace

extern "C" {

// ---- AES over caller buffers -----------------------------------------------------------

void EncryptDataAES(unsigned char *buffer, int32_t length) { card_data_aes(Direction::kEncrypt, buffer, length); }

void EncryptDataAESEx(unsigned char *buffer, int32_t length) { card_data_aes(Direction::kEncrypt, buffer, length); }

void DecryptDataAES(unsigned char *buffer, int32_t length) { card_data_aes(Direction::kDecrypt, buffer, length); }

void DecryptDataAESEx(unsigned char *buffer, int32_t length) { card_data_aes(Direction::kDecrypt, buffer, length); }

unsigned char EncryptTrack1AES(char *track, int32_t length) {
  if (length >= kShortestEncryptedTrack1) card_data_aes(Direction::kEncrypt, track, length);
  return static_cast<unsigned char>(length);
}

void DecryptTrack1AES(char *track, unsigned char length) {
  if (length >= kShortestEncryptedTrack1) card_data_aes(Direction::kDecrypt, track, length);
}

unsigned char EncryptTrack2AES(char *track, int32_t length) {
  if (length >= kShortestEncryptedTrack2) card_data_aes(Direction::kEncrypt, track, length);
  return static_cast<unsigned char>(length);
}

void DecryptTrack2AES(char *track, unsigned char length) {
  if (length >= kShortestEncryptedTrack2) card_data_aes(Direction::kDecrypt, track, length);
}

void EncryptCvvAES(char *cvv) {
  if (cvv == nullptr || holds_no_cvv(cvv)) return;
  // The count is taken as one byte, as the block's count digit was always read.
  const auto counted = static_cast<unsigned char>(std::strlen(cvv));
  const size_t n = std::min<unsigned>(counted, kLongestCvv);
  unsigned char block[kAesBlock];
  vl::WipeOnExit wipe(block, sizeof block);
  std::memset(block, 'F', sizeof block);
  block[0] = static_cast<unsigned char>('0' + n);
  std::memcpy(block + 1, cvv, n);
  CardDataAes(Direction::kEncrypt).run(Direction::kEncrypt, block, sizeof block);
  std::memcpy(cvv, block, sizeof block);
}

void DecryptCvvAES(char *cvv) {
  if (cvv == nullptr || holds_no_cvv(cvv)) return;
  unsigned char block[kAesBlock];
  vl::WipeOnExit wipe(block, sizeof block);
  std::memcpy(block, cvv, sizeof block);
  CardDataAes(Direction::kDecrypt).run(Direction::kDecrypt, block, sizeof block);
  const size_t n = std::min<size_t>(static_cast<unsigned char>(block[0] - '0'), kLongestOpenedCvv);
  std::memset(cvv, 0, sizeof block);
  std::memcpy(cvv, block + 1, n);
}

// ---- card numbers under a DES key ------------------------------------------------------

void Encript_PAN(const char *pan, char *out, const char *key) {
  if (pan == nullptr || out == nullptr || !has_des_key(key)) return;
  const size_t n = vl::bounded_length(pan, kLongestPan + 1);
  if (n > kLongestPan) return;
  char fields[2 * kField];
  vl::WipeOnExit wipe(fields, sizeof fields);
  std::memset(fields, 'F', sizeof fields);
  std::memcpy(fields, pan, n);  // the digits past the 16th start the second field
  out[0] = static_cast<char>('0' + n / 10);
  out[1] = static_cast<char>('0' + n % 10);
  des_hex_block(kDesEncrypt, key, fields, out + 2);
  des_hex_block(kDesEncrypt, key, fields + kField, out + 2 + kField);
}

void Decript_PAN(const char *encrypted, char *pan, const char *key) {
  if (encrypted == nullptr || pan == nullptr || !has_des_key(key)) return;
  if (vl::bounded_length(encrypted, kEncryptedPanLength + 1) != kEncryptedPanLength) return;
  if (!vl::is_digit(encrypted[0]) || !vl::is_digit(encrypted[1])) return;
  const size_t n = static_cast<size_t>((encrypted[0] - '0') * 10 + (encrypted[1] - '0'));
  if (n > kLongestPan) return;
  char digits[2 * kField];
  vl::WipeOnExit wipe(digits, sizeof digits);
  des_hex_block(kDesDecrypt, key, encrypted + 2, digits);
  des_hex_block(kDesDecrypt, key, encrypted + 2 + kField, digits + kField);
  std::memcpy(pan, digits, n);
}

void CriptografaDadosCartao(const char *track2, int track2Length, const char *field, int fieldLength,
                            const char *key, int keyLength, char *out, int32_t *outSize) {
  (void)keyLength;  // only the key's first 16 digits take part
  if (track2 == nullptr || out == nullptr || outSize == nullptr || !has_des_key(key)) return;
  // The track is its first track2Length characters, or fewer when its NUL comes first.
  const size_t length = vl::bounded_length(track2, vl::non_negative(track2Length));
  if (length == 0 || length > kLongestTrack) return;
  char track[kLongestTrack + 1];
  char pan[kCardNumberBuffer];
  vl::WipeOnExit wipe_track(track, sizeof track);
  vl::WipeOnExit wipe_pan(pan, sizeof pan);
  std::memcpy(track, track2, length);
  track[length] = '\0';
  GetPANFromTrilha2(pan, track);

  // The 16 cipher digits stand where the number's first 16 characters (or all of a shorter
  // number) stood; the rest of the track follows them.
  const size_t p = std::strlen(pan);
  const size_t replaced = std::min(p, kField);
  const size_t written = kField + (length - replaced);
  const int64_t size = *outSize;
  if (size < static_cast<int64_t>(track2Length) - static_cast<int64_t>(p) + static_cast<int64_t>(kField)) return;
  if (size < static_cast<int64_t>(written) + 1) return;  // the text and its NUL must fit

  unsigned char block[17];
  vl::WipeOnExit wipe_block(block, sizeof block);
  int32_t block_length = 0;
  ManipulaPanBlock(pan, track2Length, text_or_empty(field), fieldLength, block, &block_length);
  char cipher[kField];
  vl::WipeOnExit wipe_cipher(cipher, sizeof cipher);
  des_to_hex(kDesEncrypt, key, block, cipher);

  std::memset(out, 0, static_cast<size_t>(size));
  std::memcpy(out, cipher, kField);
  std::memcpy(out + kField, track + replaced, length - replaced);
  *outSize = static_cast<int32_t>(written);
}

int DescriptografaDadosCartao(const char *block, int blockLength, const char *field, int fieldLength,
                              const char *key, int keyLength, char *out, int32_t *resultLength) {
  (void)blockLength;  // the block is always its 16 digits
  (void)keyLength;
  if (block == nullptr || out == nullptr || resultLength == nullptr || !has_des_key(key)) return 1;
  if (vl::bounded_length(block, kField) != kField) return 1;
  HeapBlock encrypted(kField + 1), digits(kField + 1), opened(kField + 1);
  if (!encrypted.allocated() || !digits.allocated() || !opened.allocated()) return 1;
  ASC2Bin(encrypted.bytes(), block, static_cast<int>(kField));
  des_to_hex(kDesDecrypt, key, encrypted.bytes(), digits.text());
  // The decrypted field XOR the caller's field gives the card number and its 'F' padding.
  ManipulaPanBlock(digits.text(), static_cast<int>(kField), text_or_empty(field), fieldLength, opened.bytes(),
                   resultLength);
  Bin2ASC(out, opened.bytes(), kField);
  return 1;
}

int MontaCriptografiaDadosCartaoVR(const char *track2, int track2Length, const char *keyPart1, int keyPart1Length,
                                   const char *keyPart2, int keyPart2Length, const char *field, int fieldLength,
                                   char *out, int32_t *outSize) {
  const JoinedKey key(keyPart1, keyPart1Length, keyPart2, keyPart2Length);
  if (!key.allocated()) return 0;
  CriptografaDadosCartao(track2, track2Length, field, fieldLength, key.text(), key.length(), out, outSize);
  return 1;
}

int DesmontaCriptografiaDadosCartaoSmartNet(const char *block, int blockLength, const char *keyPart1,
                                            int keyPart1Length, const char *keyPart2, int keyPart2Length,
                                            const char *field, int fieldLength, char *out,
                                            int32_t *resultLength) {
  const JoinedKey key(keyPart1, keyPart1Length, keyPart2, keyPart2Length);
  if (!key.allocated()) return 0;
  DescriptografaDadosCartao(block, blockLength, field, fieldLength, key.text(), key.length(), out, resultLength);
  return 1;
}

// ---- message scrambling ----------------------------------------------------------------

void EncryptMsg(unsigned char *buffer, int32_t length) {
  if (buffer == nullptr) return;
  unsigned char running = 0;
  for (size_t i = 0; i < vl::non_negative(length); ++i) {
    running = static_cast<unsigned char>(running ^ static_cast<unsigned char>((buffer[i] ^ kScrambleK1) + kScrambleK2));
    buffer[i] = running;
  }
}

void DecryptMsg(unsigned char *buffer, int32_t length) {
  if (buffer == nullptr) return;
  unsigned char previous = 0;
  for (size_t i = 0; i < vl::non_negative(length); ++i) {
    const unsigned char scrambled = buffer[i];
    buffer[i] = static_cast<unsigned char>(static_cast<unsigned char>((scrambled ^ previous) - kScrambleK2) ^ kScrambleK1);
    previous = scrambled;
  }
}

}  // extern "C"

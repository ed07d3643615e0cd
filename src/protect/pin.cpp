// PIN blocks (ISO 9564 format 0), the process-wide PIN settings, master-key positions and
// the master-key table, the Itau encrypted PINs and the Senff password. Every stack buffer
// that holds a clear PIN, key, card digit or transport key is guarded by a
// vl::WipeOnExit, zeroed on every way out of the function.
#include <cstring>

#include "frame/heap.h"
#include "frame/text.h"
#include "protect/master_keys.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib/strings.h"
#include "vertalib_secrets.h"

namespace {

constexpr size_t kFieldDigits = 16;  // a PIN or card field: 16 hex digits
constexpr size_t kBlockBytes = 8;    // ... and as bytes
constexpr int kLongestPin = 12;
constexpr int kShortestCardNumber = 12;
constexpr unsigned kLongestOpenedPin = 14;  // the most digits a 16-digit field holds after "0n"

constexpr bool is_upper_hex_digit(char c) { return vl::is_digit(c) || (c >= 'A' && c <= 'F'); }
constexpr bool is_hex_digit(char c) { return is_upper_hex_digit(vl::to_upper(c)); }

// True when the first count characters of text all pass the digit test (a NUL fails it, so
// nothing past a shorter text is read).
template <bool (*IsDigit)(char)>
bool leads_with(const char *text, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

// ---- PIN blocks ----

// The card field of the PIN block, "0000" and 12 digits of the card number from position
// length - 13 (from 0 for 12 or 13 digits), as 8 bytes. False for fewer than 12 digits or a
// text that ends before its length.
bool card_field(const char *pan, int pan_length, unsigned char (&field)[kBlockBytes]) {
  if (pan_length < kShortestCardNumber) return false;
  const auto length = static_cast<size_t>(pan_length);
  if (vl::bounded_length(pan, length) < length) return false;
  const size_t from = length > 13 ? length - 13 : 0;
  char text[kFieldDigits] = {};
  vl::WipeOnExit wipe_text(text, sizeof text);
  std::memcpy(text, "0000", 4);
  std::memcpy(text + 4, pan + from, 12);
  hex2binary(text, kFieldDigits, field);
  return true;
}

void write_error(char *pin) { std::memcpy(pin, "ERRO", 5); }

void manipulate_pan_block(const char *a, int length_a, const char *b, int length_b, unsigned char *out,
                          int *result_length) {
  if (a == nullptr || b == nullptr || out == nullptr || result_length == nullptr) return;
  const auto used_a = static_cast<int>(vl::bounded_length(a, vl::non_negative(length_a)));
  const auto used_b = static_cast<int>(vl::bounded_length(b, vl::non_negative(length_b)));
  char text_b[kFieldDigits + 1] = {};  // the padder writes its NUL too
  vl::WipeOnExit wipe_text_b(text_b, sizeof text_b);
  InsereZeroEsquerda(text_b, kFieldDigits, b, used_b);
  char text_a[kFieldDigits] = {};
  vl::WipeOnExit wipe_text_a(text_a, sizeof text_a);
  InsereCharDireita(text_a, kFieldDigits, a, used_a, 'F');
  unsigned char bytes_a[kBlockBytes] = {};
  vl::WipeOnExit wipe_bytes_a(bytes_a, sizeof bytes_a);
  unsigned char bytes_b[kBlockBytes] = {};
  vl::WipeOnExit wipe_bytes_b(bytes_b, sizeof bytes_b);
  hex2binary(text_a, kFieldDigits, bytes_a);
  hex2binary(text_b, kFieldDigits, bytes_b);
  OperacaoXOR(out, bytes_a, bytes_b, kBlockBytes);
  std::memset(out + kBlockBytes, 0, 9);
  *result_length = static_cast<int>(std::strlen(reinterpret_cast<const char *>(out)));
}

// ---- PIN settings ----

int g_master_key_position = 0;
char g_working_key[33] = {};

// ---- Master-key table ----

// The encrypted key and check value of each row of vl::pin::kMasterKeyRows, in its order.
struct MasterKeySecret {
  const unsigned char *bytes;  // the encrypted key, then 3 check-value bytes
  size_t size;
};
#define VL_MASTER_KEY(code, version, variant)                         \
  MasterKeySecret {                                                    \
    vl::secrets::pin_master_key_##code##_##version##_##variant,        \
        sizeof vl::secrets::pin_master_key_##code##_##version##_##variant \
  }
constexpr MasterKeySecret kMasterKeySecrets[] = {
    VL_MASTER_KEY(013, 2, 0), VL_MASTER_KEY(013, 2, 1), VL_MASTER_KEY(025, 1, 0), VL_MASTER_KEY(025, 1, 1),
    VL_MASTER_KEY(028, 1, 0), VL_MASTER_KEY(028, 1, 1), VL_MASTER_KEY(028, 2, 0), VL_MASTER_KEY(028, 2, 1),
    VL_MASTER_KEY(063, 1, 0), VL_MASTER_KEY(063, 1, 1), VL_MASTER_KEY(063, 2, 0), VL_MASTER_KEY(063, 2, 1),
    VL_MASTER_KEY(071, 1, 0), VL_MASTER_KEY(071, 1, 1), VL_MASTER_KEY(086, 1, 0), VL_MASTER_KEY(086, 1, 1),
    VL_MASTER_KEY(095, 1, 0), VL_MASTER_KEY(095, 1, 1), VL_MASTER_KEY(105, 1, 0), VL_MASTER_KEY(105, 1, 1),
    VL_MASTER_KEY(141, 1, 0), VL_MASTER_KEY(142, 1, 0), VL_MASTER_KEY(142, 1, 1), VL_MASTER_KEY(144, 1, 0),
    VL_MASTER_KEY(144, 1, 1), VL_MASTER_KEY(144, 2, 0), VL_MASTER_KEY(144, 2, 1), VL_MASTER_KEY(146, 0, 0),
    VL_MASTER_KEY(146, 0, 1), VL_MASTER_KEY(150, 0, 0), VL_MASTER_KEY(150, 0, 1), VL_MASTER_KEY(152, 0, 0),
    VL_MASTER_KEY(152, 0, 1), VL_MASTER_KEY(158, 0, 0), VL_MASTER_KEY(158, 0, 1), VL_MASTER_KEY(161, 0, 0),
    VL_MASTER_KEY(161, 0, 1), VL_MASTER_KEY(170, 0, 0), VL_MASTER_KEY(170, 0, 1), VL_MASTER_KEY(172, 0, 0),
    VL_MASTER_KEY(172, 0, 1), VL_MASTER_KEY(174, 0, 0), VL_MASTER_KEY(174, 0, 1),
};
#undef VL_MASTER_KEY
constexpr size_t kCheckBytes = 3;

constexpr bool secrets_fit_rows() {
  if (sizeof kMasterKeySecrets / sizeof kMasterKeySecrets[0] != vl::pin::kMasterKeyRowCount) return false;
  for (size_t i = 0; i < vl::pin::kMasterKeyRowCount; ++i)
    if (kMasterKeySecrets[i].size != static_cast<size_t>(vl::pin::kMasterKeyRows[i].key_digits) / 2 + kCheckBytes)
      return false;
  return true;
}
static_assert(secrets_fit_rows(), "one secret per master-key row, as long as its key and check value");

// The row of code and variant with the greatest version not above version; -1 for none.
int select_master_key_row(int code, int version, int variant) {
  int best = -1;
  for (size_t i = 0; i < vl::pin::kMasterKeyRowCount; ++i) {
    const auto &row = vl::pin::kMasterKeyRows[i];
    if (row.code != code || row.variant != variant || row.version > version) continue;
    if (row.version == version) return static_cast<int>(i);
    if (best < 0 || row.version > vl::pin::kMasterKeyRows[best].version) best = static_cast<int>(i);
  }
  return best;
}

// ---- Itau PINs and the Senff password ----

constexpr bool offsets_are_digits() {
  for (unsigned char offset : vl::secrets::pin_senff_offsets)
    if (offset > 9) return false;
  return true;
}
static_assert(offsets_are_digits(), "every password offset is one decimal digit");

constexpr int kItauDecrypt = 1;

// The 16 digits of encrypted read as 8 bytes by decode, decrypted under the Itau key.
void dezonarr_field(const char *digits, unsigned char *bytes) { dezonarr(digits, bytes, kFieldDigits); }
void hex_field(const char *digits, unsigned char *bytes) { hex2binary(digits, kFieldDigits, bytes); }
void open_itau_block(const char *encrypted, void (*decode)(const char *, unsigned char *),
                     unsigned char (&clear)[kBlockBytes]) {
  unsigned char cipher[kBlockBytes] = {};
  vl::WipeOnExit wipe_cipher(cipher, sizeof cipher);
  decode(encrypted, cipher);
  desnbs(kItauDecrypt, cipher, vl::secrets::pin_itau_key, clear);
}

}  // namespace

VL_API void VL_CDECL mountPinBlock(const char *pin, int pinLength, const char *pan, int panLength,
                                   unsigned char *block) {
  if (pin == nullptr || pan == nullptr || block == nullptr) return;
  if (pinLength < 0 || pinLength > kLongestPin) return;
  const size_t digits = vl::bounded_length(pin, kLongestPin + 1);
  if (digits > static_cast<size_t>(kLongestPin)) return;
  unsigned char pan_field[kBlockBytes] = {};
  vl::WipeOnExit wipe_pan_field(pan_field, sizeof pan_field);
  if (!card_field(pan, panLength, pan_field)) return;
  // "0", the length as a lower-case hex digit, the PIN text, "F" to 16 digits.
  char text[kFieldDigits] = {};
  vl::WipeOnExit wipe_text(text, sizeof text);
  std::memset(text, 'F', kFieldDigits);
  text[0] = '0';
  text[1] = "0123456789abc"[pinLength];
  std::memcpy(text + 2, pin, digits);
  unsigned char pin_field[kBlockBytes] = {};
  vl::WipeOnExit wipe_pin_field(pin_field, sizeof pin_field);
  hex2binary(text, kFieldDigits, pin_field);
  OperacaoXOR(block, pin_field, pan_field, kBlockBytes);
}

VL_API void VL_CDECL unmountPinBlock(const unsigned char *block, const char *pan, int panLength, char *pin) {
  if (block == nullptr || pan == nullptr || pin == nullptr) return;
  unsigned char pan_field[kBlockBytes] = {};
  vl::WipeOnExit wipe_pan_field(pan_field, sizeof pan_field);
  if (!card_field(pan, panLength, pan_field)) return write_error(pin);
  unsigned char field[kBlockBytes] = {};
  vl::WipeOnExit wipe_field(field, sizeof field);
  OperacaoXOR(field, block, pan_field, kBlockBytes);
  char text[kFieldDigits] = {};
  vl::WipeOnExit wipe_text(text, sizeof text);
  Bin2ASC(text, field, kFieldDigits);
  const unsigned length = field[0] & 0x0F;
  if (text[0] != '0' || length > kLongestOpenedPin) return write_error(pin);
  std::memcpy(pin, text + 2, length);
  pin[length] = '\0';
}

VL_API void VL_CDECL ManipulaPanBlock(const char *a, int lengthA, const char *b, int lengthB, unsigned char *out,
                                      int *resultLength) {
  manipulate_pan_block(a, lengthA, b, lengthB, out, resultLength);
}

VL_API void VL_CDECL MontaPanBlock(const char *a, int lengthA, const char *b, int lengthB, unsigned char *out,
                                   int *resultLength) {
  manipulate_pan_block(a, lengthA, b, lengthB, out, resultLength);
}

VL_API void VL_CDECL DesmontaPanBlock(const char *a, int lengthA, const char *b, int lengthB, unsigned char *out,
                                      int *resultLength) {
  manipulate_pan_block(a, lengthA, b, lengthB, out, resultLength);
}

VL_API void VL_CDECL IniciaDadosSenha(void) {
  g_master_key_position = -1;
  vl::secure_zero(g_working_key, sizeof g_working_key);
}

VL_API int VL_CDECL SetPosMasterKey(int position) { return g_master_key_position = position; }

VL_API int VL_CDECL GetPosMasterKey(void) { return g_master_key_position; }

VL_API void VL_CDECL SetWorkingKey(const char *key) {
  if (key == nullptr) return;
  const size_t length = vl::bounded_length(key, sizeof g_working_key);
  vl::secure_zero(g_working_key, sizeof g_working_key);
  if (length < sizeof g_working_key) std::memcpy(g_working_key, key, length);
}

VL_API char *VL_CDECL GetWorkingKey(void) { return g_working_key; }

VL_API unsigned int VL_CDECL GetMasterKeyPosition(int code, unsigned short model, unsigned short version) {
  switch (code) {
    case 1: case 36: return 7;
    case 3: case 15: return 9;
    case 5: case 14: return 8;
    case 9: case 100: case 129: return GetItautecMasterKeyPosition(model, version);
    case 99: return 14;
    case 108: return 3;
    case 155: return 22;
    default: return 255;
  }
}

VL_API unsigned int VL_CDECL GetItautecMasterKeyPosition(unsigned short model, unsigned short version) {
  switch (model) {
    case 5: return version >= 3 ? 4 : 255;
    case 8: return 12;
    case 9: return 6;
    case 10: return 4;
    default: return 255;
  }
}

VL_API unsigned int VL_CDECL PosMasterKeyItau(short model) {
  switch (model) {
    case 2: case 4: case 6: case 7: case 8: case 10: return 4;
    case 3: return 12;
    case 5: return 6;
    default: return 99;
  }
}

VL_API int VL_CDECL GetMK(int code, int version, int variant, int *keyLength, char *key) {
  if (keyLength == nullptr || key == nullptr) return 0;
  const int index = select_master_key_row(code, version, variant);
  if (index < 0) return 0;
  const auto &row = vl::pin::kMasterKeyRows[index];
  const auto &secret = kMasterKeySecrets[index];
  *keyLength = row.key_digits;
  if (row.key_digits != 16 && row.key_digits != 32 && row.key_digits != 48) return 0;
  const auto key_bytes = static_cast<size_t>(row.key_digits) / 2;
  {
    char transport[vl::pin::kTransportDigits] = {};
    vl::WipeOnExit wipe_transport(transport, sizeof transport);
    vl::pin::build_transport_key(row, transport);
    for (size_t at = 0; at < key_bytes; at += kBlockBytes) {
      unsigned char clear[kBlockBytes] = {};
      vl::WipeOnExit wipe_clear(clear, sizeof clear);
      tripleDES_EDE(1, vl::pin::kTransportDigits, transport, secret.bytes + at, clear);
      Bin2ASC(key + 2 * at, clear, 2 * kBlockBytes);
    }
  }  // the transport key is wiped here, before the check
  const unsigned char zero[kBlockBytes] = {};
  unsigned char check[kBlockBytes] = {};
  vl::WipeOnExit wipe_check(check, sizeof check);
  tripleDES_EDE(0, row.key_digits, key, zero, check);
  return std::memcmp(check, secret.bytes + key_bytes, kCheckBytes) == 0 ? 1 : 0;
}

VL_API void VL_CDECL DescriptoPINItau(const char *encrypted, char *pin) {
  if (encrypted == nullptr || pin == nullptr) return;
  pin[0] = '\0';
  if (!leads_with<is_upper_hex_digit>(encrypted, kFieldDigits)) return;
  unsigned char clear[kBlockBytes] = {};
  vl::WipeOnExit wipe_clear(clear, sizeof clear);
  open_itau_block(encrypted, dezonarr_field, clear);
  for (size_t i = 2; i < kBlockBytes; ++i) clear[i] ^= vl::secrets::pin_itau_mask[0];
  unsigned length = clear[0] & 0x0F;
  if (length > kLongestPin) length = kLongestPin;
  if (length == 0) return;
  zonarr(clear + 1, pin, length);
  pin[length] = '\0';
}

VL_API void VL_CDECL DescriptoPINDESItau(const char *encrypted, unsigned char encryptedLength, const char *pan,
                                         unsigned char panLength, char *pin, unsigned char *pinSize) {
  if (encrypted == nullptr || pan == nullptr || pin == nullptr || pinSize == nullptr) return;
  const size_t size = *pinSize;
  if (size == 0 || encryptedLength > 32) return;
  std::memset(pin, 0, size);
  *pinSize = 0;
  if (encryptedLength != 16 && encryptedLength != 32) return;
  if (vl::bounded_length(encrypted, encryptedLength) < encryptedLength) return;
  if (!leads_with<is_hex_digit>(encrypted, kFieldDigits)) return;
  if (panLength < 4) return;
  const size_t card_digits = panLength - 3u < 9u ? panLength - 3u : 9u;
  if (vl::bounded_length(pan, 3 + card_digits) < 3 + card_digits) return;

  unsigned char clear[kBlockBytes] = {};
  vl::WipeOnExit wipe_clear(clear, sizeof clear);
  open_itau_block(encrypted, hex_field, clear);
  // "0000", the card digits 4 onwards (at most 9), "F" to 16 digits.
  char card_text[kFieldDigits] = {};
  vl::WipeOnExit wipe_card_text(card_text, sizeof card_text);
  std::memset(card_text, 'F', kFieldDigits);
  std::memcpy(card_text, "0000", 4);
  std::memcpy(card_text + 4, pan + 3, card_digits);
  unsigned char card_field_bytes[kBlockBytes] = {};
  vl::WipeOnExit wipe_card_field_bytes(card_field_bytes, sizeof card_field_bytes);
  ASC2BinEx(card_field_bytes, kBlockBytes, card_text, kFieldDigits);
  OperacaoXOR(clear, clear, card_field_bytes, kBlockBytes);
  size_t length = clear[0] & 0x0F;
  if (length > static_cast<size_t>(kLongestPin)) length = kLongestPin;
  if (length > size - 1) length = size - 1;
  zonarr(clear + 1, pin, static_cast<unsigned>(length));
  *pinSize = static_cast<unsigned char>(length);
}

VL_API void VL_CDECL GeraSenhaSenff(const char *password, char *out) {
  if (password == nullptr || out == nullptr) return;
  constexpr size_t kDigits = 6;
  const size_t length = vl::bounded_length(password, kDigits);
  char field[kDigits] = {};
  vl::WipeOnExit wipe_field(field, sizeof field);
  std::memset(field, '0', kDigits - length);
  std::memcpy(field + kDigits - length, password, length);
  for (size_t i = 0; i < kDigits; ++i) {
    const int digit = vl::is_digit(field[i]) ? field[i] - '0' : 0;
    out[i] = static_cast<char>('0' + (digit + vl::secrets::pin_senff_offsets[i]) % 10);
  }
  out[kDigits] = '\0';
}

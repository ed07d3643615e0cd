// Radix texts up to 36, the two-character Verta code, the radix-32 packing of three decimal
// fields and the byte-oriented run-length coding.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/text.h"
#include "vertalib/convert.h"

namespace {

constexpr int kMaxRadix = 36;

constexpr char radix_digit(unsigned value) { return "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[value]; }

// The digit value toDeci gives a character: c - '0' for decimal digits, c - 55 for every
// other character, so 'A'..'Z' are 10..35 and characters below 'A' come out small or negative.
// Bytes above 0x7F are read as signed codes (0xFF is -1) whatever the platform's char is.
constexpr int digit_value(char c) {
  const int code = static_cast<signed char>(c);
  return (code >= '0' && code <= '9') ? code - '0' : code - 55;
}

// ---- the Verta code ----

// A two-character code and the two radix-36 digits of the same number.
struct VertaPair {
  char verta[2];
  char base36[2];
};

constexpr int kFirstVerta = 10;
constexpr int kFirstLettered = 100;  // from here on: a digit '0'..'8' and a letter
constexpr int kLastVerta = 333;
constexpr int kVertaCount = kLastVerta - kFirstVerta + 1;

constexpr VertaPair verta_pair(int number) {
  VertaPair pair{};
  if (number < kFirstLettered) {
    pair.verta[0] = static_cast<char>('0' + number / 10);
    pair.verta[1] = static_cast<char>('0' + number % 10);
  } else {
    pair.verta[0] = static_cast<char>('0' + (number - kFirstLettered) / 26);
    pair.verta[1] = static_cast<char>('A' + (number - kFirstLettered) % 26);
  }
  pair.base36[0] = radix_digit(static_cast<unsigned>(number / kMaxRadix));
  pair.base36[1] = radix_digit(static_cast<unsigned>(number % kMaxRadix));
  return pair;
}

// Row i holds the number kFirstVerta + i.
constexpr std::array<VertaPair, kVertaCount> make_verta_table() {
  std::array<VertaPair, kVertaCount> table{};
  for (int i = 0; i < kVertaCount; ++i) table[static_cast<size_t>(i)] = verta_pair(kFirstVerta + i);
  return table;
}
constexpr std::array<VertaPair, kVertaCount> kVertaTable = make_verta_table();

constexpr bool pair_is(const char (&pair)[2], const char *text) {
  return pair[0] == text[0] && pair[1] == text[1];
}
static_assert(pair_is(kVertaTable[0].verta, "10") && pair_is(kVertaTable[0].base36, "0A"));
static_assert(pair_is(kVertaTable[89].base36, "2R") && pair_is(kVertaTable[90].base36, "2S"));
static_assert(pair_is(kVertaTable[kVertaCount - 1].verta, "8Z") &&
              pair_is(kVertaTable[kVertaCount - 1].base36, "99"));

// The row whose verta (or base36) column holds the two characters, or null.
const VertaPair *find_verta(const char *code) {
  for (const VertaPair &pair : kVertaTable)
    if (pair_is(pair.verta, code)) return &pair;
  return nullptr;
}
const VertaPair *find_base36(const char *text) {
  for (const VertaPair &pair : kVertaTable)
    if (pair_is(pair.base36, text)) return &pair;
  return nullptr;
}

int verta_number(const VertaPair *pair) { return kFirstVerta + static_cast<int>(pair - kVertaTable.data()); }

void copy_pair(char *out, const char *pair) {
  out[0] = pair[0];
  out[1] = pair[1];
}

// ---- radix-32 fields ----

constexpr int kFieldRadix = 32;
constexpr int kWideFieldDigits = 3;   // fields 1 and 2, 0..9999
constexpr int kNarrowFieldDigits = 2;  // field 3, 0..999
constexpr int kWideFieldMax = 9999;
constexpr int kNarrowFieldMax = 999;

constexpr bool is_field_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'V'); }

// Reads `digits` characters of code from *position with toDeci in radix 32; *valid turns
// false when one of them is not a radix-32 digit (a NUL included: reading stops there).
int read_field(const char *code, size_t &position, int digits, bool &valid) {
  char field[kWideFieldDigits + 1] = {};
  for (int i = 0; i < digits; ++i) {
    const char c = code[position];
    if (!is_field_digit(c)) valid = false;
    if (c == '\0') break;
    field[i] = c;
    ++position;
  }
  return toDeci(field, kFieldRadix);
}

// value (0 .. 10^digits - 1) as exactly `digits` decimal digits, then a NUL.
void write_decimal(char *out, int value, int digits) {
  for (int i = digits - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
  out[digits] = '\0';
}

// ---- run-length coding ----

constexpr unsigned char kCountMask = 0xC0;
constexpr unsigned char kCountTag = 0x80;  // top bits 10 mark a count byte
constexpr unsigned kMaxRun = 64;

constexpr bool is_count_byte(unsigned char b) { return (b & kCountMask) == kCountTag; }
constexpr unsigned run_of(unsigned char count_byte) { return (count_byte & 0x3Fu) + 1; }

}  // namespace

extern "C" {

VL_API int VL_CDECL toDeci(const char *text, int radix) {
  if (text == nullptr) return 0;
  // Unsigned arithmetic: the 32-bit sum and place value wrap instead of overflowing.
  uint32_t sum = 0;
  uint32_t place = 1;
  for (size_t i = std::strlen(text); i-- > 0;) {
    const int digit = digit_value(text[i]);
    if (digit >= radix) {
      std::puts("Invalid Number");
      return -1;
    }
    sum += static_cast<uint32_t>(digit) * place;
    place *= static_cast<uint32_t>(radix);
  }
  return static_cast<int>(sum);
}

VL_API char *VL_CDECL fromDeci(char *out, int radix, int value, int size) {
  if (size < 1) return out;
  const bool has_digits = value > 0 && radix >= 2 && radix <= kMaxRadix;
  // From the right: the last size - 1 digits, the places left of the value's digits '0'.
  unsigned remaining = has_digits ? static_cast<unsigned>(value) : 0;
  for (int i = size - 2; i >= 0; --i) {
    out[i] = has_digits ? radix_digit(remaining % static_cast<unsigned>(radix)) : '0';
    if (has_digits) remaining /= static_cast<unsigned>(radix);
  }
  out[size - 1] = '\0';
  return out;
}

VL_API int VL_CDECL convertBase36toDecimal(const char *text) { return toDeci(text, kMaxRadix); }

VL_API char *VL_CDECL convertDecimaltoBase36(int value, char *out, unsigned int size) {
  return fromDeci(out, kMaxRadix, value, static_cast<int>(size));
}

VL_API int VL_CDECL convertB36VertatoDecimal(const char *code) {
  const VertaPair *pair = find_verta(code);
  if (pair != nullptr) return verta_number(pair);
  const char text[3] = {code[0], code[0] == '\0' ? '\0' : code[1], '\0'};
  return toDeci(text, kMaxRadix);
}

VL_API void VL_CDECL convertDecimaltoB36Verta(int value, char *out) {
  char text[3];
  fromDeci(text, kMaxRadix, value, 3);
  const VertaPair *pair = find_base36(text);
  copy_pair(out, pair != nullptr ? pair->verta : text);
}

VL_API void VL_CDECL convertB36VertatoBase36(const char *in, char *out) {
  const char code[2] = {in[0], in[1]};
  const VertaPair *pair = find_verta(code);
  copy_pair(out, pair != nullptr ? pair->base36 : code);
}

VL_API void VL_CDECL convertBase36toB36Verta(const char *in, char *out) {
  const char text[2] = {in[0], in[1]};
  const VertaPair *pair = find_base36(text);
  copy_pair(out, pair != nullptr ? pair->verta : text);
}

VL_API int VL_CDECL toBit41Base32(char *out, const char *field1, const char *field2,
                                  const char *field3) {
  char wide1[kWideFieldDigits + 1];
  char wide2[kWideFieldDigits + 1];
  char narrow[kNarrowFieldDigits + 1];
  fromDeci(wide1, kFieldRadix, vl::strtol32(field1), sizeof wide1);
  fromDeci(wide2, kFieldRadix, vl::strtol32(field2), sizeof wide2);
  fromDeci(narrow, kFieldRadix, vl::strtol32(field3), sizeof narrow);
  return std::snprintf(out, 2 * kWideFieldDigits + kNarrowFieldDigits + 1, "%s%s%s", wide1, wide2,
                       narrow);
}

VL_API int VL_CDECL fromBit41Base32(const char *code, char *field1, char *field2, char *field3) {
  bool valid = true;
  size_t position = 0;
  int first = read_field(code, position, kWideFieldDigits, valid);
  int second = read_field(code, position, kWideFieldDigits, valid);
  int third = read_field(code, position, kNarrowFieldDigits, valid);
  if (!valid || first > kWideFieldMax || second > kWideFieldMax || third > kNarrowFieldMax) {
    first = second = third = 0;
    valid = false;
  }
  write_decimal(field1, first, 4);
  write_decimal(field2, second, 4);
  write_decimal(field3, third, 3);
  return valid ? 1 : 0;
}

VL_API unsigned int VL_CDECL RleEncode(unsigned char *out, const unsigned char *in,
                                       unsigned int count) {
  unsigned written = 0;
  for (unsigned p = 0; p < count;) {
    const unsigned char b = in[p];
    const unsigned limit = count - p < kMaxRun ? count - p : kMaxRun;
    unsigned run = 1;
    while (run < limit && in[p + run] == b) ++run;
    // Runs of three or more, and every byte that looks like a count byte, go as a pair;
    // a pair of equal ordinary bytes costs no more as two literals.
    if (run > 2 || is_count_byte(b)) {
      out[written++] = static_cast<unsigned char>(kCountTag + (run - 1));
      out[written++] = b;
      p += run;
    } else {
      out[written++] = b;
      ++p;
    }
  }
  return written;
}

VL_API unsigned int VL_CDECL RleDecode(unsigned char *out, const unsigned char *in,
                                       unsigned int count, unsigned int size) {
  unsigned written = 0;
  for (unsigned i = 0; i < count; ++i) {
    unsigned n = 1;
    if (is_count_byte(in[i])) {
      if (i + 1 == count) return 0;  // a count byte with no data byte after it
      n = run_of(in[i++]);
    }
    // A run that does not fit refuses the whole input; the runs before it stay written.
    if (n > size - written) return 0;
    std::memset(out + written, in[i], n);
    written += n;
  }
  return written;
}

}  // extern "C"

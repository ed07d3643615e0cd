// Check digits: weighted modulus 10 (and Luhn), weighted modulus 11 in its variants, EAN-13,
// the CPF and CNPJ taxpayer numbers, authorisation codes, and the display form of a CPF or
// CNPJ.
#include <cstdint>
#include <cstring>

#include "frame/text.h"
#include "vertalib/checkdigits.h"

namespace {

constexpr size_t kCpfLength = 11;
constexpr size_t kCnpjLength = 14;
constexpr int kCpfMaxWeight = 11;
constexpr int kCnpjMaxWeight = 9;
constexpr int kStandardMaxWeight = 9;
constexpr size_t kEanLength = 13;
constexpr size_t kControlArea = 128;

// The value a character takes in every sum: its code read as a signed byte, minus '0'.
constexpr int32_t value_of(char c) { return static_cast<signed char>(c) - '0'; }

// A signed 32-bit sum that wraps as the machine's would instead of overflowing.
class WrappingSum {
 public:
  void add(int64_t term) { bits_ += static_cast<uint32_t>(term); }
  int32_t value() const { return static_cast<int32_t>(bits_); }

 private:
  uint32_t bits_ = 0;
};

// Modulus 10: weights 2, 1, 2, ... from position length-1 leftwards; the weight changes only
// at a walked position, so the skipped one does not break the alternation. Each product adds
// p - 9 * (p / 10), the sum of its decimal digits for a digit.
int32_t modulus10_sum(const char *digits, int length, int skipIndex) {
  WrappingSum sum;
  if (length < 1) return sum.value();  // nothing weighed; length - 1 must not wrap
  int weight = 2;
  for (int position = length - 1; position >= 0; --position) {
    if (position == skipIndex) continue;
    const int32_t product = value_of(digits[position]) * weight;
    sum.add(product - 9 * (product / 10));
    weight = 3 - weight;
  }
  return sum.value();
}

// (10 - S mod 10) mod 10 with the remainder of truncating division; always 0..9.
int modulus10_digit(int32_t sum) { return (10 - sum % 10) % 10; }

// Modulus 11: weights 2, 3, ... up to maxWeight and back to 2, from position length-1
// leftwards, skipping skipIndex. A maxWeight below 3 leaves every weight at 2.
int32_t modulus11_sum(const char *digits, int length, int skipIndex, int maxWeight) {
  WrappingSum sum;
  if (length < 1) return sum.value();  // nothing weighed; length - 1 must not wrap
  int weight = 2;
  for (int position = length - 1; position >= 0; --position) {
    if (position == skipIndex) continue;
    sum.add(static_cast<int64_t>(value_of(digits[position])) * weight);
    weight = weight >= maxWeight ? 2 : weight + 1;
  }
  return sum.value();
}

// 11 - S mod 11 when that is a single digit; otherwise (remainders 0 and 1, and every
// negative sum, whose complement exceeds 11) the variant's digit for high remainders.
int modulus11_digit(int32_t sum, int highRemainderDigit) {
  const int complement = 11 - sum % 11;
  return complement <= 9 ? complement : highRemainderDigit;
}

char as_character(int digit) { return static_cast<char>('0' + digit); }

// The digit of the characters at length-2 down to 0 (high remainders giving 0) against the
// value of the character at length-1: 1 when they differ, 0 when it is right.
int check_last_dv11(const char *text, int length, int maxWeight) {
  if (length < 1) return 1;  // there is no character to test
  const int expected = modulus11_digit(modulus11_sum(text, length - 1, -1, maxWeight), 0);
  return expected == value_of(text[length - 1]) ? 0 : 1;
}

// A taxpayer number's two check digits, the second tested only when the first is right.
int check_taxpayer_number(const char *number, size_t length, int maxWeight) {
  if (number == nullptr || vl::bounded_length(number, length) < length) return 1;
  const int full = static_cast<int>(length);
  if (check_last_dv11(number, full - 1, maxWeight) != 0) return 1;
  return check_last_dv11(number, full, maxWeight);
}

// Appends text, up to its NUL, after the length characters already in area, as far as the
// area holds them with a NUL; returns the new length.
size_t append_bounded(char (&area)[kControlArea], size_t length, const char *text) {
  while (length < kControlArea - 1 && *text != '\0') area[length++] = *text++;
  area[length] = '\0';
  return length;
}

char *write_pieces(char *out, const char *text, const size_t *sizes, const char *separators,
                   size_t pieces) {
  for (size_t i = 0; i < pieces; ++i) {
    std::memcpy(out, text, sizes[i]);
    out += sizes[i];
    text += sizes[i];
    if (separators[i] != '\0') *out++ = separators[i];
  }
  *out = '\0';
  return out;
}

}  // namespace

extern "C" {

int MakeDv10(const char *digits, int length, int skipIndex) {
  return as_character(modulus10_digit(modulus10_sum(digits, length, skipIndex)));
}

int DAC10(const char *digits, int length) { return MakeDv10(digits, length, -1); }

int CheckDv10(const char *digits, int length, int dvIndex) {
  if (dvIndex < 0) return 0;
  return MakeDv10(digits, length, dvIndex) == digits[dvIndex] ? 1 : 0;
}

int ChaveLuhn(const char *number) {
  if (number == nullptr) return 0;
  const size_t length = std::strlen(number);
  if (length == 0) return 0;
  const int weighed = static_cast<int>(length - 1);
  return MakeDv10(number, weighed, -1) == number[weighed] ? 1 : 0;
}

int MakeDv11(const char *digits, int length, int skipIndex, int maxWeight, int mode) {
  const int highRemainderDigit = mode > 0 ? 1 : 0;
  return as_character(
      modulus11_digit(modulus11_sum(digits, length, skipIndex, maxWeight), highRemainderDigit));
}

int DAC11(const char *digits, int length) {
  return MakeDv11(digits, length, -1, kStandardMaxWeight, 0);
}

int CheckDv11(const char *digits, int length, int dvIndex, int maxWeight, int mode) {
  if (dvIndex < 0) return 0;
  return MakeDv11(digits, length, dvIndex, maxWeight, mode) == digits[dvIndex] ? 1 : 0;
}

int ControleDAC(char *out, const char *part1, const char *part2, const char *part3) {
  if (out == nullptr || part1 == nullptr || part2 == nullptr || part3 == nullptr) return 0;
  char whole[kControlArea];
  size_t length = append_bounded(whole, 0, part1);
  length = append_bounded(whole, length, part2);
  length = append_bounded(whole, length, part3);
  const char digit = static_cast<char>(MakeDv10(whole, static_cast<int>(length), -1));
  // part2 and part3 count in the digit only; out repeats part1 whole.
  const size_t first = std::strlen(part1);
  std::memmove(out, part1, first);
  out[first] = digit;
  out[first + 1] = '\0';
  return static_cast<int>(first + 1);
}

int VL_STDCALL ControleDAC_StdCall(char *out, const char *part1, const char *part2,
                                   const char *part3) {
  return ControleDAC(out, part1, part2, part3);
}

int calculateDVEAN13(const char *digits) {
  WrappingSum sum;
  int weight = 1;
  for (const char *c = digits; *c != '\0'; ++c) {
    sum.add(value_of(*c) * weight);
    weight = 4 - weight;
  }
  const int32_t remainder = sum.value() % 10;
  return remainder == 0 ? 0 : 10 - remainder;
}

int verifyDVEAN13(const char *code) {
  if (vl::bounded_length(code, kEanLength + 1) != kEanLength) return 0;
  char body[kEanLength] = {};
  std::memcpy(body, code, kEanLength - 1);
  return calculateDVEAN13(body) == value_of(code[kEanLength - 1]) ? 1 : 0;
}

int chk_cpf(const char *cpf) { return check_taxpayer_number(cpf, kCpfLength, kCpfMaxWeight); }

int chk_cgc(const char *cnpj) { return check_taxpayer_number(cnpj, kCnpjLength, kCnpjMaxWeight); }

int chk_cod_autor(const char *code, int length) {
  return check_last_dv11(code, length, kStandardMaxWeight);
}

int FormatCPFCNPJ(char *out, const char *number, int *isCnpj) {
  if (out == nullptr || number == nullptr || isCnpj == nullptr) return 0;
  *isCnpj = 0;
  // A copy, so that out may be the caller's number itself.
  char kept[kCnpjLength + 1];
  size_t length = vl::bounded_length(number, kCnpjLength);
  std::memcpy(kept, number, length);
  while (length > 0 && kept[length - 1] == ' ') --length;
  if (length == kCpfLength) {
    static constexpr size_t kSizes[] = {3, 3, 3, 2};
    return static_cast<int>(write_pieces(out, kept, kSizes, "..-", 4) - out);
  }
  if (length == kCnpjLength) {
    static constexpr size_t kSizes[] = {2, 3, 3, 4, 2};
    *isCnpj = 1;
    return static_cast<int>(write_pieces(out, kept, kSizes, "../-", 5) - out);
  }
  out[0] = '\0';
  return 0;
}

}  // extern "C"

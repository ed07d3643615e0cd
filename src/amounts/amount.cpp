// Amount strings in centavos: display form, sums and differences, separator removal,
// decimal and floating-point forms, and the offline floor limit.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convert/decimal.h"
#include "convert/number.h"
#include "frame/heap.h"
#include "frame/state.h"
#include "frame/text.h"
#include "vertalib/amounts.h"
#include "vertalib/convert.h"

namespace {

constexpr char kDisplayMask[] = "9.999.999.999,99";
constexpr int kMaskLength = sizeof kDisplayMask - 1;  // 16
constexpr int kAmountDigits = 12;
constexpr size_t kSumBufferSize = 32;

bool is_separator(char c) { return c == ',' || c == '.'; }

// Characters with a code (as a signed byte) up to '0' lead an amount without showing in
// it: zeros, blanks, a minus sign.
bool is_leading_filler(char c) { return static_cast<signed char>(c) <= '0'; }

char g_shared_display[kMaskLength + 1];
thread_local char t_thread_display[kMaskLength + 1];
char g_sum_result[kSumBufferSize];
char g_difference_result[kSumBufferSize];
char g_double_result[16];

double read_operand(const char *text) { return text == nullptr ? 0.0 : vl::read_decimal(text); }

// value rounded to whole centavos, right-aligned in 12 characters with '0' in place of the
// leading blanks (a minus sign stays where the formatting put it); a wider result is
// written whole. out holds kSumBufferSize bytes; returns the length.
size_t write_amount(double value, char *out) {
  char digits[kSumBufferSize];
  const int length = vl::format_fixed(digits, sizeof digits, value, 0);
  if (length < 0) {  // beyond any amount: nothing sensible to show
    out[0] = '\0';
    return 0;
  }
  const size_t fill = length < kAmountDigits ? static_cast<size_t>(kAmountDigits - length) : 0;
  std::memset(out, '0', fill);
  std::memcpy(out + fill, digits, static_cast<size_t>(length) + 1);
  return fill + static_cast<size_t>(length);
}

// The Ex forms copy the text with its NUL when it fits outSize, else clear outSize bytes.
void copy_or_clear(char *out, unsigned short outSize, const char *text, size_t length) {
  if (length > outSize) {
    std::memset(out, 0, outSize);
    return;
  }
  std::memcpy(out, text, length + 1);
}

char *display_buffer() { return vl::library_mode() == 1 ? t_thread_display : g_shared_display; }

char *format_sum(double sum) {
  char text[kSumBufferSize];
  const size_t length = write_amount(sum, text);
  return FormatValor(text, static_cast<int>(length));
}

// Edits kAmountDigits digits (or fewer) in display form: leading characters that are not
// 1..9 are skipped, ',' goes before the last two digits and '.' before each further group
// of three. Fewer than three significant digits overwrite the end of "0,00". Returns the
// number of characters written; no NUL.
int edit_display_digits(const char *digits, size_t count, char *out) {
  size_t first = 0;
  while (first < count && !(digits[first] >= '1' && digits[first] <= '9')) ++first;
  const size_t remaining = count - first;
  if (remaining < 3) {
    std::memcpy(out, "0,00", 4);
    std::memcpy(out + 4 - remaining, digits + first, remaining);
    return 4;
  }
  int written = 0;
  for (size_t i = first; i < count; ++i) {
    out[written++] = digits[i];
    const size_t after = count - 1 - i;
    if (after == 2) {
      out[written++] = ',';
    } else if (after >= 5 && (after - 5) % 3 == 0) {
      out[written++] = '.';
    }
  }
  return written;
}

}  // namespace

extern "C" {

VL_API char *VL_CDECL FormatValor(const char *digits, int length) {
  char *result = display_buffer();
  std::memset(result, 0, kMaskLength + 1);
  if (digits == nullptr || length <= 0) return result;
  int remaining = static_cast<int>(vl::bounded_length(digits, static_cast<size_t>(length)));
  int mask = 0;
  // Each dropped leading character moves the mask on by one digit position (stepping over
  // a separator), so the remaining digits still land in their places.
  while (remaining > 3 && is_leading_filler(*digits) && mask < kMaskLength) {
    ++digits;
    --remaining;
    ++mask;
    if (mask < kMaskLength && kDisplayMask[mask] != '9') ++mask;
  }
  int written = 0;
  for (; remaining > 0 && mask < kMaskLength; ++mask) {
    if (kDisplayMask[mask] == '9') {
      result[written++] = *digits++;
      --remaining;
    } else {
      result[written++] = kDisplayMask[mask];
    }
  }
  return result;
}

VL_API char *VL_CDECL EditValorTransacao(const char *a, const char *b) {
  return format_sum(read_operand(a) + read_operand(b));
}

VL_API char *VL_CDECL EditValorTransacaoEx(const char *a, const char *b, const char *c,
                                           const char *d, const char *e) {
  return format_sum(read_operand(a) + read_operand(b) + read_operand(c) + read_operand(d) +
                    read_operand(e));
}

VL_API char *VL_CDECL SomaValorTransacao(const char *a, const char *b, const char *c,
                                         const char *d) {
  write_amount(read_operand(a) + read_operand(b) + read_operand(c) + read_operand(d),
               g_sum_result);
  return g_sum_result;
}

VL_API void VL_CDECL SomaValorTransacaoEx(char *out, unsigned short outSize, const char *a,
                                          const char *b, const char *c, const char *d) {
  char text[kSumBufferSize];
  const size_t length =
      write_amount(read_operand(a) + read_operand(b) + read_operand(c) + read_operand(d), text);
  copy_or_clear(out, outSize, text, length);
}

VL_API char *VL_CDECL SubtraiValorTransacao(const char *a, const char *b) {
  write_amount(read_operand(a) - read_operand(b), g_difference_result);
  return g_difference_result;
}

VL_API void VL_CDECL SubtraiValorTransacaoEx(char *out, unsigned short outSize, const char *a,
                                             const char *b) {
  char text[kSumBufferSize];
  const size_t length = write_amount(read_operand(a) - read_operand(b), text);
  copy_or_clear(out, outSize, text, length);
}

VL_API void VL_CDECL RetiraVirgula(char *text) {
  if (text == nullptr) return;
  const size_t length = std::strlen(text);
  if (length < 4 || !is_separator(text[length - 3])) return;
  // Only the first 12 characters are looked at; whatever follows them is lost.
  const size_t scanned = length < 12 ? length : 12;
  size_t kept = 0;
  for (size_t i = 0; i < scanned; ++i)
    if (!is_separator(text[i])) text[kept++] = text[i];
  text[kept] = '\0';
}

VL_API int VL_CDECL RetiraVirgulaEx(char *text, int maxLen) {
  if (text == nullptr) return 0;
  const size_t length = std::strlen(text);
  if (length < 4 || !is_separator(text[length - 3]) || maxLen < 1) return 0;
  const auto capacity = static_cast<size_t>(maxLen);
  auto *work = static_cast<char *>(vl::heap_alloc(capacity));
  if (work == nullptr) return 0;
  size_t kept = 0;
  int dropped = 0;
  for (size_t i = 0; i < length && kept < capacity - 1; ++i) {
    if (is_separator(text[i])) {
      ++dropped;
    } else {
      work[kept++] = text[i];
    }
  }
  std::memcpy(text, work, kept + 1);
  vl::heap_free_wiped(work, capacity);
  return dropped <= 1 ? 1 : 0;
}

VL_API int VL_CDECL RetiraSeparadorMilharDecimal(char *text) {
  const size_t length = std::strlen(text);
  if (length < 4 || length > 16) return 0;
  char thousands = 0;
  if (text[length - 3] == ',') {
    thousands = '.';
  } else if (text[length - 3] == '.') {
    thousands = ',';
  } else {
    return 0;
  }
  char digits[17];
  size_t kept = 0;
  // The first group may hold up to four digits; every later group exactly three, each
  // after a thousands separator.
  size_t group_left = length % 4 + 1;
  for (size_t i = 0; i + 3 < length; ++i) {
    if (vl::is_digit(text[i]) && group_left > 0) {
      digits[kept++] = text[i];
      --group_left;
    } else if (text[i] == thousands && group_left == 0) {
      group_left = 3;
    } else {
      return 0;
    }
  }
  digits[kept++] = text[length - 2];
  digits[kept++] = text[length - 1];
  std::memcpy(text, digits, kept);
  text[kept] = '\0';
  return 1;
}

VL_API void VL_CDECL SubstituiVirgulaPorPonto(char *text, int maxLen) {
  for (int i = 0; i < maxLen && text[i] != '\0'; ++i)
    if (text[i] == ',') text[i] = '.';
}

VL_API void VL_CDECL StrInsertVirgula(char *text, int length) {
  if (length <= 0 || text[0] == '\0') {
    std::memcpy(text, "0", 2);
    length = 1;
  }
  if (length <= 2) {
    char number[3] = {text[0], length == 2 ? text[1] : '\0', '\0'};
    const long value = std::strtol(number, nullptr, 10);
    char padded[16];
    const int n = std::snprintf(padded, sizeof padded, "%03ld", value);
    std::memcpy(text, padded, static_cast<size_t>(n) + 1);
    length = n;
  }
  const auto end = static_cast<size_t>(length);
  text[end + 1] = '\0';
  text[end] = text[end - 1];
  text[end - 1] = text[end - 2];
  text[end - 2] = ',';
}

VL_API void VL_CDECL StrCpyValor(char *out, const char *in) {
  size_t kept = 0;
  for (size_t i = 0; i < 16 && in[i] != '\0' && kept < kAmountDigits; ++i)
    if (vl::is_digit(in[i])) out[kept++] = in[i];
  out[kept] = '\0';
}

VL_API int VL_CDECL FormataValorDbl(double centavos, char *out) {
  char digits[kAmountDigits];
  _dtoasc(digits, std::fabs(centavos), kAmountDigits);
  if (centavos < 0) *out++ = '-';
  return edit_display_digits(digits, kAmountDigits, out);
}

VL_API int VL_CDECL FormataValorDecimal(const char *digits, int length, unsigned char decimals,
                                        char *out) {
  int first = 0;
  while (first < length && !(digits[first] >= '1' && digits[first] <= '9')) ++first;
  const int count = length > first ? length - first : 0;
  if (count <= decimals) {
    // "0," then the decimal places as zeros ("%0*d" of 0, so at least one), the
    // significant digits overwriting the last of them.
    const int written = std::snprintf(out, 260, "0,%0*d", static_cast<int>(decimals), 0);
    std::memcpy(out + written - count, digits + first, static_cast<size_t>(count));
    return written;
  }
  const int integer_digits = count - decimals;
  int written = 0;
  for (int i = 0; i < count; ++i) {
    out[written++] = digits[first + i];
    const int after = count - 1 - i;
    if (after == decimals) {
      out[written++] = ',';
    } else if (i < integer_digits) {
      const int integer_after = integer_digits - 1 - i;
      if (integer_after > 0 && integer_after % 3 == 0) out[written++] = '.';
    }
  }
  out[written] = '\0';
  return written;
}

VL_API float VL_CDECL ConvertValorToFloat(const char *digits) {
  constexpr size_t kMaxDigits = 30;
  if (digits == nullptr) return 0.0f;
  size_t length = vl::bounded_length(digits, kMaxDigits);
  if (length == 0) return 0.0f;
  char text[32];
  if (length == 1) {
    std::memcpy(text, "0.0", 3);
    text[3] = digits[0];
    text[4] = '\0';
  } else if (length == 2) {
    std::memcpy(text, "0.", 2);
    std::memcpy(text + 2, digits, 2);
    text[4] = '\0';
  } else {
    std::memcpy(text, digits, length - 2);
    text[length - 2] = '.';
    std::memcpy(text + length - 1, digits + length - 2, 2);
    text[length + 1] = '\0';
  }
  return static_cast<float>(vl::read_decimal(text));
}

VL_API float VL_CDECL ASC2Float(const char *text, unsigned int count) {
  char work[32] = {};
  std::strncpy(work, text, count < 31 ? count : 31);
  return ConvertValorToFloat(work);
}

VL_API void VL_CDECL ConvertValorFromBD2Bit4(char *out, const char *in, unsigned short inLen) {
  char kept[kAmountDigits];
  int count = 0;
  int decimals = -1;  // -1 until the decimal separator is seen
  for (size_t i = 0; i < inLen && in[i] != '\0' && decimals < 2; ++i) {
    if (vl::is_digit(in[i])) {
      if (count < kAmountDigits) kept[count++] = in[i];
      if (decimals >= 0) ++decimals;
    } else if (is_separator(in[i]) && decimals < 0) {
      decimals = 0;
    }
  }
  if (decimals < 0) decimals = 0;
  std::memset(out, '0', kAmountDigits);
  // The last kept digit lands at index 9 + decimals: two decimals fill the last place,
  // fewer leave '0's after it. Digits beyond the 10 integer places are dropped from the
  // left rather than written before out.
  const int start = 10 + decimals - count;
  for (int i = 0; i < count; ++i)
    if (start + i >= 0) out[start + i] = kept[i];
}

VL_API char *VL_CDECL DoubleToValor(double value) {
  char digits[400];
  int point = 0;
  const int count =
      vl::fixed_point_digits(value, value == 0.0 ? 3 : 2, digits, sizeof digits, &point);
  char text[420];
  size_t length = 0;
  if (count < 0) {
    text[0] = '\0';
  } else if (point <= 0) {
    std::memcpy(text, "0.", 2);
    length = 2;
    for (int i = point; i < 0; ++i) text[length++] = '0';
    std::memcpy(text + length, digits, static_cast<size_t>(count));
    length += static_cast<size_t>(count);
  } else {
    const size_t integer = static_cast<size_t>(point < count ? point : count);
    std::memcpy(text, digits, integer);
    text[integer] = '.';
    std::memcpy(text + integer + 1, digits + integer, static_cast<size_t>(count) - integer);
    length = static_cast<size_t>(count) + 1;
  }
  // The result buffer holds 15 characters and the NUL; a magnitude of 10^12 or more is cut.
  if (length > sizeof g_double_result - 1) length = sizeof g_double_result - 1;
  std::memcpy(g_double_result, text, length);
  g_double_result[length] = '\0';
  return g_double_result;
}

VL_API void VL_CDECL SomaStrNumeroDecimal(char *out, int outSize, int decimals, const char *in) {
  // A negative precision means printf's default of six places.
  const int places = decimals < 0 ? 6 : decimals;
  char text[33];
  const int length = vl::format_fixed(text, sizeof text, read_operand(in), places);
  if (length < 0 || length > outSize) return;
  std::memcpy(out, text, static_cast<size_t>(length) + 1);
}

VL_API int VL_CDECL ValorLimiteOffLine(const char *amount, const char *limitHex) {
  if (amount == nullptr || limitHex == nullptr || vl::bounded_length(limitHex, 9) != 8) return 0;
  const auto limit = static_cast<int32_t>(ASCHex2Long(limitHex, 8));
  if (limit == 0) return 0;
  return vl::strtol32(amount) <= limit ? 1 : 0;
}

}  // extern "C"

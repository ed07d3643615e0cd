#include "convert/decimal.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/text.h"
#include "platform/platform.h"

namespace vl {
namespace {

constexpr int kMaxDecimals = 100;
constexpr size_t kWorkSize = 512;  // "%.100f" of the largest double fits

// White space as the C library's strtod skips it.
bool is_c_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// True when value lies exactly halfway between two multiples of 10^-decimals: then
// value * 10^decimals * 2 is an odd integer, which for value = m * 2^e (m odd) happens
// exactly when e == -(decimals + 1).
bool is_exact_half(double value, int decimals) {
  if (value == 0.0 || !std::isfinite(value)) return false;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  while ((mantissa & 1u) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  return exponent == -(decimals + 1);
}

// Adds one unit in the last place to the digits of text (a "%f" text, sign kept).
size_t increment_magnitude(char *text, size_t length) {
  for (size_t i = length; i-- > 0;) {
    if (text[i] == '.') continue;
    if (!vl::is_digit(text[i])) break;  // reached the sign
    if (text[i] != '9') {
      ++text[i];
      return length;
    }
    text[i] = '0';
  }
  // Every digit carried: a new leading 1 goes after the sign.
  const size_t first = (text[0] == '-') ? 1 : 0;
  std::memmove(text + first + 1, text + first, length - first + 1);
  text[first] = '1';
  return length + 1;
}

}  // namespace

double read_decimal(const char *text, const char **end) {
  const char *p = text;
  while (is_c_space(*p)) ++p;
  const char *start = p;
  if (*p == '+' || *p == '-') ++p;
  const char *mantissa = p;
  while (vl::is_digit(*p)) ++p;
  const bool integer_digits = p > mantissa;
  bool fraction_digits = false;
  if (*p == '.') {
    const char *fraction = ++p;
    while (vl::is_digit(*p)) ++p;
    fraction_digits = p > fraction;
  }
  if (!integer_digits && !fraction_digits) {
    if (end != nullptr) *end = text;
    return 0.0;
  }
  if (mantissa[0] == '0' && (mantissa[1] == 'x' || mantissa[1] == 'X')) {
    // strtod would read hexadecimal here; a decimal reader stops after the 0.
    if (end != nullptr) *end = mantissa + 1;
    return *start == '-' ? -0.0 : 0.0;
  }
  char *stop = nullptr;
  const double value = platform::parse_double_c(start, &stop);
  if (end != nullptr) *end = stop;
  return value;
}

int format_fixed(char *out, size_t capacity, double value, int decimals) {
  if (decimals < 0 || decimals > kMaxDecimals) return -1;
  char work[kWorkSize];
  int length = 0;
  if (is_exact_half(value, decimals)) {
    // One more place shows the value exactly, ending in 5: drop that 5 and round the
    // magnitude up.
    length = platform::format_fixed_c(work, sizeof work - 1, decimals + 1, value);
    if (length < 0) return -1;
    length -= (decimals == 0) ? 2 : 1;
    work[length] = '\0';
    length = static_cast<int>(increment_magnitude(work, static_cast<size_t>(length)));
  } else {
    length = platform::format_fixed_c(work, sizeof work, decimals, value);
    if (length < 0) return -1;
  }
  if (static_cast<size_t>(length) >= capacity) return -1;
  std::memcpy(out, work, static_cast<size_t>(length) + 1);
  return length;
}

int fixed_point_digits(double value, int decimals, char *out, size_t capacity,
                       int *decimal_point) {
  if (value == 0.0) {
    if (decimals < 0 || static_cast<size_t>(decimals) >= capacity) return -1;
    std::memset(out, '0', static_cast<size_t>(decimals));
    out[decimals] = '\0';
    *decimal_point = 0;
    return decimals;
  }
  char text[kWorkSize];
  const int length = format_fixed(text, sizeof text, std::fabs(value), decimals);
  if (length < 0) return -1;
  const char *dot = std::strchr(text, '.');
  int point = dot != nullptr ? static_cast<int>(dot - text) : length;
  char digits[kWorkSize];
  size_t count = 0;
  for (const char *p = text; *p != '\0'; ++p)
    if (*p != '.') digits[count++] = *p;
  size_t first = 0;
  while (first < count && digits[first] == '0') {
    ++first;
    --point;
  }
  const size_t kept = count - first;
  if (kept >= capacity) return -1;
  std::memcpy(out, digits + first, kept);
  out[kept] = '\0';
  *decimal_point = point;
  return static_cast<int>(kept);
}

}  // namespace vl

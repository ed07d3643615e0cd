// Plain-ASCII character classes (one byte per character), empty texts, decimal integers
// and the reading of the interface's int counts, for every family.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace vl {

// A count or width from the interface; a negative one counts as 0.
constexpr size_t non_negative(int value) { return value > 0 ? static_cast<size_t>(value) : 0; }

// The length of text up to its NUL, reading at most limit characters.
constexpr size_t bounded_length(const char *text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

// strtol in base 10 (blanks, a sign, digits up to the first other character), clamped to
// the signed 32-bit range.
inline int32_t strtol32(const char *text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// A null pointer counts as an empty text.
constexpr bool is_empty(const char *text) { return text == nullptr || text[0] == '\0'; }

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool is_blank(char c) { return c == ' '; }
// The upper-case hexadecimal digit of the low four bits of value.
constexpr char hex_digit(unsigned value) { return "0123456789ABCDEF"[value & 0x0F]; }

constexpr char to_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace vl

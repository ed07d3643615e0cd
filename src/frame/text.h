// Plain-ASCII character classes (one byte per character), empty texts and the reading of
// the interface's int counts, for every family.
#pragma once

#include <cstddef>

namespace vl {

// A count or width from the interface; a negative one counts as 0.
constexpr size_t non_negative(int value) { return value > 0 ? static_cast<size_t>(value) : 0; }

// The length of text up to its NUL, reading at most limit characters.
constexpr size_t bounded_length(const char *text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
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

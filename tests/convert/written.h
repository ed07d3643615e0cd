// What a conversion leaves in an output buffer that starts as a known pattern, so bytes past
// the output (and a missing or extra NUL) show in the expected text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>

namespace vl::test {

inline constexpr unsigned char kUntouched = 0xA5;  // byte buffers start as this, text ones as '#'

inline std::string hex_of(const unsigned char *bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

// The first n bytes of the buffer after write(buffer): as hex for an unsigned char buffer, as
// the characters themselves for a char buffer. A write that returns a value appends " -> value".
template <typename Char, typename Write>
std::string after(size_t n, Write write) {
  Char out[300];
  std::memset(out, std::is_same_v<Char, char> ? '#' : kUntouched, sizeof out);
  std::string result;
  if constexpr (std::is_void_v<std::invoke_result_t<Write, Char *>>) write(out);
  else result = " -> " + std::to_string(write(out));
  if constexpr (std::is_same_v<Char, char>) return std::string(out, n) + result;
  else return hex_of(out, n) + result;
}

// Each row is {got, expected}; a failure names the row.
template <typename Table>
void expect_rows(const Table &rows) {
  for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i][0], rows[i][1]) << "row " << i;
}

}  // namespace vl::test

// `call` writing to the fresh buffer o: its first n characters, or n bytes in hex.
#define TEXT_OF(n, call) vl::test::after<char>(n, [&](char *o) { return call; })
#define HEX_OF(n, call) vl::test::after<unsigned char>(n, [&](unsigned char *o) { return call; })

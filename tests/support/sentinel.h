// Output buffers that start as a known pattern ('#' for text, 0xA5 for bytes), so that every
// byte an export must not touch, and a missing or extra NUL, shows in the expected text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>

namespace vl::test {

inline constexpr char kTextSentinel = '#';
inline constexpr unsigned char kByteSentinel = 0xA5;

inline std::string hex_of(const unsigned char *bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

// Fills buffer with the sentinel of its type, runs write on it and returns what write
// returned as text ("" when it returns nothing).
template <typename Char, size_t N, typename Write>
std::string run_on_sentinel(Char (&buffer)[N], Write write, bool prefilled = false) {
  if (!prefilled) std::memset(buffer, std::is_same_v<Char, char> ? kTextSentinel : kByteSentinel, N);
  if constexpr (std::is_void_v<std::invoke_result_t<Write, Char *>>) {
    write(buffer);
    return "";
  } else {
    return std::to_string(write(buffer));
  }
}

// The first n bytes of a fresh sentinel buffer after write: the characters themselves for a
// char buffer, hex for an unsigned char one. A write that returns a value appends " -> value".
template <typename Char, typename Write>
std::string after(size_t n, Write write) {
  Char out[300];
  const std::string result = run_on_sentinel(out, write);
  std::string shown;
  if constexpr (std::is_same_v<Char, char>) shown.assign(out, n);
  else shown = hex_of(out, n);
  return result.empty() ? shown : shown + " -> " + result;
}

// Each row is {got, expected}; a failure names the row.
template <typename Table>
void expect_rows(const Table &rows) {
  for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i][0], rows[i][1]) << "row " << i;
}

}  // namespace vl::test

// N '#' bytes, holding text and its NUL first when given.
template <size_t N>
struct Patterned {
  char bytes[N];
  Patterned() { std::memset(bytes, vl::test::kTextSentinel, N); }
  explicit Patterned(const char *text) : Patterned() { std::memcpy(bytes, text, std::strlen(text) + 1); }
  std::string all() const { return std::string(bytes, N); }
};

// The first count bytes of prefix, then '#' up to total bytes.
inline std::string with(const char *prefix, size_t count, size_t total) {
  std::string s(prefix, count);
  s.resize(total, vl::test::kTextSentinel);
  return s;
}

// Runs write on N '#' bytes (holding text and its NUL first, when given) and shows the bytes
// up to the last one that is not '#', after "result " when write returns one.
template <size_t N = 24, typename Write>
std::string written(Write write, const char *text = nullptr) {
  Patterned<N> buffer;
  if (text != nullptr) buffer = Patterned<N>(text);
  std::string result = vl::test::run_on_sentinel(buffer.bytes, write, true);
  std::string bytes = buffer.all();
  bytes.erase(bytes.find_last_not_of(vl::test::kTextSentinel) + 1);
  return result.empty() ? bytes : result + " " + bytes;
}

// `call` writing to the fresh buffer o: its first n characters, or n bytes in hex.
#define TEXT_OF(n, call) vl::test::after<char>(n, [&](char *o) { return call; })
#define HEX_OF(n, call) vl::test::after<unsigned char>(n, [&](unsigned char *o) { return call; })

// Buffers pre-filled with '#', so that every byte an export must not touch can be checked.
#pragma once

#include <cstring>
#include <string>

template <size_t N>
struct Patterned {
  char bytes[N];
  Patterned() { std::memset(bytes, '#', N); }
  explicit Patterned(const char *text) : Patterned() { std::memcpy(bytes, text, std::strlen(text) + 1); }
  std::string all() const { return std::string(bytes, N); }
};

// The first count bytes of prefix, then '#' up to total bytes.
inline std::string with(const char *prefix, size_t count, size_t total) {
  std::string s(prefix, count);
  s.resize(total, '#');
  return s;
}

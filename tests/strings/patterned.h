// Buffers pre-filled with '#', so that every byte an export must not touch can be checked.
#pragma once

#include <cstring>
#include <string>
#include <type_traits>

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

// Runs write on N '#' bytes (holding text and its NUL first, when given) and shows the
// bytes up to the last one that is not '#', after "result " when write returns one.
template <size_t N = 24, typename Write>
std::string written(Write write, const char *text = nullptr) {
  Patterned<N> buffer;
  if (text != nullptr) buffer = Patterned<N>(text);
  std::string result;
  if constexpr (std::is_void_v<std::invoke_result_t<Write, char *>>) write(buffer.bytes);
  else result = std::to_string(write(buffer.bytes)) + " ";
  std::string bytes = buffer.all();
  bytes.erase(bytes.find_last_not_of('#') + 1);
  return result + bytes;
}

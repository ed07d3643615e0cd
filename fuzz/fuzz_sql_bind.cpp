// Bind-parameter replacement stays within the caller's size and reads only the statement's
// stated length (the statement lies in a block of exactly that length); a second, plain
// reading of the placeholder rules checks every result and output byte.
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "vertalib/sequence.h"

namespace {

constexpr size_t kRoom = 1024;
constexpr unsigned char kGuard = 0xA5;

// What the replacement should give: the result, and the text out holds (empty when cleared).
int expected(const std::string &statement, const std::string &types_text, size_t size,
             std::string &text) {
  text.clear();
  const std::string types = types_text.substr(0, std::min<size_t>(types_text.find('\0'), 256));
  if (types.size() < 2 || types[0] != '%') return 0;
  std::string letters;
  for (size_t at = 0; at < types.size(); at += 3) {
    const char letter = at + 1 < types.size() ? types[at + 1] : '\0';
    if (types[at] != '%' || (letter != 'd' && letter != 's' && letter != 'c')) return 0;
    letters += letter;
  }
  if (statement.empty()) return 0;
  size_t used = 0;
  bool ran_out = false;
  for (char c : statement) {
    if (c != '?') {
      text += c;
      continue;
    }
    if (used == letters.size()) {
      ran_out = true;
      break;
    }
    const char letter = letters[used++];
    text += letter == 'd' ? std::string("%d") : std::string("'%") + letter + "'";
  }
  if (text.size() + 1 > size) {
    text.clear();
    return 0;
  }
  return used > 0 && !ran_out && used == letters.size() ? 1 : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 3) return 0;
  const size_t room = 1 + (data[0] | (data[1] << 8)) % kRoom;
  const size_t split = data[2];
  data += 3;
  size -= 3;
  const size_t statement_length = split < size ? split : size;
  const std::string types(reinterpret_cast<const char *>(data + statement_length),
                          size - statement_length);
  std::unique_ptr<char[]> statement(new char[statement_length]);
  std::memcpy(statement.get(), data, statement_length);

  unsigned char out[kRoom + 16];
  std::memset(out, kGuard, sizeof out);
  const int result =
      ReplaceBindParameters(reinterpret_cast<char *>(out), static_cast<int>(room), statement.get(),
                            static_cast<int>(statement_length), types.c_str());
  std::string text;
  const int wanted = expected(std::string(statement.get(), statement_length), types, room, text);
  if (result != wanted) __builtin_trap();
  // The text, then zeros up to size; nothing past it.
  if (std::memcmp(out, text.data(), text.size()) != 0) __builtin_trap();
  for (size_t i = text.size(); i < room; ++i)
    if (out[i] != 0) __builtin_trap();
  for (size_t i = room; i < sizeof out; ++i)
    if (out[i] != kGuard) __builtin_trap();
  return 0;
}

// Substring replacement and word-wrapping stay within the caller's capacity: a reference
// replacement checks every result, and the bytes past capacity must keep their guard.
#include <cstdint>
#include <cstring>
#include <string>

#include "vertalib/strings.h"

namespace {

constexpr size_t kRoom = 512;
constexpr unsigned char kGuard = 0xA5;

struct Input {
  const uint8_t *data;
  size_t size;
  std::string take(size_t count) {
    if (count > size) count = size;
    std::string s(reinterpret_cast<const char *>(data), count);
    data += count;
    size -= count;
    return s;
  }
};

// Replaces the occurrences found in the text up to its NUL within length characters.
bool reference_replace(const std::string &buffer, size_t length, size_t capacity,
                       const std::string &find, const std::string &replacement, std::string &result) {
  const std::string searched = buffer.substr(0, strnlen(buffer.data(), length));
  size_t read = 0;
  size_t hit = searched.find(find);
  if (hit == std::string::npos) return false;
  result.clear();
  for (; hit != std::string::npos; hit = searched.find(find, read)) {
    result += buffer.substr(read, hit - read) + replacement;
    read = hit + find.size();
  }
  result += buffer.substr(read, length - read);
  return result.size() <= capacity;
}

void check_replace(const uint8_t params[3], Input &in) {
  const std::string find = in.take(1 + params[0] % 3);
  const std::string replacement = in.take(1 + params[1] % 6);
  const std::string text = in.take(kRoom / 2);
  if (find.find('\0') != std::string::npos || replacement.find('\0') != std::string::npos ||
      find.empty() || replacement.empty() || text.empty())
    return;
  const size_t capacity = text.size() + params[2] % 64;
  unsigned char buffer[kRoom];
  std::memset(buffer, kGuard, sizeof buffer);
  std::memcpy(buffer, text.data(), text.size());
  const std::string before(reinterpret_cast<char *>(buffer), capacity);
  std::string expected;
  const bool fits = reference_replace(before, text.size(), capacity, find, replacement, expected);
  const int done = StrReplaceStringBuffer(reinterpret_cast<char *>(buffer), static_cast<int>(text.size()),
                                          static_cast<int>(capacity), find.c_str(), replacement.c_str());
  expected.resize(capacity, '\0');
  const std::string after(reinterpret_cast<char *>(buffer), capacity);
  if (done != (fits ? 1 : 0)) __builtin_trap();
  if (after != (fits ? expected : before)) __builtin_trap();
  for (size_t i = capacity; i < sizeof buffer; ++i)
    if (buffer[i] != kGuard) __builtin_trap();
}

void check_wrap(const uint8_t params[3], Input &in) {
  const std::string text = in.take(kRoom / 2);
  const size_t capacity = text.size() + 1 + params[0] % 64;
  unsigned char buffer[kRoom];
  std::memset(buffer, kGuard, sizeof buffer);
  std::memcpy(buffer, text.data(), text.size());
  const std::string before(reinterpret_cast<char *>(buffer), capacity);
  const auto width = static_cast<unsigned short>(params[1] % 40);
  const int done = FormatText(reinterpret_cast<char *>(buffer), static_cast<int>(capacity),
                              static_cast<unsigned int>(text.size()), width);
  const std::string after(reinterpret_cast<char *>(buffer), capacity);
  if (done == 0 && after != before) __builtin_trap();
  if (done == 1 && buffer[capacity - 1] != 0) __builtin_trap();
  for (size_t i = capacity; i < sizeof buffer; ++i)
    if (buffer[i] != kGuard) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 4) return 0;
  Input in{data + 4, size - 4};
  if (data[0] & 1)
    check_wrap(data + 1, in);
  else
    check_replace(data + 1, in);
  return 0;
}

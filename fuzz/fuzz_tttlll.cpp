// Tag-and-length elements of any widths: the value found must be the one a plain walk finds
// (elements that start within the maximum length, their fields read as far as the text
// goes), the output must hold it and its NUL within the size given,
// and removal must only ever shorten the counted characters, clearing what it frees.
// The text lives in a block of exactly its size, so any read past it is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vertalib/fields.h"

namespace {

constexpr unsigned char kGuard = 0xA5;
constexpr size_t kOutRoom = 80;

struct Case {
  unsigned int tag_width;
  int length_width;
  int out_size;
  unsigned int max_length;
  std::string tag;
  std::string text;  // no NUL inside
};

// The length field as a digit field reads: at most 6 characters, leading blanks and a sign.
long read_length(const std::string &text, size_t at, size_t width, size_t end) {
  if (width > 6) return 0;
  const std::string field = at < end ? text.substr(at, std::min(width, end - at)) : "";
  return std::strtol(field.c_str(), nullptr, 10);
}

// The value of the first element of the tag, cut at the text's end; found is false when no
// element has the tag or a negative length stops the walk.
bool reference_value(const Case &c, std::string &value, long &declared) {
  const size_t text_end = c.text.size();
  const size_t end = std::min<size_t>(text_end, c.max_length);
  const size_t header = c.tag_width + static_cast<size_t>(c.length_width);
  if (end <= header) return false;
  for (size_t at = 0; at + c.tag_width < end;) {
    declared = read_length(c.text, at + c.tag_width, static_cast<size_t>(c.length_width), text_end);
    if (declared < 0) return false;
    if (c.text.compare(at, c.tag_width, c.tag) == 0) {
      const size_t from = at + header;
      value = from < text_end
                  ? c.text.substr(from, std::min<size_t>(static_cast<size_t>(declared), text_end - from))
                  : "";
      return true;
    }
    at += header + static_cast<size_t>(declared);
  }
  return false;
}

void check_value(const Case &c, const char *text) {
  unsigned char out[kOutRoom];
  std::memset(out, kGuard, sizeof out);
  char *written = reinterpret_cast<char *>(out);
  const int got = GetValueFromTTTLLLValueEx(text, c.max_length, c.tag.c_str(), c.tag_width,
                                            c.length_width, written, c.out_size);
  std::string value;
  long declared = 0;
  const bool found = reference_value(c, value, declared);
  const bool fits = found && declared < c.out_size;
  if (got != (fits ? static_cast<int>(value.size()) : 0)) __builtin_trap();
  if (fits && (std::memcmp(out, value.data(), value.size()) != 0 || out[value.size()] != 0)) __builtin_trap();
  if (found && !fits && out[0] != 0) __builtin_trap();
  const size_t touched = fits ? value.size() + 1 : (found ? 1 : 0);
  for (size_t i = touched; i < sizeof out; ++i)
    if (out[i] != kGuard) __builtin_trap();
}

void check_removal(const Case &c) {
  std::vector<char> text(c.text.begin(), c.text.end());
  text.push_back('\0');
  const std::vector<char> before = text;
  const size_t end = std::min<size_t>(c.text.size(), c.max_length);
  unsigned int length = c.max_length;
  const int removed = RemoveTTTLLLValueFromBuffer(text.data(), &length, c.tag.c_str(), c.tag_width,
                                                  c.length_width);
  if (removed == 0 && std::memcmp(text.data(), before.data(), text.size()) != 0) __builtin_trap();
  if (removed == 1 && length >= end) __builtin_trap();
  if (length != c.max_length && length > end) __builtin_trap();
  for (size_t i = (length < end ? length : end); i < end; ++i)
    if (text[i] != '\0') __builtin_trap();
  for (size_t i = end; i < text.size(); ++i)
    if (text[i] != before[i]) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 5) return 0;
  Case c;
  c.tag_width = 1 + data[0] % 6;
  c.length_width = 1 + data[1] % 8;
  c.out_size = 1 + data[2] % (kOutRoom - 8);
  c.max_length = data[3] == 0xFF ? 0xFFFFFFFFu : static_cast<unsigned int>(data[3]) * 2;
  const size_t tag_end = std::min(size, 5 + static_cast<size_t>(c.tag_width));
  c.tag.assign(reinterpret_cast<const char *>(data + 5), tag_end - 5);
  const std::string rest(reinterpret_cast<const char *>(data + tag_end), size - tag_end);
  c.text = rest.substr(0, rest.find('\0'));
  if (c.tag.find('\0') != std::string::npos || c.text.empty()) return 0;
  if (data[4] & 1) {
    check_removal(c);
  } else {
    // Exactly the text and its NUL: a read past them is caught.
    std::vector<char> text(c.text.begin(), c.text.end());
    text.push_back('\0');
    check_value(c, text.data());
  }
  return 0;
}

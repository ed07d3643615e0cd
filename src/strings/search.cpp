// Search, replace and extraction over the caller's text: bounded search, in-place
// replacing and removing, trimming, cutting at a separator, digits only, doubled
// apostrophes for database literals and word-wrapping with the '@' line-break marker.
#include <cstring>

#include "frame/heap.h"
#include "frame/text.h"
#include "vertalib/strings.h"

namespace {

constexpr char kLineBreak = '@';
constexpr char kApostrophe = '\'';
constexpr char kPathSeparator = '\\';

// The first occurrence of pattern that lies wholly within the first limit characters of
// text; the search also ends at text's NUL.
const char *find_within(const char *text, size_t limit, const char *pattern, size_t pattern_length) {
  for (size_t i = 0; i + pattern_length <= limit && text[i] != '\0'; ++i)
    if (std::strncmp(text + i, pattern, pattern_length) == 0) return text + i;
  return nullptr;
}

const char *skip_spaces(const char *text) {
  while (vl::is_blank(*text)) ++text;
  return text;
}

bool is_value_character(char c) { return vl::is_digit(c) || c == '.' || c == ',' || c == '/'; }

// The extraction exports start by clearing the room the caller announced in *size.
void clear_room(char *out, const int *size) {
  if (out != nullptr) std::memset(out, 0, vl::non_negative(*size));
}

int refuse_extraction(int *size) {
  *size = 0;
  return 0;
}

// Copies at most *size of count characters to out and reports how many were copied.
int deliver(const char *from, size_t count, char *out, int *size) {
  const size_t room = vl::non_negative(*size);
  const size_t copied = count < room ? count : room;
  std::memcpy(out, from, copied);
  *size = static_cast<int>(copied);
  return 1;
}

// The wrapped text under construction; it never grows past limit characters.
struct WrappedText {
  char *out;
  size_t limit;
  size_t used = 0;

  bool put(char c) {
    if (used >= limit) return false;
    out[used++] = c;
    return true;
  }
};

void wrap_lines(const char *text, size_t length, size_t line_width, WrappedText &wrapped) {
  size_t column = 0;
  bool space_seen = false;
  size_t space_position = 0;  // in the wrapped text
  for (size_t read = 0; read < length && text[read] != '\0'; ++read) {
    const char c = text[read];
    if (column < line_width) {
      if (!wrapped.put(c)) return;
      if (c == ' ') {
        space_seen = true;
        space_position = wrapped.used - 1;
      }
      ++column;
      continue;
    }
    if (c == ' ') {
      if (!wrapped.put(kLineBreak)) return;
      column = 0;
    } else if (space_seen) {
      // The word under way moves to the new line: its last space becomes the break.
      wrapped.out[space_position] = kLineBreak;
      if (!wrapped.put(c)) return;
      column = wrapped.used - space_position - 1;
    } else {
      // A line without a space is cut; the character carried over is not counted, so
      // such a line takes one character more.
      if (!wrapped.put(kLineBreak) || !wrapped.put(c)) return;
      column = 0;
    }
    space_seen = false;
  }
}

}  // namespace

extern "C" {

VL_API char *VL_CDECL StrNStr(const char *text, const char *pattern, unsigned int limit) {
  if (vl::is_empty(text) || vl::is_empty(pattern)) return nullptr;
  // The result points into the caller's own text, as strstr does.
  return const_cast<char *>(find_within(text, limit, pattern, std::strlen(pattern)));
}

VL_API void VL_CDECL StrReplaceChar(char *text, char from, char to) {
  StrReplaceCharEx(text, from, to);
}

VL_API int VL_CDECL StrReplaceCharEx(char *text, char from, char to) {
  if (text == nullptr || from == '\0' || from == to) return 0;
  int replaced = 0;
  for (char *p = text; *p != '\0'; ++p) {
    if (*p != from) continue;
    *p = to;
    ++replaced;
  }
  return replaced;
}

VL_API int VL_CDECL TrocaApostrofoPorBranco(char *text) {
  return StrReplaceCharEx(text, kApostrophe, ' ') > 0 ? 1 : 0;
}

VL_API int VL_CDECL StrReplaceStringBuffer(char *buffer, int length, int capacity,
                                           const char *find, const char *replacement) {
  if (buffer == nullptr || length < 1 || length > capacity || vl::is_empty(find) ||
      vl::is_empty(replacement))
    return 0;
  const size_t text_length = static_cast<size_t>(length);
  const size_t room = static_cast<size_t>(capacity);
  const size_t find_length = std::strlen(find);
  const size_t replacement_length = std::strlen(replacement);
  const char *hit = find_within(buffer, text_length, find, find_length);
  if (hit == nullptr) return 0;

  auto *work = static_cast<char *>(vl::heap_alloc(room + 1));
  if (work == nullptr) return 0;
  size_t built = 0;
  size_t read = 0;
  bool fits = true;
  while (hit != nullptr && fits) {
    const size_t before = static_cast<size_t>(hit - (buffer + read));
    fits = built + before + replacement_length <= room;
    if (!fits) break;
    std::memcpy(work + built, buffer + read, before);
    std::memcpy(work + built + before, replacement, replacement_length);
    built += before + replacement_length;
    read = static_cast<size_t>(hit - buffer) + find_length;
    hit = find_within(buffer + read, text_length - read, find, find_length);
  }
  const size_t rest = text_length - read;
  fits = fits && built + rest <= room;
  if (fits) {
    std::memcpy(work + built, buffer + read, rest);
    built += rest;
    std::memset(buffer, 0, room);
    std::memcpy(buffer, work, built);
  }
  vl::heap_free_wiped(work, room + 1);
  return fits ? 1 : 0;
}

VL_API void VL_CDECL StrRemoveStringBuffer(char *text, const char *find) {
  if (text == nullptr || vl::is_empty(find)) return;
  const size_t find_length = std::strlen(find);
  for (char *at = std::strstr(text, find); at != nullptr; at = std::strstr(at, find))
    std::memmove(at, at + find_length, std::strlen(at + find_length) + 1);
}

VL_API int VL_CDECL StrRemoveStringValorBuffer(char *text, int capacity, const char *label,
                                               const char *prefix) {
  if (text == nullptr || label == nullptr || vl::non_negative(capacity) < std::strlen(label))
    return 0;
  // An empty label occurs at the start of any text, so the value removed is the one there.
  char *start = std::strstr(text, label);
  if (start == nullptr) return 0;
  const char *rest = skip_spaces(start + std::strlen(label));
  if (!vl::is_empty(prefix) && std::strncmp(rest, prefix, std::strlen(prefix)) == 0)
    rest = skip_spaces(rest + std::strlen(prefix));
  while (is_value_character(*rest)) ++rest;
  const size_t moved = vl::bounded_length(rest, vl::non_negative(capacity));
  std::memmove(start, rest, moved);
  start[moved] = '\0';
  return 1;
}

VL_API int VL_CDECL StrCrop(char *out, const char *src, int length, char ch, int mode) {
  if (out == nullptr) return 0;
  out[0] = '\0';
  if (length < 1 || src == nullptr) return 0;
  const size_t count = static_cast<size_t>(length);
  const bool trim_left = mode == 1 || mode == 2;
  const bool trim_right = mode == 0 || mode == 2;
  size_t skipped = 0;
  if (trim_left) {
    while (skipped < count && src[skipped] == ch) ++skipped;
    if (skipped == count) return 0;
  }
  std::memcpy(out, src + skipped, count - skipped);
  out[count - skipped] = '\0';
  // The copy ends at its first NUL, so the trailing characters are those before it.
  size_t kept = std::strlen(out);
  if (trim_right)
    while (kept > 0 && out[kept - 1] == ch) out[--kept] = '\0';
  return static_cast<int>(std::strlen(out));
}

VL_API int VL_CDECL ObtemSubstring(const char *text, int length, char separator, char *out,
                                   int *size) {
  if (size == nullptr) return 0;
  clear_room(out, size);
  if (text == nullptr || out == nullptr || length < 2) return refuse_extraction(size);
  const auto *hit = static_cast<const char *>(std::memchr(text, separator, static_cast<size_t>(length)));
  if (hit == nullptr) return refuse_extraction(size);
  return deliver(text, static_cast<size_t>(hit - text), out, size);
}

VL_API int VL_CDECL ObtemUltimaSubstring(const char *text, int length, char separator,
                                         char *out, int *size) {
  if (size == nullptr) return 0;
  clear_room(out, size);
  if (text == nullptr || out == nullptr || length < 2) return refuse_extraction(size);
  const char *end = text + length;
  for (const char *p = end; p > text; --p)
    if (p[-1] == separator) return deliver(p, static_cast<size_t>(end - p), out, size);
  return refuse_extraction(size);
}

VL_API int VL_CDECL ExtraiNomeArquivo(const char *path, int length, char *out, int *size) {
  if (size == nullptr) return 0;
  clear_room(out, size);
  if (path != nullptr && length >= 1 && path[length - 1] == kPathSeparator) return 0;
  return ObtemUltimaSubstring(path, length, kPathSeparator, out, size);
}

VL_API void VL_CDECL StrCpyNumbers(char *out, int room, const char *src, int length) {
  if (out == nullptr || room < 0) return;  // out holds room + 1 bytes: none for a negative room
  const auto limit = static_cast<size_t>(room);
  size_t written = 0;
  if (src != nullptr)
    for (int i = 0; i < length && src[i] != '\0' && written < limit; ++i)
      if (vl::is_digit(src[i])) out[written++] = src[i];
  out[written] = '\0';
}

VL_API int VL_CDECL GetLastLineLen(const char *text, int length, char separator) {
  if (vl::is_empty(text) || length < 1) return 0;
  for (int after = length; after > 0; --after)
    if (text[after - 1] == separator) return length - after;
  return length;
}

VL_API char *VL_CDECL DuplicarAspas(const char *text) {
  if (text == nullptr) return nullptr;
  size_t length = 0;
  size_t apostrophes = 0;
  for (; text[length] != '\0'; ++length)
    if (text[length] == kApostrophe) ++apostrophes;
  auto *copy = static_cast<char *>(vl::heap_alloc(length + apostrophes + 1));
  if (copy == nullptr) return nullptr;
  char *out = copy;
  for (const char *p = text; *p != '\0'; ++p) {
    *out++ = *p;
    if (*p == kApostrophe) *out++ = kApostrophe;
  }
  *out = '\0';
  return copy;
}

VL_API int VL_CDECL FormatText(char *buffer, int capacity, unsigned int length,
                               unsigned short lineWidth) {
  if (buffer == nullptr || capacity <= 0 || length == 0 || lineWidth == 0 ||
      length >= static_cast<unsigned int>(capacity) || lineWidth >= length)
    return 0;
  const size_t room = static_cast<size_t>(capacity);
  auto *work = static_cast<char *>(vl::heap_alloc(room));
  if (work == nullptr) return 0;
  // One byte of the room stays free so that the wrapped text always ends in a NUL.
  WrappedText wrapped{work, room - 1};
  wrap_lines(buffer, length, lineWidth, wrapped);
  std::memset(buffer, 0, room);
  std::memcpy(buffer, work, wrapped.used);
  vl::heap_free_wiped(work, room);
  return 1;
}

}  // extern "C"

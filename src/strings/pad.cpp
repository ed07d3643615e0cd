// Padding, justification and character classes: fixed-width fields filled with zeros or
// spaces on one side, in-place justification, trimming and case, and the class tests of
// incoming fields.
#include "frame/text.h"

#include <cstring>

#include "vertalib/strings.h"

namespace {

// JustRight and Center build the padded characters here before copying them back.
constexpr size_t kWorkArea = 128;

enum class FillSide { kLeft, kRight };

size_t smaller(size_t a, size_t b) { return a < b ? a : b; }

// Writes exactly width characters: count characters of src (count <= width) on one side
// and width - count fill characters on the other. No NUL. The value moves before the fill
// is written, so out may be src itself.
void pad_unchecked(char *out, size_t width, const char *src, size_t count, char fill,
                   FillSide side) {
  const size_t fill_count = width - count;
  char *value_at = side == FillSide::kLeft ? out + fill_count : out;
  char *fill_at = side == FillSide::kLeft ? out : out + count;
  std::memmove(value_at, src, count);
  std::memset(fill_at, fill, fill_count);
}

// The source clamped to its NUL, refused when it does not fit or cannot be padded.
int pad_checked(char *out, int width, int terminate, const char *src, int src_length,
                char fill, FillSide side) {
  if (out == nullptr || src == nullptr) return 0;
  const size_t count = vl::bounded_length(src, vl::non_negative(src_length));
  if (width < 0 || static_cast<size_t>(width) < count) return 0;
  const size_t field = static_cast<size_t>(width);
  if (field > count && fill == '\0') return 0;
  pad_unchecked(out, field, src, count, fill, side);
  if (terminate != 0) out[field] = '\0';
  return 1;
}

// Prepends spaces to text inside the work area; spaces + length never exceeds it.
void prepend_spaces(char *text, size_t length, size_t spaces) {
  char work[kWorkArea];
  std::memset(work, ' ', spaces);
  std::memcpy(work + spaces, text, length);
  std::memcpy(text, work, spaces + length);
  text[spaces + length] = '\0';
}

// The room a justified text gets, or false when there is nothing to do. A width beyond
// the work area empties the text.
bool justification_room(char *text, int width, size_t &length, size_t &room) {
  if (text == nullptr) return false;
  if (width > static_cast<int>(kWorkArea)) {
    text[0] = '\0';
    return false;
  }
  length = std::strlen(text);
  if (width < 0 || static_cast<size_t>(width) <= length) return false;
  room = static_cast<size_t>(width) - length;
  return true;
}

template <typename Predicate>
int every_character(const char *text, Predicate holds) {
  if (text == nullptr) return 0;
  for (const char *p = text; *p != '\0'; ++p)
    if (!holds(*p)) return 0;
  return 1;
}

}  // namespace

extern "C" {

VL_API int VL_CDECL InsereCharEsquerdaEx(char *out, int width, int terminate, const char *src,
                                         int srcLen, char fill) {
  return pad_checked(out, width, terminate, src, srcLen, fill, FillSide::kLeft);
}

VL_API int VL_CDECL InsereCharDireitaEx(char *out, int width, int terminate, const char *src,
                                        int srcLen, char fill) {
  return pad_checked(out, width, terminate, src, srcLen, fill, FillSide::kRight);
}

VL_API int VL_CDECL InsereZeroEsquerdaEx(char *out, int width, int terminate, const char *src,
                                         int srcLen) {
  return InsereCharEsquerdaEx(out, width, terminate, src, srcLen, '0');
}

VL_API int VL_CDECL InsereEspacosEsquerda(char *out, int width, int terminate, const char *src,
                                          int srcLen) {
  return InsereCharEsquerdaEx(out, width, terminate, src, srcLen, ' ');
}

VL_API int VL_CDECL InsereZeroDireitaEx(char *out, int width, int terminate, const char *src,
                                        int srcLen) {
  return InsereCharDireitaEx(out, width, terminate, src, srcLen, '0');
}

VL_API int VL_CDECL InsereEspacosDireita(char *out, int width, int terminate, const char *src,
                                         int srcLen) {
  return InsereCharDireitaEx(out, width, terminate, src, srcLen, ' ');
}

VL_API void VL_CDECL InsereCharEsquerda(char *out, int width, const char *src, int srcLen,
                                        char fill) {
  if (out == nullptr || src == nullptr || width < 0) return;
  const size_t field = static_cast<size_t>(width);
  pad_unchecked(out, field, src, smaller(vl::non_negative(srcLen), field), fill, FillSide::kLeft);
  out[field] = '\0';
}

VL_API void VL_CDECL InsereZeroEsquerda(char *out, int width, const char *src, int srcLen) {
  InsereCharEsquerda(out, width, src, srcLen, '0');
}

VL_API void VL_CDECL InsereCharDireita(char *out, int width, const char *src, int srcLen,
                                       char fill) {
  if (out == nullptr || src == nullptr || width < 0) return;
  const size_t field = static_cast<size_t>(width);
  const size_t count = vl::bounded_length(src, vl::non_negative(srcLen));
  pad_unchecked(out, field, src, smaller(count, field), fill, FillSide::kRight);
}

VL_API void VL_CDECL InsereZeroDireita(char *out, int width, const char *src, int srcLen) {
  InsereCharDireita(out, width, src, srcLen, '0');
}

VL_API void VL_CDECL CopyCompletaBranco(char *out, int width, const char *src, int srcLen) {
  if (out == nullptr || src == nullptr || width < 0) return;
  const size_t field = static_cast<size_t>(width);
  pad_unchecked(out, field, src, smaller(vl::non_negative(srcLen), field), ' ', FillSide::kRight);
}

VL_API void VL_CDECL JustRight(char *text, int width) {
  size_t length = 0;
  size_t room = 0;
  if (justification_room(text, width, length, room)) prepend_spaces(text, length, room);
}

VL_API void VL_CDECL Center(char *text, int width) {
  size_t length = 0;
  size_t room = 0;
  if (justification_room(text, width, length, room)) prepend_spaces(text, length, room / 2);
}

VL_API void VL_CDECL RetiraEspacosADireita(char *text) {
  if (text == nullptr) return;
  size_t length = std::strlen(text);
  while (length > 0 && vl::is_blank(text[length - 1])) text[--length] = '\0';
}

VL_API void VL_CDECL SubstituiBrancosPorZeros(char *text, int count) {
  if (text == nullptr) return;
  for (int i = 0; i < count && text[i] != '\0'; ++i)
    if (vl::is_blank(text[i])) text[i] = '0';
}

VL_API void VL_CDECL StrToUpp(char *text, int count) {
  if (text == nullptr) return;
  for (int i = 0; i < count; ++i) text[i] = vl::to_upper(text[i]);
}

VL_API int VL_CDECL IsNumeric(const char *text) { return every_character(text, vl::is_digit); }

VL_API int VL_CDECL IsNumericEx(const char *text, int count) {
  // Count 0 reads no character, so it holds even for a null text.
  if (count < 0 || (text == nullptr && count > 0)) return 0;
  for (int i = 0; i < count; ++i)
    if (!vl::is_digit(text[i])) return 0;  // the NUL is not a digit, so the walk stops there
  return 1;
}

VL_API int VL_CDECL IsAlphabet(const char *text) { return every_character(text, vl::is_letter); }

VL_API int VL_CDECL IsAlphaNumeric(const char *text) {
  return every_character(text, [](char c) { return vl::is_letter(c) || vl::is_digit(c); });
}

VL_API int VL_CDECL IsNumberDotComma(const char *text) {
  return every_character(text, [](char c) { return vl::is_digit(c) || c == '.' || c == ','; });
}

VL_API int VL_CDECL IsBlank(const char *text) { return every_character(text, vl::is_blank); }

}  // extern "C"

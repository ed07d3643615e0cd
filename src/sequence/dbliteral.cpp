// Database literals: dates, times and time stamps in the ODBC escape forms, amounts and
// fixed-point numbers as plain numeric literals, and statements with '?' placeholders turned
// into format texts for the formatted-output functions.
#include <cstdio>
#include <cstring>

#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/sequence.h"

namespace {

// Each '#' of a pattern takes the next character of the source; the other characters are
// written as they stand.
constexpr char kSlot = '#';
constexpr size_t kYearDigits = 4;

constexpr size_t slot_count(const char *pattern) {
  size_t count = 0;
  for (; *pattern != '\0'; ++pattern) count += *pattern == kSlot ? 1 : 0;
  return count;
}

constexpr char kDatePattern[] = "{d '####-##-##'}";
constexpr char kTimePattern[] = "{t '##:##:##'}";
constexpr char kStampPattern[] = "{ts '####-##-## ##:##:##'}";

// Writes pattern with its slots filled from prefix (prefix_length characters) and then from
// input. Nothing at all is written when input holds fewer characters than the slots left for
// it, so an empty input writes nothing.
void fill_pattern(char *out, const char *pattern, const char *prefix, size_t prefix_length,
                  const char *input) {
  if (out == nullptr || input == nullptr) return;
  const size_t wanted = slot_count(pattern) - prefix_length;
  if (vl::bounded_length(input, wanted) < wanted) return;
  size_t next = 0;
  for (; *pattern != '\0'; ++pattern, ++out) {
    if (*pattern != kSlot) {
      *out = *pattern;
    } else {
      *out = next < prefix_length ? prefix[next] : input[next - prefix_length];
      ++next;
    }
  }
  *out = '\0';
}

// The local clock's year as "%4.4d" writes it; the text holds at least four digits.
struct YearText {
  char digits[16];
  size_t length;
};

YearText current_year() {
  YearText year{};
  const int n = std::snprintf(year.digits, sizeof year.digits, "%4.4d",
                              vl::platform::local_time_now().year);
  year.length = n > 0 ? static_cast<size_t>(n) : 0;
  return year;
}

// The year fills the first four slots; a year of more digits keeps its last four.
void fill_with_year(char *out, const char *pattern, const char *input) {
  if (vl::is_empty(input)) return;
  const YearText year = current_year();
  if (year.length < kYearDigits) return;
  fill_pattern(out, pattern, year.digits + year.length - kYearDigits, kYearDigits, input);
}

constexpr int kMaxNumberWidth = 12;
constexpr int kMaxNumberDecimals = 11;

int clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// The characters a bind-parameter replacement writes for one placeholder.
const char *placeholder_conversion(char letter) {
  switch (letter) {
    case 'd': return "%d";
    case 's': return "'%s'";
    case 'c': return "'%c'";
    default: return nullptr;
  }
}

constexpr size_t kMaxTypesLength = 256;
constexpr size_t kGroupLength = 3;  // '%', the letter, a separator

}  // namespace

extern "C" {

VL_API void VL_CDECL MontaIBDData(char *out, const char *date) {
  fill_with_year(out, kDatePattern, date);
}

VL_API void VL_CDECL MontaIBDDataGen(char *out, const char *date) {
  fill_pattern(out, kDatePattern, nullptr, 0, date);
}

VL_API void VL_CDECL MontaIBDTime(char *out, const char *time) {
  fill_pattern(out, kTimePattern, nullptr, 0, time);
}

VL_API void VL_CDECL MontaIBDTimeStamp(char *out, const char *stamp) {
  fill_with_year(out, kStampPattern, stamp);
}

VL_API void VL_CDECL MontaIBDTimeStampGen(char *out, const char *stamp) {
  fill_pattern(out, kStampPattern, nullptr, 0, stamp);
}

VL_API void VL_CDECL MontaIBDValor(char *out, const char *amount, int length) {
  if (out == nullptr || amount == nullptr) return;
  // Below three characters the integer part is a lone 0 and the cents are zero-filled.
  if (length < 3) {
    const size_t digits = vl::non_negative(length);
    std::memcpy(out, "0.00", 5);
    std::memcpy(out + 4 - digits, amount, digits);
    return;
  }
  const size_t whole = static_cast<size_t>(length) - 2;
  std::memcpy(out, amount, whole);
  out[whole] = '.';
  std::memcpy(out + whole + 1, amount + whole, 2);
  out[whole + 3] = '\0';
}

VL_API void VL_CDECL MontaIBDNumberOuNULL(char *out, const char *text, int width, int decimals,
                                          int nullWhenEmpty) {
  if (out == nullptr || text == nullptr) return;
  const size_t field = static_cast<size_t>(clamp(width, 0, kMaxNumberWidth));
  const size_t fraction =
      static_cast<size_t>(clamp(decimals, 0, clamp(width, 0, kMaxNumberDecimals)));
  const size_t integer = field - fraction;
  if (text[0] == '\0') {
    if (nullWhenEmpty != 0) {
      std::memcpy(out, "NULL", 5);
      return;
    }
    std::memset(out, '0', integer);
    out[integer] = '.';
    std::memset(out + integer + 1, '0', fraction);
    out[field + 1] = '\0';
    return;
  }
  // The text's first field characters, right-aligned on spaces.
  char aligned[kMaxNumberWidth];
  const size_t length = vl::bounded_length(text, field);
  std::memset(aligned, ' ', field - length);
  std::memcpy(aligned + field - length, text, length);
  std::memcpy(out, aligned, integer);
  char *at = out + integer;
  *at++ = '.';
  if (fraction == 0) {
    *at++ = '0';
  } else {
    std::memcpy(at, aligned + integer, fraction);
    at += fraction;
  }
  *at = '\0';
}

VL_API int VL_CDECL ReplaceBindParameters(char *out, int size, const char *statement, int length,
                                          const char *types) {
  if (out == nullptr || size < 1) return 0;
  const size_t room = static_cast<size_t>(size);
  std::memset(out, 0, room);
  if (statement == nullptr || types == nullptr) return 0;
  const size_t types_length = vl::bounded_length(types, kMaxTypesLength);
  if (types_length < 2 || types[0] != '%') return 0;
  size_t groups = 0;
  for (size_t at = 0; at < types_length; at += kGroupLength, ++groups) {
    const char letter = at + 1 < types_length ? types[at + 1] : '\0';
    if (types[at] != '%' || placeholder_conversion(letter) == nullptr) return 0;
  }
  if (length < 1) return 0;

  // The format text and its NUL must fit in room; a text that would not is refused whole.
  size_t written = 0;
  size_t replaced = 0;
  bool stopped = false;
  for (size_t i = 0; i < static_cast<size_t>(length); ++i) {
    const char *piece = &statement[i];
    size_t piece_length = 1;
    if (statement[i] == '?') {
      if (replaced == groups) {
        stopped = true;
        break;
      }
      piece = placeholder_conversion(types[replaced * kGroupLength + 1]);
      piece_length = std::strlen(piece);
      ++replaced;
    }
    if (written + piece_length >= room) {
      std::memset(out, 0, room);
      return 0;
    }
    std::memcpy(out + written, piece, piece_length);
    written += piece_length;
  }
  if (replaced == 0 || stopped) return 0;
  return replaced == groups ? 1 : 0;
}

}  // extern "C"

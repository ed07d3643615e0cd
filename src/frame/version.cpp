// Version strings: dotted versions split into numbers and rebuilt, digit runs taken out of
// them, and the Redecard identification field.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/text.h"
#include "vertalib/frame.h"

namespace {

constexpr size_t kShortestVersion = 7;
constexpr size_t kLongestPart = 4;

// The numbers of a dotted version, in the order major, minor, release, build.
struct VersionNumbers {
  unsigned short value[4];
};

// Reads a part of at most kLongestPart characters as a decimal number (strtol rules); a
// negative number wraps as the unsigned 16-bit outputs do.
unsigned short read_part(const char *begin, size_t length) {
  char work[kLongestPart + 1] = {};
  std::memcpy(work, begin, length);
  return static_cast<unsigned short>(vl::strtol32(work));
}

// Splits text at its first three dots; false when the text is refused.
bool split_version(const char *text, VersionNumbers &numbers) {
  numbers = {};
  if (text == nullptr) return false;
  const size_t length = std::strlen(text);
  if (length < kShortestVersion) return false;

  size_t dots[3];
  size_t found = 0;
  for (size_t i = 0; i < length && found < 3; ++i)
    if (text[i] == '.') dots[found++] = i;
  if (found < 2 || dots[0] == 0) return false;

  // Part boundaries: each part runs from just after one dot to the next (the last part to
  // the end of the text, whatever it holds).
  size_t begin[4], end[4];
  const size_t parts = found + 1;
  for (size_t p = 0; p < parts; ++p) {
    begin[p] = p == 0 ? 0 : dots[p - 1] + 1;
    end[p] = p < found ? dots[p] : length;
    if (end[p] - begin[p] > kLongestPart) return false;
  }

  // A three-part text has no release: its third part is the build.
  const size_t slot[2][4] = {{0, 1, 3, 3}, {0, 1, 2, 3}};
  for (size_t p = 0; p < parts; ++p)
    numbers.value[slot[parts - 3][p]] = read_part(text + begin[p], end[p] - begin[p]);
  return true;
}

// Writes count of the parsed numbers from first on, joined by '.', into out. The running
// length counts each number and the '.' after it; past size the output is refused. The
// size bounds the text, not its NUL: a text of exactly size characters is accepted and
// its NUL lands at out[size].
int write_numbers(const char *text, char *out, int size, size_t first, size_t count) {
  VersionNumbers numbers;
  split_version(text, numbers);
  const size_t room = vl::non_negative(size);
  if (room > 0) std::memset(out, 0, room);

  size_t length = 0;
  for (size_t i = first; i < first + count; ++i) {
    char digits[8];
    const int n = std::snprintf(digits, sizeof digits, "%d", numbers.value[i]);
    const bool last = i + 1 == first + count;
    const size_t grown = length + static_cast<size_t>(n) + (last ? 0 : 1);
    if (grown > room) {
      if (room > 0) std::memset(out, 0, room);
      return 0;
    }
    std::memcpy(out + length, digits, static_cast<size_t>(n));
    if (!last) out[grown - 1] = '.';
    length = grown;
  }
  out[length] = '\0';
  return 1;
}

// The version field of the Redecard identification: the first 9 characters of version
// without their dots, padded with spaces to 9 only when version has 9 characters or more.
size_t write_version_field(const char *version, char *out) {
  constexpr size_t kFieldWidth = 9;
  if (version == nullptr) {
    std::memset(out, ' ', kFieldWidth);
    return kFieldWidth;
  }
  const size_t considered = vl::bounded_length(version, kFieldWidth);
  size_t kept = 0;
  for (size_t i = 0; i < considered; ++i)
    if (version[i] != '.') out[kept++] = version[i];
  if (considered < kFieldWidth) return kept;
  std::memset(out + kept, ' ', kFieldWidth - kept);
  return kFieldWidth;
}

constexpr char kRedecardHead[] = "003021";
constexpr char kRedecardCustomHead[] = "@03021";
constexpr char kRedecardClass[] = "C";
constexpr char kRedecardLayout[] = "L0401    ";
constexpr char kRedecardVersionTag[] = ":P";

size_t append(char *out, size_t at, const char *text) {
  const size_t n = std::strlen(text);
  std::memcpy(out + at, text, n);
  return at + n;
}

int finish_redecard(char *out, size_t at, const char *version) {
  at = append(out, at, kRedecardVersionTag);
  at += write_version_field(version, out + at);
  out[at] = '\0';
  return static_cast<int>(at);
}

// Up to 4 digits of a run starting at text[at], within count characters; at moves past
// the whole run. Digits past the fourth are not kept.
int read_digit_group(const char *text, size_t count, size_t &at) {
  int value = 0;
  size_t kept = 0;
  for (; at < count && vl::is_digit(text[at]); ++at)
    if (kept++ < kLongestPart) value = value * 10 + (text[at] - '0');
  return value;
}

}  // namespace

extern "C" {

VL_API int VL_CDECL SeparaStringVersao(const char *text, unsigned short *major,
                                       unsigned short *minor, unsigned short *release,
                                       unsigned short *build) {
  VersionNumbers numbers;
  const bool parsed = split_version(text, numbers);
  *major = numbers.value[0];
  *minor = numbers.value[1];
  *release = numbers.value[2];
  *build = numbers.value[3];
  return parsed ? 1 : 0;
}

VL_API int VL_CDECL ObtemVersaosemBuild(const char *text, char *out, int size) {
  return write_numbers(text, out, size, 0, 3);
}

VL_API int VL_CDECL ObtemBuilddaVersao(const char *text, char *out, int size) {
  return write_numbers(text, out, size, 3, 1);
}

VL_API int32_t VL_CDECL ConverteVersaoToLong(const char *text) {
  constexpr size_t kKeptCharacters = 11;
  char digits[kKeptCharacters + 1] = {};
  size_t kept = 0;
  for (; text != nullptr && *text != '\0' && kept < kKeptCharacters; ++text)
    if (*text != '.') digits[kept++] = *text;
  return vl::strtol32(digits);
}

VL_API void VL_CDECL GetVersionNumber(char *out, int width, const char *text) {
  const size_t room = vl::non_negative(width);
  if (room == 0) return;
  std::memset(out, '0', room);
  if (text == nullptr) return;
  size_t placed = 0;
  for (size_t i = std::strlen(text); i > 0 && placed < room; --i)
    if (vl::is_digit(text[i - 1])) out[room - ++placed] = text[i - 1];
}

VL_API int VL_CDECL GetVersaoReleaseFromString(const char *text, unsigned int length,
                                               int *version, int *release) {
  constexpr unsigned int kConsidered = 9;
  const size_t count = text == nullptr ? 0 : (length < kConsidered ? length : kConsidered);
  size_t at = 0;
  const int version_group = read_digit_group(text, count, at);
  // The character that ended the version group separates the two; with none, the release
  // is read again from the start.
  at = at < count ? at + 1 : 0;
  const int release_group = read_digit_group(text, count, at);
  if (version != nullptr) *version = version_group;
  if (release != nullptr) *release = release_group;
  return release_group;
}

VL_API int VL_CDECL MontaVersaoRedecard(const char *version, char *out) {
  size_t at = append(out, 0, kRedecardHead);
  at = append(out, at, kRedecardClass);
  at = append(out, at, kRedecardLayout);
  return finish_redecard(out, at, version);
}

VL_API int VL_CDECL MontaVersaoRedecardEx(const char *version, char *out, char kind,
                                          const char *custom) {
  size_t at = append(out, 0, kind == 'g' ? kRedecardCustomHead : kRedecardHead);
  at = append(out, at, kRedecardClass);
  if (kind == '\\') at = append(out, at, kRedecardLayout);
  if (kind == 'g' && custom != nullptr) at = append(out, at, custom);
  return finish_redecard(out, at, version);
}

}  // extern "C"

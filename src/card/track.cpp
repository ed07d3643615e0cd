// Magnetic-stripe tracks as text without sentinels: card number, cardholder name, expiry and
// service code out of track 1 (format B) and track 2, track 1 turned into its track 2,
// typed against read card data, and the plausibility tests that edit track 2 in place.
#include <cstring>

#include "card/mask.h"
#include "frame/text.h"
#include "vertalib/card.h"
#include "vertalib/convert.h"

namespace {

constexpr size_t kLongestCardNumber = 22;
constexpr size_t kLongestTrack2 = 37;
constexpr size_t kTrack2Buffer = kLongestTrack2 + 1;
constexpr size_t kLongestTrack1Field = 39;  // name, and the card number of a track 1
constexpr size_t kShortestTrack = 6;
constexpr size_t kExpiryLength = 4;
constexpr size_t kServiceCodeLength = 3;
constexpr size_t kServiceCodeOffset = 1 + kExpiryLength;  // separator, then YYMM
// Past this many characters from the service code on, the acquirer rules keep the track's code.
constexpr size_t kShortDiscretionaryData = 9;

// The service code written instead of the card's when a caller's selectors pick the short
// discretionary-data rule: (102, 3, 2) for GetServiceCode, (103, -, 1 or 2, 1) for the Ex2.
constexpr char kPlainServiceCode[] = "101";
constexpr int kShortRuleFirst = 102, kShortRuleSecond = 3, kShortRuleThird = 2;
constexpr int kShortRuleExFirst = 103, kShortRuleExFourth = 1;
// A track 2 expiry: YYMM after the separator, a year 1..99 and a month 1..12.
constexpr int kLastMonth = 12;
constexpr int kLastShortYear = 99;
constexpr char kTrack2Separator = '=';
constexpr char kNibbleSeparator = 'D';
constexpr char kNibbleFiller = 'F';
constexpr char kTrack1Separator = '^';

// Track 1 may open with one non-digit, the format code; only that one is skipped.
template <typename Char>
Char *skip_format_code(Char *track) {
  return track[0] != '\0' && !vl::is_digit(track[0]) ? track + 1 : track;
}

// Copies at most limit characters of text[0, length) and terminates.
void copy_terminated(char *out, const char *text, size_t length, size_t limit) {
  if (length > limit) length = limit;
  std::memcpy(out, text, length);
  out[length] = '\0';
}

void copy_card_number(char *out, const char *start, const char *end) {
  copy_terminated(out, start, static_cast<size_t>(end - start), kLongestCardNumber);
}

// Copies count characters from text[position], NUL in place of those past the text's end.
void copy_fixed(char *out, const char *text, size_t position, size_t count) {
  const size_t length = std::strlen(text);
  for (size_t i = 0; i < count; ++i)
    out[i] = position + i < length ? text[position + i] : '\0';
}

// The characters left from position on (0 when the text ends before it).
size_t remaining_from(const char *text, size_t position) {
  const size_t length = std::strlen(text);
  return position < length ? length - position : 0;
}

// The '^' after the first one, or null.
const char *second_caret(const char *track) {
  const char *first = std::strchr(track, kTrack1Separator);
  return first == nullptr ? nullptr : std::strchr(first + 1, kTrack1Separator);
}

// The separator the service code is counted from: the track 2 '=', else track 1's second '^'.
const char *service_code_separator(const char *track) {
  const char *equals = std::strchr(track, kTrack2Separator);
  return equals != nullptr ? equals : second_caret(track);
}

void write_service_code(char *out, const char *code) {
  std::memcpy(out, code, kServiceCodeLength);
}

// The track 2 walk: a 'D' becomes '=', an 'F' ends the track; the length it leaves, counted
// up to kTrack2Buffer (so anything longer than a track 2 shows as one character too many).
size_t normalise_track2(char *track) {
  size_t length = 0;
  for (; length < kTrack2Buffer && track[length] != '\0'; ++length) {
    if (track[length] == kNibbleFiller) {
      track[length] = '\0';
      break;
    }
    if (track[length] == kNibbleSeparator) track[length] = kTrack2Separator;
  }
  return length;
}

bool six_leading_digits(const char *text) {
  for (size_t i = 0; i < kShortestTrack; ++i)
    if (!vl::is_digit(text[i])) return false;
  return true;
}

}  // namespace

extern "C" {

char *GetTrilha2SepPos(const char *track) {
  if (track == nullptr) return nullptr;
  size_t position = 0;
  while (vl::is_digit(track[position])) ++position;
  const size_t length = position + std::strlen(track + position);
  if (position == 0 || position == length || position + kExpiryLength > length) return nullptr;
  // The expiry must follow a separator.
  const int year = ASC2int(track + position + 1, 2);
  const int month = ASC2int(track + position + 3, 2);
  if (month < 1 || month > kLastMonth || year < 1 || year > kLastShortYear) return nullptr;
  return const_cast<char *>(track + position);
}

void GetPANFromTrilha2Ex(char *pan, const char *track, int *no_equals) {
  if (no_equals != nullptr) *no_equals = 0;
  if (pan == nullptr) return;
  pan[0] = '\0';
  if (track == nullptr) return;
  const char *end = std::strchr(track, kTrack2Separator);
  if (end == nullptr) {
    if (no_equals != nullptr) *no_equals = 1;
    end = GetTrilha2SepPos(track);
    if (end == nullptr) end = track + std::strlen(track);
  }
  copy_card_number(pan, track, end);
}

void GetPANFromTrilha2(char *pan, const char *track) { GetPANFromTrilha2Ex(pan, track, nullptr); }

void GetPANFromTrilha1(char *pan, const char *track) {
  if (pan == nullptr) return;
  pan[0] = '\0';
  if (track == nullptr) return;
  const char *start = skip_format_code(track);
  const char *end = std::strchr(start, kTrack1Separator);
  copy_card_number(pan, start, end != nullptr ? end : start + std::strlen(start));
}

void GetTrilha2fromTrilha1(char *track2, const char *track1) {
  if (track2 == nullptr) return;
  std::memset(track2, 0, kTrack2Buffer);
  if (track1 == nullptr) return;
  const char *start = skip_format_code(track1);
  const char *first = std::strchr(start, kTrack1Separator);
  if (first == nullptr) {
    copy_terminated(track2, start, std::strlen(start), kLongestTrack2);
    return;
  }
  // The card number is cut at 36 so that the '=' still fits before the last byte.
  size_t length = static_cast<size_t>(first - start);
  if (length > kLongestTrack2 - 1) length = kLongestTrack2 - 1;
  std::memcpy(track2, start, length);
  track2[length++] = kTrack2Separator;
  const char *second = std::strchr(first + 1, kTrack1Separator);
  if (second == nullptr) return;
  const char *rest = second + 1;
  const size_t room = kLongestTrack2 - length;
  std::memcpy(track2 + length, rest, vl::bounded_length(rest, room));
}

int ErroTrilha2(char *track) {
  if (track == nullptr) return 1;
  const size_t length = normalise_track2(track);
  if (length < kShortestTrack || length > kLongestTrack2) return 1;
  if (vl::is_spaced_amex(track)) return 0;
  return six_leading_digits(track) ? 0 : 1;
}

int ErroTrilha1(const char *track) {
  if (track == nullptr) return 1;
  const char *rest = skip_format_code(track);
  if (vl::bounded_length(rest, kShortestTrack) < kShortestTrack) return 1;
  return ErroBIN(rest);
}

int ErroTrilhas(const char *track1, char *track2) {
  if (!vl::is_empty(track2)) return ErroTrilha2(track2);
  if (vl::is_empty(track1)) return 1;
  return ErroTrilha1(track1);
}

int ObtemNomeTrilha01(const char *track, char *name) {
  if (track == nullptr || name == nullptr) return 0;
  const char *first = std::strchr(track, kTrack1Separator);
  if (first == nullptr) return 0;
  const char *second = std::strchr(first + 1, kTrack1Separator);
  if (second == nullptr) return 0;
  const size_t length = static_cast<size_t>(second - first - 1);
  if (length == 0 || length > kLongestTrack1Field) return 0;
  copy_terminated(name, first + 1, length, kLongestTrack1Field);
  return 1;
}

int ObtemNumCartaoTrilha01(const char *track, char *pan) {
  if (track == nullptr || pan == nullptr) return 0;
  // The '^' is looked for from the very first character, before the format code is skipped.
  const char *caret = std::strchr(track, kTrack1Separator);
  if (caret == nullptr) return 0;
  const char *start = skip_format_code(track);
  if (caret <= start) return 0;
  const size_t length = static_cast<size_t>(caret - start);
  if (length > kLongestTrack1Field) return 0;
  copy_terminated(pan, start, length, kLongestTrack1Field);
  return 1;
}

int ObtemDataVencTrilha01(const char *track, char *expiry) {
  if (track == nullptr || expiry == nullptr) return 0;
  const char *caret = std::strrchr(track, kTrack1Separator);
  if (caret == nullptr) return 0;
  copy_fixed(expiry, caret + 1, 0, kExpiryLength);
  expiry[kExpiryLength] = '\0';
  return 1;
}

int GetDataVencimento(char *expiry, const char *track) {
  if (track == nullptr || expiry == nullptr) return 0;
  const char *equals = std::strchr(track, kTrack2Separator);
  if (equals == nullptr) return 0;
  copy_fixed(expiry, equals + 1, 0, kExpiryLength);
  return 1;
}

int GetServiceCode(const char *track, char *code, int first, int second, int third) {
  if (track == nullptr || code == nullptr) return 0;
  const char *equals = std::strchr(track, kTrack2Separator);
  if (equals == nullptr) return 0;
  if (first == kShortRuleFirst && second == kShortRuleSecond && third == kShortRuleThird &&
      remaining_from(equals, kServiceCodeOffset) <= kShortDiscretionaryData) {
    write_service_code(code, kPlainServiceCode);
    return 1;
  }
  copy_fixed(code, equals, kServiceCodeOffset, kServiceCodeLength);
  return 1;
}

int GetServiceCodeEx(const char *track, char *code) {
  if (track == nullptr || code == nullptr) return 0;
  const char *separator = service_code_separator(track);
  if (separator == nullptr) return 0;
  copy_fixed(code, separator, kServiceCodeOffset, kServiceCodeLength);
  return 1;
}

int GetServiceCodeEx2(const char *track, char *code, int first, int /*second*/, int third,
                      int fourth) {
  if (track == nullptr || code == nullptr) return 0;
  const char *separator = service_code_separator(track);
  if (separator == nullptr) return 0;
  const bool rules_apply = first == kShortRuleExFirst && fourth == kShortRuleExFourth && (third == 1 || third == 2);
  const size_t left = remaining_from(separator, kServiceCodeOffset);
  if (rules_apply && left <= kShortDiscretionaryData) {
    write_service_code(code, kPlainServiceCode);
    return 1;
  }
  copy_fixed(code, separator, kServiceCodeOffset, kServiceCodeLength);
  // A space where the discretionary data should go marks a card to treat as "101".
  if (rules_apply && third == 1 && separator[kServiceCodeOffset + kShortDiscretionaryData] == ' ')
    write_service_code(code, kPlainServiceCode);
  return 1;
}

void TrataTrilhaAmex(char *text) {
  if (text == nullptr) return;
  char *rest = skip_format_code(text);
  if (!vl::is_spaced_amex(rest)) return;
  char *kept = rest;
  for (const char *read = rest; *read != '\0'; ++read)
    if (!vl::is_blank(*read)) *kept++ = *read;
  *kept = '\0';
}

void ObtemNumCartao(const char *data, char *pan) {
  if (pan == nullptr) return;
  pan[0] = '\0';
  if (vl::is_empty(data)) return;
  const char *end = std::strchr(data, kTrack2Separator);
  if (end == nullptr) end = std::strchr(data, kNibbleSeparator);
  const size_t length = end != nullptr ? static_cast<size_t>(end - data) : std::strlen(data);
  std::memcpy(pan, data, length);
  pan[length] = '\0';
}

int IsDigitado(const char *text) {
  return text == nullptr || std::strchr(text, kTrack2Separator) == nullptr ? 1 : 0;
}

int StrEhNomeCartao(const char *text) {
  if (text == nullptr) return 0;
  for (; *text != '\0'; ++text)
    if (*text != ' ' && *text != '0') return 1;
  return 0;
}

}  // extern "C"

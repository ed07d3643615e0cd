// Card-number masking and truncation, comparison of numbers kept in those forms, the BIN
// test, the length a BIN range really fixes, and the first brand set in a brand table.
#include <algorithm>
#include <cstring>

#include "card/mask.h"
#include "frame/text.h"
#include "vertalib/card.h"

namespace {

constexpr size_t kKeptHead = 6;  // leading characters that stay readable
constexpr size_t kKeptTail = 4;  // trailing characters that stay readable
constexpr size_t kTruncatedLength = kKeptHead + 1 + kKeptTail;
constexpr int kShortestMaskable = 12;
constexpr size_t kBinLength = 6;
constexpr char kTruncationMark = '-';
constexpr char kMaskCharacter = 'X';

bool is_wildcard(char c) { return c == '*' || c == 'x' || c == 'X' || c == '-'; }

// "123456" + '-' + the last four characters, as they stood before the '-' was written.
void truncate_number(char *pan, size_t length) {
  char tail[kKeptTail];
  std::memcpy(tail, pan + length - kKeptTail, kKeptTail);
  pan[kKeptHead] = kTruncationMark;
  std::memcpy(pan + kKeptHead + 1, tail, kKeptTail);
  pan[kTruncatedLength] = '\0';
}

bool alike_position_by_position(const char *first, const char *second, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (first[i] != second[i] && !is_wildcard(first[i]) && !is_wildcard(second[i])) return false;
  return true;
}

// The shorter number is read as a truncated form: its head before the '-' must open the
// longer one and its tail after the '-' must close it.
bool truncated_matches(const char *truncated, size_t truncated_length, const char *full,
                       size_t full_length) {
  const void *mark = std::memchr(truncated, kTruncationMark, truncated_length);
  if (mark == nullptr) return false;
  const size_t head = static_cast<size_t>(static_cast<const char *>(mark) - truncated);
  if (head == 0) return false;
  const size_t tail = truncated_length - head - 1;
  return std::strncmp(truncated, full, head) == 0 &&
         std::strncmp(truncated + head + 1, full + full_length - tail, tail) == 0;
}

size_t trailing_run(const char *text, size_t end, char repeated) {
  size_t count = 0;
  while (count < end && text[end - 1 - count] == repeated) ++count;
  return count;
}

}  // namespace

namespace vl {

bool is_spaced_amex(const char *text) {
  if (bounded_length(text, 12) < 12) return false;
  return is_digit(text[0]) && is_digit(text[1]) && is_digit(text[2]) && is_digit(text[3]) &&
         is_blank(text[4]) && is_digit(text[5]) && is_digit(text[6]) && is_blank(text[11]);
}

}  // namespace vl

extern "C" {

void MascaraCartao(char *pan, int length) {
  if (pan == nullptr || length < static_cast<int>(kKeptTail)) return;
  truncate_number(pan, static_cast<size_t>(length));
}

void TruncaCartao(char *pan, int length) {
  if (pan == nullptr || length < kShortestMaskable) return;
  truncate_number(pan, static_cast<size_t>(length));
}

void MascaraPAN(char *pan, int length) {
  if (pan == nullptr || length < kShortestMaskable) return;
  std::memset(pan + kKeptHead, kMaskCharacter, static_cast<size_t>(length) - kKeptHead - kKeptTail);
}

int IsMaskedPANsAlike(const char *first, int first_length, const char *second, int second_length) {
  if (first == nullptr || second == nullptr) return 0;
  const size_t a = vl::non_negative(first_length);
  const size_t b = vl::non_negative(second_length);
  if (a == b) return alike_position_by_position(first, second, a) ? 1 : 0;
  const bool first_shorter = a < b;
  return (first_shorter ? truncated_matches(first, a, second, b)
                        : truncated_matches(second, b, first, a))
             ? 1
             : 0;
}

int ErroBIN(const char *pan) {
  if (pan == nullptr || vl::bounded_length(pan, kBinLength) < kBinLength) return 1;
  if (vl::is_spaced_amex(pan)) return 0;
  return std::all_of(pan, pan + kBinLength, vl::is_digit) ? 0 : 1;
}

int GetBINLength(const char *lower, const char *upper) {
  if (lower == nullptr || upper == nullptr) return static_cast<int>(kBinLength);
  const size_t n = std::strlen(lower);
  const size_t zeros = trailing_run(lower, n, '0');
  // The nines are counted over the lower limit's positions; an upper limit shorter than
  // the lower one has none there.
  const size_t nines = std::strlen(upper) >= n ? trailing_run(upper, n, '9') : 0;
  return static_cast<int>(std::max(n - std::min(zeros, nines), kBinLength));
}

int AchaBandeira(const char *brands, int first, int end) {
  if (brands == nullptr) return -1;
  for (int position = first; position < end; ++position)
    if (brands[position] != 0) return static_cast<signed char>(brands[position]);
  return -1;
}

}  // extern "C"

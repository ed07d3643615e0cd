// Julian and Gregorian digit dates of every length: the result is the civil calendar's date
// (out-of-range days and months carried over), and converting it back gives the date again.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

int number(const char *text, size_t count) {
  int value = 0;
  for (size_t i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

// The date the digits name, through std::chrono.
sys_days expected_date(const char *in, size_t length) {
  const size_t year_digits = length >= 7 ? 4 : 2;
  int y = number(in, year_digits);
  if (year_digits == 2) y += y < 70 ? 2000 : 1900;
  if (length % 2 == 1)
    return sys_days(year(y) / January / 1) + days(number(in + year_digits, 3) - 1);
  const year_month first = year(y) / January + months(number(in + year_digits, 2) - 1);
  return sys_days(first / 1) + days(number(in + year_digits + 2, 2) - 1);
}

void format(char *out, size_t length, sys_days date) {
  const year_month_day ymd(date);
  const int y = static_cast<int>(ymd.year());
  const int yearday = (date - sys_days(ymd.year() / January / 1)).count() + 1;
  const unsigned m = static_cast<unsigned>(ymd.month());
  const unsigned d = static_cast<unsigned>(ymd.day());
  switch (length) {
    case 5: std::snprintf(out, 16, "%02d%02u%02u", y % 100, m, d); break;
    case 6: std::snprintf(out, 16, "%02d%03d", y % 100, yearday); break;
    case 7: std::snprintf(out, 16, "%04d%02u%02u", y, m, d); break;
    default: std::snprintf(out, 16, "%04d%03d", y, yearday); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const size_t length = 5 + data[0] % 4;
  char in[9] = {};
  for (size_t i = 0; i < length; ++i)
    in[i] = static_cast<char>('0' + (i + 1 < size ? data[i + 1] % 10 : 0));
  // Four-digit years start at 1970, where the local calendar begins.
  if (length >= 7 && number(in, 4) < 1971) std::memcpy(in, "1971", 4);

  char out[16];
  std::memset(out, '#', sizeof out);
  if (Julian2Gregorian(in, out) != 1) __builtin_trap();
  const sys_days date = expected_date(in, length);
  char expected[16];
  format(expected, length, date);
  if (std::strcmp(out, expected) != 0) __builtin_trap();
  if (out[std::strlen(out) + 1] != '#') __builtin_trap();

  // Back again: within the two-digit window and up to year 9999 the date comes back whole.
  const int y = static_cast<int>(year_month_day(date).year());
  const bool two_digit_window = y >= 1970 && y <= 2069;
  if (y <= 9999 && (length >= 7 || two_digit_window)) {
    char back[16];
    if (Julian2Gregorian(out, back) != 1) __builtin_trap();
    char again[16];
    format(again, std::strlen(out), date);
    if (std::strcmp(back, again) != 0) __builtin_trap();
  }
  return 0;
}

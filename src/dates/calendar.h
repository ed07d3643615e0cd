// Fixed-position date fields shared by the calendar and the clock.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vl {

// Copies the count characters of text at position pos into out (count + 1 bytes) and
// terminates it. A text that ends before the field reads as ending there: the missing
// characters are NUL bytes. A null text reads as empty.
void read_field(const char *text, size_t pos, size_t count, char *out);

// The field at pos read as a decimal number (blanks and a sign accepted, reading stops at
// the first non-digit, an empty field is 0).
int32_t field_number(const char *text, size_t pos, size_t count);

// The time value of a local date-time; is_dst 0 reads it without daylight saving, -1 lets
// the platform decide. Fields out of range carry into the next unit (a day 32 is in the
// next month). False when the platform cannot represent it.
bool local_epoch(int year, int month, int day, int hour, int minute, int second, int is_dst,
                 int64_t &seconds);

// The first differing byte of a and b (NUL-terminated) as -1 or 1, or 0.
int compare_text(const char *a, const char *b);

}  // namespace vl

// Decimal text <-> double, with the rounding the library's callers rely on: a value that
// lies exactly halfway rounds away from zero ("%.0f" of 2.5 is 3, of -2.5 is -3), and '.'
// is the decimal point whatever locale the program chose.
#pragma once

#include <cstddef>

namespace vl {

// Reads the longest prefix of text that is a decimal number: blanks, an optional sign,
// digits with an optional '.' and fraction, an optional exponent. No digits: 0. Hexadecimal,
// "inf" and "nan" are not numbers here ("0x1" reads as 0). end, when given, receives the
// first character not read.
double read_decimal(const char *text, const char **end = nullptr);

// value with exactly decimals places (0..100), as "%.*f" writes it but with exact halves
// rounded away from zero. Returns the length, or -1 when it does not fit in capacity.
int format_fixed(char *out, size_t capacity, double value, int decimals);

// Fixed-point digits of |value| rounded at decimals places (halves away from zero): the
// digits without leading zeros, no sign, no decimal point, NUL-terminated; *decimal_point
// receives the position of the decimal point relative to the digits (negative when it
// lies left of them). Zero gives decimals '0' characters and position 0. Returns the
// number of digits, or -1 when they do not fit in capacity.
int fixed_point_digits(double value, int decimals, char *out, size_t capacity,
                       int *decimal_point);

}  // namespace vl

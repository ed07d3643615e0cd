// The master-key table's selection columns and the transport key each row is decrypted
// with. Shared by the library and by the tool that makes the table's encrypted rows, so
// both build the same transport key from the same build-supplied pattern.
#pragma once

#include <cstddef>

#include "frame/text.h"
#include "vertalib_secrets.h"

namespace vl::pin {

// One row of the table: which key it is (code, version, variant) and how many hex digits
// the key has. The encrypted key and its check value come from the build's secrets.
struct MasterKeyRow {
  int code;
  int version;
  int variant;
  int key_digits;
};

inline constexpr MasterKeyRow kMasterKeyRows[] = {
    {13, 2, 0, 32},   {13, 2, 1, 32},   {25, 1, 0, 16},   {25, 1, 1, 16},   {28, 1, 0, 32},
    {28, 1, 1, 32},   {28, 2, 0, 32},   {28, 2, 1, 32},   {63, 1, 0, 32},   {63, 1, 1, 32},
    {63, 2, 0, 32},   {63, 2, 1, 32},   {71, 1, 0, 32},   {71, 1, 1, 32},   {86, 1, 0, 32},
    {86, 1, 1, 32},   {95, 1, 0, 32},   {95, 1, 1, 32},   {105, 1, 0, 32},  {105, 1, 1, 32},
    {141, 1, 0, 32},  {142, 1, 0, 32},  {142, 1, 1, 32},  {144, 1, 0, 32},  {144, 1, 1, 32},
    {144, 2, 0, 32},  {144, 2, 1, 32},  {146, 0, 0, 32},  {146, 0, 1, 32},  {150, 0, 0, 32},
    {150, 0, 1, 32},  {152, 0, 0, 32},  {152, 0, 1, 32},  {158, 0, 0, 32},  {158, 0, 1, 32},
    {161, 0, 0, 32},  {161, 0, 1, 32},  {170, 0, 0, 32},  {170, 0, 1, 32},  {172, 0, 0, 32},
    {172, 0, 1, 32},  {174, 0, 0, 32},  {174, 0, 1, 32},
};
inline constexpr size_t kMasterKeyRowCount = sizeof kMasterKeyRows / sizeof kMasterKeyRows[0];
static_assert(kMasterKeyRowCount == 43);

// Transport key: 48 hex digits. Its pattern (one per variant) has one byte per digit: 0x00
// to 0x0F is that fixed hex digit, 0xD0 + i (i = 0..6) takes digit i of the seven digits
// that write the row's code and version in three digits each and the variant in one.
inline constexpr size_t kTransportDigits = 48;
inline constexpr size_t kRowDigits = 7;
inline constexpr unsigned char kRowDigitReference = 0xD0;

constexpr bool is_valid_transport_pattern(const unsigned char (&pattern)[kTransportDigits]) {
  for (unsigned char entry : pattern)
    if (entry > 0x0F && (entry < kRowDigitReference || entry >= kRowDigitReference + kRowDigits))
      return false;
  return true;
}
static_assert(is_valid_transport_pattern(vl::secrets::pin_transport_pattern_0) &&
                  is_valid_transport_pattern(vl::secrets::pin_transport_pattern_1),
              "every transport-key pattern byte is a hex digit value or a row-digit reference");

// The seven row digits: code and version as "%03.3d" (the last three digits of a longer
// value), variant as "%1d". Rows hold small non-negative values only.
constexpr void write_row_digits(const MasterKeyRow &row, char (&digits)[kRowDigits]) {
  const int values[3] = {row.code, row.version, row.variant};
  const size_t widths[3] = {3, 3, 1};
  size_t at = 0;
  for (size_t part = 0; part < 3; ++part) {
    int value = values[part];
    for (size_t i = widths[part]; i > 0; --i) {
      digits[at + i - 1] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    at += widths[part];
  }
}

// Writes the row's 48-digit transport key (no NUL). The caller wipes it after use.
constexpr void build_transport_key(const MasterKeyRow &row, char (&key)[kTransportDigits]) {
  const unsigned char(&pattern)[kTransportDigits] =
      row.variant == 0 ? vl::secrets::pin_transport_pattern_0 : vl::secrets::pin_transport_pattern_1;
  char digits[kRowDigits] = {};
  write_row_digits(row, digits);
  for (size_t i = 0; i < kTransportDigits; ++i)
    key[i] = pattern[i] >= kRowDigitReference ? digits[pattern[i] - kRowDigitReference]
                                              : vl::hex_digit(pattern[i]);
}

}  // namespace vl::pin

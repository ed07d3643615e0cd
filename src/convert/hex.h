// Nibble values of hexadecimal characters, for the families that read hex text directly.
#pragma once

#include "frame/text.h"

namespace vl {

// The value of c after upper-casing: c - 0x37 above '9', else c - 0x30, modulo 256. For
// 0-9, A-F and a-f it is the nibble; other characters keep the arithmetic.
constexpr unsigned char asc2bin_value(char c) {
  const auto u = static_cast<unsigned char>(to_upper(c));
  return static_cast<unsigned char>(u > '9' ? u - 0x37 : u - 0x30);
}

// The same with the threshold at '@' instead of '9' (':' .. '@' count as digits above 9).
constexpr unsigned char hex2binary_value(char c) {
  const auto u = static_cast<unsigned char>(to_upper(c));
  return static_cast<unsigned char>(u > '@' ? u - 0x37 : u - 0x30);
}

// One byte from two characters by the first rule: the first's low four bits on top, the
// second's whole value OR'd in.
constexpr unsigned char asc2bin_byte(char high, char low) {
  return static_cast<unsigned char>(((asc2bin_value(high) & 0x0F) << 4) | asc2bin_value(low));
}

}  // namespace vl

// Nibble values of hexadecimal characters, for the families that read hex text directly.
#pragma once

namespace vl {

// ASCII upper case; every other byte unchanged.
constexpr unsigned char ascii_upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 0x20) : c;
}

// The value of c after upper-casing: c - 0x37 above '9', else c - 0x30, modulo 256. For
// 0-9, A-F and a-f it is the nibble; other characters keep the arithmetic.
constexpr unsigned char asc2bin_value(char c) {
  const unsigned char u = ascii_upper(static_cast<unsigned char>(c));
  return static_cast<unsigned char>(u > '9' ? u - 0x37 : u - 0x30);
}

// The same with the threshold at '@' instead of '9' (':' .. '@' count as digits above 9).
constexpr unsigned char hex2binary_value(char c) {
  const unsigned char u = ascii_upper(static_cast<unsigned char>(c));
  return static_cast<unsigned char>(u > '@' ? u - 0x37 : u - 0x30);
}

// One byte from two characters by the first rule: the first's low four bits on top, the
// second's whole value OR'd in.
constexpr unsigned char asc2bin_byte(char high, char low) {
  return static_cast<unsigned char>(((asc2bin_value(high) & 0x0F) << 4) | asc2bin_value(low));
}

// The upper-case hex digit of a nibble (0..15).
constexpr char hex_digit(unsigned value) { return "0123456789ABCDEF"[value & 0x0F]; }

}  // namespace vl

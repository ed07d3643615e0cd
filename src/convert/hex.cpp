// Hexadecimal text, bit texts, packed BCD and 16-bit words.
#include "convert/hex.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "vertalib/convert.h"

namespace {

// The nibble of the padded conversion: hex digits as usual, ':'..'?' by their low four
// bits, and every other character (a NUL included) F.
unsigned char padded_nibble(char c) {
  const auto u = static_cast<unsigned char>(vl::to_upper(c));
  if (u >= '0' && u <= '9') return static_cast<unsigned char>(u - '0');
  if (u >= 'A' && u <= 'F') return static_cast<unsigned char>(u - 'A' + 10);
  if (u >= ':' && u <= '?') return static_cast<unsigned char>(u & 0x0F);
  return 0x0F;
}

unsigned char nibble_of(const unsigned char *bin, unsigned int index) {
  const unsigned char byte = bin[index / 2];
  return static_cast<unsigned char>(index % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

void write_bits(char *out, unsigned char value) {
  for (int bit = 7; bit >= 0; --bit) *out++ = ((value >> bit) & 1) != 0 ? '1' : '0';
}

}  // namespace

extern "C" {

VL_API void VL_CDECL ASC2Bin(unsigned char *out, const char *hex, int count) {
  int i = 0;
  for (; i + 1 < count; i += 2) out[i / 2] = vl::asc2bin_byte(hex[i], hex[i + 1]);
  if (i < count) out[i / 2] = static_cast<unsigned char>((vl::asc2bin_value(hex[i]) & 0x0F) << 4);
}

VL_API void VL_CDECL ASC2BinEx(unsigned char *out, unsigned int size, const char *hex, int count) {
  int remaining = count;
  const char *next = hex;
  for (unsigned int i = 0; i < size; ++i) {
    if (remaining <= 0) {
      out[i] = 0xFF;
      continue;
    }
    // A pair that starts on the last character takes its low nibble from the character
    // after it in memory, which for a NUL-terminated text is the NUL (F).
    const unsigned char high = padded_nibble(next[0]);
    const unsigned char low = padded_nibble(next[1]);
    remaining -= (remaining >= 2) ? 2 : 1;
    next += 2;
    out[i] = static_cast<unsigned char>((high << 4) | low);
  }
}

VL_API unsigned int VL_CDECL ASC2BinL(unsigned char *out, const char *hex, unsigned int count) {
  ASC2Bin(out, hex, static_cast<int>(count));
  return (count + 1) / 2;
}

VL_API unsigned int VL_CDECL ASC2BinR(unsigned char *out, const char *hex, unsigned int count) {
  if (count % 2 == 0) {
    ASC2Bin(out, hex, static_cast<int>(count));
  } else {
    out[0] = static_cast<unsigned char>(vl::asc2bin_value(hex[0]) & 0x0F);
    ASC2Bin(out + 1, hex + 1, static_cast<int>(count - 1));
  }
  return (count + 1) / 2;
}

VL_API int VL_CDECL hex2binary(const char *hex, unsigned int count, unsigned char *out) {
  for (unsigned int i = 0; i < count; i += 2) {
    const unsigned char low = (i + 1 < count) ? vl::hex2binary_value(hex[i + 1]) : 0;
    out[i / 2] = static_cast<unsigned char>(16 * vl::hex2binary_value(hex[i]) + low);
  }
  return 0;
}

VL_API unsigned char VL_CDECL GetHexByteFromAscByte(const char *hex) {
  unsigned char byte = 0;
  ASC2Bin(&byte, hex, 2);
  return byte;
}

VL_API int VL_CDECL Bin2ASC(char *out, const unsigned char *bin, unsigned int count) {
  for (unsigned int i = 0; i < count; ++i) out[i] = vl::hex_digit(nibble_of(bin, i));
  return 0;
}

VL_API int VL_CDECL Bin2ASCz(char *out, const unsigned char *bin, unsigned int count) {
  Bin2ASC(out, bin, count);
  out[count] = '\0';
  return 0;
}

VL_API unsigned int VL_CDECL Bin2ASCL(char *out, const unsigned char *bin, unsigned int count) {
  Bin2ASC(out, bin, count);
  return count;
}

VL_API unsigned int VL_CDECL Bin2ASCR(char *out, const unsigned char *bin, unsigned int count) {
  if (count % 2 == 0) {
    Bin2ASC(out, bin, count);
  } else {
    out[0] = vl::hex_digit(bin[0] & 0x0F);
    Bin2ASC(out + 1, bin + 1, count - 1);
  }
  return count;
}

VL_API int VL_CDECL binary2hex(const unsigned char *bin, unsigned int count, char *out) {
  Bin2ASC(out, bin, 2 * count);
  return 0;
}

VL_API int VL_CDECL ASCII2HexString(const char *text, char *out) {
  const size_t length = std::strlen(text);
  binary2hex(reinterpret_cast<const unsigned char *>(text), static_cast<unsigned int>(length), out);
  out[2 * length] = '\0';
  return static_cast<int>(2 * length);
}

VL_API void VL_CDECL ASC2ASCBit(char *out, unsigned char value) { write_bits(out, value); }

VL_API void VL_CDECL ASCBit2ASC(char *out, const char *bits) {
  unsigned char value = 0;
  for (int i = 0; i < 8; ++i)
    if (bits[i] != '0') value = static_cast<unsigned char>(value | (0x80 >> i));
  binary2hex(&value, 1, out);
}

VL_API int VL_CDECL ASCs2ASCBits(char *out, unsigned int size, const unsigned char *bytes,
                                 unsigned int count) {
  if (count == 0 || static_cast<uint64_t>(size) < 8ull * count) return 0;
  for (unsigned int i = 0; i < count; ++i) write_bits(out + 8 * i, bytes[i]);
  return 1;
}

VL_API int VL_CDECL ASCHex2ASCBit(char *out, unsigned int size, const char *hex,
                                  unsigned int count) {
  if (count == 0 || count > 17) return 0;
  unsigned char work[17] = {};
  hex2binary(hex, count, work);
  // The bits of count bytes of the work area, not count / 2: the text's bits, then zeros.
  return ASCs2ASCBits(out, size, work, count);
}

VL_API uint32_t VL_CDECL ASCHex2Long(const char *hex, unsigned short count) {
  if (count > 8) return 0;
  char digits[8];
  std::memset(digits, '0', sizeof digits);
  std::memcpy(digits + 8 - count, hex, count);
  unsigned char bytes[4];
  ASC2Bin(bytes, digits, 8);
  return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
         (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

VL_API int VL_CDECL ASCHex2ASCInt(char *out, unsigned int width, const char *hex,
                                  unsigned short count) {
  if (width > 16) return 0;
  char text[17];
  const int length = std::snprintf(text, sizeof text, "%0*d", static_cast<int>(width),
                                   static_cast<int32_t>(ASCHex2Long(hex, count)));
  std::memcpy(out, text, static_cast<size_t>(length));
  return 1;
}

VL_API int VL_CDECL ASCHex2ASCIntEx(char *out, unsigned int size, const char *hex,
                                    unsigned short count, int option) {
  if (hex == nullptr || count > 16 || count > size) return 0;
  const unsigned int digits = count + (count % 2);
  char work[16];
  std::memset(work, '0', sizeof work);
  std::memcpy(work + digits - count, hex, count);
  uint64_t value = 0;
  for (unsigned int i = 0; i < digits; i += 2) {
    const unsigned char byte = vl::asc2bin_byte(work[i], work[i + 1]);
    if (i == 0 && count == 16 && byte > 0x7F) return 0;  // beyond the signed 64-bit range
    value = value * 256 + byte;
  }
  return LONGLONGtoStrEx(static_cast<int64_t>(value), static_cast<int>(size), out, option);
}

VL_API void VL_CDECL int2Bcd(unsigned char *out, int value, int digits) {
  if (digits < 1 || digits > 5) return;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%5.5d", value);
  ASC2Bin(out, text + length - digits, digits);
}

VL_API int VL_CDECL Bcd2int(const unsigned char *bcd, unsigned int digits) {
  if (digits > 6) return 0;
  char text[6];
  Bin2ASCR(text, bcd, digits);
  return ASC2int(text, static_cast<int>(digits));
}

VL_API int VL_CDECL FormatWordToByte(unsigned char *out, unsigned short value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  ASC2Bin(out, text, 4);
  return 2;
}

VL_API unsigned short VL_CDECL FormatWordToByteEx(unsigned char *out, int size,
                                                  unsigned short value) {
  if (size < 1 || size > 3) return 0;
  char text[8];
  std::snprintf(text, sizeof text, "%0*X", 2 * size, value);
  ASC2Bin(out, text, 2 * size);
  return static_cast<unsigned short>(size);
}

VL_API unsigned short VL_CDECL FormatByteArrayToWord(const unsigned char *bytes) {
  if (bytes == nullptr) return 0;
  return static_cast<unsigned short>(bytes[0] * 256 + bytes[1]);
}

}  // extern "C"

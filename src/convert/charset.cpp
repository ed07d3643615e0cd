// Character sets: the library's EBCDIC tables, Latin-1 letters without accents, percent-
// encoded URI text and zoned hexadecimal.
#include <array>
#include <cstddef>

#include "convert/hex.h"
#include "vertalib/convert.h"

namespace {

// ASCII 0x20..0x7F to EBCDIC, sixteen codes a row. Not a published code page: '`' shares
// 0x7C with '@', and DEL becomes 0x03.
constexpr unsigned char kAsciiToEbcdicRows[6][16] = {
    {0x40, 0x5A, 0x7F, 0x7B, 0x5B, 0x6C, 0x50, 0x7D, 0x4D, 0x5D, 0x5C, 0x4E, 0x6B, 0x60, 0x4B, 0x61},
    {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0x7A, 0x5E, 0x4C, 0x7E, 0x6E, 0x6F},
    {0x7C, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6},
    {0xD7, 0xD8, 0xD9, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xAD, 0xE0, 0xBD, 0x5F, 0x6D},
    {0x7C, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96},
    {0x97, 0x98, 0x99, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0x8B, 0x6A, 0x9B, 0xA1, 0x03},
};
constexpr unsigned kFirstAscii = 0x20;
constexpr unsigned kLastAscii = 0x7F;
// ASCII bytes without a mapping become 0x20: the ASCII blank's code, not EBCDIC's 0x40.
constexpr unsigned char kUnmappedAscii = 0x20;

// EBCDIC 0x40..0xF9 to ASCII, sixteen codes a row. 0x40 ('@') also marks a byte without a
// mapping, so '\\', '`', '{', '}', '~' and DEL do not come back from EBCDIC.
constexpr unsigned char kEbcdicToAsciiRows[12][16] = {
    {0x20, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x2E, 0x3C, 0x28, 0x2B, 0x40},
    {0x26, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x21, 0x24, 0x2A, 0x29, 0x3B, 0x5E},
    {0x2D, 0x2F, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x7C, 0x2C, 0x25, 0x5F, 0x3E, 0x3F},
    {0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x3A, 0x23, 0x40, 0x27, 0x3D, 0x22},
    {0x40, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
    {0x40, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
    {0x40, 0x40, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x40, 0x40, 0x40, 0x5B, 0x40, 0x40},
    {0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x5D, 0x40, 0x40},
    {0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
    {0x40, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
    {0x40, 0x40, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
    {0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40},
};
constexpr unsigned kFirstEbcdic = 0x40;
constexpr unsigned kLastEbcdic = 0xF9;
constexpr unsigned char kUnmappedEbcdic = 0x40;  // '@'

using ByteTable = std::array<unsigned char, 256>;

// A full 256-byte table from rows that start at code `first` and end at `last`; every code
// outside that range becomes `other`.
template <size_t Rows>
constexpr ByteTable full_table(const unsigned char (&rows)[Rows][16], unsigned first, unsigned last,
                               unsigned char other) {
  ByteTable table{};
  for (unsigned code = 0; code < 256; ++code) {
    const unsigned index = code - first;
    table[code] = (code >= first && code <= last) ? rows[index / 16][index % 16] : other;
  }
  return table;
}

constexpr ByteTable kAsciiToEbcdic =
    full_table(kAsciiToEbcdicRows, kFirstAscii, kLastAscii, kUnmappedAscii);
constexpr ByteTable kEbcdicToAscii =
    full_table(kEbcdicToAsciiRows, kFirstEbcdic, kLastEbcdic, kUnmappedEbcdic);
static_assert(kAsciiToEbcdic['A'] == 0xC1 && kAsciiToEbcdic[0x09] == kUnmappedAscii);
static_assert(kEbcdicToAscii[0xC1] == 'A' && kEbcdicToAscii[0xFA] == kUnmappedEbcdic);

// Accented Latin-1 letters and their plain replacements, in the table's own order.
struct Accent {
  unsigned char accented;
  char plain;
};
constexpr Accent kAccents[] = {
    {0xC0, 'A'}, {0xC1, 'A'}, {0xC2, 'A'}, {0xC3, 'A'}, {0xC7, 'C'}, {0xC8, 'E'},
    {0xC9, 'E'}, {0xCA, 'E'}, {0xCD, 'I'}, {0xD1, 'N'}, {0xD3, 'O'}, {0xD4, 'O'},
    {0xD5, 'O'}, {0xDA, 'U'}, {0xDC, 'U'}, {0xE0, 'a'}, {0xE1, 'a'}, {0xE2, 'a'},
    {0xE3, 'a'}, {0xE7, 'c'}, {0xE8, 'e'}, {0xE9, 'e'}, {0xEA, 'e'}, {0xED, 'i'},
    {0xF1, 'n'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xFA, 'u'}, {0xFB, 'u'},
};
constexpr unsigned char kLastPlainAscii = 0x7E;

constexpr unsigned char kFirstEbcdicDigit = 0xF0;
constexpr unsigned char kLastEbcdicDigit = 0xF9;

constexpr bool is_ascii_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// Characters a URI carries as they are.
constexpr bool is_uri_unreserved(unsigned char c) {
  return is_ascii_digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

// The nibble of a zoned character: above '9' its code - 0x37, else its code - 0x30, taken
// modulo 256 and with no upper-casing, so only 0-9 and A-F give their hex value.
constexpr unsigned char zoned_value(char c) {
  const auto u = static_cast<unsigned char>(c);
  return static_cast<unsigned char>(u > '9' ? u - 0x37 : u - 0x30);
}

}  // namespace

extern "C" {

VL_API void VL_CDECL ASC2EBCDIC(unsigned char *out, const char *in, unsigned short count) {
  for (unsigned i = 0; i < count; ++i) out[i] = kAsciiToEbcdic[static_cast<unsigned char>(in[i])];
}

VL_API int VL_CDECL EBCDIC2ASC(char *out, const unsigned char *in, unsigned short count) {
  if (count == 0) return 1;
  // A field whose first byte is already an ASCII digit is taken to be ASCII as a whole.
  if (is_ascii_digit(in[0])) {
    for (unsigned i = 0; i < count; ++i) out[i] = static_cast<char>(in[i]);
    return 0;
  }
  for (unsigned i = 0; i < count; ++i) out[i] = static_cast<char>(kEbcdicToAscii[in[i]]);
  return 1;
}

VL_API void VL_STDCALL ASC2EBCDIC_StdCall(unsigned char *out, const char *in, unsigned short count) {
  ASC2EBCDIC(out, in, count);
}

VL_API int VL_STDCALL EBCDIC2ASC_StdCall(char *out, const unsigned char *in, unsigned short count) {
  return EBCDIC2ASC(out, in, count);
}

VL_API int VL_CDECL IsEBCDIC(unsigned char value) {
  return value >= kFirstEbcdicDigit && value <= kLastEbcdicDigit ? 1 : 0;
}

VL_API int VL_CDECL IsBufEBCDIC(const unsigned char *buffer, int count) {
  for (int i = 0; i < count; ++i)
    if (IsEBCDIC(buffer[i]) == 0) return 0;
  return 1;
}

VL_API char VL_CDECL latin1(char value) {
  for (const Accent &accent : kAccents)
    if (static_cast<unsigned char>(value) == accent.accented) return accent.plain;
  return value;
}

VL_API void VL_CDECL IEC8859ASC(char *out, const char *in, int count) {
  for (int i = 0; i < count; ++i)
    out[i] = static_cast<unsigned char>(in[i]) > kLastPlainAscii ? latin1(in[i]) : in[i];
}

VL_API void VL_CDECL IEC8859_ASC(char *out, const char *in, int count) { IEC8859ASC(out, in, count); }

VL_API void VL_CDECL URI_Encode(const char *in, char *out) {
  for (; *in != '\0'; ++in) {
    const auto c = static_cast<unsigned char>(*in);
    if (is_uri_unreserved(c)) {
      *out++ = static_cast<char>(c);
    } else {
      *out++ = '%';
      *out++ = vl::hex_digit(c >> 4);
      *out++ = vl::hex_digit(c);
    }
  }
  *out = '\0';
}

VL_API int VL_CDECL zonarr(const unsigned char *in, char *out, unsigned int count) {
  Bin2ASC(out, in, count);
  return 0;
}

VL_API void VL_CDECL dezonarr(const char *in, unsigned char *out, int count) {
  int i = 0;
  for (; i + 1 < count; i += 2)
    out[i / 2] = static_cast<unsigned char>((zoned_value(in[i]) << 4) | zoned_value(in[i + 1]));
  if (i < count) out[i / 2] = static_cast<unsigned char>(zoned_value(in[i]) << 4);
}

}  // extern "C"

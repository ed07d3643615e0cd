/* Conversions: hexadecimal, bit text, BCD, words, numbers as text, character sets, radix codes. */
#ifndef VERTALIB_CONVERT_H
#define VERTALIB_CONVERT_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== convert/hex ==== */

/* Hexadecimal text is one character per nibble, high nibble first; output is upper case.
 * Input is not validated: two nibble rules give every character a value (after ASCII
 * upper-casing):
 *   ASC2Bin rule:    c > '9' ? c - 0x37 : c - 0x30   (ASC2Bin, ASC2BinL/R, ASCHex2Long...)
 *   hex2binary rule: c > '@' ? c - 0x37 : c - 0x30   (hex2binary, ASCHex2ASCBit)
 * Unless said otherwise nothing here writes a NUL or checks the size of out. */

/* (count + 1) / 2 bytes: high nibble = low 4 bits of the first character's value, OR'd with
 * the second's value; an odd count leaves the last low nibble 0. */
VL_API void VL_CDECL ASC2Bin(unsigned char *out, const char *hex, int count);
/* Exactly size bytes from count characters: 0-9, A-F and ':'..'?' (code AND 0x0F) give their
 * nibble, any other character 15; after the text every byte is 0xFF. With an odd count the
 * last pair takes its low nibble from hex[count] (a NUL gives F): 12345 -> 12 34 5F FF. */
VL_API void VL_CDECL ASC2BinEx(unsigned char *out, unsigned int size, const char *hex, int count);
/* Left-aligned (odd digit in the high nibble of the last byte). Returns (count + 1) / 2. */
VL_API unsigned int VL_CDECL ASC2BinL(unsigned char *out, const char *hex, unsigned int count);
/* Right-aligned (odd digit in the low nibble of the first byte). Returns (count + 1) / 2. */
VL_API unsigned int VL_CDECL ASC2BinR(unsigned char *out, const char *hex, unsigned int count);
/* out[i/2] = 16 * value(hex[i]) + value(hex[i+1]) by the hex2binary rule, count even.
 * An odd count takes 0 for the missing last digit. Returns 0. */
VL_API int VL_CDECL hex2binary(const char *hex, unsigned int count, unsigned char *out);
/* ASC2Bin of exactly two characters. */
VL_API unsigned char VL_CDECL GetHexByteFromAscByte(const char *hex);

/* count hex digits of bin (two per byte; an odd count leaves out the last low nibble).
 * Returns 0. No NUL; Bin2ASCz also writes a NUL at out[count]. */
VL_API int VL_CDECL Bin2ASC(char *out, const unsigned char *bin, unsigned int count);
VL_API int VL_CDECL Bin2ASCz(char *out, const unsigned char *bin, unsigned int count);
/* Left-aligned count digits (as Bin2ASC). Returns count. No NUL. */
VL_API unsigned int VL_CDECL Bin2ASCL(char *out, const unsigned char *bin, unsigned int count);
/* Right-aligned: an odd count starts with the low nibble of bin[0]. Returns count. No NUL. */
VL_API unsigned int VL_CDECL Bin2ASCR(char *out, const unsigned char *bin, unsigned int count);
/* 2 * count digits of count bytes. Returns 0. No NUL. */
VL_API int VL_CDECL binary2hex(const unsigned char *bin, unsigned int count, char *out);
/* Every byte of text as two digits, then a NUL. Returns 2 * strlen(text). */
VL_API int VL_CDECL ASCII2HexString(const char *text, char *out);

/* The 8 bits of value as '1'/'0', most significant first. No NUL. */
VL_API void VL_CDECL ASC2ASCBit(char *out, unsigned char value);
/* 8 bit characters (anything but '0' is 1) to two hex digits. No NUL. */
VL_API void VL_CDECL ASCBit2ASC(char *out, const char *bits);
/* 8 * count bit characters of count bytes. 0 (nothing written) when count is 0 or size is
 * below 8 * count, else 1. No NUL. */
VL_API int VL_CDECL ASCs2ASCBits(char *out, unsigned int size, const unsigned char *bytes,
                                 unsigned int count);
/* The count hex characters as bits: 8 * count characters, the 4 * count bits of the text
 * followed by 4 * count '0's (A5 -> 1010010100000000). 0 when count is 0 or above 17, or
 * size is below 8 * count; else 1. No NUL. */
VL_API int VL_CDECL ASCHex2ASCBit(char *out, unsigned int size, const char *hex, unsigned int count);

/* count (at most 8) characters right-aligned in "00000000", read big-endian by the ASC2Bin
 * rule. 0 when count is above 8. */
VL_API uint32_t VL_CDECL ASCHex2Long(const char *hex, unsigned short count);
/* ASCHex2Long as a signed decimal with "%0*d" at width (all the characters formatted, no
 * NUL). 0 when width is above 16, else 1. */
VL_API int VL_CDECL ASCHex2ASCInt(char *out, unsigned int width, const char *hex,
                                  unsigned short count);
/* Up to 16 hex characters as a 64-bit value written by LONGLONGtoStrEx(value, size, out,
 * option). 0 when count is above 16 or above size, for a 16-digit value above the signed
 * 64-bit range, or for a null hex; else LONGLONGtoStrEx's result. */
VL_API int VL_CDECL ASCHex2ASCIntEx(char *out, unsigned int size, const char *hex,
                                    unsigned short count, int option);

/* The last digits (1..5) characters of "%5.5d" of value (0..99999) packed by ASC2Bin. */
VL_API void VL_CDECL int2Bcd(unsigned char *out, int value, int digits);
/* digits BCD digits, right-aligned (an odd count starts at the low nibble of bcd[0]), read
 * with ASC2int: 0 for more than 6 digits; a nibble above 9 ends the number. */
VL_API int VL_CDECL Bcd2int(const unsigned char *bcd, unsigned int digits);
/* out[0] = high byte, out[1] = low byte. Returns 2. */
VL_API int VL_CDECL FormatWordToByte(unsigned char *out, unsigned short value);
/* value as 2 * size hex digits ("%0*X") packed into size (1..3) bytes; a value with more
 * digits gives its leading ones (size 1, 0x1234 -> 0x12). Returns size; 0 and nothing
 * written for a size outside 1..3. */
VL_API unsigned short VL_CDECL FormatWordToByteEx(unsigned char *out, int size,
                                                  unsigned short value);
/* bytes[0] * 256 + bytes[1]; 0 for a null pointer. */
VL_API unsigned short VL_CDECL FormatByteArrayToWord(const unsigned char *bytes);

/* ==== end of convert/hex ==== */

/* ==== convert/number ==== */

/* Counted text to numbers: the count characters are copied into a small NUL-terminated
 * stack area and read as strtol (base 10: blanks and a sign accepted, reading stops at the
 * first non-digit, results beyond 32 bits clamped) or atof; the caller's text needs no NUL. */

/* 0 when count is above 6. */
VL_API int VL_CDECL ASC2int(const char *text, int count);
/* 0 when count is above 4. */
VL_API int VL_CDECL StrToInt(const char *text, unsigned int count);
/* 0 when count is above 10. */
VL_API int32_t VL_CDECL atolong(const char *text, int count);
/* 0 when count is above 19. */
VL_API int32_t VL_CDECL ASC2long(const char *text, int count);
/* count characters that must all be digits (value * 10 + digit in 32 bits, wrapping);
 * 0 when one is not or count is below 1. */
VL_API int VL_CDECL ASC2IntEx(const char *text, int count);
/* A NUL-terminated text of count (0..18) characters as 64 bits, read in two strtol parts;
 * -1 when count is above the text's length or 18, or the high part is negative. */
VL_API int64_t VL_CDECL atoLONGLONG(const char *text, int count);
/* 0.0 when count is above 18; else the decimal number at the start of the characters. */
VL_API double VL_CDECL atodbl(const char *text, int count);
/* The byte of two hex characters (ASC2Bin rule). */
VL_API unsigned int VL_CDECL ASCx2uInt(const char *hex);
/* Significant digits among the leading digits of at most count characters (00120 -> 3). */
VL_API int VL_CDECL QtdDigitosNumInteiroAsc(const char *text, int count);

/* Numbers to fixed-width text (no NUL unless said). */
/* The last min(count, 5) characters of "%5.5d" of value (0..99999). */
VL_API void VL_CDECL int2ASC(char *out, int value, int count);
/* The last min(count, 8) digits of value (not negative), zero-filled; nothing for count
 * below 1. */
VL_API void VL_CDECL long2ASC(char *out, int32_t value, int count);
/* "%ld" of value right-aligned in min(count, 12) '0's (its first characters if longer). */
VL_API void VL_CDECL ltoascii(char *out, int32_t value, int count);
/* The byte of two hex characters with "%0*.*d" at width; NUL. Returns the length. */
VL_API int VL_CDECL ASCx2ASCd(char *out, const char *hex, unsigned int width);
/* value (not negative) in decimal, left-aligned, NUL-terminated; out holds size + 1 bytes,
 * its first size bytes are zeroed first. 1 written, 0 refused (negative, or too long). */
VL_API int VL_CDECL LONGLONGtoStr(int64_t value, int size, char *out);
/* value (not negative) in decimal; 0 gives no digits. padLeft: right-aligned in size '0's
 * with a NUL at out[size]; else at the start of the zeroed first size bytes of out.
 * 1 written, 0 refused (out left all NUL). */
VL_API int VL_CDECL LONGLONGtoStrEx(int64_t value, int size, char *out, int padLeft);
/* "%*.0f" of value (halves away from zero) with leading blanks turned into '0': width 6 and
 * -5.0 give 0000-5. NUL. Returns the length. A width of INT_MIN is refused: out gets an
 * empty text and the result is 0 (0 without writing for a null out). */
VL_API int VL_CDECL DoubleToStr(char *out, int width, double value);
/* The digits of |value| rounded to an integer, right-aligned in width (1..24) '0's (the
 * last width digits when longer). No NUL. */
VL_API void VL_CDECL _dtoasc(char *out, double value, int width);
/* Digits of |value| (one '0' for 0), no sign, in the calling thread's conversion buffer,
 * overwritten by its next IntToChar/DoubleToChar. */
VL_API char *VL_CDECL IntToChar(int value);
/* Digits of |value| * 100 rounded, no point or sign ("000" for 0.0), in the calling
 * thread's conversion buffer. */
VL_API char *VL_CDECL DoubleToChar(double value);
/* pow(base, exponent). */
VL_API double VL_CDECL CalculaPotencia(double base, double exponent);

/* ==== end of convert/number ==== */

/* ==== convert/charset ==== */

/* Counted conversions between ASCII, the library's EBCDIC tables, Latin-1 without accents,
 * percent-encoded URI text and zoned hexadecimal. None refuses input: unmapped bytes take a
 * fixed replacement. Nothing here writes a NUL unless said, or checks the size of out. */

/* count bytes of ASCII to EBCDIC; bytes outside 0x20..0x7F become 0x20 (blank). */
VL_API void VL_CDECL ASC2EBCDIC(unsigned char *out, const char *in, unsigned short count);
/* count bytes of EBCDIC to ASCII; bytes without a mapping become '@'. When in[0] is
 * already an ASCII digit the count bytes are copied unchanged and the result is 0; else 1
 * (also for a count of 0, which reads nothing). */
VL_API int VL_CDECL EBCDIC2ASC(char *out, const unsigned char *in, unsigned short count);
/* The stdcall twins: the same arguments and results. */
VL_API void VL_STDCALL ASC2EBCDIC_StdCall(unsigned char *out, const char *in, unsigned short count);
VL_API int VL_STDCALL EBCDIC2ASC_StdCall(char *out, const unsigned char *in, unsigned short count);
/* 1 when value is an EBCDIC digit (0xF0..0xF9), else 0. */
VL_API int VL_CDECL IsEBCDIC(unsigned char value);
/* 1 when count is below 1 or all count bytes are EBCDIC digits, else 0. */
VL_API int VL_CDECL IsBufEBCDIC(const unsigned char *buffer, int count);
/* The unaccented letter of an accented Latin-1 letter of the table (Ç -> C); any other
 * byte unchanged. */
VL_API char VL_CDECL latin1(char value);
/* count bytes copied, each byte above 0x7E replaced as latin1 does. No NUL. */
VL_API void VL_CDECL IEC8859ASC(char *out, const char *in, int count);
VL_API void VL_CDECL IEC8859_ASC(char *out, const char *in, int count);
/* Letters, digits and - _ . ~ copied, every other byte as %XX (upper case); NUL.
 * out holds 3 * strlen(in) + 1 bytes. */
VL_API void VL_CDECL URI_Encode(const char *in, char *out);
/* count hex digits of in (two per byte, high nibble first), as Bin2ASC. Returns 0. No NUL. */
VL_API int VL_CDECL zonarr(const unsigned char *in, char *out, unsigned int count);
/* count characters packed two per byte, high nibble first: above '9' a character is its
 * code - 0x37, else its code - 0x30 (no upper-casing: 'a' gives 0x2A); an odd count leaves
 * the last low nibble 0. Writes (count + 1) / 2 bytes. */
VL_API void VL_CDECL dezonarr(const char *in, unsigned char *out, int count);

/* ==== end of convert/charset ==== */

/* ==== convert/radix ==== */

/* Radix digits are '0'..'9' (0..9) and 'A'..'Z' (10..35), upper case only. */

/* The value of the NUL-terminated text in radix, read from its last character: a digit is
 * c - '0' for '0'..'9', else c - 55. A digit at or above radix prints the line
 * "Invalid Number" on standard output and gives -1. Empty (or null) text gives 0.
 * 32-bit arithmetic, wrapping. */
VL_API int VL_CDECL toDeci(const char *text, int radix);
/* value in radix (2..36), upper case, in size - 1 characters zero-filled on the left (the
 * last size - 1 digits when longer), NUL at out[size - 1]. 0, a negative value or a radix
 * outside 2..36 give size - 1 '0's; a size below 1 writes nothing. Returns out. */
VL_API char *VL_CDECL fromDeci(char *out, int radix, int value, int size);
/* toDeci(text, 36). */
VL_API int VL_CDECL convertBase36toDecimal(const char *text);
/* fromDeci(out, 36, value, size). */
VL_API char *VL_CDECL convertDecimaltoBase36(int value, char *out, unsigned int size);

/* The Verta code writes 10..99 as their two decimal digits and 100..333 as a digit d
 * '0'..'8' and a letter L, 100 + 26 * d + (L - 'A') (0A = 100, 8Z = 333). The conversions
 * below read and write exactly two characters, no NUL. */

/* The number of a Verta code; any other two characters as radix 36 (toDeci: "9A" is 334). */
VL_API int VL_CDECL convertB36VertatoDecimal(const char *code);
/* The two-digit radix-36 text of value, replaced by its Verta code when it stands for
 * 10..333 (45 -> "45", 100 -> "0A", 5 -> "05", 334 -> "9A"). */
VL_API void VL_CDECL convertDecimaltoB36Verta(int value, char *out);
/* in copied to out, a Verta code replaced by its radix-36 text ("0A" -> "2S"). */
VL_API void VL_CDECL convertB36VertatoBase36(const char *in, char *out);
/* in copied to out, a radix-36 text of 10..333 replaced by its Verta code ("2S" -> "0A"). */
VL_API void VL_CDECL convertBase36toB36Verta(const char *in, char *out);

/* Three decimal texts (0..9999, 0..9999, 0..999) as 3 + 3 + 2 radix-32 digits; out holds
 * 9 bytes, NUL-terminated. Returns 8. */
VL_API int VL_CDECL toBit41Base32(char *out, const char *field1, const char *field2,
                                  const char *field3);
/* The eight radix-32 characters back to "%04d", "%04d", "%03d" texts (5, 5 and 4 bytes,
 * NUL-terminated). 1 when valid; 0 with the fields "0000", "0000", "000" when a value is out
 * of range or a character is not a radix-32 digit ('0'..'9', 'A'..'V'). */
VL_API int VL_CDECL fromBit41Base32(const char *code, char *field1, char *field2, char *field3);

/* Run-length coding: a count byte 0x80..0xBF stands for (count AND 0x3F) + 1 copies of the
 * byte after it; every other byte stands for itself. */

/* Encodes count bytes; runs of 3 to 64 and every byte 0x80..0xBF take a count byte. out
 * holds 2 * count bytes. Returns the bytes written. */
VL_API unsigned int VL_CDECL RleEncode(unsigned char *out, const unsigned char *in,
                                       unsigned int count);
/* Decodes count bytes into at most size bytes; returns the bytes written. 0 when count is 0,
 * a run would exceed size, or the last byte is a count byte; the runs decoded before the
 * refusal stay in out. Never writes past out[size - 1]. */
VL_API unsigned int VL_CDECL RleDecode(unsigned char *out, const unsigned char *in,
                                       unsigned int count, unsigned int size);

/* ==== end of convert/radix ==== */

VL_END_DECLS

#endif /* VERTALIB_CONVERT_H */

/* Message fields: ISO 8583 bitmaps, identified elements, TTTLLL fields, acquirer sub-fields. */
#ifndef VERTALIB_FIELDS_H
#define VERTALIB_FIELDS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* The identified-element record, filled by the element parsers and searches (caller-owned).
 * id holds either the identifier's numeric value as a 32-bit int (BufID2Elemento,
 * BitID2Elemento) or its characters as text, the rest 0 and no terminator when all four
 * are used (the searches). data holds at most 999 bytes of the element and no NUL. */
typedef struct ElementoID {
  char id[4];
  int length;
  char data[999];
} ElementoID;

/* A text-tag element found by FindElementoTXT / FindElementoTXT_Safra (caller-owned). */
typedef struct ElementoTXT {
  int tag_length;
  char tag[1000];
  int value_length;
  char value[999];
} ElementoTXT;

/* ==== fields/bitmap ==== */

/* ISO 8583 bitmaps in binary form: bit n (from 1) is byte (n-1)/8 under the mask
 * 0x80 >> ((n-1) % 8). Bit 1 (the secondary-bitmap flag) is never set on the caller's
 * behalf. */

/* Sets bit `bit` of the bitmap; bit from 1 to 8 * the bitmap's size (not checked). */
VL_API void VL_CDECL SetBIT(int bit, unsigned char *bitmap);
/* Clears bit `bit` of the bitmap (not checked). */
VL_API void VL_CDECL ResetBIT(int bit, unsigned char *bitmap);
/* The tested byte AND the mask, both as signed 8-bit values: the mask value when the bit is
 * set (-128 for the first bit of each byte), 0 when clear. Note the bitmap comes first. */
VL_API int VL_CDECL isON(const unsigned char *bitmap, int bit);

/* The message record's 16-byte bitmap lives in its bytes 29 to 44 (primary 29..36,
 * secondary 37..44); bytes 0 to 28 are never touched. */

/* Sets bit 1..128 in the record's bitmap; a null record or another bit number does nothing. */
VL_API void VL_CDECL SetBITISO(int bit, void *record);
/* Clears bit 1..128 in the record's bitmap; a null record or another bit number does nothing. */
VL_API void VL_CDECL ResetBITISO(int bit, void *record);
/* Clears each bit of the int arguments that follow, up to the first 0, in the record's
 * bitmap (bit numbers 1..128, not checked). Returns 0. */
VL_API int VL_CDECL ResetBits(void *record, ...);

/* ==== end of fields/bitmap ==== */

/* ==== fields/element ==== */

/* An identified element is idWidth identifier digits, lenWidth length digits (both
 * zero-filled) and that many data bytes, with no separators; a run is elements back to
 * back, its length passed apart. Digit fields read as ASC2int does (0 when wider than 6).
 * Nothing here writes a terminator unless said. */

/* Writes identifier (when idWidth >= 1), dataLength (when lenWidth > 0) and dataLength
 * bytes of data into out. *size is the space on entry and the bytes written on exit (0 on
 * refusal); *total (may be null) grows by the same. Refuses (0) when the element exceeds
 * the space, identifier or dataLength has more digits than its width (0 has none) or is
 * negative, out or data is null, or data is an empty text. Returns 1. */
VL_API int VL_CDECL MontaBuffer_ID_Str(int identifier, int idWidth, int dataLength, int lenWidth,
                                       const char *data, char *out, int *size, int *total);
/* The element whose data is value zero-filled to valueWidth (0..19) characters. Refuses (0)
 * when value has more digits than valueWidth, leaving *size as it was; else as
 * MontaBuffer_ID_Str. */
VL_API int VL_CDECL MontaBuffer_ID_Int(int identifier, int idWidth, int valueWidth, int lenWidth,
                                       int value, char *out, int *size, int *total);
/* Appends the element at buffer + *used when it fits in *size - *used bytes; *used grows by
 * its length and *size becomes the space left (its entry value minus the new *used), also
 * when the element is refused. Refuses (0) a null argument or *used not below *size, leaving
 * both as they were. Returns 1 when appended. */
VL_API int VL_CDECL MontaBuffer_ID_StrEx(int identifier, int idWidth, int dataLength, int lenWidth,
                                         const char *data, char *buffer, int *size, int *used);
/* Writes the last min(idWidth, 5) digits of "%5.5d" of identifier at out, the last
 * min(lenWidth, 5) of dataLength at out + idWidth, and dataLength bytes of data at
 * out + idWidth + lenWidth; positions of a field wider than 5 past its fifth are left alone.
 * Identifier and dataLength from 0 to 99999. Nothing happens when data or out is null. */
VL_API void VL_CDECL MontaBitID(int identifier, int idWidth, int lenWidth, int dataLength,
                                const char *data, char *out);
/* Takes one element apart; element->id receives the identifier's value as an int.
 * arrangement 0: identifier, length, then min(length, 999 - idWidth - lenWidth) data bytes
 *   copied, not terminated, the rest of element->data left alone.
 * arrangement 1: length, identifier, data; the stored length is the length read minus
 *   idWidth, and n = min(that, 999 - lenWidth - idWidth) data bytes are copied and followed
 *   by a NUL. A negative stored length, a text (from its start) shorter than n, or n of 999
 *   or more clears the record.
 * Any other arrangement clears the record (id 0, length 0, 999 data bytes 0). */
VL_API void VL_CDECL BufID2Elemento(const char *text, int idWidth, int lenWidth, int arrangement,
                                    ElementoID *element);
/* Identifier (as an int), length, and min(length, 999) data bytes (999 for a negative
 * length), not terminated. */
VL_API void VL_CDECL BitID2Elemento(const char *text, int idWidth, int lenWidth,
                                    ElementoID *element);
/* Searches the run for the element whose identifier characters equal "%0*d" of identifier
 * (idWidth 0..4); on success element->id holds those characters (the rest of the 4 bytes 0),
 * element->data is cleared and holds min(length, 999) bytes. Every element whose header
 * starts inside the run must lie in it. Returns 1 found, 0 not (also for runLength < 1). */
VL_API int VL_CDECL FindElementoID(int identifier, int idWidth, int lenWidth, int runLength,
                                   const char *run, ElementoID *element);
/* As FindElementoID, never reading past runLength: an element whose header does not end
 * before runLength, or whose data ends past it, ends the search. The record holds the last
 * element examined, also after a failed search. */
VL_API int VL_CDECL FindElementoIDEx(int identifier, int idWidth, int lenWidth, int runLength,
                                     const char *run, ElementoID *element);
/* Reads the element at *position into element (as FindElementoID fills it) and moves
 * *position past it. Returns 0, changing nothing, when no whole element starts there. */
VL_API int VL_CDECL FindFirstElementoID(int idWidth, int lenWidth, int runLength, const char *run,
                                        ElementoID *element, int *position);
/* Searches a run of text-tag elements (tag part, value part; each an optional width field
 * of width digits when variable is nonzero, a length field of width digits (or of the width
 * read), then the text) for the tag equal to key (keyLength characters, at most its text
 * length and 999). On success clears 999 bytes of the tag and of the value and stores both
 * with their lengths (no NUL added). Returns 1 found, 0 not. */
VL_API int VL_CDECL FindElementoTXT(const char *key, int keyLength, int runLength, const char *run,
                                    int width, int variable, ElementoTXT *element);
/* FindElementoTXT with one-digit width fields (variable arrangement, width 1). */
VL_API int VL_CDECL FindElementoTXT_Safra(const char *key, int keyLength, int runLength,
                                          const char *run, ElementoTXT *element);
/* Copies exactly count bytes from the first occurrence of key in text (includeKey nonzero)
 * or from right after it, into out after clearing all *outSize bytes; *outSize becomes count.
 * Returns 0 when text is empty or not longer than key, key is absent, or *outSize < count.
 * count bytes must exist from the datum's start. */
VL_API int VL_CDECL GetDadoFromBuffer(const char *text, const char *key, char *out, int *outSize,
                                      int count, int includeKey);

/* ==== end of fields/element ==== */

/* ==== fields/subfield ==== */

/* ==== end of fields/subfield ==== */

VL_END_DECLS

#endif /* VERTALIB_FIELDS_H */

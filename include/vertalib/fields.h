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

/* Sets bit `bit` of the bitmap; bit from 1 to 8 * the bitmap's size (the upper end cannot be
 * checked: the size is the caller's). A bit below 1 does nothing. */
VL_API void VL_CDECL SetBIT(int bit, unsigned char *bitmap);
/* Clears bit `bit` of the bitmap, as SetBIT sets it. */
VL_API void VL_CDECL ResetBIT(int bit, unsigned char *bitmap);
/* The tested byte AND the mask, both as signed 8-bit values: the mask value when the bit is
 * set (-128 for the first bit of each byte), 0 when clear or for a bit below 1. Note the
 * bitmap comes first. */
VL_API int VL_CDECL isON(const unsigned char *bitmap, int bit);

/* The message record's 16-byte bitmap lives in its bytes 29 to 44 (primary 29..36,
 * secondary 37..44); bytes 0 to 28 are never touched. */

/* Sets bit 1..128 in the record's bitmap; a null record or another bit number does nothing. */
VL_API void VL_CDECL SetBITISO(int bit, void *record);
/* Clears bit 1..128 in the record's bitmap; a null record or another bit number does nothing. */
VL_API void VL_CDECL ResetBITISO(int bit, void *record);
/* Clears each bit of the int arguments that follow, up to the first 0, in the record's
 * bitmap; numbers outside 1..128 are passed over. Returns 0. */
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
/* The element whose data is the first valueWidth (0..19) characters of "%0*d" of value.
 * Refuses (0) when value has more digits than valueWidth (a sign is not a digit: -5 at
 * width 1 gives "-"), leaving *size as it was; else as MontaBuffer_ID_Str. */
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
 *   or more clears the record. Data bytes (or identifier characters) that would lie past the
 *   text's NUL are stored as NULs, never read.
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
 * with their lengths (no NUL added). Returns 1 found, 0 not; a field, tag or value that
 * would end past runLength ends the search with 0 (nothing past runLength is read). */
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

/* Sub-fields packed by acquirers into private message fields: TTTLLL elements (a tag and a
 * decimal length, then the value), length-first and four-character-tag layouts, three-
 * character code lists, the reserved field of "@KEY=value" pairs and "name=value" parameter
 * texts. Length fields are read as ASC2int reads them; no walk reads past the text's length,
 * a negative length field ends a walk, and a value that runs past the text is cut there. */

/* One goods description of a Ticket Car authorisation: 15 characters, not terminated, the
 * first 5 of them the goods code. */
typedef struct DescMercadoria {
  char text[15];
} DescMercadoria;

/* The goods descriptions of a Ticket Car authorisation (caller-owned, 1360 bytes): the
 * element's 4 identifier characters (not terminated), the number of descriptions, the
 * descriptions back to back; every byte not filled is 0. */
typedef struct DescMercadorias {
  char id[4];
  int count;
  DescMercadoria descriptions[90];
} DescMercadorias;

/* The value of the first element of tag number tag (0..999, written as 3 digits; a first
 * tag character '@' reads as '0', and an element "@20" whose length begins with 'C' has the
 * length 20). Elements are walked while their tag starts within the first
 * min(strlen(text), maxLen) characters; the length field and the value are read in full,
 * as far as the text goes. The value and a NUL go to out (outSize bytes); a value not
 * shorter than outSize (any value when outSize is negative) empties out. Returns the
 * value's length; 0 when not found, too long, or refused (null or empty text, null out,
 * outSize 0, fewer than 7 characters to walk). */
VL_API int VL_CDECL GetValueFromTTTLLLValue(const char *text, unsigned int maxLen, int tag,
                                            char *out, int outSize);
/* As GetValueFromTTTLLLValue with a tag of tagWidth characters (compared with tag) and a
 * length of lenWidth digits (a width above 6 reads as 0); refused when the characters to
 * walk are not more than tagWidth + lenWidth. */
VL_API int VL_CDECL GetValueFromTTTLLLValueEx(const char *text, unsigned int maxLen,
                                              const char *tag, unsigned int tagWidth,
                                              int lenWidth, char *out, int outSize);
/* Removes every element of tag from the first min(*length, strlen(text)) characters of text:
 * the rest moves down over each one and the freed bytes at the end become NUL; bytes past
 * those characters are not touched. Stores the new length in *length (unchanged when
 * refused). Returns 1 when something was removed, else 0. */
VL_API int VL_CDECL RemoveTTTLLLValueFromBuffer(char *text, unsigned int *length,
                                                const char *tag, unsigned int tagWidth,
                                                int lenWidth);
/* Length-first sub-fields: 3 digits counting identifier and data, 2 identifier characters,
 * the data. Copies min(length - 2, capacity) data characters of the element with identifier
 * (2 characters) to out, no NUL, and returns their count; 0 when absent, when a length
 * below 2 is met, or when textLength is below 6. */
VL_API int VL_CDECL GetSubcampoBradesco(const char *identifier, char *out, int capacity,
                                        const char *text, int textLength);
/* The value after the first occurrence of tag (exactly 4 characters) in text, its length in
 * the 3 digits after the tag: copies it to out, no NUL, and returns 1. 0 when the tag is
 * absent or starts after lastPosition, the length is above maxLen, or the text ends within
 * the value. reserved is not read. */
VL_API int VL_CDECL GetSubcampoTicketLog(char *out, void *reserved, const char *tag, int maxLen,
                                         const char *text, int lastPosition);
/* 1 when code (exactly 3 characters) fills one of the 3-character slots of the first length
 * characters of list, else 0. */
VL_API int VL_CDECL CheckParamConfTicketLog(const char *code, const char *list, int length);
/* Elements of a 4-character identifier and a 4-digit length: fills element with the
 * identifier characters, the length and min(length, 999) data bytes (the rest of the record
 * is left as it was) of the first element of identifier (4 characters). Returns 1 found,
 * 0 not. */
VL_API int VL_CDECL FindElementoID_TicketEdenred(const char *identifier, int textLength,
                                                 const char *text, ElementoID *element);
/* Clears *out and fills it with the goods descriptions of element "0115" of the Ticket Car
 * authorisation text (count = data bytes / 15). Returns out. */
VL_API DescMercadorias *VL_CDECL FindDescMercadoriasAutTicketCar(DescMercadorias *out,
                                                                 const char *text,
                                                                 int textLength);
/* The first goods description whose 5-digit code has the value of the first min(codeLength,
 * 5) characters of code; 15 zero bytes when none. */
VL_API DescMercadoria VL_CDECL FindDescMercadoriaAutTicketCar(const char *text, int textLength,
                                                              const char *code,
                                                              int codeLength);
/* The n characters after the first occurrence of key (with its '@' and '=') in reserved:
 * clears *size bytes of out, copies them (fewer when reserved ends first; no NUL beyond the
 * cleared bytes), sets *size to n and returns 1. 0 when reserved is null, empty or not longer
 * than key, *size is below n, n is negative or key is absent. */
VL_API int VL_CDECL GetDadoFromReservado(const char *reserved, const char *key, char *out,
                                         int *size, int n);
/* The value after key in reserved, up to the next '@' or the end, at most max characters:
 * out gets a NUL after it unless max characters were copied. Returns the count copied; 0 when
 * refused as GetDadoFromReservado or key is absent. */
VL_API int VL_CDECL GetDadoFromReservadoEx(const char *reserved, const char *key, char *out,
                                           int max);
/* GetDadoFromReservado with the key "@NSUSERVHOST=" and n = 15. */
VL_API int VL_CDECL GetNSUServHostFromReservado2(const char *reserved, char *out, int *size);
/* The value of item name in a parameter text (name, separator, value up to a space or the
 * end; separators and spaces before the value skipped), in a 256-byte buffer owned by the
 * library that every call clears and overwrites; values longer than 255 characters are cut.
 * Null when absent or refused. Not safe from two threads at once. */
VL_API char *VL_CDECL GetParamItem(const char *text, const char *name, char separator);

/* ==== end of fields/subfield ==== */

VL_END_DECLS

#endif /* VERTALIB_FIELDS_H */

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

/* ==== end of fields/bitmap ==== */

/* ==== fields/element ==== */

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

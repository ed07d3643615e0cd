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

/* ==== end of fields/element ==== */

/* ==== fields/subfield ==== */

/* ==== end of fields/subfield ==== */

VL_END_DECLS

#endif /* VERTALIB_FIELDS_H */

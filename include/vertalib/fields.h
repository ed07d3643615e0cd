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

/* ==== end of fields/subfield ==== */

VL_END_DECLS

#endif /* VERTALIB_FIELDS_H */

/* Message fields: ISO 8583 bitmaps, identified elements, TTTLLL fields, acquirer sub-fields. */
#ifndef VERTALIB_FIELDS_H
#define VERTALIB_FIELDS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== fields/bitmap ==== */

/* ==== end of fields/bitmap ==== */

/* ==== fields/element ==== */

/* ==== end of fields/element ==== */

/* ==== fields/subfield ==== */

/* ==== end of fields/subfield ==== */

VL_END_DECLS

#endif /* VERTALIB_FIELDS_H */

/* Conversions: hexadecimal, bit text, BCD, words, numbers as text, character sets, radix codes. */
#ifndef VERTALIB_CONVERT_H
#define VERTALIB_CONVERT_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== convert/hex ==== */

/* ==== end of convert/hex ==== */

/* ==== convert/number ==== */

/* ==== end of convert/number ==== */

/* ==== convert/charset ==== */

/* ==== end of convert/charset ==== */

/* ==== convert/radix ==== */

/* ==== end of convert/radix ==== */

VL_END_DECLS

#endif /* VERTALIB_CONVERT_H */

/* String editing: padding, justification, character classes, search, replace, extraction. */
#ifndef VERTALIB_STRINGS_H
#define VERTALIB_STRINGS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== strings/pad ==== */

/* ==== end of strings/pad ==== */

/* ==== strings/search ==== */

/* ==== end of strings/search ==== */

VL_END_DECLS

#endif /* VERTALIB_STRINGS_H */

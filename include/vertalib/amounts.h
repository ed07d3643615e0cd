/* Monetary amounts in centavos: editing, arithmetic, display, amount in words. */
#ifndef VERTALIB_AMOUNTS_H
#define VERTALIB_AMOUNTS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== amounts/amount ==== */

/* ==== end of amounts/amount ==== */

/* ==== amounts/words ==== */

/* ==== end of amounts/words ==== */

VL_END_DECLS

#endif /* VERTALIB_AMOUNTS_H */

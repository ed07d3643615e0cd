/* Card-data and PIN protection: PIN blocks, key selection, card-data encryption, acquirer ciphers. */
#ifndef VERTALIB_PROTECT_H
#define VERTALIB_PROTECT_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== protect/pin ==== */

/* ==== end of protect/pin ==== */

/* ==== protect/carddata ==== */

/* ==== end of protect/carddata ==== */

/* ==== protect/acquirer ==== */

/* ==== end of protect/acquirer ==== */

VL_END_DECLS

#endif /* VERTALIB_PROTECT_H */

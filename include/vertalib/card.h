/* Card data: magnetic-stripe tracks, card-number masking and BIN rules. */
#ifndef VERTALIB_CARD_H
#define VERTALIB_CARD_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== card/mask ==== */

/* ==== end of card/mask ==== */

/* ==== card/track ==== */

/* ==== end of card/track ==== */

VL_END_DECLS

#endif /* VERTALIB_CARD_H */

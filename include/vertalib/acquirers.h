/* Acquirer rules: specification-version predicates per network. */
#ifndef VERTALIB_ACQUIRERS_H
#define VERTALIB_ACQUIRERS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== acquirers/rules ==== */

/* ==== end of acquirers/rules ==== */

VL_END_DECLS

#endif /* VERTALIB_ACQUIRERS_H */

/* Sequence numbers, files and database literals. */
#ifndef VERTALIB_SEQUENCE_H
#define VERTALIB_SEQUENCE_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== sequence/nsu ==== */

/* ==== end of sequence/nsu ==== */

/* ==== sequence/dbliteral ==== */

/* ==== end of sequence/dbliteral ==== */

VL_END_DECLS

#endif /* VERTALIB_SEQUENCE_H */

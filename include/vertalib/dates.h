/* Dates and times: calendar arithmetic, validation, layouts, clock, intervals. */
#ifndef VERTALIB_DATES_H
#define VERTALIB_DATES_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== dates/calendar ==== */

/* ==== end of dates/calendar ==== */

/* ==== dates/clock ==== */

/* ==== end of dates/clock ==== */

VL_END_DECLS

#endif /* VERTALIB_DATES_H */

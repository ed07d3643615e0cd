/* TLV and EMV: the TLV element list, BER-TLV data of data element 55. */
#ifndef VERTALIB_TLV_H
#define VERTALIB_TLV_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== tlv/stlv ==== */

/* ==== end of tlv/stlv ==== */

/* ==== tlv/emv ==== */

/* ==== end of tlv/emv ==== */

VL_END_DECLS

#endif /* VERTALIB_TLV_H */

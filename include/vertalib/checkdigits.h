/* Check digits and documents: modulus 10/11, Luhn, EAN-13, CPF, CNPJ, CMC-7, bill payment. */
#ifndef VERTALIB_CHECKDIGITS_H
#define VERTALIB_CHECKDIGITS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== checkdigits/digits ==== */

/* ==== end of checkdigits/digits ==== */

/* ==== checkdigits/cheque ==== */

/* ==== end of checkdigits/cheque ==== */

VL_END_DECLS

#endif /* VERTALIB_CHECKDIGITS_H */

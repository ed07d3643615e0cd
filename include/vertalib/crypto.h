/* Cryptographic primitives: block ciphers, digests, CRC, random numbers, RSA and signing. */
#ifndef VERTALIB_CRYPTO_H
#define VERTALIB_CRYPTO_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== crypto/cipher ==== */

/* ==== end of crypto/cipher ==== */

/* ==== crypto/digest ==== */

/* ==== end of crypto/digest ==== */

/* ==== crypto/rsa ==== */

/* ==== end of crypto/rsa ==== */

VL_END_DECLS

#endif /* VERTALIB_CRYPTO_H */

/* Acquirer rules: the protocol level a network and version index give, fleet and product
 * tests, network names, chip-library queries. */
#ifndef VERTALIB_ACQUIRERS_H
#define VERTALIB_ACQUIRERS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== acquirers/rules ==== */

/* Whether an acquirer network, at the version index a caller keeps for it, has reached a
 * given level of the merchant-network message layouts. Networks, brands and products are
 * the system's integer codes; version is the small index the caller keeps for the network
 * (0, 1, 2 ...; a negative index means none). Every code and index is accepted: a network
 * the rules do not name answers 0, and the index is only compared, so INT_MIN and INT_MAX
 * are safe.
 * All answers are 1 (true) or 0 (false) unless said otherwise; nothing is kept between
 * calls and nothing is allocated.
 *
 * Exclusion lists: networks the caller wants answered 0 whatever their level.
 * - Pointer form: an int array ended by -1 ({-1} is the empty list). It is read up to its
 *   first -1, or up to the network when found first; codes after the -1 are never read.
 *   A null pointer is an empty list. The array must hold its -1.
 * - Ex form: the codes follow as further int arguments, ended by -1. At most 49 of them
 *   are read: when no -1 comes within 49 codes, reading stops there and a 50th code is
 *   neither read nor excluded. */

/* Level 02.05 (level 02.00 adds no network of its own and answers the same). */
VL_API int VL_CDECL IsEspecRedeLojista(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0200OrGreater(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0205OrGreater(int network, int version, const int *excluded);
/* Levels 03.00 to 03.04, "or greater" (03.04 "or higher"). */
VL_API int VL_CDECL IsEspecRedeLojista0300OrGreater(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0301OrGreater(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0302OrGreater(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0303OrGreater(int network, int version, const int *excluded);
VL_API int VL_CDECL IsEspecRedeLojista0304OrHigher(int network, int version, const int *excluded);
/* The same levels with the excluded networks as arguments: ..., code, code, -1. */
VL_API int VL_CDECL IsEspecRedeLojistaEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0200OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0205OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0300OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0301OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0302OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0303OrGreaterEx(int network, int version, ...);
VL_API int VL_CDECL IsEspecRedeLojista0304OrHigherEx(int network, int version, ...);

/* Fleet cards: level 03.02 reached (nothing excluded) and brand 384, 416 or 550. */
VL_API int VL_CDECL IsEspecRedeLojistaBandFrota(int network, int version, int brand);
/* Brand 456; network and version are not looked at. */
VL_API int VL_CDECL IsEspecRedeTorvexBandFrota(int network, int version, int brand);
/* Chip (EMV) messages: networks 12, 28, 57, 86, 105, 109, 144, 152, 172, 173, 175 from
 * their own first index. */
VL_API int VL_CDECL IsRedeEspecLojistaEMV(int network, int version);
/* Card top-up: level 03.03 for networks 12, 22, 112, 125, 174, 176, 185, 186; the chip
 * answer (IsRedeEspecLojistaEMV) for every other network. */
VL_API int VL_CDECL IsRedeEspecLojistaCarga(int network, int version);

/* Networks with layouts of their own: 1 for one network from a first index. */
VL_API int VL_CDECL IsEspecCredSystem0250OrGreater(int network, int version); /* 63 from 1 */
VL_API int VL_CDECL IsEspecCredSystem0260OrGreater(int network, int version); /* 63 from 2 */
VL_API int VL_CDECL IsEspecTorvex0302OrGreater(int network, int version);     /* 161 from 0 */
VL_API int VL_CDECL IsEspecTorvex0303OrGreater(int network, int version);     /* 161 from 1 */
VL_API int VL_CDECL IsEspecSeicon0303OrGreater(int network, int version);     /* 170 from 0 */
/* One network at level 03.03 (each reaches it from index 0). */
VL_API int VL_CDECL IsEspecSenff0303OrGreater(int network, int version);      /* 172 */
VL_API int VL_CDECL IsEspecBkBank0303OrGreater(int network, int version);     /* 174 */
VL_API int VL_CDECL IsEspecBScash0303OrGreater(int network, int version);     /* 175 */
VL_API int VL_CDECL IsEspecSolucard0303OrGreater(int network, int version);   /* 176 */
VL_API int VL_CDECL IsEspecVolus0304OrHigher(int network, int version);       /* 12 from 1 */
VL_API int VL_CDECL IsSmartNet(int network);                                  /* 129 */
VL_API int VL_CDECL IsEspecSmartNetAbecs(int network, int version);           /* 129 from 1 */
/* Digital-coupon product: network 63 from index 2, 102 from 4 or 140 from 1, and product
 * 6, 9, 21, 22, 23, 27, 28, 50, 173 or 187. */
VL_API int VL_CDECL IsProdutoCupomDigital(int network, int version, int product);

/* Basic network name, edited in place: the name up to its first separator (one of
 * " -_=,;:[({"), upper-cased, and its length. Only the first maximum characters (or up to
 * the NUL, if sooner) are read.
 * - A separator within them: a NUL is written over it and the characters before it are
 *   upper-cased; their count is returned (0 when the name begins with the separator).
 * - Otherwise those characters are upper-cased, no NUL is written, and their count
 *   (the smaller of maximum and the name's length) is returned.
 * - maximum 0 or less: nothing is read or written and maximum itself is returned.
 * - A null name: 0, nothing written. */
VL_API int VL_CDECL GetNomeBasicoRede(char *name, int maximum);

/* Flags of the Visa chip library. */
/* 1 when the entry mode is 2, 3 or 4 (card read through its chip), else 0. */
VL_API int VL_CDECL CartaoFoiLidoChip_LibVisa(unsigned short entryMode);
/* PIN capture: 1 when bit 0 is set; else 2 when bit 2 is set; else 0. */
VL_API char VL_CDECL ObtemTipoCapturarSenha_LibVisa(unsigned short flags);
/* Signature wanted: bit 3 of the flags (1 or 0). */
VL_API int VL_CDECL PedeAssinatura_LibVisa(int flags);
/* Application: 1 for 0x1010, 2 for 0x2010 (the last two bytes of the application
 * identifiers A0000000031010 and A0000000032010), 0 for any other code. */
VL_API char VL_CDECL ObtemIdentificaApl_LibVisa(unsigned short application);

/* ==== end of acquirers/rules ==== */

VL_END_DECLS

#endif /* VERTALIB_ACQUIRERS_H */

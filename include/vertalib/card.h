/* Card data: magnetic-stripe tracks, card-number masking and BIN rules. */
#ifndef VERTALIB_CARD_H
#define VERTALIB_CARD_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== card/mask ==== */

/* Card numbers are edited in place; length is the number's length as the caller counts it.
 * Truncated form: the first 6 characters, '-', the last 4 (11 characters and a NUL).
 * Masked form: the first 6 and last 4 kept, 'X' between, same length, no NUL written. */

/* Writes the truncated form over pan (12 bytes). No length test: meant for lengths of 11 or
 * more (for 4..10 the last 4 characters still land at 7..10); below 4 nothing changes. */
VL_API void VL_CDECL MascaraCartao(char *pan, int length);
/* MascaraCartao for a length of 12 or more; a shorter number is left unchanged. */
VL_API void VL_CDECL TruncaCartao(char *pan, int length);
/* Sets positions 6 to length - 5 to 'X' when length is 12 or more; else nothing changes. */
VL_API void VL_CDECL MascaraPAN(char *pan, int length);
/* 1 when two stored numbers may be the same card, else 0. Equal lengths: every position
 * equal or a wildcard ('*', 'x', 'X', '-') in either. Different lengths: the shorter is a
 * truncated form; its characters before its first '-' (at least one) must open the longer
 * and those after it close the longer (compared as strncmp does). A null number is never
 * alike; negative lengths count as 0. Lengths must lie within the buffers. */
VL_API int VL_CDECL IsMaskedPANsAlike(const char *first, int firstLength, const char *second,
                                      int secondLength);
/* BIN test of a card number text: 0 valid when its first 6 characters are digits or it is
 * a spaced Amex number ("3714 496353 98431"), 1 otherwise (also under 6 characters, null). */
VL_API int VL_CDECL ErroBIN(const char *pan);
/* Digits a BIN range fixes: the lower limit's length less the smaller of its trailing '0'
 * run and the upper limit's trailing '9' run over the same positions; at least 6. The
 * upper limit should be as long as the lower (a shorter one counts no nines). */
VL_API int VL_CDECL GetBINLength(const char *lower, const char *upper);
/* The first non-zero byte of brands[first .. end - 1] as a signed value; -1 when all are 0,
 * first is not below end, or brands is null. The positions must lie within the table. */
VL_API int VL_CDECL AchaBandeira(const char *brands, int first, int end);

/* ==== end of card/mask ==== */

/* ==== card/track ==== */

/* ==== end of card/track ==== */

VL_END_DECLS

#endif /* VERTALIB_CARD_H */

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

/* Tracks are NUL-terminated texts without sentinels: track 2 "PAN=YYMMSSS..." (a 'D' may
 * stand for '=', an 'F' filler may end it), track 1 "BPAN^NAME^YYMMSSS..." (the format code
 * optional: one leading non-digit is skipped). Card-number outputs hold 23 bytes (at most
 * 22 characters and a NUL) unless said otherwise; names 40 bytes. */

/* Card number of a track 2: what precedes the first '=', else what precedes the separator
 * GetTrilha2SepPos finds, else the whole text; cut at 22 characters, NUL written. */
VL_API void VL_CDECL GetPANFromTrilha2(char *pan, const char *track2);
/* As GetPANFromTrilha2; *noEquals is 1 when the track has no '=', else 0. */
VL_API void VL_CDECL GetPANFromTrilha2Ex(char *pan, const char *track2, int *noEquals);
/* Card number of a track 1: after the format code up to the first '^' (or the end); cut
 * at 22 characters, NUL written. */
VL_API void VL_CDECL GetPANFromTrilha1(char *pan, const char *track1);
/* The track 2 equivalent of a track 1 in track2 (38 bytes, all written): card number (cut
 * at 36), '=', then what follows the second '^', at most 37 characters in all. Without a
 * '^' the text itself (at most 37); without a second '^' it ends with the '='. */
VL_API void VL_CDECL GetTrilha2fromTrilha1(char *track2, const char *track1);
/* The first non-digit of track2 when it is not the first character and the four
 * characters after it read as a year 1..99 and a month 1..12; else null. The pointer is
 * into track2. */
VL_API char *VL_CDECL GetTrilha2SepPos(const char *track2);
/* Validity tests: 1 invalid, 0 valid. */
/* Format code skipped, then the BIN test of ErroBIN. */
VL_API int VL_CDECL ErroTrilha1(const char *track1);
/* Edits track2 in place over its first 38 characters: each 'D' becomes '=' and an 'F'
 * becomes the NUL that ends it. Valid with 6 to 37 characters, and six leading digits or
 * a spaced Amex number. */
VL_API int VL_CDECL ErroTrilha2(char *track2);
/* A non-empty track 2 decides through ErroTrilha2 (edited in place); else an empty (or
 * null) track 1 is invalid and ErroTrilha1 decides. */
VL_API int VL_CDECL ErroTrilhas(const char *track1, char *track2);
/* The name between the first and the second '^' (1..39 characters, NUL written): 1; else
 * 0 and name untouched. */
VL_API int VL_CDECL ObtemNomeTrilha01(const char *track1, char *name);
/* The card number between the format code and the first '^' (1..39 characters, NUL
 * written, pan of 40 bytes): 1; else 0 and pan untouched. */
VL_API int VL_CDECL ObtemNumCartaoTrilha01(const char *track1, char *pan);
/* The 4 characters after the last '^' and a NUL (5 bytes): 1; no '^': 0. */
VL_API int VL_CDECL ObtemDataVencTrilha01(const char *track1, char *expiry);
/* The 4 characters after the first '=' (4 bytes, no NUL written): 1; no '=': 0. */
VL_API int VL_CDECL GetDataVencimento(char *expiry, const char *track2);
/* Service codes: the 3 characters that begin 5 after the separator, no NUL written (3
 * bytes). Where a text ends early, the missing characters are written as NULs. */
/* Separator the first '='; none: 0. With selectors 102, 3, 2 and at most 9 characters from
 * the service code on, "101". */
VL_API int VL_CDECL GetServiceCode(const char *track2, char *code, int first, int second,
                                   int third);
/* Separator the first '=', else the second '^'; none or a null track: 0. */
VL_API int VL_CDECL GetServiceCodeEx(const char *track, char *code);
/* As GetServiceCodeEx. With first 103, fourth 1 and third 1 or 2: "101" when at most 9
 * characters follow from the service code on; with third 1 also "101" when the 10th of
 * them is a space. second has no effect. */
VL_API int VL_CDECL GetServiceCodeEx2(const char *track, char *code, int first, int second,
                                      int third, int fourth);
/* Removes the spaces of a spaced Amex number ("3714 496353 98431", after one leading
 * non-digit if any) in place; any other text is left unchanged. */
VL_API void VL_CDECL TrataTrilhaAmex(char *text);
/* What precedes the first '=' (else the first 'D', else the whole text), NUL written: pan
 * must be as large as data. A null or empty data gives an empty pan. */
VL_API void VL_CDECL ObtemNumCartao(const char *data, char *pan);
/* 1 when the text holds no '=' (typed), 0 when it does (read from a track). */
VL_API int VL_CDECL IsDigitado(const char *text);
/* 1 when the text holds a character other than ' ' and '0', else 0. */
VL_API int VL_CDECL StrEhNomeCartao(const char *text);

/* ==== end of card/track ==== */

VL_END_DECLS

#endif /* VERTALIB_CARD_H */

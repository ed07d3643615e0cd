/* Sequence numbers, files and database literals. */
#ifndef VERTALIB_SEQUENCE_H
#define VERTALIB_SEQUENCE_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== sequence/nsu ==== */

/* ==== end of sequence/nsu ==== */

/* ==== sequence/dbliteral ==== */

/* Database literals, written NUL-terminated into out. Dates and times are digit texts
 * without separators whose positions are copied as they stand (nothing is validated).
 * Every export writes nothing at all when out or its text is null. */

/* The date MMDD in the current year of the local clock: {d 'YYYY-MM-DD'} (17 bytes of
 * out). Writes nothing when date holds fewer than 4 characters (an empty text included). */
VL_API void VL_CDECL MontaIBDData(char *out, const char *date);
/* The date AAAAMMDD: {d 'AAAA-MM-DD'} (17 bytes of out). Writes nothing when date holds
 * fewer than 8 characters. */
VL_API void VL_CDECL MontaIBDDataGen(char *out, const char *date);
/* The time HHMMSS: {t 'HH:MM:SS'} (15 bytes of out). Writes nothing when time holds fewer
 * than 6 characters. */
VL_API void VL_CDECL MontaIBDTime(char *out, const char *time);
/* The time stamp MMDDHHMMSS in the current year of the local clock:
 * {ts 'YYYY-MM-DD HH:MM:SS'} (27 bytes of out). Writes nothing when stamp holds fewer than
 * 10 characters. */
VL_API void VL_CDECL MontaIBDTimeStamp(char *out, const char *stamp);
/* The time stamp AAAAMMDDHHMMSS: {ts 'AAAA-MM-DD HH:MM:SS'} (27 bytes of out). Writes
 * nothing when stamp holds fewer than 14 characters. */
VL_API void VL_CDECL MontaIBDTimeStampGen(char *out, const char *stamp);

/* The amount of length digits (two implied decimals) with a point before its last two:
 * 12345 -> 123.45; length 2 -> 0.DD, length 1 -> 0.0D, length below 1 -> 0.00. The length
 * characters of amount are copied as they stand. out holds length + 2 bytes, at least 5. */
VL_API void VL_CDECL MontaIBDValor(char *out, const char *amount, int length);

/* A fixed-point number of width characters (width 0..12, a larger one counts as 12, a
 * negative one as 0) with decimals of them after the point (0..11, at most width). A
 * non-empty text: its first width characters right-aligned on spaces, split into width -
 * decimals characters, '.', and the last decimals characters, or '0' when decimals is 0
 * ("12345", 7, 2 -> "  123.45"; "12", 2, 0 -> "12.0"). An empty text: "NULL" when
 * nullWhenEmpty is not 0, else width - decimals zeros, '.', decimals zeros ("", 5, 2 ->
 * "000.00"; "", 2, 0 -> "00."). out holds 15 bytes. */
VL_API void VL_CDECL MontaIBDNumberOuNULL(char *out, const char *text, int width, int decimals,
                                          int nullWhenEmpty);

/* Turns a statement with '?' placeholders into a format text for printf. types lists one
 * group per placeholder: '%', a letter d, s or c, and one separator character of any kind
 * (the last group may lack it), e.g. "%d,%s"; only its first 256 characters count. Each of
 * the length characters of statement is copied, except that a '?' becomes %d, '%s' or '%c'
 * (the last two between apostrophes) by its group in turn.
 * Clears size bytes of out first. Returns 1 when every group replaced one placeholder;
 * 0 when a placeholder found no group left (out holds the text up to it), when fewer
 * placeholders than groups or none at all were found (out holds the whole text), and, with
 * out left cleared, when out or size is refused (null, size below 1), statement or types
 * is null, types is malformed (shorter than 2, a group not beginning with '%' or with
 * another letter), length is below 1, or the text and its NUL do not fit in size. */
VL_API int VL_CDECL ReplaceBindParameters(char *out, int size, const char *statement, int length,
                                          const char *types);

/* ==== end of sequence/dbliteral ==== */

VL_END_DECLS

#endif /* VERTALIB_SEQUENCE_H */

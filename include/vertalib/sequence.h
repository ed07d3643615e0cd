/* Sequence numbers, files and database literals. */
#ifndef VERTALIB_SEQUENCE_H
#define VERTALIB_SEQUENCE_H

#include <stdio.h>

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== sequence/nsu ==== */

/* Transaction sequence numbers (NSU): 16-bit counters kept by the caller, running from 1 to
 * the maximum of their kind: kind 2 up to 9999, kind 3 up to 999. With any other kind, or
 * a null nsu, the counter is left as it is. */

/* Adds 1 (wrapping at 16 bits, so 65535 becomes 0); a value above the maximum becomes 1. */
VL_API void VL_CDECL IncNSU(unsigned short *nsu, char kind);
/* Subtracts 1, except that 0 becomes the maximum (so 1 becomes 0). Returns the new value;
 * the value unchanged for another kind, 0 for a null nsu. */
VL_API unsigned short VL_CDECL DecNSU(unsigned short *nsu, char kind);
/* Sets the counter to the maximum when toMaximum is not 0, else to 1. Returns nsu. */
VL_API unsigned short *VL_CDECL ResetNSU(unsigned short *nsu, char kind, int toMaximum);

/* Whether a leg takes a new NSU: 1 yes, 0 no. The message type is the decimal number of
 * the first 4 characters of messageType ("0420" is 420); code counts by its first 6.
 *   202 or 402: 1 for network 159.
 *   420: 1 for networks 3, 31, 47, 70, 90, 126, 149, 155 and 159; for 39 and 73, 1 when
 *        option is 56 or 196; for 103, 1 when version is below 5, else 1 unless code
 *        begins with "933910" or "932900".
 *   anything else, or a null messageType: 0. A null code begins with neither. */
VL_API int VL_CDECL PernaComIncrementoNSU(const char *messageType, const char *code, int network,
                                          int version, int option);

/* The length in bytes of the file behind stream; the stream's position is left where it
 * was. -1 for a null stream, one whose position cannot be read or set (a pipe), or a
 * length above 2^31 - 1. */
VL_API int32_t VL_CDECL filesize(FILE *stream);

/* Overwrites every byte of the existing file path in place, its length unchanged: each
 * byte becomes fill, or, when fill is 255, the file gets pseudo-random text (ten-digit
 * numbers, then raw bytes for the last length % 10). The bytes are handed to the system
 * when the file is closed; nothing forces them to the disk. A null path, a file that
 * cannot be opened for update, and a file whose block cannot be allocated are left alone. */
VL_API void VL_CDECL SobreEscreveArq(const char *path, unsigned char fill);

/* Overwrites the file three times in place (spaces, pseudo-random text, zero bytes) as
 * SobreEscreveArq does, skipping a pass that cannot open it, then deletes it (a
 * directory is never deleted). Returns 0 when deleted, else the C runtime's error number of
 * the failed deletion: ENOENT for a missing file; for a directory EISDIR on POSIX, EACCES
 * on Windows; EINVAL for a null path. */
VL_API int VL_CDECL RemoveSeguroArq(const char *path);

/* The number of threads of the process processId; 0 when no process has that id or the
 * count cannot be read. */
VL_API uint32_t VL_CDECL getThreadCountByPID(uint32_t processId);

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

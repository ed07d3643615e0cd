/* Dates and times: calendar arithmetic, validation, layouts, clock, intervals. */
#ifndef VERTALIB_DATES_H
#define VERTALIB_DATES_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== dates/calendar ==== */

/* Dates are fixed-width digit texts: DDMMAA, DDMMAAAA, AAAAMMDD, DDMM, MMDD, and Julian
 * AADDD / AAAADDD (DDD the day of the year from 001). Each function reads its fixed
 * positions and ignores what follows; a text shorter than its layout reads as ending
 * there (its missing characters are NUL bytes), a null text as empty. Numbers are read as
 * strtol reads them (stopping at the first non-digit; an empty field is 0).
 * Two-digit years are completed with a pivot P: AA below P is 20AA, otherwise 19AA.
 * Library-owned buffers (process-wide, overwritten by the next call): the 5-byte century
 * buffer of Ano2to4, ComparaDatas and ConverteDDMMAAparaAAAAMMDD; the 8-byte buffer of
 * SomaDiasMesFechado; the 24-byte buffer of ReftoGreg and SomaDias. */

/* 1 if year is a Gregorian leap year, else 0. */
VL_API int VL_CDECL AnoBissexto(int year);
/* The two-digit year aa as CCAA with its NUL in the century buffer (pivot 98). */
VL_API char *VL_CDECL Ano2to4(const char *aa);
/* aaaa + 2: the last two digits of a four-digit year, in the caller's text (null for null). */
VL_API const char *VL_CDECL Ano4to2(const char *aaaa);
/* 1 if DDMM has an invalid month or a day (compared as two bytes) below "01" or above the
 * month's last day (February 29); 0 if valid. */
VL_API int VL_CDECL ErroDia(const char *ddmm);
/* 1 unless mm is two digits 01 to 12. */
VL_API int VL_CDECL ErroMes(const char *mm);
/* 1 unless mm is two digits 01 to 13. */
VL_API int VL_CDECL ErroMesCompetencia(const char *mm);
/* DDMMAA days later (ReftoGreg buffer); years complete with pivot 50 and come back as their
 * last two digits. */
VL_API char *VL_CDECL SomaDias(const char *ddmmaa, int days);
/* AAAAMMDD days later as the integer AAAAMMDD: only the input's AA is read (pivot 50) and
 * the result's century comes from pivot 98. */
VL_API int VL_CDECL SomaDiasAAAAMMDD(const char *aaaammdd, int days);
/* DDMMAA one month later (its own buffer): 29 January gives 1 March unless AA is divisible
 * by 4, 30 and 31 January give 1 March, the 31st of March, May, August and October gives
 * the 1st of the month after next; any other day keeps its number. */
VL_API char *VL_CDECL SomaDiasMesFechado(const char *ddmmaa);
/* -1, 0 or 1 as a is before, equal to or after b: as MMDD when a is 4 characters long,
 * otherwise as DDMMAA completed with pivot 98 (century buffer). */
VL_API int VL_CDECL ComparaDatas(const char *a, const char *b);
/* -1, 0 or 1 comparing two DDMMAAAA dates. */
VL_API int VL_CDECL ComparaDDMMAAAA(const char *a, const char *b);
/* in of 5 to 8 digits: AADDD gives AAMMDD, AAMMDD gives AADDD, AAAADDD gives AAAAMMDD,
 * AAAAMMDD gives AAAADDD (two-digit years with pivot 70; days and months out of range
 * carry over). out (at least 10 bytes) gets the text and its NUL; 1 done, 0 rejected with
 * out untouched. */
VL_API int VL_CDECL Julian2Gregorian(const char *in, char *out);
/* Month and day of the dayOfYear-th day of year (month 13 beyond December; a dayOfYear
 * of 0 or less stays in month 1 unchanged). */
VL_API void VL_CDECL FromJulianDay(int year, int dayOfYear, int *month, int *day);
/* Day of the year of AAAAMMDD; a year is leap when its last two digits divide by 4. */
VL_API int VL_CDECL ObtemDiaJuliano(const char *aaaammdd);
/* Days from 31 December 1979 (day 0) of DDMMAA, pivot 50. */
VL_API double VL_CDECL GregtoRef(const char *ddmmaa);
/* The DDMMAA date of a day count from 31 December 1979, with its NUL, in its own buffer;
 * days before 15 October 1582 are dates of the Julian calendar. A count beyond 10^12 either
 * way, infinite or NaN leaves the buffer holding an empty text. */
VL_API char *VL_CDECL ReftoGreg(double ref);
/* The due-date factor (first 4 characters) as DDMMAAAA with its NUL (out holds 9 bytes):
 * 7 October 1997 plus factor days. 1 done; 0 when the factor reads as 0, out untouched. */
VL_API int VL_CDECL DataFatorVencto(char *out, const char *factor);
/* 6 characters DDMMAA of AAAAMMDD; no NUL. */
VL_API void VL_CDECL ConverteAAAAMMDDparaDDMMAA(char *out, const char *in);
/* 8 characters AAAAMMDD of DDMMAA (pivot 98, century buffer); no NUL. */
VL_API void VL_CDECL ConverteDDMMAAparaAAAAMMDD(char *out, const char *in);
/* 8 characters AAAAMMDD of DDMMAAAA; no NUL. */
VL_API void VL_CDECL ConverteDDMMAAAAparaAAAAMMDD(char *out, const char *in);
/* out gets "" and then, when ddmm has a day 1 to 31 and a month 1 to 12, DDMM followed by
 * the last two digits of its RetornaAnoRef year: 6 characters, no NUL after them. */
VL_API void VL_CDECL GetDDMMAAFromDDMM(char *out, const char *ddmm);
/* The current local year as 4 digits with its NUL; out holds 8 bytes, the 3 after the NUL
 * are left as they were. */
VL_API void VL_CDECL RetornaAnoAtual(char *out);
/* The year of MMDD counted forward: next year when MMDD is earlier than today, else this
 * year. 4 digits with NUL; returns 4. */
VL_API int VL_CDECL RetornaAnoRef(char *out, const char *mmdd);
/* The year of MMDD counted back: last year when MMDD is later than today, else this year.
 * With mode 2 the last 2 digits, otherwise 4; no NUL. */
VL_API void VL_CDECL RetornaAnoTrn(char *out, const char *mmdd, int mode);

/* ==== end of dates/calendar ==== */

/* ==== dates/clock ==== */

/* Date-times are digit texts AAAAMMDDHHMMSS (14), AAMMDDHHMMSS (12), HHMM (4), read as the
 * calendar reads its fields. The time value is a signed 64-bit count of seconds since
 * 1 January 1970 UTC; local time is the process's time zone with its daylight saving. */

/* The local clock now, written with its NUL (out holds the characters plus one); each
 * returns the number of characters written. */
VL_API int VL_CDECL ObtemDatalocalAAAAMMDD(char *out);   /* AAAAMMDD, 8 */
VL_API int VL_CDECL ObtemDatalocalDDMMAA(char *out);     /* DDMMAA, 6 */
VL_API int VL_CDECL ObtemDatalocalDDMMAAAA(char *out);   /* DDMMAAAA, 8 */
VL_API int VL_CDECL ObtemHoraLocal(char *out);           /* HHMMSS, 6 */
VL_API int VL_CDECL ObtemAAAAMMDDHHMMSS(char *out);      /* AAAAMMDDHHMMSS, 14 */
/* 1 when the AAAAMMDD of a and b differ or a's time of day is more than minutes minutes
 * after b's; 0 otherwise (a not after b included). */
VL_API int VL_CDECL DiffDataHoraToMin(const char *a, const char *b, int minutes);
/* Seconds from b to a, both local AAAAMMDDHHMMSS; 0 when either cannot be represented. */
VL_API double VL_CDECL SubtraiDtHr(const char *a, const char *b);
/* Minutes from HHMM from to HHMM to within one day, or -1 when to is earlier. */
VL_API int VL_CDECL GetDifHHMM(const char *from, const char *to);
/* The time value of local AAMMDDHHMMSS (year 2000 + AA; fields out of range carry over),
 * or -1 when it cannot be represented. */
VL_API int64_t VL_CDECL dthr2Time(const char *aammddhhmmss);
/* The local time of *t as 14 characters AAAAMMDDHHMMSS (the year's last 4 digits), no NUL;
 * out is left alone when *t has no local time, or one whose year does not fit a 32-bit
 * int (beyond about 67768036191676799 seconds). */
VL_API void VL_CDECL Time2dthr(char *out, const int64_t *t);
/* 1 if date (AAAAMMDD as a number) is base or the day after base, else 0. Uses the
 * ReftoGreg buffer. */
VL_API int VL_CDECL VerificaDataMensagem(int32_t date, int32_t base);
/* 1 if date is base or, compared as text, not after base plus days (the limit's century
 * from pivot 98), else 0. Uses the ReftoGreg and century buffers. */
VL_API int VL_CDECL VerificaDiffDataMensagem(int32_t date, int32_t base, int days);

/* ==== end of dates/clock ==== */

VL_END_DECLS

#endif /* VERTALIB_DATES_H */

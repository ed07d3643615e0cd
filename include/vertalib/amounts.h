/* Monetary amounts in centavos: editing, arithmetic, display, amount in words. */
#ifndef VERTALIB_AMOUNTS_H
#define VERTALIB_AMOUNTS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== amounts/amount ==== */

/* Transaction amounts are digit strings in centavos, normally 12 digits zero-filled on the
 * left (000000012345 is 123,45). Display form: the mask "9.999.999.999,99".
 * Sums and differences are computed in double precision and written with "%*.0f" at width
 * 12 (halves rounded away from zero), leading spaces turned into '0': 5 - 10 gives
 * 0000000000-5; a result wider than 12 characters is written whole. */

/* Lays up to 12 characters of digits onto the display mask (leading characters up to '0'
 * in code, such as zeros, blanks and '-', are dropped while more than three remain).
 * Returns a 17-byte library buffer: one per thread while the library mode is 1, one for
 * the process otherwise. Length 0 gives "". */
VL_API char *VL_CDECL FormatValor(const char *digits, int length);
/* FormatValor of the 12-digit sum of the operands (same buffer as FormatValor). */
VL_API char *VL_CDECL EditValorTransacao(const char *a, const char *b);
VL_API char *VL_CDECL EditValorTransacaoEx(const char *a, const char *b, const char *c,
                                           const char *d, const char *e);
/* a + b + c + d as 12-digit text in a 32-byte library buffer shared by the process. */
VL_API char *VL_CDECL SomaValorTransacao(const char *a, const char *b, const char *c,
                                         const char *d);
/* The same sum written into out with its NUL (out holds outSize + 1 bytes); when the text
 * is longer than outSize, outSize bytes of out are zeroed instead. */
VL_API void VL_CDECL SomaValorTransacaoEx(char *out, unsigned short outSize, const char *a,
                                          const char *b, const char *c, const char *d);
/* a - b as 12-digit text in a 32-byte library buffer shared by the process. */
VL_API char *VL_CDECL SubtraiValorTransacao(const char *a, const char *b);
VL_API void VL_CDECL SubtraiValorTransacaoEx(char *out, unsigned short outSize, const char *a,
                                             const char *b);

/* In place: when the third character from the end is ',' or '.', keeps the first 12
 * characters less their ',' and '.' (1.234,56 -> 123456); otherwise leaves text alone. */
VL_API void VL_CDECL RetiraVirgula(char *text);
/* In place, as RetiraVirgula but keeping at most maxLen - 1 characters; 1 when at most one
 * separator was dropped, 0 when two or more were (text still edited) or when the third
 * character from the end is not a separator (text unchanged). */
VL_API int VL_CDECL RetiraVirgulaEx(char *text, int maxLen);
/* In place: a display amount (4..16 characters, thousands grouped) to bare digits.
 * 1 done; 0 rejected, text unchanged. */
VL_API int VL_CDECL RetiraSeparadorMilharDecimal(char *text);
/* In place: ',' becomes '.' among the first maxLen characters. */
VL_API void VL_CDECL SubstituiVirgulaPorPonto(char *text, int maxLen);
/* In place: inserts ',' before the last two of the first length characters (text needs
 * room for one more character and the NUL): 12345 -> 123,45, 5 -> 0,05, "" -> 0,00. */
VL_API void VL_CDECL StrInsertVirgula(char *text, int length);
/* Copies at most 12 decimal digits found among the first 16 characters of in; NUL. */
VL_API void VL_CDECL StrCpyValor(char *out, const char *in);
/* centavos as a display amount ("-" first when negative), no NUL; returns the number of
 * characters after the sign. */
VL_API int VL_CDECL FormataValorDbl(double centavos, char *out);
/* The first length characters of digits with decimals implied places as a display
 * amount (000012345, 2 -> 123,45); NUL; returns the length of out. */
VL_API int VL_CDECL FormataValorDecimal(const char *digits, int length, unsigned char decimals,
                                        char *out);
/* A digit string (at most 30 characters) with two implied decimals as a float. */
VL_API float VL_CDECL ConvertValorToFloat(const char *digits);
/* ConvertValorToFloat of the first min(count, 31) characters of text. */
VL_API float VL_CDECL ASC2Float(const char *text, unsigned int count);
/* Decimal text of a database (first inLen characters, at most 10 integer digits) to a
 * 12-digit amount in out: 123.45 -> 000000012345, 1234,5 -> 000000123450. No NUL. */
VL_API void VL_CDECL ConvertValorFromBD2Bit4(char *out, const char *in, unsigned short inLen);
/* |value| with two decimals and '.' (three decimals for 0: "0.000") in a 16-byte library
 * buffer shared by the process. */
VL_API char *VL_CDECL DoubleToValor(double value);
/* in as a number rounded to decimals places ("%.*f", halves away from zero), copied with
 * its NUL into out when it has at most outSize characters; otherwise out is unchanged. */
VL_API void VL_CDECL SomaStrNumeroDecimal(char *out, int outSize, int decimals, const char *in);
/* 1 when the amount (a decimal integer) is at most the 8-hex-digit limit as signed 32-bit
 * values; 0 otherwise, for a limit of 0, or for a limit that is not 8 characters. */
VL_API int VL_CDECL ValorLimiteOffLine(const char *amount, const char *limitHex);

/* ==== end of amounts/amount ==== */

/* ==== amounts/words ==== */

/* The amount of centavos (a whole number, 0 .. 10^14 - 1) in Portuguese words, capitals,
 * no accents: 150050 -> "UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS". out is emptied
 * first and receives the words with a NUL (at most 191 characters). lineWidth 0: returns 0.
 * lineWidth above 0: out is rewritten as consecutive lines of exactly lineWidth characters
 * (no separators; number words hyphenated at a line end, the last line padded with blanks
 * unless the words fill it) and the number of lines is returned; the text length plus
 * lineWidth must not exceed 502. The words are written before the lines, so out must hold
 * 192 bytes, or lines * lineWidth + 1 when that is more; the lines may end before the words
 * did, leaving their tail after the lines' NUL. Line cutting uses a process-wide work
 * area: calls with lineWidth above 0 must not run on two threads at once. An amount outside
 * 0 .. 10^14 - 1 (negative, NaN, infinite or larger) leaves out empty and returns 0; a null
 * out returns 0. */
VL_API int VL_CDECL Extenso(double centavos, char *out, int lineWidth);

/* ==== end of amounts/words ==== */

VL_END_DECLS

#endif /* VERTALIB_AMOUNTS_H */

/* Check digits and documents: modulus 10/11, Luhn, EAN-13, CPF, CNPJ, CMC-7, bill payment. */
#ifndef VERTALIB_CHECKDIGITS_H
#define VERTALIB_CHECKDIGITS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== checkdigits/digits ==== */

/* Every routine reads its characters as their code (a signed byte) minus '0', so a
 * non-digit character takes part in the sums instead of being refused. A length counts the
 * characters weighed from the first one (below 1: none); those characters are read whether
 * or not a NUL lies among them. A skip or check-digit index outside 0..length-1 leaves
 * nothing out. Nothing is written except where an output argument is named. */

/* Weighted modulus-10 digit as a character '0'..'9': weights 2, 1, 2, ... from the last
 * weighed character leftwards, running on across the skipped index; products summed by
 * their decimal digits. */
VL_API int VL_CDECL MakeDv10(const char *digits, int length, int skipIndex);
/* MakeDv10(digits, length, -1). */
VL_API int VL_CDECL DAC10(const char *digits, int length);
/* 1 if the character at dvIndex equals MakeDv10(digits, length, dvIndex), else 0
 * (0 for a negative dvIndex). */
VL_API int VL_CDECL CheckDv10(const char *digits, int length, int dvIndex);
/* 1 if the last character of the NUL-terminated number is the modulus-10 digit of those
 * before it (the Luhn rule), else 0; 0 for an empty number. */
VL_API int VL_CDECL ChaveLuhn(const char *number);
/* Weighted modulus-11 digit as a character: weights 2..maxWeight repeating from the last
 * weighed character leftwards (maxWeight below 3 weighs everything by 2). When 11 minus the
 * remainder is not a single digit, the result is '1' for mode > 0 and '0' otherwise. */
VL_API int VL_CDECL MakeDv11(const char *digits, int length, int skipIndex, int maxWeight,
                             int mode);
/* MakeDv11(digits, length, -1, 9, 0). */
VL_API int VL_CDECL DAC11(const char *digits, int length);
/* 1 if the character at dvIndex equals MakeDv11(digits, length, dvIndex, maxWeight, mode),
 * else 0 (0 for a negative dvIndex). */
VL_API int VL_CDECL CheckDv11(const char *digits, int length, int dvIndex, int maxWeight, int mode);
/* Writes part1 followed by the modulus-10 digit of part1, part2 and part3 together (the
 * first 127 characters of them), and a NUL: out holds strlen(part1) + 2 bytes. Returns
 * strlen(part1) + 1. */
VL_API int VL_CDECL ControleDAC(char *out, const char *part1, const char *part2, const char *part3);
/* ControleDAC with the callee-clears convention. */
VL_API int VL_STDCALL ControleDAC_StdCall(char *out, const char *part1, const char *part2,
                                          const char *part3);
/* EAN digit of the NUL-terminated digits (weights 1, 3, 1, ... from the left) as a
 * number: 0..9 for digits, 11..19 when non-digits make the sum negative. */
VL_API int VL_CDECL calculateDVEAN13(const char *digits);
/* 1 if code has exactly 13 characters and the 13th is the EAN digit of the first 12. */
VL_API int VL_CDECL verifyDVEAN13(const char *code);
/* CPF (11 characters, the last two check digits): 0 if valid, 1 if not; a text shorter
 * than 11 characters is refused without reading past its NUL. */
VL_API int VL_CDECL chk_cpf(const char *cpf);
/* CNPJ (14 characters, the last two check digits): 0 if valid, 1 if not; a text shorter
 * than 14 characters is refused without reading past its NUL. */
VL_API int VL_CDECL chk_cgc(const char *cnpj);
/* 0 if the character at length-1 is the modulus-11 digit (weights 2..9, high remainders
 * giving 0) of the characters before it, 1 otherwise (1 for length below 1). */
VL_API int VL_CDECL chk_cod_autor(const char *code, int length);
/* Punctuates the first 14 characters of number, less trailing blanks: 11 characters as
 * ddd.ddd.ddd-dd, 14 as dd.ddd.ddd/dddd-dd (*isCnpj = 1), anything else as "". *isCnpj is
 * 0 otherwise. out holds 19 bytes; a NUL is written. Returns strlen(out): 14, 18 or 0. */
VL_API int VL_CDECL FormatCPFCNPJ(char *out, const char *number, int *isCnpj);

/* ==== end of checkdigits/digits ==== */

/* ==== checkdigits/cheque ==== */

/* A CMC-7 line is 34 characters: a separator, group 1 (8 digits), a separator, group 2
 * (10 digits), a separator, group 3 (12 digits), a separator. Nothing here checks its
 * digits. */

/* Copies the decimal digits among the first 40 characters of cmc7 into digits, in order,
 * and a NUL: digits holds 41 bytes. */
VL_API void VL_CDECL StrCpyCMC7(char *digits, const char *cmc7);
/* Takes a CMC-7 line of at least 32 characters apart, copying characters as they are:
 * bank (4 bytes) <- positions 1-3 and a NUL; agency (5) <- 4-7 and a NUL; chequeNumber (7)
 * <- 13-18 and a NUL; account (11) <- 24-31 into account[0..7] and a NUL at account[10],
 * account[8] and account[9] left as they were. *status = 1. digits (41 bytes) as
 * StrCpyCMC7. */
VL_API void VL_CDECL DesmontaCMC7(const char *cmc7, char *bank, char *agency, char *account,
                                  char *chequeNumber, int *status, char *digits);
/* Bar code of at least 25 characters whose first three read as the bank: 104 puts
 * characters 17-18 and 21-24 into bin, 237 and 356 put 17-19 and 21-23; 6 characters, no
 * NUL. Returns 1 for those banks; 0, bin untouched, for any other. */
VL_API int VL_CDECL VerificaPagamentoBINCodigoBarrasIBI(const char *barCode, char *bin);
/* 1 if the brand's invoices are paid by card number, else 0; *flag = 1 for brand 33 and
 * left as it was for every other brand. */
VL_API int VL_CDECL IsEspecLojistaBandPagFaturaPANEx(int brand, int *flag);
/* IsEspecLojistaBandPagFaturaPANEx without the flag. */
VL_API int VL_CDECL IsEspecLojistaBandPagFaturaPAN(int brand);
/* 1 if the brand's invoices are paid by bar code, else 0. */
VL_API int VL_CDECL IsEspecLojistaBandPagFaturaCodBar(int brand);

/* ==== end of checkdigits/cheque ==== */

VL_END_DECLS

#endif /* VERTALIB_CHECKDIGITS_H */

/* Card-data and PIN protection: PIN blocks, key selection, card-data encryption, acquirer ciphers. */
#ifndef VERTALIB_PROTECT_H
#define VERTALIB_PROTECT_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== protect/pin ==== */

/* PIN blocks (ISO 9564 format 0), the process-wide PIN settings, master-key positions and
 * the master-key table, the Itau encrypted PINs and the Senff password. Card numbers are
 * digit texts with a length the caller counts; every length must lie within its text (a NUL
 * met earlier is refused as said). A null pointer in any argument makes an export write
 * nothing (GetMK answers 0). No export keeps a copy of a PIN, key or card number. */

/* The format-0 block of a PIN: the field "0", the length as one lower-case hex digit, the
 * PIN text (up to its NUL, whatever pinLength says), "F" to 16 digits, XOR the card field
 * "0000" + 12 digits of the card number from position panLength - 13 (from 0 when
 * panLength is 12 or 13). Writes 8 bytes to block. Refused (nothing written): pinLength
 * outside 0..12, a PIN text over 12 characters, panLength below 12 or a card number with
 * a NUL before panLength characters. */
VL_API void VL_CDECL mountPinBlock(const char *pin, int pinLength, const char *pan, int panLength,
                                   unsigned char *block);
/* Opens the 8-byte block with the card field of mountPinBlock. pin holds at least 16
 * bytes: when the opened field starts "0" its length digit n (0..14) is read and the n
 * digits after it are written with a NUL (at most 15 bytes); otherwise "ERRO" and a NUL.
 * "ERRO" also for a length digit of 15 and for a card number mountPinBlock refuses. The
 * "F" padding and the digits themselves are not checked. */
VL_API void VL_CDECL unmountPinBlock(const unsigned char *block, const char *pan, int panLength,
                                     char *pin);
/* out (17 bytes) = the first min(lengthA, length of a) characters of a padded with "F" on
 * the right to 16 digits, XOR the first min(lengthB, length of b) characters of b padded
 * with "0" on the left to 16 digits (a longer text gives its first 16 characters), both
 * read as hex (A-F either case), as 8 bytes, then 9 zero bytes. *resultLength = the
 * position of the first zero byte of the 8, or 8 when none is zero. A negative length
 * counts as 0. The same call opens what it builds: a is then the block as 16 hex digits. */
VL_API void VL_CDECL ManipulaPanBlock(const char *a, int lengthA, const char *b, int lengthB,
                                      unsigned char *out, int *resultLength);
/* ManipulaPanBlock under its two other names. */
VL_API void VL_CDECL MontaPanBlock(const char *a, int lengthA, const char *b, int lengthB,
                                   unsigned char *out, int *resultLength);
VL_API void VL_CDECL DesmontaPanBlock(const char *a, int lengthA, const char *b, int lengthB,
                                      unsigned char *out, int *resultLength);

/* Process-wide PIN settings (plain values, no lock; 0 and an empty key at load). */
/* Master-key position -1, working key wiped (all 33 bytes). */
VL_API void VL_CDECL IniciaDadosSenha(void);
/* Stores the master-key position and returns it. */
VL_API int VL_CDECL SetPosMasterKey(int position);
/* The stored master-key position. */
VL_API int VL_CDECL GetPosMasterKey(void);
/* Copies key and its NUL into the working key (at most 32 characters). A longer key is
 * refused: the working key is wiped and left empty, so no earlier key stays in use. */
VL_API void VL_CDECL SetWorkingKey(const char *key);
/* The library's working-key text (33 bytes, NUL-terminated); not to be freed. */
VL_API char *VL_CDECL GetWorkingKey(void);

/* Master-key positions. Unknown codes and models give 255 (PosMasterKeyItau: 99). */
/* code 1, 36: 7; 3, 15: 9; 5, 14: 8; 9, 100, 129: GetItautecMasterKeyPosition(model,
 * version); 99: 14; 108: 3; 155: 22. */
VL_API unsigned int VL_CDECL GetMasterKeyPosition(int code, unsigned short model,
                                                  unsigned short version);
/* model 5: 4 from version 3 on, else 255; 8: 12; 9: 6; 10: 4. */
VL_API unsigned int VL_CDECL GetItautecMasterKeyPosition(unsigned short model,
                                                         unsigned short version);
/* model 2, 4, 6, 7, 8, 10: 4; 3: 12; 5: 6. */
VL_API unsigned int VL_CDECL PosMasterKeyItau(short model);

/* The master key of (code, version, variant) from the library's table: the row of that code
 * and variant with the greatest version not above the one asked for. Stores the row's key
 * length (16 or 32) in *keyLength and writes that many upper-case hex digits of the clear
 * key to key (room for 48; no NUL). Answers 1 when the key's check value matches the row's,
 * else 0 (the key is written either way); 0 with nothing written when no row matches. */
VL_API int VL_CDECL GetMK(int code, int version, int variant, int *keyLength, char *key);
/* The PIN of 16 upper-case hex digits encrypted under the Itau PIN key: writes the PIN
 * digits (at most 12) and a NUL, at most 13 bytes. Input that is not 16 upper-case hex
 * digits is refused with the empty text. */
VL_API void VL_CDECL DescriptoPINItau(const char *encrypted, char *pin);
/* The PIN of an encrypted text (16 or 32 hex digits; only the first 16 are used) bound to
 * the card digits 4 to 12: clears the first *pinSize bytes of pin, writes n PIN digits
 * (n at most 12 and at most *pinSize - 1, so a NUL follows) and stores n in *pinSize.
 * Nothing happens when *pinSize is 0 or encryptedLength is above 32. Refused with an empty
 * PIN (first *pinSize bytes cleared, *pinSize 0): an encrypted length other than 16 or 32,
 * a non-hex digit among the 16, a card number under 4 digits, a text shorter than its
 * length. Never writes past *pinSize bytes. */
VL_API void VL_CDECL DescriptoPINDESItau(const char *encrypted, unsigned char encryptedLength,
                                         const char *pan, unsigned char panLength, char *pin,
                                         unsigned char *pinSize);
/* The password sent to Senff: the first six characters of password right-aligned in six
 * "0"s, each read as a digit (a non-digit as 0) plus the fixed offset of its position,
 * modulo 10. Writes 6 digits and a NUL (7 bytes). */
VL_API void VL_CDECL GeraSenhaSenff(const char *password, char *out);

/* ==== end of protect/pin ==== */

/* ==== protect/carddata ==== */

/* ==== end of protect/carddata ==== */

/* ==== protect/acquirer ==== */

/* ==== end of protect/acquirer ==== */

VL_END_DECLS

#endif /* VERTALIB_PROTECT_H */

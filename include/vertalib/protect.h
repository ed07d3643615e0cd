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

/* Card data under the card-data AES key: AES-128 in ECB mode, in place, over the whole
 * 16-byte blocks of the length given; a tail shorter than 16 bytes stays as it was. The key
 * is derived from the library's seed on every call, so data encrypted by any of these is
 * decrypted by its twin. A null buffer, or a length under 16 (negative included), changes
 * nothing. */
VL_API void VL_CDECL EncryptDataAES(unsigned char *buffer, int32_t length);
/* The same as EncryptDataAES. */
VL_API void VL_CDECL EncryptDataAESEx(unsigned char *buffer, int32_t length);
VL_API void VL_CDECL DecryptDataAES(unsigned char *buffer, int32_t length);
/* The same as DecryptDataAES. */
VL_API void VL_CDECL DecryptDataAESEx(unsigned char *buffer, int32_t length);
/* Track 1 of length characters, encrypted in place only when length is 21 or more (so a
 * 37-character track keeps its last 5 characters in clear). Returns length's low 8 bits
 * whether or not it encrypted. */
VL_API unsigned char VL_CDECL EncryptTrack1AES(char *track1, int32_t length);
/* Undoes EncryptTrack1AES for a length of 21 to 255 (taken as one byte). */
VL_API void VL_CDECL DecryptTrack1AES(char *track1, unsigned char length);
/* As EncryptTrack1AES with the threshold 20, for track 2. */
VL_API unsigned char VL_CDECL EncryptTrack2AES(char *track2, int32_t length);
/* Undoes EncryptTrack2AES for a length of 20 to 255. */
VL_API void VL_CDECL DecryptTrack2AES(char *track2, unsigned char length);
/* cvv: a CVV text in a buffer of at least 16 bytes. Builds '0' + n, the n first characters
 * (n = the text's length, taken as one byte, at most 9) and 'F' up to 16 characters, and
 * writes its 16 encrypted bytes over the start of the buffer (no NUL). A buffer opening
 * with three zero bytes, or a null one, is left alone. */
VL_API void VL_CDECL EncryptCvvAES(char *cvv);
/* Opens the 16 bytes EncryptCvvAES wrote: clears them and writes the CVV text with its NUL
 * into them. A block whose count character is not a digit gives at most 15 characters.
 * Three leading zero bytes or a null buffer: nothing changes. */
VL_API void VL_CDECL DecryptCvvAES(char *cvv);

/* Card numbers under a DES key: key is hexadecimal text of which the first 16 digits are
 * the single-DES key; a key text shorter than 16 characters (or null) changes nothing. */

/* Writes 34 characters to out, no NUL: the card number's length as two digits, then the
 * DES of its first 16 digits ('F'-padded to 16) and of the rest ('F'-padded; sixteen 'F'
 * for a number of 16 digits or fewer), each as 16 upper-case hexadecimal digits. A number
 * longer than 32 characters, or a null pointer, leaves out untouched. */
VL_API void VL_CDECL Encript_PAN(const char *pan, char *out, const char *key);
/* encrypted: exactly 34 characters as Encript_PAN writes them, NUL-terminated. Writes the
 * n digits of the card number to pan, no NUL (n = the two leading digits, at most 32).
 * Any other length, a non-digit in the count, a count above 32 or a null pointer: pan is
 * left untouched. */
VL_API void VL_CDECL Decript_PAN(const char *encrypted, char *pan, const char *key);
/* Encrypts the card number inside a track 2. The track is the first track2Length characters
 * of track2 (fewer when its NUL comes first; 1 to 128 characters). The card number as the
 * track parser takes it (at most 22 characters), padded with 'F' to 16 and XOR the field
 * (its first fieldLength characters, padded on the left with '0' to 16; null counts as
 * empty), is encrypted with DES and written as 16 upper-case hexadecimal digits in place
 * of the card number's first 16 characters; the rest of the track follows them, then a
 * NUL. *outSize gives out's size and receives the length of the text written.
 * Refused, with out and *outSize untouched: a size below track2Length - p + 16 (p the card
 * number's length), a size that cannot hold the text and its NUL, an empty or overlong
 * track, a null pointer. keyLength is not used. */
VL_API void VL_CDECL CriptografaDadosCartao(const char *track2, int track2Length, const char *field,
                                            int fieldLength, const char *key, int keyLength, char *out,
                                            int32_t *outSize);
/* Opens a block of CriptografaDadosCartao: the DES decryption of block's first 16 digits XOR
 * field (padded on the left with '0' to 16) is written to out as 16 upper-case hexadecimal
 * digits, no NUL: the card number followed by its 'F' padding. *resultLength receives the
 * count of result bytes before the first zero byte (8 when there is none). Returns 1 in
 * every case; a block shorter than 16 characters, a null pointer or a heap failure writes
 * nothing. blockLength and keyLength are not used. */
VL_API int VL_CDECL DescriptografaDadosCartao(const char *block, int blockLength, const char *field,
                                              int fieldLength, const char *key, int keyLength, char *out,
                                              int32_t *resultLength);
/* CriptografaDadosCartao under the key text made of key part 1 then key part 2 (each its
 * first length characters, or up to its NUL). Returns 1, or 0 when the heap refuses the
 * joined key (nothing written). */
VL_API int VL_CDECL MontaCriptografiaDadosCartaoVR(const char *track2, int track2Length, const char *keyPart1,
                                                   int keyPart1Length, const char *keyPart2, int keyPart2Length,
                                                   const char *field, int fieldLength, char *out,
                                                   int32_t *outSize);
/* DescriptografaDadosCartao under key part 1 then key part 2 as one key text. Returns 1, or
 * 0 when the heap refuses the joined key (nothing written). */
VL_API int VL_CDECL DesmontaCriptografiaDadosCartaoSmartNet(const char *block, int blockLength,
                                                            const char *keyPart1, int keyPart1Length,
                                                            const char *keyPart2, int keyPart2Length,
                                                            const char *field, int fieldLength, char *out,
                                                            int32_t *resultLength);

/* Reversible scrambling of length bytes in place (each output byte depends on all before
 * it); DecryptMsg undoes EncryptMsg. A length of 0 or below, or a null buffer, changes
 * nothing. */
VL_API void VL_CDECL EncryptMsg(unsigned char *buffer, int32_t length);
VL_API void VL_CDECL DecryptMsg(unsigned char *buffer, int32_t length);

/* ==== end of protect/carddata ==== */

/* ==== protect/acquirer ==== */

/* ==== end of protect/acquirer ==== */

VL_END_DECLS

#endif /* VERTALIB_PROTECT_H */

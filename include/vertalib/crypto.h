/* Cryptographic primitives: block ciphers, digests, CRC, random numbers, RSA and signing. */
#ifndef VERTALIB_CRYPTO_H
#define VERTALIB_CRYPTO_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== crypto/cipher ==== */

/* Block ciphers over caller buffers of raw bytes. Nothing here allocates, keeps state or
 * writes past the whole blocks of the length given: a buffer is processed in whole blocks
 * (16 bytes for AES, 8 for DES) from its start and any trailing bytes stay as they were.
 * A null pointer argument makes any of these functions do nothing (the triple-DES
 * functions then return 1), and so does an AES context whose rounds field is not 10, 12
 * or 14 (one aes_set_key never made). */

/* An expanded AES key. The field order is part of the interface. Key bytes enter the
 * round-key words little-endian (key byte 0 is the low byte of enc_keys[0]). */
typedef struct aes_key_context {
  uint32_t key_words;     /* 4, 6 or 8 */
  uint32_t rounds;        /* key_words + 6: 10, 12 or 14 */
  uint32_t enc_keys[64];  /* 4 * (rounds + 1) used */
  uint32_t dec_keys[64];  /* the same keys for the equivalent inverse cipher: reversed, with
                             inverse MixColumns applied to all but the first and last; made
                             only when the context is prepared for decryption */
} aes_key_context;

/* Expands key into ctx. key_length 24 or 192 selects AES-192 (24 key bytes read), 32 or 256
 * AES-256 (32 bytes), any other value AES-128 over the first 16 key bytes. encrypt_only
 * nonzero makes only the encryption keys (dec_keys is left as it was); 0 makes both. */
VL_API void VL_CDECL aes_set_key(aes_key_context *ctx, const unsigned char *key, unsigned int key_length,
                                 int encrypt_only);
/* ECB in place over length / 16 whole blocks. Decryption needs a context prepared with
 * encrypt_only 0. */
VL_API void VL_CDECL aes_ecb_encrypt(const aes_key_context *ctx, unsigned char *buffer, unsigned int length);
VL_API void VL_CDECL aes_ecb_decrypt(const aes_key_context *ctx, unsigned char *buffer, unsigned int length);
/* CBC in place over length / 16 whole blocks, chained from the 16-byte iv. The iv is only
 * read: to continue a stream, pass the last ciphertext block of the previous call. */
VL_API void VL_CDECL aes_cbc_encrypt(const aes_key_context *ctx, const unsigned char *iv, unsigned char *buffer,
                                     unsigned int length);
VL_API void VL_CDECL aes_cbc_decrypt(const aes_key_context *ctx, const unsigned char *iv, unsigned char *buffer,
                                     unsigned int length);

/* Single-DES CBC in place over length / 8 whole blocks with the 8-byte key (parity bits
 * ignored) and the 8-byte iv, which is only read. A length below 8, negative included,
 * changes nothing. */
VL_API void VL_CDECL des_cbc_encrypt(const unsigned char *key, const unsigned char *iv, unsigned char *buffer,
                                     int32_t length);
VL_API void VL_CDECL des_cbc_decrypt(const unsigned char *key, const unsigned char *iv, unsigned char *buffer,
                                     int32_t length);
/* One DES block (8 bytes) from input to output under the 8-byte key: decrypt when
 * direction is nonzero, encrypt when it is 0. input and output may be the same buffer.
 * Returns 0. */
VL_API int VL_CDECL desnbs(int direction, const unsigned char *input, const unsigned char *key,
                           unsigned char *output);

/* Triple DES of one 8-byte block under a key given as key_digits hexadecimal digits:
 * 16 digits K1 = K2 = K3; 32 digits K1, K2 and K3 = K1; 48 digits K1, K2, K3.
 * mode 0 encrypts, 1 decrypts:
 *   EEE: E(K3, E(K2, E(K1, x)))  /  D(K1, D(K2, D(K3, x)))
 *   EDE: E(K3, D(K2, E(K1, x)))  /  D(K1, E(K2, D(K3, x)))
 * Returns 0 when the 8 output bytes were written. Any other mode, any other number of
 * digits, a key text with a NUL within its first key_digits characters or a null pointer:
 * nothing is written and the result is 1. input and output may be the same buffer. */
VL_API int VL_CDECL tripleDES_EEE(int mode, int key_digits, const char *key_text, const unsigned char *input,
                                  unsigned char *output);
VL_API int VL_CDECL tripleDES_EDE(int mode, int key_digits, const char *key_text, const unsigned char *input,
                                  unsigned char *output);
/* Encrypts eight zero bytes under the triple-DES key text (arrangement 0 = EEE, 1 = EDE) and
 * writes the whole 8-byte result, binary; the usual 6-digit check value is its first 3
 * bytes. Returns 0 when written; 1 (nothing written) as the triple-DES functions do. */
VL_API int VL_CDECL generateKeyCheckValue(int arrangement, int key_digits, const char *key_text,
                                          unsigned char *output);
/* destination[i] = a[i] ^ b[i] for i < length; any of the three may be the same buffer.
 * A length of 0 or below writes nothing. */
VL_API void VL_CDECL OperacaoXOR(unsigned char *destination, const unsigned char *a, const unsigned char *b,
                                 int32_t length);

/* ==== end of crypto/cipher ==== */

/* ==== crypto/digest ==== */

/* SHA-1, CRC-32 and the random sources. A null pointer argument makes any of these
 * functions do nothing (SHA1_StdCall and Gera128bitsDeterministico then return 0,
 * crc32_verta returns 0). */

/* A SHA-1 computation in progress. The field order is part of the interface. */
typedef struct sha1_context {
  uint32_t total[2];         /* bytes hashed so far: low word, then the overflows of it */
  uint32_t state[5];         /* the chaining values */
  unsigned char buffer[64];  /* the input not yet processed */
} sha1_context;

/* Sets total to 0 and the state to the initial values. */
VL_API void VL_CDECL verta_SHA1_Init(sha1_context *ctx);
/* Adds length bytes of data. */
VL_API void VL_CDECL verta_SHA1_Update(sha1_context *ctx, const unsigned char *data, uint32_t length);
/* Pads the message, writes the 20-byte digest. The context is neither wiped nor reset:
 * it holds the state after the padding. */
VL_API void VL_CDECL verta_SHA1_Final(sha1_context *ctx, unsigned char *digest);
/* SHA-1 of the first strlen(text) mod 65536 bytes of text, folded to 10 bytes (byte i XOR
 * byte i + 10) and written as exactly 20 upper-case hexadecimal digits to out, no NUL.
 * Returns 1; 0 (nothing written) for a null pointer. */
VL_API int VL_STDCALL SHA1_StdCall(const char *text, char *out);

/* The usual reflected CRC-32 (initial value all ones, result complemented) of length bytes.
 * A length of 0 gives 0. */
VL_API uint32_t VL_CDECL crc32_verta(const unsigned char *buffer, uint32_t length);

/* The process-wide generator: a 32-bit state, 0 at load, never reset, shared without a
 * lock. SetRandomSeed mixes seed * 1812433253 (mod 2^32) into the state by XOR and returns
 * that product. GetRandomNumber steps the state (state * 214013 + 2531011) and returns its
 * bits 16..30, 0..32767: the first number after load is 38. */
VL_API uint32_t VL_CDECL SetRandomSeed(uint32_t seed);
VL_API int VL_CDECL GetRandomNumber(void);
/* 1 when the seconds of the local time end in an even digit, else 0. */
VL_API int VL_CDECL GetRandomBool(void);
/* Clears length bytes of buffer, then writes length / 10 groups of ten decimal digits (a
 * number 0..32767 with leading zeros, no NUL) and fills the last length % 10 bytes with
 * raw bytes (any value). The numbers come from a generator of their own, seeded with the
 * current time in seconds on every call, so two calls in the same second write the same.
 * A length of 0 or below writes nothing. */
VL_API void VL_CDECL PreencheRand(char *buffer, int32_t length);
/* A 16-byte key derived from a seed text. mode must be 1: any other mode returns 0 and
 * writes nothing. With seed text s of seed_length L >= 1 byte i (i < 16) is
 * s[c mod L] XOR a fixed mask, where c is s[i mod L] read as a signed byte and the
 * remainder is taken in 0..L-1; the 16 bytes, as four little-endian words, are each XORed
 * with a fixed constant. A null seed gives a fixed 16-byte value. A seed_length of 0 or
 * below with a seed, or a null key_out, returns 0 and writes nothing. Returns 1 when the
 * 16 bytes were written. */
VL_API int VL_CDECL Gera128bitsDeterministico(int32_t mode, const char *seed, int32_t seed_length,
                                              unsigned char *key_out);

/* ==== end of crypto/digest ==== */

/* ==== crypto/rsa ==== */

/* ==== end of crypto/rsa ==== */

VL_END_DECLS

#endif /* VERTALIB_CRYPTO_H */

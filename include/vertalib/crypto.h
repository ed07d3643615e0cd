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

#include <stdio.h>

/* Multi-precision integers, RSA key contexts with PKCS #1 v1.5 padding, and the file-signing
 * module. Results are 0 or a negative code unless said otherwise. A null pointer where the
 * declaration does not allow one is refused with the code named beside it. */

/* A signed integer of any size: sign (1 or -1), number of limbs, limbs of 32 bits, least
 * significant first. The limbs belong to the library: a record starts zeroed (or with
 * n = 0 and p null), is filled by mpi_read_string or key generation, and its limbs are
 * released (wiped first) only by RSAFree on a context holding it (a loose integer is kept in
 * or moved into a context's field for that). Filling a record that already holds limbs
 * releases them, wiped. Zero is read with sign 1. */
typedef struct mpi {
  int32_t s;
  uint32_t n;
  uint32_t *p;
} mpi;

/* Fills length bytes at out with random bytes and returns 0 (a nonzero result makes key
 * generation fail with that code OR'd into its own). */
typedef int (VL_CDECL *rsa_random_fn)(void *state, unsigned char *out, uint32_t length);

/* A caller-owned RSA key. len is the modulus length in bytes; 0 means "no key yet": the
 * first key generation (direct, or by RSAEncrypt/RSADecrypt) then clears the whole record
 * without releasing anything, so a record is zeroed, or emptied with RSAFree, before such
 * use. RN, RP and RQ are kept empty: every operation works its values out afresh. */
typedef struct rsa_key_context {
  int32_t ver;       /* 0 */
  int32_t len;       /* modulus length in bytes */
  mpi N, E, D;       /* modulus, public exponent, private exponent */
  mpi P, Q;          /* the primes, P > Q */
  mpi DP, DQ, QP;    /* D mod (P - 1), D mod (Q - 1), Q^-1 mod P */
  mpi RN, RP, RQ;    /* cached values of the exponentiation (left empty) */
  int32_t padding;   /* 0 = PKCS #1 v1.5, the only padding */
  int32_t hash_id;   /* 0 */
  rsa_random_fn f_rng; /* the random source of key generation */
  void *p_rng;       /* its state */
} rsa_key_context;

/* Reads text in radix 2..16 into X: an optional leading '-', then digits of the radix in
 * either case (an empty digit string is 0). -4 for a radix outside 2..16 or a null X or
 * text; -6 for any other character; -16 for more than 80000 digits or when the heap
 * refuses. X is left as it was on every refusal. */
VL_API int VL_STDCALL mpi_read_string(mpi *X, int radix, const char *text);

/* Writes X in radix 2..16 with a NUL: '-' for a negative value, then the digits in upper
 * case; radix 16 writes whole bytes from the most significant, leading zero bytes skipped
 * (even digit count; zero is "00"). Room needed: (bit length, halved for radix 4 and above,
 * halved again for radix 16) + 3, or one more when a negative value's text needs it (only
 * in radix 16). *size in: the room at out; out: the characters written with the NUL.
 * -8 (nothing written, the room needed stored in *size) when *size is smaller, negative
 * included; out may then be null. -4 for a bad radix, a null X or size, a null out, or a
 * record with limbs but a null p; -16 when the heap refuses. */
VL_API int VL_STDCALL mpi_write_string(const mpi *X, int radix, char *out, int32_t *size);

/* Writes prefix (null: none), then X in radix as mpi_write_string does with 1022
 * characters of room, then CR LF, to stream (null: standard output). 0; a code of
 * mpi_write_string (nothing written); -2 when the stream takes fewer bytes. */
VL_API int VL_CDECL mpi_write_file(const char *prefix, const mpi *X, int radix, FILE *stream);

/* RSAGenerateKeysV2 with a time limit of 255, which never runs out. */
VL_API int VL_STDCALL RSAGenerateKeys(rsa_key_context *ctx, int bits, int exponent);

/* Generates a key of bits bits (two primes of bits / 2 bits each) with the public exponent
 * given, and fills N, E, D (E^-1 mod (P-1)(Q-1)), P, Q, DP, DQ, QP and len. A context with
 * len 0 is cleared first, gets the library's random function (the system's random source)
 * and seeds the runtime generator that RSAEncrypt's padding draws from.
 * 0; -1024 for a null ctx, a null f_rng, bits below 128 or above 8192, or an exponent
 * below 3 or even; -1025 when the seconds elapsed in the call (modulo 256) pass the low
 * 8 bits of time_limit or an arithmetic step fails; -1056 OR'd with the failing step's code
 * otherwise (the random function's nonzero result among them). Every failure but -1024
 * releases the context's integers (wiped); len is left as it was. */
VL_API int VL_STDCALL RSAGenerateKeysV2(rsa_key_context *ctx, int bits, int exponent, int time_limit);

/* Encrypts input_length bytes with PKCS #1 v1.5 type 2 padding (00 02, non-zero random
 * bytes from the runtime generator, 00, the input) under the public (mode 0) or private
 * (mode 1) key, writing exactly ctx->len bytes to output. A context with len 0 first gets a
 * key from RSAGenerateKeys(ctx, bits, exponent). 0 done; 1 for a null ctx, input (with a
 * length above 0) or output, a failed generation, another mode, padding other than 0, a
 * negative input_length or one above len - 11, len not the modulus's size (or above 1024),
 * or a key that lacks what the mode needs. */
VL_API int VL_STDCALL RSAEncrypt(rsa_key_context *ctx, int mode, int bits, int exponent,
                                 const unsigned char *input, int input_length,
                                 unsigned char *output);

/* Applies the public (mode 0) or private (mode 1) key to ctx->len bytes of input
 * (input_length is not used). padded != 0: the result must start 00 02 and hold a zero byte
 * after the padding; the bytes after it (at most len - 3) go to output and their count to
 * *output_length. padded == 0: all len bytes go to output and *output_length is 0. A
 * context with len 0 first gets a key as in RSAEncrypt. 0 done; 1 for a null ctx, input,
 * output or output_length, another mode, len below 16 or above 1024 (unpadded: 512), a
 * value not below the modulus, a padding that does not match, or a key that cannot do the
 * mode. */
VL_API int VL_STDCALL RSADecrypt(rsa_key_context *ctx, int mode, int bits, int exponent,
                                 const unsigned char *input, int input_length,
                                 unsigned char *output, int32_t *output_length, int padded);

/* Wipes and releases the limbs of the eleven integers (each left with n = 0, p null); len
 * stays as it was. Null does nothing. */
VL_API void VL_STDCALL RSAFree(rsa_key_context *ctx);

/* The signing module: one process-wide key, unlocked. Its trace log is off unless the file
 * CriptCfg.txt in the working directory, read once per process by the first of
 * CriptoSetaChvPriv, CriptoGeraAss and CriptoGeraMD5Buf, holds "TRACE=1" (any case) on its
 * first line; a last line of 13 to 17 characters holding "TAMLOG=" followed only by digits
 * 1 to 8 (no line end) sets a larger rotation limit than the 500000 bytes it starts with.
 * The log is Cripto1.log in the working directory, a line per event with a time stamp;
 * past the limit it becomes Cripto2.log (replacing the older one). The log holds the texts given to CriptoSetaChvPriv, the private exponent
 * included: keep tracing off wherever the key matters. */

/* Sets the module key from hexadecimal texts: modulus and private exponent of exactly 256
 * characters each (a 1024-bit modulus), a public exponent of an even number of characters.
 * 0 set; -1 refused (null texts included): a refusal after the lengths are checked leaves
 * the module key cleared (signing then fails) while an earlier key still counts as set. */
VL_API int VL_STDCALL CriptoSetaChvPriv(const char *modulus, const char *private_exponent,
                                        const char *public_exponent);

/* Signs the file's MD5 digest (00 01 FF..FF 00 10 || digest, 128 bytes, raised to the
 * private exponent) and writes the signature as 256 lower-case hex digits to *signature
 * (256 bytes, cleared first, no NUL). 256 done; -2 no key set; -1 for a null signature or
 * *signature, a file that cannot be opened or read, or a failed exponentiation. */
VL_API int VL_STDCALL CriptoGeraAss(const char *file_name, char **signature);

/* The MD5 digest of length bytes as 32 lower-case hex digits and a NUL in *digest (33
 * bytes). 0; -1 for a negative length, a null digest or *digest, or a null buffer with a
 * length above 0. */
VL_API int VL_STDCALL CriptoGeraMD5Buf(const unsigned char *buffer, int32_t length, char **digest);

/* Signs the file with the library's signing key and appends the line "EAD" + the 256
 * signature digits + LF (260 bytes); the signature covers the file as it was before.
 * 0 signed; 1 key refused; 2 signing failed (file missing or unreadable); 3 the file does
 * not open for appending; 4 the line was not written whole. */
VL_API int VL_STDCALL GeraAssinatura(const char *file_name);

/* ==== end of crypto/rsa ==== */

VL_END_DECLS

#endif /* VERTALIB_CRYPTO_H */

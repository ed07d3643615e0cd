/* The records that cross the interface, as a 32-bit caller lays them out: every field at
 * the offset its documented order and widths give with 4-byte ints and pointers, 2-byte
 * shorts and natural alignment, and the whole record padded to 4 bytes. The expected
 * numbers are worked out by hand from those fields, not taken from the compiler.
 *
 * The crypto contexts are checked where the build has them (VL_HAS_<record> is defined
 * by the build when the public header declares the record). */
#include <stddef.h>
#include <stdio.h>

#include "vertalib/vertalib.h"

static int failures = 0;

static void expect(const char *what, size_t actual, size_t expected) {
  if (actual != expected) {
    fprintf(stderr, "%s is %u, expected %u\n", what, (unsigned)actual, (unsigned)expected);
    failures++;
  }
}

#define SIZE(type, expected) expect("sizeof(" #type ")", sizeof(type), expected)
#define OFFSET(type, field, expected) \
  expect("offsetof(" #type ", " #field ")", offsetof(type, field), expected)

int main(void) {
  /* identifier 4, length int, 999 data bytes: 1007, padded to 1008. */
  OFFSET(ElementoID, id, 0);
  OFFSET(ElementoID, length, 4);
  OFFSET(ElementoID, data, 8);
  SIZE(ElementoID, 1008);

  /* int, 1000 bytes, int, 999 bytes: 2007, padded to 2008. */
  OFFSET(ElementoTXT, tag_length, 0);
  OFFSET(ElementoTXT, tag, 4);
  OFFSET(ElementoTXT, value_length, 1004);
  OFFSET(ElementoTXT, value, 1008);
  SIZE(ElementoTXT, 2008);

  /* 4 characters, int, 90 descriptions of 15 characters: 1358, padded to 1360. */
  OFFSET(DescMercadorias, id, 0);
  OFFSET(DescMercadorias, count, 4);
  OFFSET(DescMercadorias, descriptions, 8);
  SIZE(DescMercadoria, 15);
  SIZE(DescMercadorias, 1360);

  /* int, int, 128 bytes, two pointers. */
  OFFSET(STLV_Elemento, id, 0);
  OFFSET(STLV_Elemento, length, 4);
  OFFSET(STLV_Elemento, data, 8);
  OFFSET(STLV_Elemento, previous, 136);
  OFFSET(STLV_Elemento, next, 140);
  SIZE(STLV_Elemento, 144);

  /* 12 bytes, 5 bytes, then the int aligned from 17 to 20, a pointer. */
  OFFSET(STLV_Lista, header_text, 0);
  OFFSET(STLV_Lista, header_code, 12);
  OFFSET(STLV_Lista, count, 20);
  OFFSET(STLV_Lista, first, 24);
  SIZE(STLV_Lista, 28);

  /* 32-bit tag, 16-bit length (then 2 bytes of padding), pointer, 32-bit, two pointers. */
  OFFSET(TLVItem, tag, 0);
  OFFSET(TLVItem, value_length, 4);
  OFFSET(TLVItem, tag_start, 8);
  OFFSET(TLVItem, header_length, 12);
  OFFSET(TLVItem, value, 16);
  OFFSET(TLVItem, next, 20);
  SIZE(TLVItem, 24);

#if defined(VL_HAS_aes_key_context)
  /* key words, rounds, 64 + 64 round-key words. */
  OFFSET(aes_key_context, key_words, 0);
  OFFSET(aes_key_context, rounds, 4);
  OFFSET(aes_key_context, enc_keys, 8);
  OFFSET(aes_key_context, dec_keys, 264);
  SIZE(aes_key_context, 520);
#endif
#if defined(VL_HAS_sha1_context)
  /* two count words, five state words, 64 bytes. */
  OFFSET(sha1_context, total, 0);
  OFFSET(sha1_context, state, 8);
  OFFSET(sha1_context, buffer, 28);
  SIZE(sha1_context, 92);
#endif
#if defined(VL_HAS_mpi)
  /* sign, limb count, limbs pointer. */
  OFFSET(mpi, s, 0);
  OFFSET(mpi, n, 4);
  OFFSET(mpi, p, 8);
  SIZE(mpi, 12);
#endif
#if defined(VL_HAS_rsa_key_context)
  /* version, length, eleven 12-byte integers from 8, padding, hash, two pointers. */
  OFFSET(rsa_key_context, ver, 0);
  OFFSET(rsa_key_context, len, 4);
  OFFSET(rsa_key_context, N, 8);
  OFFSET(rsa_key_context, E, 20);
  OFFSET(rsa_key_context, D, 32);
  OFFSET(rsa_key_context, P, 44);
  OFFSET(rsa_key_context, Q, 56);
  OFFSET(rsa_key_context, DP, 68);
  OFFSET(rsa_key_context, DQ, 80);
  OFFSET(rsa_key_context, QP, 92);
  OFFSET(rsa_key_context, RN, 104);
  OFFSET(rsa_key_context, RP, 116);
  OFFSET(rsa_key_context, RQ, 128);
  OFFSET(rsa_key_context, padding, 140);
  OFFSET(rsa_key_context, hash_id, 144);
  OFFSET(rsa_key_context, f_rng, 148);
  OFFSET(rsa_key_context, p_rng, 152);
  SIZE(rsa_key_context, 156);
#endif

  if (failures == 0) printf("layout: every record as a 32-bit caller lays it out\n");
  return failures == 0 ? 0 : 1;
}

// The records the interface shares with its callers keep the layout their callers were built
// against, on 64 bits and on 32 (only pointers take the platform's width): checked when the
// tests compile.
#include <cstddef>

#include "vertalib/crypto.h"
#include "vertalib/fields.h"
#include "vertalib/tlv.h"

constexpr size_t kPointer = sizeof(void *);

static_assert(offsetof(ElementoID, id) == 0 && offsetof(ElementoID, length) == 4 &&
              offsetof(ElementoID, data) == 8 && sizeof(ElementoID) == 1008);
static_assert(offsetof(ElementoTXT, tag_length) == 0 && offsetof(ElementoTXT, tag) == 4 &&
              offsetof(ElementoTXT, value_length) == 1004 && offsetof(ElementoTXT, value) == 1008 &&
              sizeof(ElementoTXT) == 2008);
static_assert(sizeof(DescMercadoria) == 15 && offsetof(DescMercadorias, id) == 0 &&
              offsetof(DescMercadorias, count) == 4 && offsetof(DescMercadorias, descriptions) == 8 &&
              sizeof(DescMercadorias) == 1360);
static_assert(offsetof(STLV_Elemento, id) == 0 && offsetof(STLV_Elemento, length) == 4 &&
              offsetof(STLV_Elemento, data) == 8 && offsetof(STLV_Elemento, previous) == 136 &&
              offsetof(STLV_Elemento, next) == 136 + kPointer &&
              sizeof(STLV_Elemento) == 136 + 2 * kPointer);
static_assert(offsetof(STLV_Lista, header_text) == 0 && offsetof(STLV_Lista, header_code) == 12 &&
              offsetof(STLV_Lista, count) == 20 && offsetof(STLV_Lista, first) == 24 &&
              sizeof(STLV_Lista) == 24 + kPointer);
static_assert(offsetof(TLVItem, tag) == 0 && offsetof(TLVItem, value_length) == 4 &&
              sizeof(TLVItem{}.value_length) == 2 && offsetof(TLVItem, tag_start) == 8 &&
              offsetof(TLVItem, header_length) == 8 + kPointer &&
              offsetof(TLVItem, value) == 8 + 2 * kPointer && offsetof(TLVItem, next) == 8 + 3 * kPointer &&
              sizeof(TLVItem) == 8 + 4 * kPointer);
static_assert(offsetof(aes_key_context, rounds) == 4 && offsetof(aes_key_context, enc_keys) == 8 &&
              offsetof(aes_key_context, dec_keys) == 264 && sizeof(aes_key_context) == 520);
static_assert(offsetof(sha1_context, state) == 8 && offsetof(sha1_context, buffer) == 28 &&
              sizeof(sha1_context) == 92);
// An integer is its sign, its limb count and a pointer to the limbs; a key, two words, eleven
// integers, two words and two pointers.
constexpr size_t kInteger = 8 + kPointer;
static_assert(offsetof(mpi, n) == 4 && offsetof(mpi, p) == 8 && sizeof(mpi) == kInteger);
static_assert(offsetof(rsa_key_context, len) == 4 && offsetof(rsa_key_context, N) == 8 &&
              offsetof(rsa_key_context, E) == 8 + kInteger && offsetof(rsa_key_context, QP) == 8 + 7 * kInteger &&
              offsetof(rsa_key_context, RQ) == 8 + 10 * kInteger &&
              offsetof(rsa_key_context, padding) == 8 + 11 * kInteger &&
              offsetof(rsa_key_context, hash_id) == 12 + 11 * kInteger &&
              offsetof(rsa_key_context, f_rng) == 16 + 11 * kInteger &&
              offsetof(rsa_key_context, p_rng) == 16 + 11 * kInteger + kPointer &&
              sizeof(rsa_key_context) == 16 + 11 * kInteger + 2 * kPointer);

// The records the interface shares with its callers keep the layout their callers were built
// against, on 64 bits and on 32 (only pointers take the platform's width): checked when the
// tests compile.
#include <cstddef>

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

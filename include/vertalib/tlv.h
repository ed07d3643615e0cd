/* TLV and EMV: the TLV element list, BER-TLV data of data element 55. */
#ifndef VERTALIB_TLV_H
#define VERTALIB_TLV_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== tlv/stlv ==== */

/* One element of an STLV list: allocated and released by the library only. data holds the
 * element's text and at least one NUL after it. */
typedef struct STLV_Elemento {
  int id;                          /* 0 to 99 */
  int length;                      /* length of the data */
  char data[128];
  struct STLV_Elemento *previous;  /* null for the first element */
  struct STLV_Elemento *next;      /* null for the last element */
} STLV_Elemento;

/* The list header (caller-owned). New elements go in front, so the list runs from the
 * newest to the oldest element. */
typedef struct STLV_Lista {
  char header_text[12];  /* 11 characters; the last byte is set to NUL by STLV_CriaLista and
                            STLV_CriaListaFromBuffer (not by STLV_CriaListaHeader) */
  char header_code[5];   /* 4 characters; the last byte likewise */
  int count;
  STLV_Elemento *first;
} STLV_Lista;

/* Starts an empty list with an all-zero header; 0 for a null list. Elements the record
 * still points to are not released (empty a used list with STLV_EsvaziaLista first). */
VL_API int VL_CDECL STLV_CriaLista(STLV_Lista *list);
/* Starts an empty list with at most 11 characters of header text and 4 of header code,
 * NUL-filled within those 11 and 4 bytes; null texts count as empty. header_text[11] and
 * header_code[4] keep what the record held (clear the record first to read the fields as
 * NUL-terminated text). 0 for a null list. */
VL_API int VL_CDECL STLV_CriaListaHeader(STLV_Lista *list, const char *header_text,
                                         const char *header_code);
/* Builds a list from an STLV buffer: a 32-bit little-endian count of the text bytes that
 * follow, 11 header-text and 4 header-code characters, then elements "%02d%02d%s"
 * (identifier, length, data). Elements are put in front as they are read, so the list holds
 * them in the reverse of the buffer's order; a length of 0 deletes an earlier element with
 * the same identifier. 0 for a null list, a count below 15 or an allocation failure (the
 * elements read so far are kept). Reading never goes past the count. */
VL_API int VL_CDECL STLV_CriaListaFromBuffer(STLV_Lista *list, const char *buffer);
/* Writes the list as an STLV buffer, elements from the first (newest) to the last, and a
 * NUL after the last one (not counted). The output needs 20 bytes plus 4 + length for every
 * element. 1 written (or nothing written for a null list), 0 for a list without elements. */
VL_API int VL_CDECL STLV_MontaBufferFromLista(STLV_Lista *list, char *buffer);
/* Releases every element, wiped; the header text and code stay. 0 for a null list. */
VL_API int VL_CDECL STLV_EsvaziaLista(STLV_Lista *list);
/* The first element with the identifier, still owned by the list, or null. */
VL_API STLV_Elemento *VL_CDECL STLV_BuscaLista(STLV_Lista *list, int id);
/* A new, unlinked element holding length bytes of data (at most 127) and a NUL; its length
 * is the text length of what was copied. Null when the heap refuses. */
VL_API STLV_Elemento *VL_CDECL STLV_AlocaNovoElemento(int id, int length, const char *data);
/* Adds an element in front, replaces the data of the element with that identifier (which
 * keeps its place), or, with length 0, removes and releases it. 1 done (also for length 0
 * and an absent identifier), 0 when the heap refuses. */
VL_API int VL_CDECL STLV_AdicionaID(STLV_Lista *list, int id, int length, const char *data);
/* Unlinks the first element with the identifier and hands it to the caller (the library
 * never releases it); its own previous and next still hold its former neighbours. Null
 * when absent. */
VL_API STLV_Elemento *VL_CDECL STLV_RemoveID(STLV_Lista *list, int id);

/* ==== end of tlv/stlv ==== */

/* ==== tlv/emv ==== */

/* BER-TLV over hexadecimal text (two characters per byte, read by the ASC2Bin rule): a tag
 * of one byte, or two when the first byte's low five bits are all ones; a length byte below
 * 0x80, or 0x81..0x83 followed by 1..3 big-endian length bytes (0x80 reads as length 0; a
 * count above 3 ends the parse).
 *
 * One item of a parsed list, allocated by the library; the pointers point into the
 * caller's text, which must outlive the list. Release a list with CleanTLVList only. */
typedef struct TLVItem {
  uint32_t tag;              /* 0x5A, 0x9F26, ... */
  uint16_t value_length;     /* value length in hexadecimal characters; 0 for tag lists */
  const char *tag_start;     /* the tag's first character in the caller's text */
  int32_t header_length;     /* characters of tag and length (of the tag alone in tag lists) */
  const char *value;         /* the value's first character; null for tag and data-object lists */
  struct TLVItem *next;      /* the next item in text order; null for the last */
} TLVItem;

/* Objects of the length characters of text, in text order; 00 bytes where a tag would start
 * are padding and skipped. Null when length is below 1, no object was found, or the parse
 * fails: a header or value cut by the end of the text, more than 3 length bytes, a value of
 * more than 65535 characters, more than 1024 objects. A failed parse keeps no item. */
VL_API TLVItem *VL_CDECL AscTLV2Array(const char *text, int length);
/* A tag list (tags only, no lengths or values): one item per tag, value_length 0 and value
 * null. Null when length is below 1, or when the text does not end exactly after a tag
 * (odd length, a cut two-byte tag), or for more than 1024 tags: nothing past length is read. */
VL_API TLVItem *VL_CDECL AscTag2Array(const char *text, int length);
/* A data-object list (tag and length pairs, as PDOL and CDOL): value_length is the length
 * field in hexadecimal characters (9F0206 gives 12), value null. Null when length is 0, on
 * more than 3 length bytes, when the text does not end exactly after an entry, on a length
 * above 65535 characters or more than 1024 entries. */
VL_API TLVItem *VL_CDECL AscTagLen2Array(const char *text, unsigned int length);
/* The first item from first on whose tag is tag; null when none (or first is null). */
VL_API TLVItem *VL_CDECL GetTLVItem(TLVItem *first, unsigned int tag);
/* Releases first and every item after it (their bytes are wiped). Null is ignored. */
VL_API void VL_CDECL CleanTLVList(TLVItem *first);

/* Bit tests over the hexadecimal text of an EMV bit field (TVR, AUC, CVM results): code
 * bits 8..11 give the byte index, the low 8 bits the mask. 1 when every mask bit is set in
 * that byte (always for mask 0, without reading the text), else 0; 0 for a null text. The
 * text holds at least 2 * (index + 1) characters. */
VL_API int VL_CDECL ThisTVROccurs(int code, const char *text);
VL_API int VL_CDECL ThisAUCOccurs(int code, const char *text);
VL_API int VL_CDECL ThisCVMOccurs(int code, const char *text);

/* The 16 value characters after the first "9F2608" of the NUL-terminated BIT 55 text, and a
 * NUL (out holds 17 bytes). A plain text search. 1 found; 0 (out[0] = NUL) when absent or
 * fewer than 16 characters follow it. */
VL_API int VL_CDECL GetARQCFromDadosBIT55(char *out, const char *bit55);
/* The 2 bytes of the 4 value characters after the first "8A02" (ASC2BinEx), no NUL (out
 * holds 2 bytes; an approval gives '0' '0'). 1 found; 0 (out[0] = NUL) when absent or
 * fewer than 4 characters follow it. */
VL_API int VL_CDECL GetRCFromDadosBIT55(char *out, const char *bit55);

/* Overwrites with mask every value character of the objects whose tag is in tags (ended by
 * 0), in place; tags and lengths stay. The walk reads objects as AscTLV2Array does, without
 * skipping 00 padding, and stops at a cut header or value or at more than 3 length bytes.
 * Nothing happens when length is below 1 or tags is null or empty. */
VL_API void VL_CDECL MascEMVTLVBuffer(char *text, int length, char mask, const int *tags);
/* MascEMVTLVBuffer over 5A, 57, 9F1F, 9F20, 5F24 and 5F30. */
VL_API void VL_CDECL BufMascaraDadosSensiveisEMV(char *text, int length, char mask);

/* Text layout of a 4-character tag, a 3-digit length and the value: writes the 4 tag
 * characters, n as 3 digits and n value characters, n being the value's length but at most
 * maxLength (values above 999 characters are outside the layout). No NUL. Returns n + 7;
 * 0 and nothing written when out or tag is null. A null value counts as empty. */
VL_API int VL_CDECL MontaTLVPadraoFirstData(char *out, const char *tag, unsigned int maxLength,
                                            const char *value);
/* Clears outSize bytes of out, finds the first occurrence of tag in text (within length
 * characters and before a NUL) and copies the value of the length read from the 3
 * characters 4 after it (terminated only by the clearing). Returns the length copied; 0 when
 * text, tag or out is null, text or tag is empty, length is below the tag's, the tag is
 * absent, the length exceeds outSize, or the length field or the value runs past the text. */
VL_API int VL_CDECL GetTLVPadraoFirstData(const char *text, unsigned int length, const char *tag,
                                          char *out, unsigned int outSize);
/* Text layout of a 4-character tag, a 4-digit length and the value: writes the 4 tag
 * characters, n as 4 digits and n characters, the first min(width, 124) characters of field
 * (up to its NUL) without their trailing spaces. No NUL. Returns n + 8; 0 (nothing written)
 * when field is null, empty or begins with a space, or n + 8 exceeds outSize. */
VL_API int VL_CDECL CopyTagGetNetLAC(char *out, const char *tag, const char *field,
                                     unsigned int width, int outSize);
/* From *position in the length characters of text, skips elements (4-character tag, a
 * length field of lengthWidth digits read with ASC2int, so a width above 6 reads 0, and
 * the value) until one has tag, then copies min(value length, capacity, characters left)
 * value characters to out (no NUL) and advances *position past them: a cut value leaves
 * *position inside the element. Returns the count copied; 0 when not found, when *position
 * is not below length, for a negative width or length field, or for an element cut by the
 * end of the text. */
VL_API int VL_CDECL GetTLVGetNetLAC(const char *tag, int lengthWidth, char *out, int capacity,
                                    const char *text, int length, int *position);

/* ==== end of tlv/emv ==== */

VL_END_DECLS

#endif /* VERTALIB_TLV_H */

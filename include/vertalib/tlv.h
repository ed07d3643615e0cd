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
  char header_text[12];  /* 11 characters and a NUL */
  char header_code[5];   /* 4 characters and a NUL */
  int count;
  STLV_Elemento *first;
} STLV_Lista;

/* Starts an empty list with an all-zero header; 0 for a null list. Elements the record
 * still points to are not released (empty a used list with STLV_EsvaziaLista first). */
VL_API int VL_CDECL STLV_CriaLista(STLV_Lista *list);
/* Starts an empty list with at most 11 characters of header text and 4 of header code,
 * NUL-filled; null texts count as empty. 0 for a null list. */
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
 * never releases it); null when absent. */
VL_API STLV_Elemento *VL_CDECL STLV_RemoveID(STLV_Lista *list, int id);

/* ==== end of tlv/stlv ==== */

/* ==== tlv/emv ==== */

/* ==== end of tlv/emv ==== */

VL_END_DECLS

#endif /* VERTALIB_TLV_H */

/* Library frame: process-wide settings, configuration path, version strings. */
#ifndef VERTALIB_FRAME_H
#define VERTALIB_FRAME_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== frame/state ==== */

/* Library mode (0 or 1): stores mode AND 1. Always returns 1. */
VL_API int VL_CDECL SetLibMode(int mode);
/* Writes the library mode to *out. Returns 0 (and writes nothing) when out is null, else 1. */
VL_API int VL_CDECL GetLibMode(int *out);

/* Current card: 41 opaque bytes and a length (0..41; a longer length is cut to 41).
 * SetCartao clears all 41 bytes, copies length bytes of data and stores the length. */
VL_API void VL_CDECL SetCartao(const unsigned char *data, unsigned char length);
/* Copies the stored length of bytes to out (41 bytes of room); no NUL. Returns the length. */
VL_API unsigned char VL_CDECL GetCartao(unsigned char *out);
/* Clears the 41 data bytes; the stored length stays. */
VL_API void VL_CDECL LimpaCartao(void);

/* Payment type: an opaque number, stored and returned. */
VL_API void VL_CDECL SetTipoPagto(int type);
VL_API int VL_CDECL GetTipoPagto(void);

/* Registers the six window messages "Msg_Verta_Accept" .. "Msg_Verta_Accept_Sdc" and keeps
 * their codes; GetMessageCode(index 0..5) returns a kept code (0 before registration and
 * for an index above 5). */
VL_API void VL_CDECL RegisterVertaMessages(void);
VL_API unsigned int VL_CDECL GetMessageCode(unsigned int index);

/* Copies / fills count bytes of dst, then writes a NUL at dst[count] (count + 1 bytes). */
VL_API void *VL_CDECL memcpyz(void *dst, const void *src, int count);
VL_API void *VL_CDECL memsetz(void *dst, char value, int count);

/* Releases a block the library allocated: when *block is not null, zeroes size bytes of it,
 * frees it and sets *block to null. Does nothing when *block is null. */
VL_API void VL_CDECL CleaningFree(void **block, int size);

/* Suspends the calling thread for the given milliseconds. */
VL_API void VL_CDECL Esperar(unsigned int milliseconds);

/* ==== end of frame/state ==== */

/* ==== frame/config ==== */

/* ==== end of frame/config ==== */

/* ==== frame/version ==== */

/* ==== end of frame/version ==== */

VL_END_DECLS

#endif /* VERTALIB_FRAME_H */

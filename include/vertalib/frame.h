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

/* Copies / fills count bytes of dst, then writes a NUL at dst[count] (count + 1 bytes).
 * A negative count (or a null dst) writes nothing. Both return dst. */
VL_API void *VL_CDECL memcpyz(void *dst, const void *src, int count);
VL_API void *VL_CDECL memsetz(void *dst, char value, int count);

/* Releases a block the library allocated: when *block is not null, zeroes size bytes of it,
 * frees it and sets *block to null. Does nothing when *block is null. */
VL_API void VL_CDECL CleaningFree(void **block, int size);

/* Suspends the calling thread for the given milliseconds. */
VL_API void VL_CDECL Esperar(unsigned int milliseconds);

/* ==== end of frame/state ==== */

/* ==== frame/config ==== */

/* Finds the INI file name + ".INI" (the extension always upper case) and writes its path
 * into out (size bytes of room, NUL-terminated). Directories tried in order: the value of
 * the environment variable VertaIniPath (a separator appended when missing), the
 * directory set for library look-ups (none on POSIX), the executable's directory, the
 * current directory. Returns 1 when an existing file (not a directory) was found, else 0
 * with out holding the last path tried. A path that does not fit in size gives 0 and an
 * empty out. Callers pass at least 260 bytes plus the length of name. */
VL_API int VL_CDECL vrtlib_ini_pathname(char *out, int size, const char *name);

/* The current directory ending with one separator, in a 256-byte buffer owned by the
 * library (overwritten by the next call from any thread). Empty when the directory
 * cannot be read or is longer than 254 characters. */
VL_API char *VL_CDECL CurDir(void);

/* Copies the module name of index (at most 14 characters and its NUL) into out, which
 * holds at least 15 bytes. Unlisted indices give "VERTA". */
VL_API void VL_CDECL SignIdx2ModuleName(unsigned int index, char *out);

/* Copies the 64 upper-case hexadecimal characters of the library signature into out
 * (64 bytes of room); no NUL. Returns out; with a null out writes nothing and returns null. */
VL_API char *VL_CDECL GetLibSign(char *out);

/* ==== end of frame/config ==== */

/* ==== frame/version ==== */

/* Dotted versions: major.minor.build or major.minor.release.build, each part at most 4
 * characters, the whole text at least 7. */

/* Splits text into its numbers (release 0 for a three-part text). All four outputs are
 * set to 0 first and stay 0 when the text is refused. Returns 1 when parsed, else 0. */
VL_API int VL_CDECL SeparaStringVersao(const char *text, unsigned short *major,
                                       unsigned short *minor, unsigned short *release,
                                       unsigned short *build);
/* Writes "major.minor.release" of text (numbers in decimal, a text that does not parse
 * counts as zeros) and a NUL into out, after clearing size bytes of it. size bounds the
 * text only: a text of exactly size characters is accepted and its NUL goes to out[size],
 * so out holds size + 1 bytes. Returns 1, or 0 with size bytes of out cleared when the
 * text is longer than size. */
VL_API int VL_CDECL ObtemVersaosemBuild(const char *text, char *out, int size);
/* The same for the build number alone. */
VL_API int VL_CDECL ObtemBuilddaVersao(const char *text, char *out, int size);

/* text without its dots (at most 11 characters kept) read as a decimal number. */
VL_API int32_t VL_CDECL ConverteVersaoToLong(const char *text);

/* Writes exactly width characters into out: the last width decimal digits of text,
 * right-aligned and filled with '0' on the left. No NUL. */
VL_API void VL_CDECL GetVersionNumber(char *out, int width, const char *text);

/* Reads a version and a release written as two digit groups ("01.02") from the first
 * min(length, 9) characters of text; each group keeps at most 4 digits. When those
 * characters are all digits both groups are the same digits. Stores both (a null pointer
 * is skipped) and returns the release. */
VL_API int VL_CDECL GetVersaoReleaseFromString(const char *text, unsigned int length,
                                               int *version, int *release);

/* Writes the Redecard identification field "003021CL0401    :P" and the version field
 * into out, NUL-terminated: the first 9 characters of version without their dots, padded
 * with spaces to 9 when version has 9 characters or more, unpadded when shorter, 9 spaces
 * when version is null. out holds at least 28 bytes. Returns the length written (27 for a
 * version of 9 or more characters). */
VL_API int VL_CDECL MontaVersaoRedecard(const char *version, char *out);
/* The same with the head chosen by kind: '\\' gives "003021CL0401    ", 'g' gives
 * "@03021C" followed by custom (null counts as empty), any other kind "003021C". out holds
 * the head, ":P", 9 characters and the NUL. Returns the length written. */
VL_API int VL_CDECL MontaVersaoRedecardEx(const char *version, char *out, char kind,
                                          const char *custom);

/* ==== end of frame/version ==== */

VL_END_DECLS

#endif /* VERTALIB_FRAME_H */

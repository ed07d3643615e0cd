/* String editing: padding, justification, character classes, search, replace, extraction. */
#ifndef VERTALIB_STRINGS_H
#define VERTALIB_STRINGS_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== strings/pad ==== */

/* Padding. The source is src with srcLen characters; where a padder clamps, it takes
 * n = min(srcLen, length of src up to its NUL). */

/* Checked padders: write the n characters right-aligned (Esquerda: width - n fill
 * characters first) or left-aligned (Direita: fill after them) in width characters of out,
 * and a NUL at out[width] when terminate is not 0 (out then holds width + 1 bytes).
 * Return 1; 0, writing nothing, when out or src is null, width is below n, or fill is 0
 * while padding is needed. */
VL_API int VL_CDECL InsereCharEsquerdaEx(char *out, int width, int terminate, const char *src,
                                         int srcLen, char fill);
VL_API int VL_CDECL InsereCharDireitaEx(char *out, int width, int terminate, const char *src,
                                        int srcLen, char fill);
/* The checked padders with fill '0' or ' '. */
VL_API int VL_CDECL InsereZeroEsquerdaEx(char *out, int width, int terminate, const char *src,
                                         int srcLen);
VL_API int VL_CDECL InsereEspacosEsquerda(char *out, int width, int terminate, const char *src,
                                          int srcLen);
VL_API int VL_CDECL InsereZeroDireitaEx(char *out, int width, int terminate, const char *src,
                                        int srcLen);
VL_API int VL_CDECL InsereEspacosDireita(char *out, int width, int terminate, const char *src,
                                         int srcLen);

/* Fills width characters of out with fill, puts k = min(srcLen, width) characters of src
 * (counted, no NUL looked for; a longer source gives its first width characters) in the
 * last k positions and writes a NUL at out[width] (width + 1 bytes). Nothing happens when
 * out or src is null. */
VL_API void VL_CDECL InsereCharEsquerda(char *out, int width, const char *src, int srcLen,
                                        char fill);
VL_API void VL_CDECL InsereZeroEsquerda(char *out, int width, const char *src, int srcLen);
/* Copies min(n, width) characters to the start of out and fills the rest of width with
 * fill. Exactly width characters, no NUL. */
VL_API void VL_CDECL InsereCharDireita(char *out, int width, const char *src, int srcLen,
                                       char fill);
VL_API void VL_CDECL InsereZeroDireita(char *out, int width, const char *src, int srcLen);
/* Copies min(width, srcLen) characters (counted) and fills the rest of width with spaces.
 * Exactly width characters, no NUL. */
VL_API void VL_CDECL CopyCompletaBranco(char *out, int width, const char *src, int srcLen);

/* In-place editing of NUL-terminated text. */

/* Right-justifies text in width characters by prepending spaces (text holds width + 1
 * bytes); a text of width or more characters is left as it is. A width above 128 (the
 * work area) empties the text. */
VL_API void VL_CDECL JustRight(char *text, int width);
/* Prepends (width - length) / 2 spaces, nothing on the right; a text longer than width is
 * left as it is. A width above 128 (the work area) empties the text. */
VL_API void VL_CDECL Center(char *text, int width);
/* Cuts the trailing spaces (each becomes a NUL); an all-space text becomes empty. */
VL_API void VL_CDECL RetiraEspacosADireita(char *text);
/* Replaces each space among the first count characters (up to the NUL) by '0'. */
VL_API void VL_CDECL SubstituiBrancosPorZeros(char *text, int count);
/* Converts the first count bytes to upper case (a..z only), NULs among them or not. */
VL_API void VL_CDECL StrToUpp(char *text, int count);

/* Predicates over NUL-terminated text: 1 true, 0 false; an empty text is true, a null
 * pointer false (except for IsNumericEx with count 0, which reads nothing). */

/* Every character is a decimal digit. */
VL_API int VL_CDECL IsNumeric(const char *text);
/* The first count characters are decimal digits (a NUL among them is not): count 0 gives 1,
 * a negative count 0. */
VL_API int VL_CDECL IsNumericEx(const char *text, int count);
/* Every character is a letter A..Z or a..z. */
VL_API int VL_CDECL IsAlphabet(const char *text);
/* Every character is a letter or a digit. */
VL_API int VL_CDECL IsAlphaNumeric(const char *text);
/* Every character is a digit, '.' or ','. */
VL_API int VL_CDECL IsNumberDotComma(const char *text);
/* The text is empty or holds spaces only. */
VL_API int VL_CDECL IsBlank(const char *text);

/* ==== end of strings/pad ==== */

/* ==== strings/search ==== */

/* Search and replace. Texts are NUL-terminated; edited texts change in place. */

/* First occurrence of pattern lying wholly within the first limit characters of text (the
 * search also ends at text's NUL). Null when absent, or when text or pattern is null or
 * empty. */
VL_API char *VL_CDECL StrNStr(const char *text, const char *pattern, unsigned int limit);
/* Replaces every from in text by to. A NUL from, or from equal to to, changes nothing. */
VL_API void VL_CDECL StrReplaceChar(char *text, char from, char to);
/* As StrReplaceChar; returns the number of characters replaced. */
VL_API int VL_CDECL StrReplaceCharEx(char *text, char from, char to);
/* Replaces every apostrophe by a space. Returns 1 when at least one was replaced, else 0. */
VL_API int VL_CDECL TrocaApostrofoPorBranco(char *text);
/* Replaces every occurrence of find in the length characters of buffer by replacement.
 * capacity is the buffer's room: the new text is written into its first capacity bytes,
 * the bytes after the new text up to capacity are cleared (so it is NUL-terminated when
 * shorter than capacity) and nothing past capacity is touched. Returns 1 when done; 0,
 * buffer unchanged, when length is below 1 or above capacity, find or replacement is
 * empty, find does not occur, the new text would exceed capacity, or the heap refuses. */
VL_API int VL_CDECL StrReplaceStringBuffer(char *buffer, int length, int capacity,
                                           const char *find, const char *replacement);
/* Removes every occurrence of find from text, closing the gap and searching on from the
 * place of each removal. An empty find changes nothing. */
VL_API void VL_CDECL StrRemoveStringBuffer(char *text, const char *find);
/* Removes a labelled value: the first occurrence of label, the spaces after it, prefix
 * (when given, not empty and present) with the spaces after it, and the run of digits,
 * '.', ',' and '/' that follows. The rest of the text (at most capacity characters) moves
 * to where label began and is NUL-terminated (an empty label is found at the start).
 * Returns 1 when removed; 0, text unchanged, when label is null or absent, or capacity is
 * below its length. */
VL_API int VL_CDECL StrRemoveStringValorBuffer(char *text, int capacity, const char *label,
                                               const char *prefix);

/* Trimming and extraction. */

/* Copies the length characters of src (counted, no NUL looked for) into out (length + 1
 * bytes) and trims ch: mode 0 trims the right, 1 the left, 2 both, any other neither.
 * out is always NUL-terminated (empty when length is below 1 or all of the slice is
 * trimmed from the left). Returns the length of out. */
VL_API int VL_CDECL StrCrop(char *out, const char *src, int length, char ch, int mode);
/* Clears *size bytes of out, then copies the characters before the first separator among
 * the length characters of text, at most *size of them, and sets *size to their count
 * (no NUL beyond the cleared bytes). Returns 1; 0 with *size set to 0 when text is null,
 * length is below 2 or the separator is absent. */
VL_API int VL_CDECL ObtemSubstring(const char *text, int length, char separator, char *out,
                                   int *size);
/* As ObtemSubstring, with the characters after the last separator. */
VL_API int VL_CDECL ObtemUltimaSubstring(const char *text, int length, char separator,
                                         char *out, int *size);
/* The file name after the last backslash of the length characters of path, delivered as
 * ObtemUltimaSubstring does. Returns 0 with *size unchanged (out cleared) when the path
 * ends in a backslash; 0 with *size 0 when it holds none. */
VL_API int VL_CDECL ExtraiNomeArquivo(const char *path, int length, char *out, int *size);
/* Copies the decimal digits among the first length characters of src (stopping at its
 * NUL), at most room of them, and ends out with a NUL (out holds room + 1 bytes). A negative
 * room writes nothing. */
VL_API void VL_CDECL StrCpyNumbers(char *out, int room, const char *src, int length);
/* The number of characters after the last separator within the length characters of text;
 * length when there is none; 0 for a null or empty text or a length below 1. */
VL_API int VL_CDECL GetLastLineLen(const char *text, int length, char separator);
/* A new NUL-terminated copy of text with every apostrophe doubled, from the library's
 * heap; release it with CleaningFree. Null when text is null or the heap refuses. */
VL_API char *VL_CDECL DuplicarAspas(const char *text);

/* Wrapping. */

/* Wraps the first length characters of buffer (stopping at its NUL) into lines of
 * lineWidth characters, each break marked by '@' (a space at the break becomes the '@';
 * a word that does not fit moves to the next line after its last space; a line without a
 * space is cut). The wrapped text, cut at capacity - 1 characters, replaces the buffer's
 * first capacity bytes, NUL-filled after it; nothing past capacity is touched. Returns 1;
 * 0, buffer unchanged, when buffer is null, capacity, length or lineWidth is 0, length is
 * not below capacity, lineWidth is not below length, or the heap refuses. */
VL_API int VL_CDECL FormatText(char *buffer, int capacity, unsigned int length,
                               unsigned short lineWidth);

/* ==== end of strings/search ==== */

VL_END_DECLS

#endif /* VERTALIB_STRINGS_H */

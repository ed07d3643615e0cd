/* Export boundary of VertaLib: the export macro and the calling-convention macros.
 *
 * Every exported function is declared as
 *     VL_API <result> VL_CDECL Name(<arguments>);
 * or, for the few stdcall exports,
 *     VL_API <result> VL_STDCALL Name(<arguments>);
 *
 * On 32-bit x86 the macros select the calling convention; on x86-64 there is one
 * convention, so they expand to nothing (GCC would otherwise warn that the attribute
 * is ignored). On ELF symbols are hidden by default and only VL_API names are exported;
 * on Windows the generated module-definition file lists the exports.
 *
 * Null pointers, one rule for every export: a null pointer given for a text, a buffer or a
 * record is refused like any other input outside the contract. The export then writes
 * nothing and returns its family's refusal result (0, -1, a null pointer, 1 for the validity
 * tests that answer 1 for "invalid"), unless its declaration says what a null pointer means
 * there (for example "null means empty").
 */
#ifndef VERTALIB_EXPORT_H
#define VERTALIB_EXPORT_H

#include <stdint.h>
#include <stddef.h>

#if defined(_WIN32)
   /* The DLL's module-definition file names its exports (stdcall ones under the names the
    * callers know), so the library's own objects mark nothing for export. */
#  if defined(VL_BUILDING_LIBRARY) || defined(VL_STATIC)
#    define VL_API
#  else
#    define VL_API __declspec(dllimport)
#  endif
#  define VL_CDECL __cdecl
#  define VL_STDCALL __stdcall
#else
#  define VL_API __attribute__((visibility("default")))
#  if defined(__i386__)
#    define VL_CDECL __attribute__((cdecl))
#    define VL_STDCALL __attribute__((stdcall))
#  else
#    define VL_CDECL
#    define VL_STDCALL
#  endif
#endif

#ifdef __cplusplus
#  define VL_BEGIN_DECLS extern "C" {
#  define VL_END_DECLS }
#else
#  define VL_BEGIN_DECLS
#  define VL_END_DECLS
#endif

#endif /* VERTALIB_EXPORT_H */

/* Interface layer: loading of the interface-layer library, reader and counter calls. */
#ifndef VERTALIB_IFACE_H
#define VERTALIB_IFACE_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== iface/layer ==== */

/* The interface layer is a separate library, libpmvertainterface.so (pmvertainterface.dll
 * on Windows), found by that plain name along the system's library search, through which
 * the system publishes counters. Call InicializaCamada and FinalizaCamada from one thread,
 * before and after the reader and counter calls; nothing here takes a lock. */

/* Loads the layer, once, when the configuration allows it, then starts it. The program's
 * own path chooses the configuration: a path naming VERTASRV (in any case, directories
 * included) reads key HabilitaContadores of section [VERTASRV] of the file VERTA.INI beside
 * the program, else a path naming VERTAGW reads section [VERTAGW]; a missing file or key
 * counts as "S". The counters run when the value begins with 'S' (upper case only); a path
 * naming neither enables them without reading any file. The layer counts as loaded only
 * when it has all nine functions (ColetaContadorINTEIRO, ..ABSOLUTO, ..MEDIA,
 * ..PORCENTAGEM, ..TAXA, InicializaCamada, FinalizaCamada, InicializaLeitor,
 * FinalizaLeitor); one lacking any is released again. A program path too long for 256
 * bytes with its NUL (on POSIX: of 255 characters or more) is not read: nothing is loaded.
 * Returns the result of the layer's InicializaCamada (called without arguments) while the
 * layer is loaded, else 0. A later call reads the configuration again but only starts the
 * layer again; a configuration that now disables the counters keeps a loaded layer. */
VL_API int VL_CDECL InicializaCamada(void);

/* Stops and unloads the layer: returns the result of the layer's FinalizaCamada (called
 * without arguments), after which the layer is released; 0 when it was not loaded. */
VL_API int VL_CDECL FinalizaCamada(void);

/* The reader and counter calls hand the caller's call on, unchanged, to the layer's function
 * of the same name (a jump: the arguments, integer, pointer and floating-point alike, and
 * the caller's frame stay as they are, and the layer's result, whatever its type, comes
 * back as it is). While the layer is not loaded they return 0 (0 in the integer result
 * registers, and 0.0 in the floating-point one on x86-64) and do nothing.
 * Their argument lists are the layer's own. Declared here without a prototype, a call passes
 * its arguments with the default promotions: int, long long, double and pointers reach the
 * layer as they are, float, char and short would be promoted, and an int result is read. A
 * caller whose layer functions take float, char or short, or return another type, defines
 * VL_LAYER_OWN_PROTOTYPES before including this header and declares these seven itself
 * with the layer's own argument lists, e.g.
 *     VL_API double VL_CDECL ColetaContadorPORCENTAGEM(float part, float whole);  */
#ifndef VL_LAYER_OWN_PROTOTYPES
#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ > 201710L)
#define VL_LAYER_ARGUMENTS ...
#else
#define VL_LAYER_ARGUMENTS
#endif
VL_API int VL_CDECL InicializaLeitor(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL FinalizaLeitor(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL ColetaContadorTAXA(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL ColetaContadorINTEIRO(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL ColetaContadorMEDIA(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL ColetaContadorPORCENTAGEM(VL_LAYER_ARGUMENTS);
VL_API int VL_CDECL ColetaContadorABSOLUTO(VL_LAYER_ARGUMENTS);
#undef VL_LAYER_ARGUMENTS
#endif

/* ==== end of iface/layer ==== */

VL_END_DECLS

#endif /* VERTALIB_IFACE_H */

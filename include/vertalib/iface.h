/* Interface layer: loading of the interface-layer library, reader and counter calls. */
#ifndef VERTALIB_IFACE_H
#define VERTALIB_IFACE_H

#include "vertalib/export.h"

VL_BEGIN_DECLS

/* ==== iface/layer ==== */

/* ==== end of iface/layer ==== */

VL_END_DECLS

#endif /* VERTALIB_IFACE_H */

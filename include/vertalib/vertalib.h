/* VertaLib: the whole public interface. Plain C; compiles as C99 and as C++. */
#ifndef VERTALIB_VERTALIB_H
#define VERTALIB_VERTALIB_H

#include "vertalib/export.h"
#include "vertalib/frame.h"
#include "vertalib/convert.h"
#include "vertalib/strings.h"
#include "vertalib/amounts.h"
#include "vertalib/dates.h"
#include "vertalib/checkdigits.h"
#include "vertalib/card.h"
#include "vertalib/fields.h"
#include "vertalib/tlv.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib/acquirers.h"
#include "vertalib/iface.h"
#include "vertalib/sequence.h"

#endif /* VERTALIB_VERTALIB_H */

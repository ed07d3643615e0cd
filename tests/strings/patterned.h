// Kept for the tests that still include it: the sentinel buffers live in support/sentinel.h.
#pragma once

#include "support/sentinel.h"

// Kept for the code that still includes it: vl::strtol32 lives with the frame's text helpers.
#pragma once

#include "frame/text.h"

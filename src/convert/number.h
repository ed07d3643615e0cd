// Reading decimal integers as the digit-field conversions do, for families that read text
// that is already NUL-terminated: vl::strtol32 lives with the frame's text helpers.
#pragma once

#include "frame/text.h"

// Reading decimal integers as the digit-field conversions do, for families that read text
// that is already NUL-terminated.
#pragma once

#include <cstdint>

namespace vl {

// strtol in base 10 (blanks, a sign, digits up to the first other character), clamped to
// the signed 32-bit range.
int32_t strtol32(const char *text);

}  // namespace vl

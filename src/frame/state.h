// Process-wide settings read by other families.
#pragma once

namespace vl {

// The library mode set by SetLibMode: 0 or 1.
int library_mode();

}  // namespace vl

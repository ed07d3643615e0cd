// Card-number shapes shared by the masking and the track modules.
#pragma once

namespace vl {

// A card number typed in the 4-6-5 grouping of Amex cards: more than 11 characters,
// digits at 0..3, a space at 4, digits at 5 and 6, a space at 11 (7..10 are not looked at).
bool is_spaced_amex(const char *text);

}  // namespace vl

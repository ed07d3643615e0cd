// Internal controls of the block ciphers.
#pragma once

namespace vl {

// Selects how AES blocks are computed: with the processor's AES instructions when wanted
// and the processor has them, with the lookup tables otherwise. Returns true when the
// instructions are now in use. Both give the same bytes; the choice is made automatically
// on first use, so only tests and benchmarks call this.
bool aes_use_instructions(bool wanted);

}  // namespace vl

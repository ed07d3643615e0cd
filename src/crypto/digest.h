// Internal controls of the digest family.
#pragma once

namespace vl {

// Selects how CRC-32 is computed: by carry-less multiplication when wanted and the processor
// has it, with the lookup tables otherwise. Returns true when the instructions are now in
// use. Both give the same value; the choice is made automatically on first use, so only
// tests and benchmarks call this.
bool crc32_use_instructions(bool wanted);

}  // namespace vl

// The runtime pseudo-random generator: a process-wide linear congruential generator giving
// 0..32767, seeded from the time or from the system's random source by its users (the
// random filler, secure file removal and the RSA key contexts). It is the library's own, so
// a caller's use of the C library's rand() neither disturbs it nor is disturbed by it.
// Unlocked, like every process-wide value of the library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vl {

inline uint32_t runtime_random_state = 1;

inline void runtime_srand(uint32_t seed) { runtime_random_state = seed; }

// The next value, 0..32767.
inline int runtime_rand() {
  runtime_random_state = runtime_random_state * 214013u + 2531011u;
  return static_cast<int>((runtime_random_state >> 16) & 0x7FFFu);
}

// Clears length bytes, seeds the generator with the time in seconds, then fills each whole
// ten-byte chunk with a drawn number as "%010ld" (no NUL) and each remaining byte with the
// low byte of a draw.
void fill_random_text(unsigned char *block, size_t length);

}  // namespace vl

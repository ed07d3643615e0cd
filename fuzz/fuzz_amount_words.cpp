// The amount in words for any double the fuzzer makes (NaN, infinities, negatives and
// huge values included) and any line width: the text stays inside its documented room and
// the cut lines are exactly lineWidth characters each.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "vertalib/amounts.h"

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 9) return 0;
  double centavos = 0;
  std::memcpy(&centavos, data, sizeof centavos);
  // Half the runs take a whole amount in range, where the words must appear.
  if ((data[8] & 1) != 0 && std::isfinite(centavos))
    centavos = std::floor(std::fmod(std::fabs(centavos), 1e14));
  const int width = (data[8] >> 1) % 64 - 8;  // -8 .. 55

  constexpr size_t kRoom = 520;
  char out[kRoom + 16];
  std::memset(out, '#', sizeof out);
  const int lines = Extenso(centavos, out, width);
  const bool in_range = centavos >= 0 && centavos < 1e14;
  if (!in_range) {
    check(lines == 0 && out[0] == '\0' && out[1] == '#');
    return 0;
  }
  if (width <= 0) {
    check(lines == 0);
    check(std::strlen(out) <= 191);
    check(centavos < 1 || std::strlen(out) > 0);
    return 0;
  }
  // The words are written first, then the lines over them: lines * width bytes and a NUL (a
  // last line that the words fill to a multiple of the width is not padded, so its tail may
  // hold NULs). Nothing lies past the longer of the two.
  char words[kRoom];
  Extenso(centavos, words, 0);
  const size_t text = std::strlen(out);
  const size_t written = lines > 0 ? static_cast<size_t>(lines) * static_cast<size_t>(width) : text;
  check(text <= written && written < kRoom && out[written] == '\0');
  const size_t used = std::max(written, std::strlen(words)) + 1;
  for (size_t i = used; i < sizeof out; ++i) check(out[i] == '#');
  return 0;
}

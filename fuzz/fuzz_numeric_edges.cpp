// Numbers from the fuzzer's bytes (counts and widths of any sign, doubles including NaN and
// the infinities, any 64-bit time) into the exports that take them: each writes only inside
// the room its declaration gives for that number, or refuses.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vertalib/checkdigits.h"
#include "vertalib/convert.h"
#include "vertalib/dates.h"
#include "vertalib/frame.h"
#include "vertalib/strings.h"

namespace {

struct Reader {
  const uint8_t *data;
  size_t size;
  template <typename T>
  T next() {
    T value{};
    const size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
  }
};

void check(bool ok) {
  if (!ok) __builtin_trap();
}

// A buffer of '#' bytes with a guard zone: only the first room bytes may change.
struct Guarded {
  static constexpr size_t kSize = 96;
  char bytes[kSize];
  Guarded() { std::memset(bytes, '#', kSize); }
  void untouched_from(size_t room) const {
    for (size_t i = room; i < kSize; ++i) check(bytes[i] == '#');
  }
};

size_t clamp_room(int count, int limit) { return count <= 0 ? 0 : static_cast<size_t>(count < limit ? count : limit); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Reader in{data, size};
  const int count = in.next<int>();
  const int small = in.next<int8_t>();
  const double value = in.next<double>();
  const int64_t time = in.next<int64_t>();
  const std::vector<char> text(in.data, in.data + in.size);  // exactly sized, not terminated

  { Guarded out; long2ASC(out.bytes, static_cast<int32_t>(value == value ? 7 : 8), count); out.untouched_from(clamp_room(count, 8)); }
  { Guarded out; int2ASC(out.bytes, small, count); out.untouched_from(clamp_room(count, 5)); }
  { Guarded out; ltoascii(out.bytes, count, small); out.untouched_from(clamp_room(small, 12)); }
  { Guarded out; memcpyz(out.bytes, "0123456789", small < 10 ? small : 10); out.untouched_from(small < 0 ? 0 : (small < 10 ? small : 10) + 1); }
  { Guarded out; memsetz(out.bytes, 'x', small < 40 ? small : 40); out.untouched_from(small < 0 ? 0 : (small < 40 ? small : 40) + 1); }
  {
    Guarded out;
    StrCpyNumbers(out.bytes, small < 40 ? small : 40, text.data(), static_cast<int>(text.size()));
    out.untouched_from(small < 0 ? 0 : (small < 40 ? small : 40) + 1);
  }
  {
    // Widths beyond the buffer are the caller's to size; INT_MIN and small widths are ours.
    const int width = count == INT32_MIN ? count : count % 40;
    Guarded out;
    const int length = DoubleToStr(out.bytes, width, std::isfinite(value) && std::fabs(value) < 1e30 ? value : 0.0);
    check(length >= 0 && length < static_cast<int>(Guarded::kSize));
    out.untouched_from(static_cast<size_t>(length) + 1);
  }
  {
    const char *date = ReftoGreg(value);
    check(std::strlen(date) <= 8);
  }
  {
    Guarded out;
    Time2dthr(out.bytes, &time);
    out.untouched_from(14);
  }
  {
    const int length = count % 256 < 0 ? count : count % (static_cast<int>(text.size()) + 1);
    const int digit10 = MakeDv10(text.data(), length, small);
    const int digit11 = MakeDv11(text.data(), length, small, small, count);
    check(digit10 >= '0' && digit10 <= '9');
    check(digit11 >= '0' && digit11 <= '9');
  }
  return 0;
}

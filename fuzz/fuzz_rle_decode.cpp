// Run-length decoding of arbitrary bytes into an output of exactly the room it is given: the
// input and output live in blocks of their exact sizes, so any read past count or write past
// size is caught; every result is checked against a straightforward decoder, and encoding
// the input and decoding it again gives the input back.
#include <cstdint>
#include <cstring>
#include <vector>

#include "vertalib/convert.h"

namespace {

// Whether the input decodes within size; out holds the runs decoded up to the end or up to
// the refusal (a trailing count byte, or a run that exceeds size).
bool reference_decode(const std::vector<unsigned char> &in, size_t size, std::vector<unsigned char> &out) {
  out.clear();
  for (size_t i = 0; i < in.size(); ++i) {
    size_t n = 1;
    if ((in[i] & 0xC0) == 0x80) {
      if (i + 1 == in.size()) return false;
      n = (in[i] & 0x3Fu) + 1;
      ++i;
    }
    if (out.size() + n > size) return false;
    out.insert(out.end(), n, in[i]);
  }
  return !in.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t length) {
  if (length < 2) return 0;
  const size_t size = (static_cast<size_t>(data[0]) << 8 | data[1]) % 4096;
  const std::vector<unsigned char> in(data + 2, data + length);

  std::vector<unsigned char> expected;
  const bool fits = reference_decode(in, size, expected);
  std::vector<unsigned char> out(size);
  const unsigned written = RleDecode(out.data(), in.data(), static_cast<unsigned>(in.size()),
                                     static_cast<unsigned>(size));
  if (written != (fits ? expected.size() : 0)) __builtin_trap();
  // Refused or not, the runs that fitted are in out.
  if (!expected.empty() && std::memcmp(out.data(), expected.data(), expected.size()) != 0) __builtin_trap();

  if (in.empty()) return 0;
  std::vector<unsigned char> encoded(2 * in.size());
  const unsigned encoded_size = RleEncode(encoded.data(), in.data(), static_cast<unsigned>(in.size()));
  if (encoded_size > encoded.size()) __builtin_trap();
  std::vector<unsigned char> back(in.size());
  if (RleDecode(back.data(), encoded.data(), encoded_size, static_cast<unsigned>(back.size())) != in.size())
    __builtin_trap();
  if (back != in) __builtin_trap();
  return 0;
}

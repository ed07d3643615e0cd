// Bitmap editing with fuzzer-chosen bit numbers: every bit number, in or out of range, either
// edits exactly its own bit or nothing, and never a byte outside the bitmap or the record.
#include <cstdint>
#include <cstring>

#include "vertalib/fields.h"

namespace {

int next_int(const uint8_t *&data, size_t &size) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && size > 0; ++i, ++data, --size) value = value << 8 | *data;
  return static_cast<int>(value);
}

void check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  unsigned char bitmap[16] = {};
  unsigned char record[64];
  std::memset(record, 0xA5, sizeof record);
  unsigned char before[64];
  std::memcpy(before, record, sizeof record);
  while (size >= 5) {
    const uint8_t action = *data++;
    --size;
    int bit = next_int(data, size);
    if (action & 0x80) bit = bit % 160;  // mostly numbers near the range, both signs
    const bool in_map = bit >= 1 && bit <= 128;
    switch (action % 4) {
      case 0:
        if (in_map) {
          SetBIT(bit, bitmap);
          check(isON(bitmap, bit) != 0);
        } else {
          check(bit >= 1 || isON(bitmap, bit) == 0);
          if (bit < 1) SetBIT(bit, bitmap);
        }
        break;
      case 1:
        if (in_map || bit < 1) ResetBIT(bit, bitmap);
        if (in_map) check(isON(bitmap, bit) == 0);
        break;
      case 2:
        SetBITISO(bit, record);
        break;
      default:
        ResetBits(record, bit, next_int(data, size), 0);
        break;
    }
    // Bytes 0..28 and 45.. of the record are never touched.
    check(std::memcmp(record, before, 29) == 0);
    check(std::memcmp(record + 45, before + 45, sizeof record - 45) == 0);
  }
  return 0;
}

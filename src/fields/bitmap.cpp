// ISO 8583 bitmaps: single bits of a bare bitmap or of the bitmap inside a message record.
#include <cstdarg>
#include <cstdint>

#include "vertalib/fields.h"

namespace {

constexpr unsigned char kSetMask[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
constexpr unsigned char kClearMask[8] = {0x7F, 0xBF, 0xDF, 0xEF, 0xF7, 0xFB, 0xFD, 0xFE};

// The record's bitmap: bytes 29 to 44 (bit 1 in byte 29, bit 65 in byte 37).
constexpr int kRecordBitmapOffset = 29;
constexpr int kRecordBits = 128;

constexpr int byte_of(int bit) { return (bit - 1) / 8; }
constexpr int mask_of(int bit) { return (bit - 1) % 8; }

void set_bit(int bit, unsigned char *bitmap) { bitmap[byte_of(bit)] |= kSetMask[mask_of(bit)]; }
void clear_bit(int bit, unsigned char *bitmap) { bitmap[byte_of(bit)] &= kClearMask[mask_of(bit)]; }

unsigned char *record_bitmap(void *record) {
  return static_cast<unsigned char *>(record) + kRecordBitmapOffset;
}

bool record_bit_in_range(int bit, const void *record) {
  return record != nullptr && bit >= 1 && bit <= kRecordBits;
}

}  // namespace

extern "C" {

// Bit numbers start at 1: a lower one would index before the bitmap and the mask tables.
VL_API void VL_CDECL SetBIT(int bit, unsigned char *bitmap) {
  if (bit >= 1 && bitmap != nullptr) set_bit(bit, bitmap);
}

VL_API void VL_CDECL ResetBIT(int bit, unsigned char *bitmap) {
  if (bit >= 1 && bitmap != nullptr) clear_bit(bit, bitmap);
}

VL_API int VL_CDECL isON(const unsigned char *bitmap, int bit) {
  if (bit < 1 || bitmap == nullptr) return 0;
  // Both operands are signed bytes, so the first bit of a byte answers -128.
  const auto byte = static_cast<int8_t>(bitmap[byte_of(bit)]);
  const auto mask = static_cast<int8_t>(kSetMask[mask_of(bit)]);
  return byte & mask;
}

VL_API void VL_CDECL SetBITISO(int bit, void *record) {
  if (record_bit_in_range(bit, record)) set_bit(bit, record_bitmap(record));
}

VL_API void VL_CDECL ResetBITISO(int bit, void *record) {
  if (record_bit_in_range(bit, record)) clear_bit(bit, record_bitmap(record));
}

VL_API int VL_CDECL ResetBits(void *record, ...) {
  va_list bits;
  va_start(bits, record);
  for (int bit = va_arg(bits, int); bit != 0; bit = va_arg(bits, int))
    if (record_bit_in_range(bit, record)) clear_bit(bit, record_bitmap(record));
  va_end(bits);
  return 0;
}

}  // extern "C"

// The BER-TLV parsers read only the characters they are given (the text sits in a heap block
// of exactly that size) and hand back items that tile the text: every object's header and
// value inside it, in order, separated only by 00 padding; tag and data-object lists end
// exactly at the text's end. Every list is released.
#include <cstdint>
#include <cstring>
#include <memory>

#include "convert/hex.h"
#include "vertalib/tlv.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

// The tag read back from the characters an item points at.
uint32_t tag_at(const char *start, int32_t header_length, bool two_bytes) {
  const uint32_t first = vl::asc2bin_byte(start[0], start[1]);
  if (!two_bytes) return first;
  check(header_length >= 4);
  return first * 256 + vl::asc2bin_byte(start[2], start[3]);
}

void check_objects(const char *text, size_t size) {
  TLVItem *list = AscTLV2Array(text, static_cast<int>(size));
  const char *end = text + size;
  const char *expected = text;
  size_t count = 0;
  for (const TLVItem *item = list; item != nullptr; item = item->next, ++count) {
    while (expected < item->tag_start) {  // only 00 padding between objects
      check(vl::asc2bin_byte(expected[0], expected[1]) == 0);
      expected += 2;
    }
    check(item->tag_start == expected);
    check(item->header_length >= 4 && item->header_length <= 12);
    check(item->value == item->tag_start + item->header_length);
    check(item->value + item->value_length <= end && item->value_length % 2 == 0);
    check(tag_at(item->tag_start, item->header_length, item->tag > 0xFF) == item->tag);
    expected = item->value + item->value_length;
  }
  if (list != nullptr) {
    for (; expected < end; expected += 2) check(vl::asc2bin_byte(expected[0], expected[1]) == 0);
    check(expected == end);
  }
  check(count <= 1024);
  CleanTLVList(list);
}

void check_entries(const char *text, size_t size, bool with_lengths) {
  TLVItem *list = with_lengths ? AscTagLen2Array(text, static_cast<unsigned>(size))
                               : AscTag2Array(text, static_cast<int>(size));
  const char *expected = text;
  for (const TLVItem *item = list; item != nullptr; item = item->next) {
    check(item->tag_start == expected && item->value == nullptr);
    check(with_lengths || (item->value_length == 0 && item->header_length <= 4));
    check(tag_at(item->tag_start, item->header_length, item->tag > 0xFF) == item->tag);
    expected += item->header_length;
  }
  check(list == nullptr || expected == text + size);
  CleanTLVList(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0 || size > 8192) return 0;
  std::unique_ptr<char[]> text(new char[size]);
  std::memcpy(text.get(), data, size);
  check_objects(text.get(), size);
  check_entries(text.get(), size, true);
  check_entries(text.get(), size, false);
  return 0;
}

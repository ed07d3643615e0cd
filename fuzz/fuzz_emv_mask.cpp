// Masking edits only the value characters of listed objects, inside the length given (the
// text sits in a heap block of exactly that size). On a text that parses with no padding,
// the result is the parsed objects with exactly the listed values masked.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "vertalib/tlv.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

bool listed(const int *tags, uint32_t tag) {
  for (; *tags != 0; ++tags)
    if (static_cast<uint32_t>(*tags) == tag) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 4 || size > 8192) return 0;
  const char mask = '*';
  // Up to three listed tags from the first four bytes, the list ended by 0.
  const int tags[] = {data[0], data[1] * 256 + data[2], data[3] == 0 ? 0x5A : data[3], 0};
  const size_t length = size - 4;
  std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), data + 4, length);
  const std::string before(text.get(), length);

  MascEMVTLVBuffer(text.get(), static_cast<int>(length), mask, tags);
  for (size_t i = 0; i < length; ++i) check(text[i] == before[i] || text[i] == mask);

  // Rebuild the expected text from a parse of the original, when it has no padding.
  std::string expected = before;
  TLVItem *list = AscTLV2Array(before.data(), static_cast<int>(length));
  bool tiled = list != nullptr;
  const char *next = before.data();
  for (const TLVItem *item = list; item != nullptr; item = item->next) {
    tiled = tiled && item->tag_start == next;
    next = item->value + item->value_length;
    if (listed(tags, item->tag))
      expected.replace(static_cast<size_t>(item->value - before.data()), item->value_length,
                       item->value_length, mask);
  }
  CleanTLVList(list);
  if (tiled) check(std::string(text.get(), length) == expected);

  BufMascaraDadosSensiveisEMV(text.get(), static_cast<int>(length), mask);
  return 0;
}

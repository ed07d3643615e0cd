// BER-TLV over hexadecimal text (data element 55), EMV bit tests, cryptogram and response
// code readers, masking of sensitive EMV objects, and two acquirers' text TLV layouts.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "convert/hex.h"
#include "frame/heap.h"
#include "frame/text.h"
#include "vertalib/convert.h"
#include "vertalib/strings.h"
#include "vertalib/tlv.h"

namespace {

constexpr size_t kMaxItems = 1024;
constexpr size_t kMaxValueCharacters = UINT16_MAX;  // what TLVItem.value_length holds
constexpr size_t kMaxLengthBytes = 3;

constexpr int kSensitiveTags[] = {0x5A, 0x57, 0x9F1F, 0x9F20, 0x5F24, 0x5F30, 0};

// Reads bytes of hexadecimal text; no read goes past the length it was given.
class HexCursor {
 public:
  HexCursor(const char *text, size_t length) : text_(text), length_(length) {}

  bool at_end() const { return position_ >= length_; }
  size_t remaining() const { return length_ - position_; }
  size_t position() const { return position_; }
  const char *here() const { return text_ + position_; }
  void skip(size_t characters) { position_ += characters; }

  // False when fewer than two characters are left.
  bool read_byte(unsigned &byte) {
    if (remaining() < 2) return false;
    byte = vl::asc2bin_byte(text_[position_], text_[position_ + 1]);
    position_ += 2;
    return true;
  }

 private:
  const char *text_;
  size_t length_;
  size_t position_ = 0;
};

struct Tag {
  uint32_t value = 0;
  int bytes = 0;
};

struct Length {
  uint32_t value = 0;  // in bytes
  int bytes = 0;       // the first length byte included
};

// One byte, or two when the first byte's low five bits are all ones. A second byte with
// its top bit set would announce a third, which is not read: the tag stays two bytes.
bool read_tag(HexCursor &cursor, Tag &tag) {
  unsigned first = 0;
  if (!cursor.read_byte(first)) return false;
  tag = {first, 1};
  if ((first & 0x1F) != 0x1F) return true;
  unsigned second = 0;
  if (!cursor.read_byte(second)) return false;
  tag = {first * 256 + second, 2};
  return true;
}

// Short form below 0x80; otherwise the low seven bits count the big-endian length bytes
// that follow (0x80 counts none and reads as 0). More than three of them is refused.
bool read_length(HexCursor &cursor, Length &length) {
  unsigned first = 0;
  if (!cursor.read_byte(first)) return false;
  length = {first, 1};
  if (first < 0x80) return true;
  const unsigned count = first & 0x7F;
  if (count > kMaxLengthBytes) return false;
  length.value = 0;
  for (unsigned i = 0; i < count; ++i) {
    unsigned byte = 0;
    if (!cursor.read_byte(byte)) return false;
    length.value = length.value * 256 + byte;
  }
  length.bytes = static_cast<int>(1 + count);
  return true;
}

size_t value_characters(const Length &length) { return 2 * static_cast<size_t>(length.value); }

int32_t header_characters(const Tag &tag, const Length &length) {
  return 2 * (tag.bytes + length.bytes);
}

// Items in text order, linked as they are added; at most kMaxItems.
class ItemList {
 public:
  ItemList() = default;
  ItemList(const ItemList &) = delete;
  ItemList &operator=(const ItemList &) = delete;
  ~ItemList() { CleanTLVList(first_); }

  bool add(uint32_t tag, size_t value_length, const char *tag_start, int32_t header_length,
           const char *value) {
    if (count_ == kMaxItems || value_length > kMaxValueCharacters) return false;
    auto *item = static_cast<TLVItem *>(vl::heap_alloc(sizeof(TLVItem)));
    if (item == nullptr) return false;
    item->tag = tag;
    item->value_length = static_cast<uint16_t>(value_length);
    item->tag_start = tag_start;
    item->header_length = header_length;
    item->value = value;
    item->next = nullptr;
    (last_ == nullptr ? first_ : last_->next) = item;
    last_ = item;
    ++count_;
    return true;
  }

  // Hands the list to the caller; the destructor then releases nothing.
  TLVItem *release() {
    TLVItem *first = first_;
    first_ = last_ = nullptr;
    count_ = 0;
    return first;
  }

 private:
  TLVItem *first_ = nullptr;
  TLVItem *last_ = nullptr;
  size_t count_ = 0;
};

// A parse that fails keeps nothing: the unreleased list goes with its owner.
TLVItem *parse_objects(const char *text, size_t length) {
  HexCursor cursor(text, length);
  ItemList items;
  while (!cursor.at_end()) {
    const char *start = cursor.here();
    Tag tag;
    if (!read_tag(cursor, tag)) return nullptr;
    if (tag.value == 0) continue;  // 00 between objects is padding
    Length object_length;
    if (!read_length(cursor, object_length)) return nullptr;
    const size_t characters = value_characters(object_length);
    if (characters > cursor.remaining()) return nullptr;
    if (!items.add(tag.value, characters, start, header_characters(tag, object_length),
                   cursor.here()))
      return nullptr;
    cursor.skip(characters);
  }
  return items.release();
}

// Tag lists and data-object lists: entries with no values, read until the length is used
// up exactly; an entry cut by the end of the text refuses the whole list.
TLVItem *parse_entries(const char *text, size_t length, bool with_lengths) {
  HexCursor cursor(text, length);
  ItemList items;
  while (!cursor.at_end()) {
    const char *start = cursor.here();
    Tag tag;
    if (!read_tag(cursor, tag)) return nullptr;
    Length entry_length;
    if (with_lengths && !read_length(cursor, entry_length)) return nullptr;
    if (!items.add(tag.value, value_characters(entry_length), start,
                   header_characters(tag, entry_length), nullptr))
      return nullptr;
  }
  return items.release();
}

bool listed(const int *tags, uint32_t tag) {
  for (const int *t = tags; *t != 0; ++t)
    if (static_cast<uint32_t>(*t) == tag) return true;
  return false;
}

int bit_test(int code, const char *text) {
  const unsigned mask = static_cast<unsigned>(code) & 0xFF;
  if (mask == 0) return 1;
  if (text == nullptr) return 0;
  const unsigned index = (static_cast<unsigned>(code) >> 8) & 15;
  const unsigned byte = GetHexByteFromAscByte(text + 2 * index);
  return (byte & mask) == mask ? 1 : 0;
}

// The first occurrence of marker in text with at least need characters from it on.
const char *find_with_room(const char *text, const char *marker, size_t need) {
  const char *hit = std::strstr(text, marker);
  if (hit == nullptr || vl::bounded_length(hit, need) < need) return nullptr;
  return hit;
}

// The first occurrence of the NUL-terminated needle in the length characters of text.
const char *find_counted(const char *text, size_t length, const char *needle) {
  const size_t size = std::strlen(needle);
  for (size_t i = 0; i + size <= length; ++i)
    if (std::memcmp(text + i, needle, size) == 0) return text + i;
  return nullptr;
}

}  // namespace

extern "C" {

VL_API TLVItem *VL_CDECL AscTLV2Array(const char *text, int length) {
  if (text == nullptr || length < 1) return nullptr;
  return parse_objects(text, static_cast<size_t>(length));
}

VL_API TLVItem *VL_CDECL AscTag2Array(const char *text, int length) {
  if (text == nullptr || length < 1) return nullptr;
  return parse_entries(text, static_cast<size_t>(length), false);
}

VL_API TLVItem *VL_CDECL AscTagLen2Array(const char *text, unsigned int length) {
  if (text == nullptr || length == 0) return nullptr;
  return parse_entries(text, length, true);
}

VL_API TLVItem *VL_CDECL GetTLVItem(TLVItem *first, unsigned int tag) {
  for (TLVItem *item = first; item != nullptr; item = item->next)
    if (item->tag == tag) return item;
  return nullptr;
}

VL_API void VL_CDECL CleanTLVList(TLVItem *first) {
  while (first != nullptr) {
    TLVItem *next = first->next;
    vl::heap_free_wiped(first, sizeof(TLVItem));
    first = next;
  }
}

VL_API int VL_CDECL ThisTVROccurs(int code, const char *text) { return bit_test(code, text); }

VL_API int VL_CDECL ThisAUCOccurs(int code, const char *text) { return bit_test(code, text); }

VL_API int VL_CDECL ThisCVMOccurs(int code, const char *text) { return bit_test(code, text); }

VL_API int VL_CDECL GetARQCFromDadosBIT55(char *out, const char *bit55) {
  if (out == nullptr) return 0;
  out[0] = '\0';
  if (bit55 == nullptr) return 0;
  const char *hit = find_with_room(bit55, "9F2608", 6 + 16);
  if (hit == nullptr) return 0;
  std::memcpy(out, hit + 6, 16);
  out[16] = '\0';
  return 1;
}

VL_API int VL_CDECL GetRCFromDadosBIT55(char *out, const char *bit55) {
  if (out == nullptr) return 0;
  out[0] = '\0';
  if (bit55 == nullptr) return 0;
  const char *hit = find_with_room(bit55, "8A02", 4 + 4);
  if (hit == nullptr) return 0;
  ASC2BinEx(reinterpret_cast<unsigned char *>(out), 2, hit + 4, 4);
  return 1;
}

VL_API void VL_CDECL MascEMVTLVBuffer(char *text, int length, char mask, const int *tags) {
  if (text == nullptr || tags == nullptr || tags[0] == 0 || length < 1) return;
  HexCursor cursor(text, static_cast<size_t>(length));
  while (!cursor.at_end()) {
    Tag tag;
    Length object_length;
    if (!read_tag(cursor, tag) || !read_length(cursor, object_length)) return;
    const size_t characters = value_characters(object_length);
    if (characters > cursor.remaining()) return;
    if (listed(tags, tag.value)) std::memset(text + cursor.position(), mask, characters);
    cursor.skip(characters);
  }
}

VL_API void VL_CDECL BufMascaraDadosSensiveisEMV(char *text, int length, char mask) {
  MascEMVTLVBuffer(text, length, mask, kSensitiveTags);
}

VL_API int VL_CDECL MontaTLVPadraoFirstData(char *out, const char *tag, unsigned int maxLength,
                                            const char *value) {
  if (out == nullptr || tag == nullptr) return 0;
  size_t n = value == nullptr ? 0 : std::strlen(value);
  if (n > maxLength) n = maxLength;
  char digits[16];
  const int width = std::snprintf(digits, sizeof digits, "%5.5d", static_cast<int>(n));
  std::memcpy(out, tag, 4);
  std::memcpy(out + 4, digits + width - 3, 3);
  if (n > 0) std::memcpy(out + 7, value, n);
  return static_cast<int>(n + 7);
}

VL_API int VL_CDECL GetTLVPadraoFirstData(const char *text, unsigned int length, const char *tag,
                                          char *out, unsigned int outSize) {
  if (text == nullptr || tag == nullptr || out == nullptr) return 0;
  if (text[0] == '\0' || tag[0] == '\0' || length < std::strlen(tag)) return 0;
  std::memset(out, 0, outSize);
  const size_t searched = vl::bounded_length(text, length);
  const char *hit = find_counted(text, searched, tag);
  if (hit == nullptr) return 0;
  const size_t at = static_cast<size_t>(hit - text);
  if (at + 7 > searched) return 0;
  const int value_length = ASC2int(hit + 4, 3);
  if (value_length < 0 || static_cast<unsigned>(value_length) > outSize) return 0;
  if (at + 7 + static_cast<size_t>(value_length) > searched) return 0;
  std::memcpy(out, hit + 7, static_cast<size_t>(value_length));
  return value_length;
}

VL_API int VL_CDECL CopyTagGetNetLAC(char *out, const char *tag, const char *field,
                                     unsigned int width, int outSize) {
  constexpr unsigned kMaxField = 124;
  if (out == nullptr || tag == nullptr || field == nullptr) return 0;
  if (field[0] == '\0' || field[0] == ' ') return 0;
  char kept[kMaxField + 1];
  const size_t span = vl::bounded_length(field, width < kMaxField ? width : kMaxField);
  const int n = StrCrop(kept, field, static_cast<int>(span), ' ', 0);
  if (n + 8 > outSize) return 0;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.4d", n);  // four digits, zero-filled
  std::memcpy(out, tag, 4);
  std::memcpy(out + 4, digits, 4);
  std::memcpy(out + 8, kept, static_cast<size_t>(n));
  return n + 8;
}

VL_API int VL_CDECL GetTLVGetNetLAC(const char *tag, int lengthWidth, char *out, int capacity,
                                    const char *text, int length, int *position) {
  if (tag == nullptr || out == nullptr || text == nullptr || position == nullptr) return 0;
  if (lengthWidth < 0 || *position < 0) return 0;
  const int64_t width = lengthWidth;
  int64_t at = *position;
  while (at < length) {
    // Every element needs its tag and length field inside the text.
    if (at + 4 + width > length) return 0;
    const bool match = std::memcmp(text + at, tag, 4) == 0;
    const int value_length = ASC2int(text + at + 4, lengthWidth);
    if (value_length < 0) return 0;
    at += 4 + width;
    if (match) {
      int64_t n = value_length < capacity ? value_length : capacity;
      if (n > length - at) n = length - at;
      if (n < 0) n = 0;
      std::memcpy(out, text + at, static_cast<size_t>(n));
      *position = static_cast<int>(at + n);
      return static_cast<int>(n);
    }
    at += value_length;
    *position = static_cast<int>(at < INT32_MAX ? at : INT32_MAX);
  }
  return 0;
}

}  // extern "C"

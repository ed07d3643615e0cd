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

// Tag and length bytes as hexadecimal text.
constexpr uint32_t kTagMoreBytes = 0x1F;        // low five bits of a first tag byte: one more
constexpr unsigned kLongLength = 0x80;          // a first length byte from here counts bytes
constexpr unsigned kLengthByteCount = 0x7F;     // ... in its low seven bits
// A bit test code: the mask in its low byte, the index of the tested byte above it.
constexpr unsigned kBitMask = 0xFF;
constexpr unsigned kByteIndexShift = 8;
constexpr unsigned kByteIndexMask = 0x0F;

// The cryptogram (tag 9F26, eight bytes) and the response code (tag 8A, two bytes).
constexpr char kCryptogramHead[] = "9F2608";
constexpr size_t kCryptogramCharacters = 16;
constexpr char kResponseCodeHead[] = "8A02";
constexpr size_t kResponseCodeCharacters = 4;

// Text TLV layouts: a four-character tag, then a decimal length of three digits (First
// Data) or four (GetNet LAC).
constexpr size_t kTextTag = 4;
constexpr size_t kFirstDataLengthDigits = 3;
constexpr size_t kFirstDataHeader = kTextTag + kFirstDataLengthDigits;
constexpr size_t kGetNetLengthDigits = 4;
constexpr size_t kGetNetHeader = kTextTag + kGetNetLengthDigits;

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
  if ((first & kTagMoreBytes) != kTagMoreBytes) return true;
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
  if (first < kLongLength) return true;
  const unsigned count = first & kLengthByteCount;
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

// What a text holds: objects (tag, length, value; 00 between objects is padding), or the
// entries of a tag list or a data-object list (tags, or tags and lengths, with no values).
enum class Layout { objects, tags, tags_and_lengths };

// One walk for every layout, read until the length is used up exactly: a tag, length or
// value cut by the end of the text refuses the whole text, and a parse that fails keeps
// nothing (the unreleased list goes with its owner).
TLVItem *parse(const char *text, size_t length, Layout layout) {
  const bool objects = layout == Layout::objects;
  HexCursor cursor(text, length);
  ItemList items;
  while (!cursor.at_end()) {
    const char *start = cursor.here();
    Tag tag;
    if (!read_tag(cursor, tag)) return nullptr;
    if (objects && tag.value == 0) continue;
    Length item_length;
    if (layout != Layout::tags && !read_length(cursor, item_length)) return nullptr;
    const size_t characters = value_characters(item_length);
    if (objects && characters > cursor.remaining()) return nullptr;
    if (!items.add(tag.value, characters, start, header_characters(tag, item_length),
                   objects ? cursor.here() : nullptr))
      return nullptr;
    if (objects) cursor.skip(characters);
  }
  return items.release();
}

bool listed(const int *tags, uint32_t tag) {
  for (const int *t = tags; *t != 0; ++t)
    if (static_cast<uint32_t>(*t) == tag) return true;
  return false;
}

int bit_test(int code, const char *text) {
  const unsigned mask = static_cast<unsigned>(code) & kBitMask;
  if (mask == 0) return 1;
  if (text == nullptr) return 0;
  const unsigned index = (static_cast<unsigned>(code) >> kByteIndexShift) & kByteIndexMask;
  const unsigned byte = GetHexByteFromAscByte(text + 2 * index);
  return (byte & mask) == mask ? 1 : 0;
}

// Empties out, then finds the first head in bit55 with count characters after it: those
// characters, or null.
const char *value_after(char *out, const char *bit55, const char *head, size_t count) {
  out[0] = '\0';
  if (bit55 == nullptr) return nullptr;
  const char *hit = std::strstr(bit55, head);
  const size_t skip = std::strlen(head);
  if (hit == nullptr || vl::bounded_length(hit, skip + count) < skip + count) return nullptr;
  return hit + skip;
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
  return parse(text, static_cast<size_t>(length), Layout::objects);
}

VL_API TLVItem *VL_CDECL AscTag2Array(const char *text, int length) {
  if (text == nullptr || length < 1) return nullptr;
  return parse(text, static_cast<size_t>(length), Layout::tags);
}

VL_API TLVItem *VL_CDECL AscTagLen2Array(const char *text, unsigned int length) {
  if (text == nullptr || length == 0) return nullptr;
  return parse(text, length, Layout::tags_and_lengths);
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
  const char *value = value_after(out, bit55, kCryptogramHead, kCryptogramCharacters);
  if (value == nullptr) return 0;
  std::memcpy(out, value, kCryptogramCharacters);
  out[kCryptogramCharacters] = '\0';
  return 1;
}

VL_API int VL_CDECL GetRCFromDadosBIT55(char *out, const char *bit55) {
  if (out == nullptr) return 0;
  const char *value = value_after(out, bit55, kResponseCodeHead, kResponseCodeCharacters);
  if (value == nullptr) return 0;
  ASC2BinEx(reinterpret_cast<unsigned char *>(out), kResponseCodeCharacters / 2, value,
            kResponseCodeCharacters);
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
  std::memcpy(out, tag, kTextTag);
  std::memcpy(out + kTextTag, digits + width - kFirstDataLengthDigits, kFirstDataLengthDigits);
  if (n > 0) std::memcpy(out + kFirstDataHeader, value, n);
  return static_cast<int>(n + kFirstDataHeader);
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
  if (at + kFirstDataHeader > searched) return 0;
  const int value_length = ASC2int(hit + kTextTag, kFirstDataLengthDigits);
  if (value_length < 0 || static_cast<unsigned>(value_length) > outSize) return 0;
  if (at + kFirstDataHeader + static_cast<size_t>(value_length) > searched) return 0;
  std::memcpy(out, hit + kFirstDataHeader, static_cast<size_t>(value_length));
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
  constexpr int kHeader = static_cast<int>(kGetNetHeader);
  if (n + kHeader > outSize) return 0;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.4d", n);  // kGetNetLengthDigits, zero-filled
  std::memcpy(out, tag, kTextTag);
  std::memcpy(out + kTextTag, digits, kGetNetLengthDigits);
  std::memcpy(out + kGetNetHeader, kept, static_cast<size_t>(n));
  return n + kHeader;
}

VL_API int VL_CDECL GetTLVGetNetLAC(const char *tag, int lengthWidth, char *out, int capacity,
                                    const char *text, int length, int *position) {
  if (tag == nullptr || out == nullptr || text == nullptr || position == nullptr) return 0;
  if (lengthWidth < 0 || *position < 0) return 0;
  const int64_t width = lengthWidth;
  int64_t at = *position;
  while (at < length) {
    // Every element needs its tag and length field inside the text.
    if (at + int64_t{kTextTag} + width > length) return 0;
    const bool match = std::memcmp(text + at, tag, kTextTag) == 0;
    const int value_length = ASC2int(text + at + kTextTag, lengthWidth);
    if (value_length < 0) return 0;
    at += int64_t{kTextTag} + width;
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

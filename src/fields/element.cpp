// Identified-element runs: identifier, length and data as plain digits and bytes with no
// separators. Builders write one element, parsers take one apart, the searches walk a run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/text.h"
#include "vertalib/convert.h"
#include "vertalib/fields.h"

namespace {

constexpr int kDataCapacity = 999;    // data bytes an ElementoID holds
constexpr int kValueCapacity = 999;   // value bytes an ElementoTXT holds
constexpr int kMaxSearchIdWidth = 4;  // identifier characters an ElementoID holds
constexpr int kMaxValueWidth = 19;    // widest number MontaBuffer_ID_Int formats

constexpr int64_t smaller(int64_t a, int64_t b) { return a < b ? a : b; }

// Decimal digits of value; a sign is not a digit and 0 counts as having none.
int digit_count(int value) {
  if (value == 0) return 0;
  char text[16];
  return std::snprintf(text, sizeof text, "%d", value) - (value < 0 ? 1 : 0);
}

// "%0*d" of a non-negative value at width, without the NUL; nothing for width 0. The
// value's digits must fit the width.
void write_zero_filled(char *out, int value, size_t width) {
  if (width == 0) return;
  char text[16];
  const auto length = static_cast<size_t>(std::snprintf(text, sizeof text, "%d", value));
  std::memset(out, '0', width);
  std::memcpy(out + width - length, text, length);
}

// A digit field of width characters (0 when wider than 6).
int read_field(const char *at, size_t width) { return ASC2int(at, static_cast<int>(width)); }

void store_numeric_id(ElementoID *element, int identifier) {
  std::memcpy(element->id, &identifier, sizeof element->id);
}

void clear_record(ElementoID *element) {
  store_numeric_id(element, 0);
  element->length = 0;
  std::memset(element->data, 0, kDataCapacity);
}

// The record as the searches leave it: the identifier's characters (the rest of the 4
// bytes 0), the length, and the data field cleared before the first bytes are copied.
void fill_from_run(ElementoID *element, const char *at, size_t idWidth, size_t lenWidth, int length) {
  std::memset(element->id, 0, sizeof element->id);
  std::memcpy(element->id, at, idWidth);
  element->length = length;
  std::memset(element->data, 0, kDataCapacity);
  std::memcpy(element->data, at + idWidth + lenWidth, static_cast<size_t>(smaller(length, kDataCapacity)));
}

bool search_widths_valid(int idWidth, int lenWidth) {
  return idWidth >= 0 && idWidth <= kMaxSearchIdWidth && lenWidth >= 0;
}

// The identifier's characters the searches compare: "%0*d" (at least idWidth of them).
struct WantedId {
  char text[16];
  WantedId(int identifier, int idWidth) { std::snprintf(text, sizeof text, "%0*d", idWidth, identifier); }
};

// The element at position when it lies wholly inside the run: its header ends before the
// run's end and its data does not pass it. Gives the length read, or -1.
int bounded_element_length(const char *run, int64_t runLength, int64_t position, size_t idWidth,
                           size_t lenWidth) {
  const int64_t header_end = position + static_cast<int64_t>(idWidth + lenWidth);
  if (header_end >= runLength) return -1;
  const int length = read_field(run + position + idWidth, lenWidth);
  if (length < 0 || header_end + length > runLength) return -1;
  return length;
}

// One part of a text-tag element: [width field] length field, text. False when a width or
// length field reads negative.
struct TextPart {
  int64_t text_at = 0;
  int length = 0;
};

// Reads one part (optional width field, length field, text) at position. Every field and the
// text must end inside the run: a part that would reach past runLength ends the walk.
bool read_text_part(const char *run, int64_t run_length, int64_t &position, int width, bool variable,
                    TextPart &part) {
  const auto fits = [&](int64_t count) { return count >= 0 && position + count <= run_length; };
  int field_width = width;
  if (variable) {
    if (!fits(width)) return false;
    field_width = read_field(run + position, static_cast<size_t>(width));
    position += width;
    if (field_width < 0) return false;
  }
  if (!fits(field_width)) return false;
  part.length = read_field(run + position, static_cast<size_t>(field_width));
  position += field_width;  // a field wider than 6 reads 0 but is still stepped over
  if (part.length < 0 || !fits(part.length)) return false;
  part.text_at = position;
  position += part.length;
  return true;
}

}  // namespace

extern "C" {

VL_API int VL_CDECL MontaBuffer_ID_Str(int identifier, int idWidth, int dataLength, int lenWidth,
                                       const char *data, char *out, int *size, int *total) {
  if (size == nullptr) return 0;
  const int space = *size;
  *size = 0;
  const size_t id_width = vl::non_negative(idWidth);
  const size_t len_width = vl::non_negative(lenWidth);
  if (dataLength < 0 || identifier < 0) return 0;
  if (static_cast<int64_t>(id_width + len_width) + dataLength > space) return 0;
  if (digit_count(identifier) > static_cast<int64_t>(id_width)) return 0;
  if (digit_count(dataLength) > static_cast<int64_t>(len_width)) return 0;
  if (out == nullptr || data == nullptr || data[0] == '\0') return 0;

  write_zero_filled(out, identifier, id_width);
  write_zero_filled(out + id_width, dataLength, len_width);
  std::memcpy(out + id_width + len_width, data, static_cast<size_t>(dataLength));
  const int written = static_cast<int>(id_width + len_width) + dataLength;
  *size = written;
  if (total != nullptr) *total += written;
  return 1;
}

VL_API int VL_CDECL MontaBuffer_ID_Int(int identifier, int idWidth, int valueWidth, int lenWidth,
                                       int value, char *out, int *size, int *total) {
  if (valueWidth < 0 || valueWidth > kMaxValueWidth || digit_count(value) > valueWidth) return 0;
  // Width 0 still prints "0" for the value 0: a non-empty text for an element without data.
  // A negative value's sign takes one of the width's places, so -5 at width 1 gives "-".
  char text[kMaxValueWidth + 1];
  std::snprintf(text, sizeof text, "%0*d", valueWidth, value);
  return MontaBuffer_ID_Str(identifier, idWidth, valueWidth, lenWidth, text, out, size, total);
}

VL_API int VL_CDECL MontaBuffer_ID_StrEx(int identifier, int idWidth, int dataLength, int lenWidth,
                                         const char *data, char *buffer, int *size, int *used) {
  if (buffer == nullptr || size == nullptr || used == nullptr) return 0;
  const int capacity = *size;
  if (*used < 0 || *used >= capacity) return 0;
  int space = capacity - *used;
  const int done =
      MontaBuffer_ID_Str(identifier, idWidth, dataLength, lenWidth, data, buffer + *used, &space, used);
  *size = capacity - *used;
  return done;
}

VL_API void VL_CDECL MontaBitID(int identifier, int idWidth, int lenWidth, int dataLength,
                                const char *data, char *out) {
  if (data == nullptr || out == nullptr) return;
  const size_t id_width = vl::non_negative(idWidth);
  const size_t len_width = vl::non_negative(lenWidth);
  int2ASC(out, identifier, idWidth);
  int2ASC(out + id_width, dataLength, lenWidth);
  std::memcpy(out + id_width + len_width, data, vl::non_negative(dataLength));
}

VL_API void VL_CDECL BufID2Elemento(const char *text, int idWidth, int lenWidth, int arrangement,
                                    ElementoID *element) {
  if (text == nullptr || element == nullptr) return;
  const size_t id_width = vl::non_negative(idWidth);
  const size_t len_width = vl::non_negative(lenWidth);
  const auto room = static_cast<int64_t>(kDataCapacity) - static_cast<int64_t>(id_width + len_width);
  const char *data = text + id_width + len_width;
  if (arrangement == 0) {
    store_numeric_id(element, read_field(text, id_width));
    element->length = read_field(text + id_width, len_width);
    const int64_t count = smaller(element->length, room);
    if (count > 0) std::memcpy(element->data, data, static_cast<size_t>(count));
    return;
  }
  if (arrangement == 1) {
    // The length leads and counts the identifier too.
    const int64_t length = static_cast<int64_t>(read_field(text, len_width)) - static_cast<int64_t>(id_width);
    const int64_t count = smaller(length, room);
    if (length >= 0 && count >= 0 && count < kDataCapacity &&
        vl::bounded_length(text, static_cast<size_t>(count)) == static_cast<size_t>(count)) {
      // The text is measured from its start, so it may still end inside the header or the
      // data: what lies past its NUL is taken as NULs instead of being read.
      const size_t wanted = static_cast<size_t>(count);
      const size_t header = id_width + len_width;
      const size_t present = vl::bounded_length(text, header + wanted);
      const size_t copied = present > header ? std::min(present - header, wanted) : 0;
      store_numeric_id(element, present >= len_width ? read_field(text + len_width, id_width) : 0);
      element->length = static_cast<int>(length);
      std::memcpy(element->data, data, copied);
      std::memset(element->data + copied, 0, wanted - copied + 1);
      return;
    }
  }
  clear_record(element);
}

VL_API void VL_CDECL BitID2Elemento(const char *text, int idWidth, int lenWidth, ElementoID *element) {
  if (text == nullptr || element == nullptr) return;
  const size_t id_width = vl::non_negative(idWidth);
  const size_t len_width = vl::non_negative(lenWidth);
  store_numeric_id(element, read_field(text, id_width));
  element->length = read_field(text + id_width, len_width);
  const int count = element->length < 0 ? kDataCapacity : static_cast<int>(smaller(element->length, kDataCapacity));
  std::memcpy(element->data, text + id_width + len_width, static_cast<size_t>(count));
}

VL_API int VL_CDECL FindElementoID(int identifier, int idWidth, int lenWidth, int runLength,
                                   const char *run, ElementoID *element) {
  if (!search_widths_valid(idWidth, lenWidth) || runLength < 1 || run == nullptr || element == nullptr)
    return 0;
  const WantedId wanted(identifier, idWidth);
  const auto id_width = static_cast<size_t>(idWidth);
  const auto len_width = static_cast<size_t>(lenWidth);
  for (int64_t position = 0; position < runLength;) {
    const char *at = run + position;
    const int length = read_field(at + id_width, len_width);
    if (length < 0) return 0;  // a negative length would step backwards
    if (std::memcmp(at, wanted.text, id_width) == 0) {
      fill_from_run(element, at, id_width, len_width, length);
      return 1;
    }
    position += static_cast<int64_t>(id_width + len_width) + length;
  }
  return 0;
}

VL_API int VL_CDECL FindElementoIDEx(int identifier, int idWidth, int lenWidth, int runLength,
                                     const char *run, ElementoID *element) {
  if (!search_widths_valid(idWidth, lenWidth) || runLength < 1 || run == nullptr || element == nullptr)
    return 0;
  const WantedId wanted(identifier, idWidth);
  const auto id_width = static_cast<size_t>(idWidth);
  const auto len_width = static_cast<size_t>(lenWidth);
  for (int64_t position = 0; position < runLength;) {
    const int length = bounded_element_length(run, runLength, position, id_width, len_width);
    if (length < 0) return 0;
    const char *at = run + position;
    fill_from_run(element, at, id_width, len_width, length);
    if (std::memcmp(at, wanted.text, id_width) == 0) return 1;
    // Moves on by the bytes copied, so an element longer than the record is not skipped whole.
    position += static_cast<int64_t>(id_width + len_width) + smaller(length, kDataCapacity);
  }
  return 0;
}

VL_API int VL_CDECL FindFirstElementoID(int idWidth, int lenWidth, int runLength, const char *run,
                                        ElementoID *element, int *position) {
  if (!search_widths_valid(idWidth, lenWidth) || run == nullptr || element == nullptr || position == nullptr)
    return 0;
  const int64_t start = *position;
  if (start < 0 || start > runLength) return 0;
  const auto id_width = static_cast<size_t>(idWidth);
  const auto len_width = static_cast<size_t>(lenWidth);
  const int length = bounded_element_length(run, runLength, start, id_width, len_width);
  if (length < 0) return 0;
  fill_from_run(element, run + start, id_width, len_width, length);
  *position = static_cast<int>(start + static_cast<int64_t>(id_width + len_width) + smaller(length, kDataCapacity));
  return 1;
}

VL_API int VL_CDECL FindElementoTXT(const char *key, int keyLength, int runLength, const char *run,
                                    int width, int variable, ElementoTXT *element) {
  if (key == nullptr || run == nullptr || element == nullptr || keyLength < 0 || width < 0) return 0;
  const int64_t key_text = static_cast<int64_t>(std::strlen(key));
  const int64_t wanted = keyLength >= key_text ? key_text : keyLength;
  if (wanted > kValueCapacity || runLength < 1) return 0;
  for (int64_t position = 0; position < runLength;) {
    const int64_t start = position;
    TextPart tag;
    TextPart value;
    if (!read_text_part(run, runLength, position, width, variable != 0, tag) ||
        !read_text_part(run, runLength, position, width, variable != 0, value))
      return 0;
    if (tag.length == wanted && std::memcmp(run + tag.text_at, key, static_cast<size_t>(wanted)) == 0) {
      std::memset(element->tag, 0, kValueCapacity);
      std::memset(element->value, 0, kValueCapacity);
      element->tag_length = tag.length;
      std::memcpy(element->tag, run + tag.text_at, static_cast<size_t>(tag.length));
      element->value_length = value.length;
      std::memcpy(element->value, run + value.text_at, static_cast<size_t>(smaller(value.length, kValueCapacity)));
      return 1;
    }
    if (position == start) return 0;  // zero widths and empty texts: the walk cannot move on
  }
  return 0;
}

VL_API int VL_CDECL FindElementoTXT_Safra(const char *key, int keyLength, int runLength,
                                          const char *run, ElementoTXT *element) {
  return FindElementoTXT(key, keyLength, runLength, run, 1, 1, element);
}

VL_API int VL_CDECL GetDadoFromBuffer(const char *text, const char *key, char *out, int *outSize,
                                      int count, int includeKey) {
  if (text == nullptr || key == nullptr || out == nullptr || outSize == nullptr || count < 0) return 0;
  const size_t key_length = std::strlen(key);
  if (text[0] == '\0' || std::strlen(text) <= key_length) return 0;
  const char *hit = std::strstr(text, key);
  if (hit == nullptr) return 0;
  const char *datum = includeKey != 0 ? hit : hit + key_length;
  if (*outSize < count) return 0;
  std::memset(out, 0, static_cast<size_t>(*outSize));
  std::memcpy(out, datum, static_cast<size_t>(count));
  *outSize = count;
  return 1;
}

}  // extern "C"

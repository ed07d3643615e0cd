// Sub-fields that acquirers pack into private message fields: TTTLLL elements and their
// removal, length-first and four-character-tag layouts, three-character code lists, the
// Ticket Edenred / Ticket Car elements and goods descriptions, the reserved field of
// "@KEY=value" pairs and "name=value" parameter texts.
//
// The TTTLLL readers walk the elements that start within the maximum length but read each
// length field and value in full, as far as the text goes. The other walks read only the
// characters the caller counted: a length field that runs past them is read from the
// characters present and a value that runs past them is cut at their end. A negative
// length field (the digit reading accepts a sign) ends every walk, since stepping back
// could loop for ever.
#include <algorithm>
#include <cstring>

#include "frame/text.h"
#include "vertalib/convert.h"
#include "vertalib/fields.h"

namespace {

constexpr size_t kNotFound = static_cast<size_t>(-1);
constexpr size_t kMaxLengthDigits = 6;  // wider length fields read as 0
constexpr size_t kDescriptionWidth = sizeof(DescMercadoria);
constexpr char kGoodsElement[] = "0115";
constexpr int kGoodsCodeDigits = 5;
constexpr char kHostNsuKey[] = "@NSUSERVHOST=";
constexpr int kHostNsuDigits = 15;
constexpr size_t kParamAnswerSize = 256;

// TTTLLL elements: a three-digit tag and a three-digit length; tag "020" with a length
// beginning 'C' is 20 long.
constexpr size_t kShortTagDigits = 3;
constexpr size_t kShortLengthDigits = 3;
constexpr size_t kShortHeader = kShortTagDigits + kShortLengthDigits;
constexpr int kLargestShortTag = 999;
constexpr char kCardTag[] = "020";
constexpr int kCardTagLength = 20;
// Edenred / Ticket Car elements: a four-character identifier and a four-digit length.
constexpr size_t kEdenredIdentifier = 4;
constexpr size_t kEdenredLengthDigits = 4;
constexpr size_t kEdenredHeader = kEdenredIdentifier + kEdenredLengthDigits;
// Bradesco sub-fields: a three-digit length that counts the two-character identifier too.
constexpr size_t kBradescoLengthDigits = 3;
constexpr size_t kBradescoIdentifier = 2;
constexpr size_t kBradescoHeader = kBradescoLengthDigits + kBradescoIdentifier;
// Ticket Log: a four-character tag and a three-digit length; codes of three characters.
constexpr size_t kTicketLogTag = 4;
constexpr size_t kTicketLogLengthDigits = 3;
constexpr size_t kTicketLogCode = 3;
static_assert(sizeof(ElementoID::data) / kDescriptionWidth <=
                  sizeof(DescMercadorias::descriptions) / kDescriptionWidth,
              "every description an element can hold has a slot");

// The answer buffer of GetParamItem, shared by every caller.
char g_param_answer[kParamAnswerSize];

// True when text holds at least count characters before its NUL.
bool holds(const char *text, size_t count) {
  return text != nullptr && vl::bounded_length(text, count) == count;
}

// True when text is exactly count characters long.
bool is_exactly(const char *text, size_t count) {
  return text != nullptr && vl::bounded_length(text, count + 1) == count;
}

// How many of the length characters at text + at lie before end.
size_t within(size_t at, size_t length, size_t end) { return at < end ? std::min(length, end - at) : 0; }

// The decimal length field of width characters at text + at, read from those of its
// characters that lie before end.
int length_field(const char *text, size_t at, size_t width, size_t end) {
  if (width > kMaxLengthDigits) return 0;
  return ASC2int(text + at, static_cast<int>(within(at, width, end)));
}

// Hands over the value of length characters at text + at (cut at end) with a NUL, when
// out has room for it and the NUL; otherwise (a negative out_size included) empties out.
int deliver_value(const char *text, size_t at, size_t end, int length, char *out, int out_size) {
  if (length >= out_size) {
    out[0] = '\0';
    return 0;
  }
  const size_t count = within(at, static_cast<size_t>(length), end);
  std::memcpy(out, text + at, count);
  out[count] = '\0';
  return static_cast<int>(count);
}

// The 3-digit tag of a TTTLLL element, with a leading '@' read as '0'.
struct ShortTag {
  char digits[3];
  bool is(const char *wanted) const { return std::memcmp(digits, wanted, kShortTagDigits) == 0; }
};

ShortTag short_tag_at(const char *text) {
  ShortTag tag{{text[0], text[1], text[2]}};
  if (tag.digits[0] == '@') tag.digits[0] = '0';
  return tag;
}

// The length of the TTTLLL element at text + at. An element of tag "020" whose length
// begins with 'C' has the length 20.
int short_length_at(const char *text, size_t at, const ShortTag &tag, size_t end) {
  if (tag.is(kCardTag) && text[at + kShortTagDigits] == 'C') return kCardTagLength;
  return length_field(text, at + kShortTagDigits, kShortLengthDigits, end);
}

// The layout of an element with a tag and a length of the caller's widths.
struct WideLayout {
  const char *tag;
  size_t tag_width;
  size_t length_width;

  size_t header() const { return tag_width + length_width; }
  bool tag_at(const char *text, size_t at) const {
    return std::strncmp(text + at, tag, tag_width) == 0;
  }
  int length_at(const char *text, size_t at, size_t end) const {
    return length_field(text, at + tag_width, length_width, end);
  }
};

bool usable_layout(const char *tag, unsigned int tag_width, int length_width) {
  return tag != nullptr && tag_width >= 1 && length_width >= 1;
}

// Where the first element of identifier begins among the length characters of a text of
// 4-character identifiers and 4-digit lengths; kNotFound when none. An element whose
// identifier and length do not both lie within the text ends the search.
size_t find_edenred_element(const char *identifier, const char *text, size_t length) {
  size_t at = 0;
  while (at < length) {
    if (length - at < kEdenredHeader) return kNotFound;
    const int data_length = ASC2int(text + at + kEdenredIdentifier, kEdenredLengthDigits);
    if (data_length < 0) return kNotFound;
    if (std::memcmp(text + at, identifier, kEdenredIdentifier) == 0) return at;
    at += kEdenredHeader + static_cast<size_t>(data_length);
  }
  return kNotFound;
}

// Fills element from the element at text + at; returns the number of data bytes copied.
size_t fill_edenred_element(const char *text, size_t at, size_t length, ElementoID &element) {
  std::memcpy(element.id, text + at, kEdenredIdentifier);
  element.length = ASC2int(text + at + kEdenredIdentifier, kEdenredLengthDigits);
  const size_t copied = within(at + kEdenredHeader,
                               std::min<size_t>(vl::non_negative(element.length), sizeof element.data),
                               length);
  std::memcpy(element.data, text + at + kEdenredHeader, copied);
  return copied;
}

// The goods descriptions of element "0115": as many whole descriptions as its data holds.
void collect_goods(const char *text, int text_length, DescMercadorias &goods) {
  std::memset(&goods, 0, sizeof goods);
  if (text == nullptr) return;
  const size_t length = vl::non_negative(text_length);
  const size_t at = find_edenred_element(kGoodsElement, text, length);
  if (at == kNotFound) return;
  ElementoID element{};
  const size_t copied = fill_edenred_element(text, at, length, element);
  std::memcpy(goods.id, element.id, sizeof goods.id);
  goods.count = static_cast<int>(copied / kDescriptionWidth);
  std::memcpy(goods.descriptions, element.data, static_cast<size_t>(goods.count) * kDescriptionWidth);
}

// The text after the first occurrence of key in reserved, or null; the reserved text must
// be longer than the key.
const char *reserved_datum(const char *reserved, const char *key) {
  if (vl::is_empty(reserved) || key == nullptr) return nullptr;
  const size_t key_length = std::strlen(key);
  if (vl::bounded_length(reserved, key_length + 1) <= key_length) return nullptr;
  const char *found = std::strstr(reserved, key);
  return found == nullptr ? nullptr : found + key_length;
}

}  // namespace

extern "C" {

VL_API int VL_CDECL GetValueFromTTTLLLValue(const char *text, unsigned int maxLen, int tag,
                                            char *out, int outSize) {
  if (vl::is_empty(text) || out == nullptr || outSize == 0) return 0;
  // Elements are looked for among the first end characters; their fields are read from
  // the whole text.
  const size_t text_length = std::strlen(text);
  const size_t end = std::min<size_t>(text_length, maxLen);
  if (end <= kShortHeader || tag < 0 || tag > kLargestShortTag) return 0;
  const char wanted[3] = {static_cast<char>('0' + tag / 100), static_cast<char>('0' + tag / 10 % 10),
                          static_cast<char>('0' + tag % 10)};
  for (size_t at = 0; at + kShortTagDigits < end;) {
    const ShortTag found = short_tag_at(text + at);
    const int length = short_length_at(text, at, found, text_length);
    if (length < 0) return 0;
    if (found.is(wanted)) return deliver_value(text, at + kShortHeader, text_length, length, out, outSize);
    at += kShortHeader + static_cast<size_t>(length);
  }
  return 0;
}

VL_API int VL_CDECL GetValueFromTTTLLLValueEx(const char *text, unsigned int maxLen,
                                              const char *tag, unsigned int tagWidth,
                                              int lenWidth, char *out, int outSize) {
  if (vl::is_empty(text) || out == nullptr || outSize == 0 || !usable_layout(tag, tagWidth, lenWidth))
    return 0;
  const WideLayout layout{tag, tagWidth, static_cast<size_t>(lenWidth)};
  const size_t text_length = std::strlen(text);
  const size_t end = std::min<size_t>(text_length, maxLen);
  if (end <= layout.header()) return 0;
  for (size_t at = 0; at + layout.tag_width < end;) {
    const int length = layout.length_at(text, at, text_length);
    if (length < 0) return 0;
    if (layout.tag_at(text, at))
      return deliver_value(text, at + layout.header(), text_length, length, out, outSize);
    at += layout.header() + static_cast<size_t>(length);
  }
  return 0;
}

VL_API int VL_CDECL RemoveTTTLLLValueFromBuffer(char *text, unsigned int *length,
                                                const char *tag, unsigned int tagWidth,
                                                int lenWidth) {
  if (vl::is_empty(text) || length == nullptr || !usable_layout(tag, tagWidth, lenWidth)) return 0;
  const WideLayout layout{tag, tagWidth, static_cast<size_t>(lenWidth)};
  size_t end = vl::bounded_length(text, *length);
  if (end <= layout.header()) return 0;
  bool removed = false;
  for (size_t at = 0; at + layout.tag_width < end;) {
    const int value_length = layout.length_at(text, at, end);
    if (value_length < 0) break;
    const size_t size = std::min(layout.header() + static_cast<size_t>(value_length), end - at);
    if (!layout.tag_at(text, at)) {
      at += size;
      continue;
    }
    // The element at hand goes; the one that moves into its place is examined next.
    std::memmove(text + at, text + at + size, end - at - size);
    std::memset(text + end - size, 0, size);
    end -= size;
    removed = true;
  }
  *length = static_cast<unsigned int>(end);
  return removed ? 1 : 0;
}

VL_API int VL_CDECL GetSubcampoBradesco(const char *identifier, char *out, int capacity,
                                        const char *text, int textLength) {
  constexpr int kIdentifier = static_cast<int>(kBradescoIdentifier);
  if (!holds(identifier, kBradescoIdentifier) || out == nullptr || text == nullptr ||
      textLength <= static_cast<int>(kBradescoHeader))
    return 0;
  const size_t end = static_cast<size_t>(textLength);
  for (size_t at = 0; at + kBradescoLengthDigits < end;) {
    if (end - at < kBradescoHeader) return 0;  // the identifier would run past the text
    const int length = ASC2int(text + at, kBradescoLengthDigits);
    if (length < kIdentifier) return 0;
    if (std::memcmp(text + at + kBradescoLengthDigits, identifier, kBradescoIdentifier) == 0) {
      const size_t wanted =
          std::min(static_cast<size_t>(length - kIdentifier), vl::non_negative(capacity));
      const size_t copied = within(at + kBradescoHeader, wanted, end);
      std::memcpy(out, text + at + kBradescoHeader, copied);
      return static_cast<int>(copied);
    }
    at += kBradescoLengthDigits + static_cast<size_t>(length);
  }
  return 0;
}

VL_API int VL_CDECL GetSubcampoTicketLog(char *out, void *reserved, const char *tag, int maxLen,
                                         const char *text, int lastPosition) {
  static_cast<void>(reserved);
  if (out == nullptr || text == nullptr || !is_exactly(tag, kTicketLogTag)) return 0;
  const char *found = std::strstr(text, tag);
  if (found == nullptr || found - text > lastPosition) return 0;
  if (!holds(found + kTicketLogTag, kTicketLogLengthDigits)) return 0;
  const int length = ASC2int(found + kTicketLogTag, kTicketLogLengthDigits);
  if (length < 0 || length > maxLen) return 0;
  const char *value = found + kTicketLogTag + kTicketLogLengthDigits;
  if (!holds(value, static_cast<size_t>(length))) return 0;
  std::memcpy(out, value, static_cast<size_t>(length));
  return 1;
}

VL_API int VL_CDECL CheckParamConfTicketLog(const char *code, const char *list, int length) {
  if (!is_exactly(code, kTicketLogCode) || list == nullptr ||
      length < static_cast<int>(kTicketLogCode))
    return 0;
  for (size_t at = 0; at + kTicketLogCode <= static_cast<size_t>(length); at += kTicketLogCode)
    if (std::memcmp(list + at, code, kTicketLogCode) == 0) return 1;
  return 0;
}

VL_API int VL_CDECL FindElementoID_TicketEdenred(const char *identifier, int textLength,
                                                 const char *text, ElementoID *element) {
  if (!holds(identifier, kEdenredIdentifier) || text == nullptr || element == nullptr) return 0;
  const size_t length = vl::non_negative(textLength);
  const size_t at = find_edenred_element(identifier, text, length);
  if (at == kNotFound) return 0;
  fill_edenred_element(text, at, length, *element);
  return 1;
}

VL_API DescMercadorias *VL_CDECL FindDescMercadoriasAutTicketCar(DescMercadorias *out,
                                                                 const char *text,
                                                                 int textLength) {
  if (out != nullptr) collect_goods(text, textLength, *out);
  return out;
}

VL_API DescMercadoria VL_CDECL FindDescMercadoriaAutTicketCar(const char *text, int textLength,
                                                              const char *code,
                                                              int codeLength) {
  DescMercadorias goods;
  collect_goods(text, textLength, goods);
  if (code != nullptr) {
    const int wanted = ASC2int(code, std::min(std::max(codeLength, 0), kGoodsCodeDigits));
    for (int i = 0; i < goods.count; ++i)
      if (ASC2int(goods.descriptions[i].text, kGoodsCodeDigits) == wanted) return goods.descriptions[i];
  }
  return DescMercadoria{};
}

VL_API int VL_CDECL GetDadoFromReservado(const char *reserved, const char *key, char *out,
                                         int *size, int n) {
  if (out == nullptr || size == nullptr || n < 0 || *size < n) return 0;
  const char *datum = reserved_datum(reserved, key);
  if (datum == nullptr) return 0;
  std::memset(out, 0, static_cast<size_t>(*size));
  std::memcpy(out, datum, vl::bounded_length(datum, static_cast<size_t>(n)));
  *size = n;
  return 1;
}

VL_API int VL_CDECL GetDadoFromReservadoEx(const char *reserved, const char *key, char *out,
                                           int max) {
  if (out == nullptr) return 0;
  const char *datum = reserved_datum(reserved, key);
  if (datum == nullptr) return 0;
  const size_t limit = vl::non_negative(max);
  size_t copied = 0;
  for (; copied < limit && datum[copied] != '\0' && datum[copied] != '@'; ++copied)
    out[copied] = datum[copied];
  // A value stopped by the maximum fills the caller's room: no NUL follows it.
  if (copied < limit) out[copied] = '\0';
  return static_cast<int>(copied);
}

VL_API int VL_CDECL GetNSUServHostFromReservado2(const char *reserved, char *out, int *size) {
  return GetDadoFromReservado(reserved, kHostNsuKey, out, size, kHostNsuDigits);
}

VL_API char *VL_CDECL GetParamItem(const char *text, const char *name, char separator) {
  if (vl::is_empty(text) || vl::is_empty(name)) return nullptr;
  if (vl::bounded_length(text, std::strlen(name) + 1) <= std::strlen(name)) return nullptr;
  std::memset(g_param_answer, 0, sizeof g_param_answer);
  const char *item = std::strstr(text, name);
  if (item == nullptr) return nullptr;
  const char *value = std::strchr(item, separator);
  if (value == nullptr) return nullptr;
  while (*value != '\0' && (*value == separator || vl::is_blank(*value))) ++value;
  if (*value == '\0') return nullptr;
  // Values longer than the buffer leaves room for are cut.
  size_t length = 0;
  while (length < sizeof g_param_answer - 1 && value[length] != '\0' && !vl::is_blank(value[length]))
    ++length;
  std::memcpy(g_param_answer, value, length);
  return g_param_answer;
}

}  // extern "C"

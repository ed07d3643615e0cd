// The STLV list: text elements keyed by a two-digit identifier, kept on the library's heap
// in a doubly linked list that runs from the newest to the oldest element, and its flat
// buffer form (length word, 15 header characters, "%02d%02d%s" elements).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frame/heap.h"
#include "frame/text.h"
#include "vertalib/tlv.h"

namespace {

constexpr size_t kDataCapacity = sizeof(STLV_Elemento{}.data) - 1;  // 127 characters + NUL
constexpr size_t kHeaderText = 11;
constexpr size_t kHeaderCode = 4;
constexpr int kHeaderLength = static_cast<int>(kHeaderText + kHeaderCode);
constexpr int kElementPrefix = 4;  // two identifier digits, two length digits

// How many data bytes an element takes: none for a negative length, at most 127.
size_t data_copy_length(int length, const char *data) {
  if (data == nullptr || length <= 0) return 0;
  const auto wanted = static_cast<size_t>(length);
  return wanted < kDataCapacity ? wanted : kDataCapacity;
}

void release(STLV_Elemento *element) { vl::heap_free_wiped(element, sizeof *element); }

STLV_Elemento *find(const STLV_Lista *list, int id) {
  for (STLV_Elemento *element = list->first; element != nullptr; element = element->next)
    if (element->id == id) return element;
  return nullptr;
}

// Joins the element's neighbours; the element's own links are left as they were.
void unlink(STLV_Lista *list, STLV_Elemento *element) {
  if (element->previous != nullptr)
    element->previous->next = element->next;
  else
    list->first = element->next;
  if (element->next != nullptr) element->next->previous = element->previous;
  --list->count;
}

void link_in_front(STLV_Lista *list, STLV_Elemento *element) {
  element->previous = nullptr;
  element->next = list->first;
  if (list->first != nullptr) list->first->previous = element;
  list->first = element;
  ++list->count;
}

// A changed element keeps the length it was given, whatever its data's text length.
void replace_data(STLV_Elemento *element, int length, const char *data) {
  element->length = length;
  std::memset(element->data, 0, sizeof element->data);
  const size_t copied = data_copy_length(length, data);
  if (copied > 0) std::memcpy(element->data, data, copied);
}

void start_empty(STLV_Lista *list) {
  list->count = 0;
  list->first = nullptr;
}

void clear_header(STLV_Lista *list) {
  std::memset(list->header_text, 0, sizeof list->header_text);
  std::memset(list->header_code, 0, sizeof list->header_code);
}

// Sets the first limit bytes of the field to at most limit characters of text, stopping at
// a NUL and filled up with NULs; the byte after them is not touched.
void set_header_field(char *field, const char *text, size_t limit) {
  std::memset(field, 0, limit);
  if (text != nullptr) std::memcpy(field, text, vl::bounded_length(text, limit));
}

// The length word is little-endian whatever the machine.
int read_length_word(const char *buffer) {
  const auto *bytes = reinterpret_cast<const unsigned char *>(buffer);
  unsigned int word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | bytes[i];
  return static_cast<int>(word);
}

void write_length_word(char *buffer, int length) {
  const auto word = static_cast<unsigned int>(length);
  for (int i = 0; i < 4; ++i) buffer[i] = static_cast<char>((word >> (8 * i)) & 0xFFu);
}

// Two decimal digits; a pair holding anything else reads as 0.
int read_two_digits(const char *text) {
  if (!vl::is_digit(text[0]) || !vl::is_digit(text[1])) return 0;
  return (text[0] - '0') * 10 + (text[1] - '0');
}

// Writes one element as "%02d%02d%s" and gives the width the layout reserves for it,
// 4 + length: the writer moves on by that much even when the data's text is shorter.
// "%02d%02d%s" of the element, cut to the 4 + length characters the buffer gives it, then a
// NUL. A three-digit identifier or length (data of 100 to 127 bytes) widens the prefix; the
// cut keeps the last data character and the NUL from landing past that room (the next
// element, written 4 + length further on, covers that character anyway).
int write_element(char *place, const STLV_Elemento &element) {
  const size_t room = kElementPrefix + static_cast<size_t>(element.length < 0 ? 0 : element.length);
  char prefix[32];
  const int written = std::snprintf(prefix, sizeof prefix, "%02d%02d", element.id, element.length);
  const size_t used = std::min(static_cast<size_t>(written), room);
  std::memcpy(place, prefix, used);
  const size_t text = std::min(vl::bounded_length(element.data, sizeof element.data), room - used);
  std::memcpy(place + used, element.data, text);
  place[used + text] = '\0';
  return static_cast<int>(room);
}

}  // namespace

extern "C" {

int STLV_CriaLista(STLV_Lista *list) {
  if (list == nullptr) return 0;
  start_empty(list);
  clear_header(list);
  return 1;
}

int STLV_CriaListaHeader(STLV_Lista *list, const char *header_text, const char *header_code) {
  if (list == nullptr) return 0;
  start_empty(list);
  // Only the 11 and 4 bytes are set: the terminator bytes after them keep what they held.
  set_header_field(list->header_text, header_text, kHeaderText);
  set_header_field(list->header_code, header_code, kHeaderCode);
  return 1;
}

STLV_Elemento *STLV_AlocaNovoElemento(int id, int length, const char *data) {
  auto *element = static_cast<STLV_Elemento *>(vl::heap_alloc(sizeof(STLV_Elemento)));
  if (element == nullptr) return nullptr;
  element->id = id;
  const size_t copied = data_copy_length(length, data);
  if (copied > 0) std::memcpy(element->data, data, copied);
  // The length is that of the text copied: data with an embedded NUL is stored shorter.
  element->length = static_cast<int>(std::strlen(element->data));
  return element;
}

int STLV_AdicionaID(STLV_Lista *list, int id, int length, const char *data) {
  if (list == nullptr) return 0;
  STLV_Elemento *element = find(list, id);
  if (element != nullptr) {
    if (length != 0) {
      replace_data(element, length, data);
    } else {
      unlink(list, element);
      release(element);
    }
    return 1;
  }
  if (length < 1) return 1;
  element = STLV_AlocaNovoElemento(id, length, data);
  if (element == nullptr) return 0;
  link_in_front(list, element);
  return 1;
}

STLV_Elemento *STLV_RemoveID(STLV_Lista *list, int id) {
  if (list == nullptr) return nullptr;
  STLV_Elemento *element = find(list, id);
  if (element != nullptr) unlink(list, element);
  return element;
}

STLV_Elemento *STLV_BuscaLista(STLV_Lista *list, int id) {
  return list != nullptr ? find(list, id) : nullptr;
}

int STLV_EsvaziaLista(STLV_Lista *list) {
  if (list == nullptr) return 0;
  while (list->first != nullptr) {
    STLV_Elemento *element = list->first;
    unlink(list, element);
    release(element);
  }
  return 1;
}

int STLV_MontaBufferFromLista(STLV_Lista *list, char *buffer) {
  if (list == nullptr) return 1;
  if (list->first == nullptr) return 0;
  char *text = buffer + 4;
  std::memcpy(text, list->header_text, kHeaderText);
  std::memcpy(text + kHeaderText, list->header_code, kHeaderCode);
  int length = kHeaderLength;
  for (const STLV_Elemento *element = list->first; element != nullptr; element = element->next)
    length += write_element(text + length, *element);
  write_length_word(buffer, length);
  return 1;
}

int STLV_CriaListaFromBuffer(STLV_Lista *list, const char *buffer) {
  if (list == nullptr || buffer == nullptr) return 0;
  start_empty(list);
  clear_header(list);
  const int length = read_length_word(buffer);
  const char *text = buffer + 4;
  if (length < static_cast<int>(kHeaderText)) return 0;
  set_header_field(list->header_text, text, kHeaderText);
  if (length < kHeaderLength) return 0;
  set_header_field(list->header_code, text + kHeaderText, kHeaderCode);
  // Reading never goes past the length word: an element whose two digit pairs do not fit
  // ends the reading, and data running past the end is taken only as far as the text goes.
  for (int offset = kHeaderLength; offset + kElementPrefix <= length;) {
    const int id = read_two_digits(text + offset);
    const int data_length = read_two_digits(text + offset + 2);
    const int available = length - offset - kElementPrefix;
    const int taken = data_length < available ? data_length : available;
    if (taken < data_length && taken == 0) break;
    if (STLV_AdicionaID(list, id, taken, text + offset + kElementPrefix) == 0) return 0;
    offset += kElementPrefix + data_length;
  }
  return 1;
}

}  // extern "C"

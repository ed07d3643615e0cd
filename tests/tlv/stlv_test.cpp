#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "frame/heap.h"
#include "vertalib/tlv.h"

namespace {

using namespace std::string_literals;

// An STLV buffer: the little-endian length word and the text that follows it.
std::string stlv_buffer(const std::string &text) {
  const auto length = static_cast<uint32_t>(text.size());
  std::string buffer(4, '\0');
  for (int i = 0; i < 4; ++i) buffer[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  return buffer + text;
}

// The result, then what was written over a buffer of 'Z's: the length word and the bytes it
// counts, the NUL after them and the next byte (which must stay 'Z'); 8 bytes when no word.
std::string written(STLV_Lista *list) {
  char buffer[256];
  std::memset(buffer, 'Z', sizeof buffer);
  const int result = STLV_MontaBufferFromLista(list, buffer);
  uint32_t word = 0;
  std::memcpy(&word, buffer, 4);
  return std::to_string(result) + ":" + std::string(buffer, word < 200 ? 4 + word + 2 : 8);
}

std::string written_form(const std::string &text) { return "1:" + stlv_buffer(text) + "\0Z"s; }

// The count, then each element from the first on as id:length:data; a '!' marks an element
// whose previous link does not point back at the element before it.
std::string contents(const STLV_Lista &list) {
  std::string out = std::to_string(list.count);
  const STLV_Elemento *before = nullptr;
  for (const STLV_Elemento *e = list.first; e != nullptr; before = e, e = e->next)
    out += (e->previous == before ? " " : " !") + std::to_string(e->id) + ":" +
           std::to_string(e->length) + ":" + e->data;
  return out;
}

// The 12 header-text and 5 header-code bytes.
std::string header_bytes(const STLV_Lista &list) {
  return std::string(list.header_text, 12) + std::string(list.header_code, 5);
}

TEST(StlvRecords, KeepTheirFieldOrder) {
  EXPECT_EQ(offsetof(STLV_Lista, header_code), 12u);
  EXPECT_EQ(offsetof(STLV_Lista, count), 20u);
  EXPECT_EQ(offsetof(STLV_Lista, first), 24u);
  EXPECT_EQ(offsetof(STLV_Elemento, length), 4u);
  EXPECT_EQ(offsetof(STLV_Elemento, data), 8u);
  EXPECT_EQ(offsetof(STLV_Elemento, previous), 136u);
  EXPECT_EQ(offsetof(STLV_Elemento, next), 136u + sizeof(void *)) << "after one pointer";
}

TEST(StlvList, PutsNewElementsInFrontAndWritesThemNewestFirst) {
  STLV_Lista list;
  std::memset(&list, 'Z', sizeof list);
  ASSERT_EQ(STLV_CriaListaHeader(&list, "HEADERTEXT1-cut", "CODEX"), 1);
  EXPECT_EQ(header_bytes(list), "HEADERTEXT1ZCODEZ") << "the byte after each field stays";
  STLV_CriaListaHeader(&list, "HEAD", nullptr);
  EXPECT_EQ(header_bytes(list), "HEAD\0\0\0\0\0\0\0Z\0\0\0\0Z"s);
  EXPECT_TRUE(list.count == 0 && list.first == nullptr);

  STLV_CriaListaHeader(&list, "HEADERTEXT1", "CODE");
  ASSERT_EQ(STLV_AdicionaID(&list, 1, 2, "AB"), 1);
  ASSERT_EQ(STLV_AdicionaID(&list, 2, 3, "CDE"), 1);
  ASSERT_EQ(STLV_AdicionaID(&list, 3, 1, "F"), 1);
  EXPECT_EQ(contents(list), "3 3:1:F 2:3:CDE 1:2:AB");
  const std::string buffer = written(&list);
  EXPECT_EQ(buffer, written_form("HEADERTEXT1CODE" "0301F" "0203CDE" "0102AB"));

  // Reading reverses the order once more; emptying keeps the header.
  STLV_Lista reread;
  ASSERT_EQ(STLV_CriaListaFromBuffer(&reread, buffer.c_str() + 2), 1);
  EXPECT_EQ(contents(reread), "3 1:2:AB 2:3:CDE 3:1:F");
  EXPECT_EQ(written(&reread), written_form("HEADERTEXT1CODE" "0102AB" "0203CDE" "0301F"));
  EXPECT_EQ(STLV_EsvaziaLista(&list), 1);
  EXPECT_EQ(STLV_EsvaziaLista(&reread), 1);
  EXPECT_TRUE(reread.count == 0 && reread.first == nullptr);
  EXPECT_EQ(header_bytes(reread), "HEADERTEXT1\0CODE\0"s);
}

TEST(StlvList, ReplacesAndRemovesByIdentifier) {
  STLV_Lista list;
  STLV_CriaLista(&list);
  STLV_AdicionaID(&list, 7, 2, "xy");
  STLV_AdicionaID(&list, 5, 6, "LONGER");
  STLV_AdicionaID(&list, 9, 1, "z");
  ASSERT_EQ(STLV_AdicionaID(&list, 5, 3, "abc"), 1);
  EXPECT_EQ(contents(list), "3 9:1:z 5:3:abc 7:2:xy") << "a changed element keeps its place, old data cleared";
  EXPECT_EQ(STLV_BuscaLista(&list, 5), list.first->next);

  // Length 0 removes and releases; for an absent identifier it changes nothing.
  ASSERT_EQ(STLV_AdicionaID(&list, 5, 0, "abc"), 1);
  EXPECT_EQ(STLV_AdicionaID(&list, 42, 0, "abc"), 1);
  EXPECT_EQ(STLV_AdicionaID(&list, 42, -3, "abc"), 1);
  EXPECT_EQ(contents(list), "2 9:1:z 7:2:xy");

  // A removed element leaves the list whole, keeps its own links and belongs to the caller.
  STLV_Elemento *nine = STLV_RemoveID(&list, 9);
  ASSERT_NE(nine, nullptr);
  EXPECT_EQ(nine->next, list.first);
  EXPECT_EQ(contents(list), "1 7:2:xy");
  EXPECT_EQ(STLV_RemoveID(&list, 9), nullptr);
  vl::heap_free_wiped(nine, sizeof *nine);
  STLV_EsvaziaLista(&list);
}

TEST(StlvList, NullAndEmptyListsAndNewElements) {
  EXPECT_EQ(STLV_CriaLista(nullptr) + STLV_CriaListaHeader(nullptr, "H", "C") +
                STLV_CriaListaFromBuffer(nullptr, "\x0f\0\0\0") + STLV_EsvaziaLista(nullptr), 0);
  EXPECT_EQ(written(nullptr), "1:ZZZZZZZZ");
  STLV_Lista empty;
  STLV_CriaLista(&empty);
  EXPECT_EQ(written(&empty), "0:ZZZZZZZZ");

  // The stored length is the text length of the data; the data area keeps 127 characters.
  STLV_Elemento *element = STLV_AlocaNovoElemento(12, 5, "ab\0de");
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->length, 2);
  vl::heap_free_wiped(element, sizeof *element);
  element = STLV_AlocaNovoElemento(1, 200, std::string(200, 'q').c_str());
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->length, 127);
  vl::heap_free_wiped(element, sizeof *element);
}

TEST(StlvBuffer, ReadsHeadersAndElementsUpToTheLengthWord) {
  const std::string header = "HEADERTEXT1\0CODE\0"s;
  const struct {
    std::string buffer;
    int result;
    std::string header, contents;
  } cases[] = {
      {stlv_buffer("HEADERTEXT1CODE"), 1, header, "0"},
      {stlv_buffer("HEADERTEXT1COD"), 0, "HEADERTEXT1\0\0\0\0\0\0"s, "0"},  // the text, then refused
      {stlv_buffer("HEADER"), 0, std::string(17, '\0'), "0"},
      {stlv_buffer("HEAD\0ERTEXTCODE"s), 1, "HEAD\0\0\0\0\0\0\0\0CODE\0"s, "0"},
      // A repeated identifier replaces the data, a non-digit pair reads 0, a length of 0 deletes.
      {stlv_buffer("HEADERTEXT1CODE" "0103abc" "0202xy" "x105hello" "0102de" "0200"), 1, header, "2 0:5:hello 1:2:de"},
      // Data past the length word is not read; two digit pairs that do not fit end the reading.
      {stlv_buffer("HEADERTEXT1CODE" "0109abc") + "defghi", 1, header, "1 1:3:abc"},
      {stlv_buffer("HEADERTEXT1CODE" "0102ab" "03"), 1, header, "1 1:2:ab"},
  };
  STLV_Lista list;
  for (const auto &c : cases) {
    EXPECT_EQ(STLV_CriaListaFromBuffer(&list, c.buffer.c_str()), c.result) << c.buffer.substr(4);
    EXPECT_EQ(header_bytes(list), c.header) << c.buffer.substr(4);
    EXPECT_EQ(contents(list), c.contents) << c.buffer.substr(4);
    STLV_EsvaziaLista(&list);
  }
}

// Data of 100 to 127 bytes widens the length to three digits; the element still takes only
// 4 + length bytes of the buffer and the NUL after the last one stays inside the 20 + 4 +
// length bytes the caller provides.
TEST(StlvBuffer, ThreeDigitLengthsStayInsideTheirRoom) {
  STLV_Lista list;
  ASSERT_EQ(STLV_CriaLista(&list), 1);
  ASSERT_EQ(STLV_CriaListaHeader(&list, "HEADERTEXT1", "CODE"), 1);
  const std::string data(127, 'd');
  ASSERT_EQ(STLV_AdicionaID(&list, 7, 127, data.c_str()), 1);
  std::string buffer(20 + 4 + 127 + 1, 'Z');
  EXPECT_EQ(STLV_MontaBufferFromLista(&list, buffer.data()), 1);
  EXPECT_EQ(buffer.substr(4, 15 + 5), "HEADERTEXT1CODE07127");
  EXPECT_EQ(buffer.substr(4 + 15 + 5, 127), std::string(126, 'd') + '\0');
  EXPECT_EQ(buffer.back(), 'Z');
  EXPECT_EQ(STLV_CriaListaFromBuffer(&list, nullptr), 0);
  EXPECT_EQ(list.count, 1);  // refused before the list is touched
  STLV_EsvaziaLista(&list);
}

}  // namespace

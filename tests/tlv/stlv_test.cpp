#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "frame/heap.h"
#include "vertalib/tlv.h"

namespace {

using namespace std::string_literals;

// An STLV buffer: the little-endian length word and the text that follows it.
std::string stlv_buffer(const std::string &text) {
  const auto n = static_cast<uint32_t>(text.size());
  return std::string{char(n & 0xFF), char(n >> 8 & 0xFF), char(n >> 16 & 0xFF), char(n >> 24)} + text;
}

// The result, then the length word, the bytes it counts, a NUL and a 'Z' byte (8 bytes when no word).
std::string written(STLV_Lista *list) {
  char buffer[256];
  std::memset(buffer, 'Z', sizeof buffer);
  const int result = STLV_MontaBufferFromLista(list, buffer);
  uint32_t word = 0;
  std::memcpy(&word, buffer, 4);
  return std::to_string(result) + ":" + std::string(buffer, word < 200 ? 4 + word + 2 : 8);
}

// The count, then each element as id:length:data, '!' before one whose previous link is wrong.
std::string contents(const STLV_Lista &list) {
  std::string out = std::to_string(list.count);
  const STLV_Elemento *before = nullptr;
  for (const STLV_Elemento *e = list.first; e != nullptr; before = e, e = e->next)
    out += (e->previous == before ? " " : " !") + std::to_string(e->id) + ":" +
           std::to_string(e->length) + ":" + e->data;
  return out;
}

std::string header_bytes(const STLV_Lista &l) { return std::string(l.header_text, 12) + std::string(l.header_code, 5); }

TEST(StlvList, PutsNewElementsInFrontAndWritesThemNewestFirst) {
  STLV_Lista list;
  std::memset(&list, 'Z', sizeof list);
  ASSERT_EQ(STLV_CriaListaHeader(&list, "HEADERTEXT1-cut", "CODEX"), 1);
  EXPECT_EQ(header_bytes(list), "HEADERTEXT1ZCODEZ") << "the byte after each field stays";
  STLV_CriaListaHeader(&list, "HEAD", nullptr);
  EXPECT_EQ(header_bytes(list) + contents(list), "HEAD\0\0\0\0\0\0\0Z\0\0\0\0Z0"s);
  STLV_CriaListaHeader(&list, "HEADERTEXT1", "CODE");
  for (const char *data : {"AB", "CDE", "F"})
    ASSERT_EQ(STLV_AdicionaID(&list, 1 + list.count, static_cast<int>(std::strlen(data)), data), 1);
  EXPECT_EQ(contents(list), "3 3:1:F 2:3:CDE 1:2:AB");
  const std::string buffer = written(&list);
  EXPECT_EQ(buffer, "1:" + stlv_buffer("HEADERTEXT1CODE" "0301F" "0203CDE" "0102AB") + "\0Z"s);
  // Reading reverses the order once more; emptying keeps the header.
  STLV_Lista reread;
  ASSERT_EQ(STLV_CriaListaFromBuffer(&reread, buffer.c_str() + 2), 1);
  EXPECT_EQ(contents(reread), "3 1:2:AB 2:3:CDE 3:1:F");
  EXPECT_EQ(written(&reread), "1:" + stlv_buffer("HEADERTEXT1CODE" "0102AB" "0203CDE" "0301F") + "\0Z"s);
  EXPECT_EQ(STLV_EsvaziaLista(&list) + STLV_EsvaziaLista(&reread), 2);
  EXPECT_EQ(header_bytes(reread) + contents(reread), "HEADERTEXT1\0CODE\0" "0"s);
}

TEST(StlvList, ReplacesAndRemovesByIdentifierNullAndEmptyListsNewElements) {
  STLV_Lista list;
  STLV_CriaLista(&list);
  for (auto [id, data] : {std::pair{7, "xy"}, {5, "LONGER"}, {9, "z"}, {5, "abc"}})
    ASSERT_EQ(STLV_AdicionaID(&list, id, static_cast<int>(std::strlen(data)), data), 1);
  EXPECT_EQ(contents(list), "3 9:1:z 5:3:abc 7:2:xy") << "a changed element keeps its place, old data cleared";
  EXPECT_EQ(STLV_BuscaLista(&list, 5), list.first->next);
  // Length 0 removes and releases; for an absent identifier it changes nothing.
  EXPECT_EQ(STLV_AdicionaID(&list, 5, 0, "abc") + STLV_AdicionaID(&list, 42, 0, "abc") +
                STLV_AdicionaID(&list, 42, -3, "abc"), 3);
  EXPECT_EQ(contents(list), "2 9:1:z 7:2:xy");
  // A removed element leaves the list whole, keeps its own links and belongs to the caller.
  STLV_Elemento *nine = STLV_RemoveID(&list, 9);
  ASSERT_TRUE(nine != nullptr && nine->next == list.first);
  EXPECT_EQ(contents(list), "1 7:2:xy");
  EXPECT_EQ(STLV_RemoveID(&list, 9), nullptr);
  vl::heap_free_wiped(nine, sizeof *nine);
  STLV_EsvaziaLista(&list);
  EXPECT_EQ(STLV_CriaLista(nullptr) + STLV_CriaListaHeader(nullptr, "H", "C") +
                STLV_CriaListaFromBuffer(nullptr, "\x0f\0\0\0") + STLV_EsvaziaLista(nullptr), 0);
  EXPECT_EQ(written(nullptr), "1:ZZZZZZZZ");
  EXPECT_EQ(written(&list), "0:ZZZZZZZZ");
  // The stored length is the text length of the data; the data area keeps 127 characters.
  for (auto [data, length] : {std::pair{"ab\0de"s, 2}, {std::string(200, 'q'), 127}}) {
    STLV_Elemento *element = STLV_AlocaNovoElemento(12, static_cast<int>(data.size()), data.c_str());
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->length, length);
    vl::heap_free_wiped(element, sizeof *element);
  }
}

TEST(StlvBuffer, ReadsHeadersAndElementsUpToTheLengthWord) {
  const std::string header = "HEADERTEXT1\0CODE\0"s;
  const struct { std::string buffer; int result; std::string header, contents; } cases[] = {
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
    EXPECT_EQ(header_bytes(list) + "|" + contents(list), c.header + "|" + c.contents) << c.buffer.substr(4);
    STLV_EsvaziaLista(&list);
  }
}

// Data of 100 to 127 bytes widens the length to three digits; the element still takes only
// 4 + length bytes and the NUL after the last one stays inside the 20 + 4 + length bytes.
TEST(StlvBuffer, ThreeDigitLengthsStayInsideTheirRoom) {
  STLV_Lista list;
  ASSERT_EQ(STLV_CriaListaHeader(&list, "HEADERTEXT1", "CODE"), 1);
  ASSERT_EQ(STLV_AdicionaID(&list, 7, 127, std::string(127, 'd').c_str()), 1);
  std::string buffer(20 + 4 + 127 + 1, 'Z');
  EXPECT_EQ(STLV_MontaBufferFromLista(&list, buffer.data()), 1);
  EXPECT_EQ(buffer.substr(4), "HEADERTEXT1CODE07127" + std::string(126, 'd') + "\0Z"s);
  EXPECT_EQ(STLV_CriaListaFromBuffer(&list, nullptr), 0);
  EXPECT_EQ(list.count, 1) << "refused before the list is touched";
  STLV_EsvaziaLista(&list);
}

}  // namespace

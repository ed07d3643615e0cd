#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "frame/heap.h"
#include "vertalib/tlv.h"

namespace {

// An STLV buffer: the little-endian length word and the text that follows it.
std::string stlv_buffer(const std::string &text) {
  const auto length = static_cast<unsigned int>(text.size());
  std::string buffer(4, '\0');
  for (int i = 0; i < 4; ++i) buffer[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  return buffer + text;
}

std::string ids_in_list_order(const STLV_Lista &list) {
  std::string ids;
  for (const STLV_Elemento *e = list.first; e != nullptr; e = e->next) ids += std::to_string(e->id) + ",";
  return ids;
}

struct Written {
  int result;
  std::string text;  // what follows the length word, up to the NUL after the last element
  int length_word;
};

Written write(STLV_Lista &list) {
  char buffer[1024];
  std::memset(buffer, 'Z', sizeof buffer);
  Written out{STLV_MontaBufferFromLista(&list, buffer), "", 0};
  if (out.result == 1) {
    std::memcpy(&out.length_word, buffer, 4);
    out.text.assign(buffer + 4);
  }
  return out;
}

TEST(StlvRecords, KeepTheirFieldOrder) {
  EXPECT_EQ(offsetof(STLV_Lista, header_text), 0u);
  EXPECT_EQ(offsetof(STLV_Lista, header_code), 12u);
  EXPECT_EQ(offsetof(STLV_Lista, count), 20u);
  EXPECT_EQ(offsetof(STLV_Lista, first), 24u);
  EXPECT_EQ(offsetof(STLV_Elemento, id), 0u);
  EXPECT_EQ(offsetof(STLV_Elemento, length), 4u);
  EXPECT_EQ(offsetof(STLV_Elemento, data), 8u);
  EXPECT_EQ(offsetof(STLV_Elemento, previous), 136u);
  EXPECT_EQ(offsetof(STLV_Elemento, next), 144u);
}

TEST(StlvList, PutsNewElementsInFrontAndWritesThemNewestFirst) {
  STLV_Lista list;
  std::memset(&list, 'Z', sizeof list);
  ASSERT_EQ(STLV_CriaListaHeader(&list, "HEADERTEXT1-cut", "CODEX"), 1);
  // The byte after each field is left alone.
  EXPECT_EQ(std::string(list.header_text, 12), "HEADERTEXT1Z");
  EXPECT_EQ(std::string(list.header_code, 5), "CODEZ");
  STLV_CriaListaHeader(&list, "HEAD", nullptr);
  EXPECT_EQ(std::string(list.header_text, 12), std::string("HEAD\0\0\0\0\0\0\0Z", 12));
  EXPECT_EQ(std::string(list.header_code, 5), std::string("\0\0\0\0Z", 5));
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.first, nullptr);
  STLV_CriaListaHeader(&list, "HEADERTEXT1", "CODE");
  ASSERT_EQ(STLV_AdicionaID(&list, 1, 2, "AB"), 1);
  ASSERT_EQ(STLV_AdicionaID(&list, 2, 3, "CDE"), 1);
  ASSERT_EQ(STLV_AdicionaID(&list, 3, 1, "F"), 1);
  EXPECT_EQ(list.count, 3);
  EXPECT_EQ(ids_in_list_order(list), "3,2,1,");
  EXPECT_EQ(list.first->previous, nullptr);
  EXPECT_EQ(list.first->next->previous, list.first);

  char buffer[64];
  std::memset(buffer, 'Z', sizeof buffer);
  ASSERT_EQ(STLV_MontaBufferFromLista(&list, buffer), 1);
  const std::string expected = stlv_buffer("HEADERTEXT1CODE0301F0203CDE0102AB");
  EXPECT_EQ(std::string(buffer, expected.size()), expected);
  EXPECT_EQ(buffer[expected.size()], '\0');
  EXPECT_EQ(buffer[expected.size() + 1], 'Z');

  // Reading reverses the order once more.
  STLV_Lista reread;
  ASSERT_EQ(STLV_CriaListaFromBuffer(&reread, buffer), 1);
  EXPECT_STREQ(reread.header_text, "HEADERTEXT1");
  EXPECT_STREQ(reread.header_code, "CODE");
  EXPECT_EQ(reread.count, 3);
  EXPECT_EQ(write(reread).text, "HEADERTEXT1CODE0102AB0203CDE0301F");
  EXPECT_EQ(write(reread).length_word, 33);
  EXPECT_EQ(STLV_EsvaziaLista(&list), 1);
  EXPECT_EQ(STLV_EsvaziaLista(&reread), 1);
  EXPECT_EQ(reread.count, 0);
  EXPECT_EQ(reread.first, nullptr);
  EXPECT_STREQ(reread.header_text, "HEADERTEXT1");  // the header stays
}

TEST(StlvList, ReplacesAndRemovesByIdentifier) {
  STLV_Lista list;
  STLV_CriaLista(&list);
  STLV_AdicionaID(&list, 7, 2, "xy");
  STLV_AdicionaID(&list, 5, 6, "LONGER");
  STLV_AdicionaID(&list, 9, 1, "z");
  ASSERT_EQ(STLV_AdicionaID(&list, 5, 3, "abc"), 1);
  EXPECT_EQ(list.count, 3);
  EXPECT_EQ(ids_in_list_order(list), "9,5,7,");  // a changed element keeps its place
  const STLV_Elemento *five = STLV_BuscaLista(&list, 5);
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five->length, 3);
  EXPECT_EQ(std::string(five->data, 7), std::string("abc\0\0\0\0", 7));  // old data cleared

  // Length 0 removes and releases; for an absent identifier it changes nothing.
  ASSERT_EQ(STLV_AdicionaID(&list, 5, 0, "abc"), 1);
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(STLV_BuscaLista(&list, 5), nullptr);
  EXPECT_EQ(STLV_AdicionaID(&list, 42, 0, "abc"), 1);
  EXPECT_EQ(STLV_AdicionaID(&list, 42, -3, "abc"), 1);
  EXPECT_EQ(ids_in_list_order(list), "9,7,");

  // A removed element leaves the list whole and belongs to the caller.
  STLV_Elemento *nine = STLV_RemoveID(&list, 9);
  ASSERT_NE(nine, nullptr);
  EXPECT_EQ(list.count, 1);
  EXPECT_EQ(list.first->id, 7);
  EXPECT_EQ(list.first->previous, nullptr);
  EXPECT_EQ(STLV_RemoveID(&list, 9), nullptr);
  vl::heap_free_wiped(nine, sizeof *nine);

  STLV_EsvaziaLista(&list);
  EXPECT_EQ(STLV_RemoveID(&list, 7), nullptr);
}

TEST(StlvList, RefusalsOfEmptyAndNullLists) {
  EXPECT_EQ(STLV_CriaLista(nullptr), 0);
  EXPECT_EQ(STLV_CriaListaHeader(nullptr, "H", "C"), 0);
  EXPECT_EQ(STLV_CriaListaFromBuffer(nullptr, "\x0f\0\0\0"), 0);
  EXPECT_EQ(STLV_EsvaziaLista(nullptr), 0);

  char buffer[8];
  std::memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(STLV_MontaBufferFromLista(nullptr, buffer), 1);
  STLV_Lista empty;
  STLV_CriaLista(&empty);
  EXPECT_EQ(STLV_MontaBufferFromLista(&empty, buffer), 0);
  EXPECT_EQ(std::string(buffer, 8), "ZZZZZZZZ");  // nothing written either way
}

TEST(StlvList, NewElementsStoreTheTextLengthOfTheirData) {
  STLV_Elemento *element = STLV_AlocaNovoElemento(12, 5, "ab\0de");
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->id, 12);
  EXPECT_EQ(element->length, 2);
  EXPECT_EQ(element->previous, nullptr);
  EXPECT_EQ(element->next, nullptr);
  vl::heap_free_wiped(element, sizeof *element);

  const std::string long_data(200, 'q');
  element = STLV_AlocaNovoElemento(1, 200, long_data.c_str());
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->length, 127);  // the data area keeps 127 characters and a NUL
  EXPECT_EQ(element->data[127], '\0');
  vl::heap_free_wiped(element, sizeof *element);
}

TEST(StlvBuffer, ReadsHeadersAndElementsUpToTheLengthWord) {
  STLV_Lista list;
  // A length word of 15: the header alone, an empty list.
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer("HEADERTEXT1CODE").c_str()), 1);
  EXPECT_EQ(list.count, 0);
  EXPECT_STREQ(list.header_code, "CODE");
  // 14: the header text is copied, then the buffer is refused.
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer("HEADERTEXT1COD").c_str()), 0);
  EXPECT_STREQ(list.header_text, "HEADERTEXT1");
  EXPECT_STREQ(list.header_code, "");
  // Below 11: refused with an empty header.
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer("HEADER").c_str()), 0);
  EXPECT_STREQ(list.header_text, "");
  // A header text with a NUL stops copying at the NUL.
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer(std::string("HEAD\0ERTEXT", 11) + "CODE").c_str()), 1);
  EXPECT_EQ(std::string(list.header_text, 12), std::string("HEAD\0\0\0\0\0\0\0\0", 12));

  // A repeated identifier replaces the data, a length of 0 deletes, a non-digit pair reads 0.
  const std::string text = "HEADERTEXT1CODE" "0103abc" "0202xy" "0102de" "0200" "x105hello";
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer(text).c_str()), 1);
  EXPECT_EQ(ids_in_list_order(list), "0,1,");
  EXPECT_STREQ(STLV_BuscaLista(&list, 1)->data, "de");
  EXPECT_EQ(STLV_BuscaLista(&list, 1)->length, 2);
  EXPECT_STREQ(STLV_BuscaLista(&list, 0)->data, "hello");
  STLV_EsvaziaLista(&list);

  // Data that runs past the length word is taken only as far as the text goes; two digit
  // pairs that do not fit end the reading.
  std::string cut = stlv_buffer("HEADERTEXT1CODE" "0109abc");
  cut += "defghi";  // bytes beyond the length word
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, cut.c_str()), 1);
  EXPECT_STREQ(STLV_BuscaLista(&list, 1)->data, "abc");
  STLV_EsvaziaLista(&list);
  ASSERT_EQ(STLV_CriaListaFromBuffer(&list, stlv_buffer("HEADERTEXT1CODE" "0102ab" "03").c_str()), 1);
  EXPECT_EQ(ids_in_list_order(list), "1,");
  STLV_EsvaziaLista(&list);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/fields.h"

namespace {

TEST(ElementRecords, KeepTheirFieldOffsets) {
  EXPECT_EQ(offsetof(ElementoID, id), 0u);
  EXPECT_EQ(offsetof(ElementoID, length), 4u);
  EXPECT_EQ(offsetof(ElementoID, data), 8u);
  EXPECT_EQ(offsetof(ElementoTXT, tag_length), 0u);
  EXPECT_EQ(offsetof(ElementoTXT, tag), 4u);
  EXPECT_EQ(offsetof(ElementoTXT, value_length), 1004u);
  EXPECT_EQ(offsetof(ElementoTXT, value), 1008u);
}

// A record whose every byte starts as 'Z', so the bytes an export leaves alone show.
struct Record : ElementoID {
  Record() { std::memset(static_cast<ElementoID *>(this), 'Z', sizeof(ElementoID)); }
  int numeric_id() const { int v; std::memcpy(&v, id, 4); return v; }
  std::string bytes(size_t count) const { return std::string(data, count); }
};

TEST(MontaBuffer, WritesElementsWithoutTerminatorAndRefusesWhatDoesNotFit) {
  Patterned<12> out;
  int size = 12, total = 5;
  EXPECT_EQ(MontaBuffer_ID_Str(12, 3, 3, 2, "ABCDEF", out.bytes, &size, &total), 1);
  EXPECT_EQ(out.all(), with("01203ABC", 8, 12));
  EXPECT_EQ(size, 8);
  EXPECT_EQ(total, 13);
  const struct { int id, idWidth, length, space; const char *data; } refused[] = {
      {1234, 3, 3, 12, "ABC"}, {12, 3, 3, 7, "ABC"}, {12, 3, 100, 12, "ABC"},
      {12, 3, 0, 12, ""}, {7, 0, 3, 12, "ABC"}, {12, 3, 3, 12, nullptr}};
  for (const auto &r : refused) {
    size = r.space;
    EXPECT_EQ(MontaBuffer_ID_Str(r.id, r.idWidth, r.length, 2, r.data, out.bytes, &size, &total), 0);
    EXPECT_EQ(size + total, 13) << "size 0, total as it was";
  }
  size = 5;
  EXPECT_EQ(MontaBuffer_ID_Str(0, 0, 3, 2, "XYZ", out.bytes, &size, nullptr), 1);
  EXPECT_EQ(out.all(), with("03XYZABC", 8, 12)) << "no identifier for width 0";
  EXPECT_EQ(MontaBuffer_ID_Int(1, 2, 4, 2, 12345, out.bytes, &size, nullptr), 0);
  EXPECT_EQ(size, 5) << "a value too wide for its width leaves the size";
  EXPECT_EQ(MontaBuffer_ID_Int(5, 2, 0, 2, 0, out.bytes, &size, nullptr), 1);
  EXPECT_EQ(out.all(), with("0500ZABC", 8, 12)) << "value 0 at width 0: an element without data";
  size = 12;
  EXPECT_EQ(MontaBuffer_ID_Int(1, 2, 4, 2, 7, out.bytes, &size, nullptr), 1);
  EXPECT_EQ(out.all(), with("01040007", 8, 12));
  size = 12;
  EXPECT_EQ(MontaBuffer_ID_Int(1, 2, 1, 2, -5, out.bytes, &size, nullptr), 1) << "a sign is no digit";
  EXPECT_EQ(out.all(), with("0101-007", 8, 12));
}

TEST(MontaBuffer, AppendsUntilTheBufferIsFull) {
  Patterned<24> buffer;
  int size = 20, used = 0;
  EXPECT_EQ(MontaBuffer_ID_StrEx(1, 2, 5, 2, "HELLO", buffer.bytes, &size, &used), 1);
  EXPECT_EQ(size, 11) << "the space left";
  size = 20;
  EXPECT_EQ(MontaBuffer_ID_StrEx(2, 2, 5, 2, "WORLD", buffer.bytes, &size, &used), 1);
  size = 20;
  EXPECT_EQ(MontaBuffer_ID_StrEx(3, 2, 5, 2, "AGAIN", buffer.bytes, &size, &used), 0);
  EXPECT_EQ(used, 18);
  EXPECT_EQ(size, 2);
  EXPECT_EQ(buffer.all(), with("0105HELLO0205WORLD", 18, 24));
}

TEST(MontaBitID, WritesTheLastDigitsAndLeavesWideFieldsTails) {
  Patterned<16> out;
  MontaBitID(12, 3, 2, 3, "ABCDEF", out.bytes);
  MontaBitID(123456, 7, 1, 2, "XY", out.bytes);
  EXPECT_EQ(out.all(), with("23456AB2XY", 10, 16)) << "positions 5 and 6 of the identifier kept";
}

TEST(ElementParsers, ReadNumericIdentifiersInEitherArrangement) {
  Record r;
  BufID2Elemento("012005HELLOxyz", 3, 3, 0, &r);
  EXPECT_EQ(r.numeric_id(), 12);
  EXPECT_EQ(r.length, 5);
  EXPECT_EQ(r.bytes(6), "HELLOZ") << "no terminator";
  BufID2Elemento(("1999" + std::string(1000, 'd')).c_str(), 1, 3, 0, &r);
  EXPECT_EQ(r.bytes(996), std::string(995, 'd') + "Z") << "999 - idWidth - lenWidth bytes copied";
  BufID2Elemento("008012HELLOxyz", 3, 3, 1, &r);
  EXPECT_EQ(r.numeric_id(), 12);
  EXPECT_EQ(r.length, 5) << "the length leads and counts the identifier";
  EXPECT_EQ(r.bytes(7), std::string("HELLO\0d", 7));
  for (auto [text, arrangement] : {std::pair{"002012HELLO", 1}, {"099012AB", 1}, {"008012HELLO", 2}}) {
    Record c;
    BufID2Elemento(text, 3, 3, arrangement, &c);
    EXPECT_EQ(c.numeric_id() + c.length, 0) << text;
    EXPECT_EQ(c.bytes(999), std::string(999, '\0')) << text;
  }
  Record b;
  BitID2Elemento("12345670003ABCdef", 7, 4, &b);
  EXPECT_EQ(b.numeric_id(), 0) << "a field wider than 6 reads 0";
  EXPECT_EQ(b.length, 3);
  EXPECT_EQ(b.bytes(4), "ABCZ");
}

const char kRun[] = "01003ABC02002XY03001Z";  // idWidth 2, lenWidth 3, 21 bytes

TEST(FindElementoID, FindsByIdentifierCharactersWithinTheRun) {
  for (auto find : {FindElementoID, FindElementoIDEx}) {
    Record r;
    EXPECT_EQ(find(2, 2, 3, 21, kRun, &r), 1);
    EXPECT_EQ(std::string(r.id, 4), std::string("02\0\0", 4));
    EXPECT_EQ(r.length, 2);
    EXPECT_EQ(r.bytes(999), "XY" + std::string(997, '\0'));
    EXPECT_EQ(find(3, 2, 3, 21, kRun, &r), 1);
    EXPECT_EQ(find(4, 2, 3, 21, kRun, &r), 0);
    EXPECT_EQ(find(2, 5, 3, 21, kRun, &r), 0);
  }
  Record r;
  EXPECT_EQ(FindElementoIDEx(3, 2, 3, 20, kRun, &r), 0) << "the last data passes the run";
  EXPECT_EQ(r.bytes(3), std::string("XY\0", 3)) << "the last element examined";
  EXPECT_EQ(FindElementoIDEx(2, 2, 3, 13, "01003ABC02000", &r), 0) << "a header ending at the run's end";
}

TEST(FindFirstElementoID, WalksTheRunElementByElement) {
  Record r;
  int position = 0;
  std::string seen;
  while (FindFirstElementoID(2, 3, 21, kRun, &r, &position) == 1) seen += std::string(r.id, 2) + r.data + ";";
  EXPECT_EQ(seen, "01ABC;02XY;03Z;");
  EXPECT_EQ(position, 21);
  position = -1;
  EXPECT_EQ(FindFirstElementoID(2, 3, 21, kRun, &r, &position), 0);
  EXPECT_EQ(position, -1);
}

TEST(FindElementoTXT, MatchesTagsOfEitherArrangement) {
  ElementoTXT t;
  std::memset(&t, 'Z', sizeof t);
  EXPECT_EQ(FindElementoTXT_Safra("ABC", 3, 19, "13ABC15HELLO12XY11Z", &t), 1);
  EXPECT_EQ(t.tag_length, 3);
  EXPECT_EQ(t.value_length, 5);
  EXPECT_EQ(std::string(t.tag, 1000), "ABC" + std::string(996, '\0') + "Z") << "999 tag bytes cleared";
  EXPECT_EQ(std::string(t.value, 999), "HELLO" + std::string(994, '\0'));
  const char fixed[] = "03ABC05HELLO02XY01Z";
  EXPECT_EQ(FindElementoTXT("XYZ", 2, 19, fixed, 2, 0, &t), 1) << "the key cut to 2";
  EXPECT_EQ(std::string(t.value, 2), std::string("Z\0", 2));
  EXPECT_EQ(FindElementoTXT("XY", 99, 19, fixed, 2, 0, &t), 1) << "the key's text length";
  EXPECT_EQ(FindElementoTXT("QQ", 2, 19, fixed, 2, 0, &t), 0);
  EXPECT_EQ(FindElementoTXT("A", 1, 5, "xxxxx", 0, 0, &t), 0) << "zero widths must not stall";
}

TEST(GetDadoFromBuffer, CopiesCountBytesAfterOrFromTheKey) {
  Patterned<12> out;
  int size = 10;
  EXPECT_EQ(GetDadoFromBuffer("NSU=123456;X", "NSU=", out.bytes, &size, 6, 0), 1);
  EXPECT_EQ(out.all(), with("123456\0\0\0\0", 10, 12));
  EXPECT_EQ(size, 6);
  EXPECT_EQ(GetDadoFromBuffer("NSU=123456;X", "NSU=", out.bytes, &size, 6, 1), 1);
  EXPECT_EQ(out.all(), with("NSU=12\0\0\0\0", 10, 12)) << "only the 6 bytes given are cleared";
  size = 5;
  for (const char *text : {"NSU=123456;X", "NSU=", "ABC=123456"})
    EXPECT_EQ(GetDadoFromBuffer(text, "NSU=", out.bytes, &size, 5 + (text[0] == 'N'), 0), 0) << text;
  EXPECT_EQ(out.all(), with("NSU=12\0\0\0\0", 10, 12));
}

}  // namespace

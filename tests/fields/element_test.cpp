#include <gtest/gtest.h>
#include <vector>

#include <cstddef>
#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/fields.h"

namespace {

using namespace std::string_literals;

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
  // "identifier/length/first count data bytes", the identifier as an int or as its 4 bytes
  std::string shown(size_t count, bool numeric = true) const {
    int v;
    std::memcpy(&v, id, 4);
    return (numeric ? std::to_string(v) : std::string(id, 4)) + "/" + std::to_string(length) + "/" +
           std::string(data, count);
  }
};

TEST(MontaBuffer, WritesOneElementWithoutTerminatorOrRefuses) {
  // refused: identifier digits, space, length digits (fits the space), empty data, a digit
  // at width 0, null data; a refusal leaves the output alone and the size 0
  const struct { int id, idWidth, length, lenWidth, space; const char *data, *written; } cases[] = {
      {12, 3, 3, 2, 12, "ABCDEF", "01203ABC"}, {0, 0, 3, 2, 5, "XYZ", "03XYZ"},
      {1234, 3, 3, 2, 12, "ABC", ""}, {12, 3, 3, 2, 7, "ABC", ""}, {12, 3, 10, 1, 14, "ABCDEFGHIJ", ""},
      {12, 3, 0, 2, 12, "", ""}, {7, 0, 3, 2, 12, "ABC", ""}, {12, 3, 3, 2, 12, nullptr, ""}};
  for (const auto &c : cases) {
    Patterned<16> out;
    int size = c.space, total = 5;
    const int n = static_cast<int>(std::strlen(c.written));
    SCOPED_TRACE(std::to_string(c.id) + " " + std::to_string(c.length) + " in " + std::to_string(c.space));
    const int done = MontaBuffer_ID_Str(c.id, c.idWidth, c.length, c.lenWidth, c.data, out.bytes, &size, &total);
    EXPECT_EQ(done, n > 0 ? 1 : 0);
    EXPECT_EQ(out.all(), with(c.written, n, 16));
    EXPECT_EQ(size, n);
    EXPECT_EQ(total, 5 + n);
  }
  // A value as the data, zero-filled to its width; a sign is not a digit.
  const struct { int value, width; const char *written; int size; } values[] = {
      {7, 4, "01040007", 8}, {0, 0, "0100", 4}, {-5, 1, "0101-", 5}, {12345, 4, "", 10}};
  for (const auto &v : values) {
    Patterned<10> out;
    int size = 10;
    EXPECT_EQ(MontaBuffer_ID_Int(1, 2, v.width, 2, v.value, out.bytes, &size, nullptr), v.size < 10 ? 1 : 0)
        << v.value;
    EXPECT_EQ(out.all(), with(v.written, std::strlen(v.written), 10)) << v.value;
    EXPECT_EQ(size, v.size) << v.value << ": a refused value leaves the size";
  }
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
  EXPECT_EQ(size, 2) << "the space left, also after a refusal";
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
  EXPECT_EQ(r.shown(6), "12/5/HELLOZ") << "no terminator";
  BufID2Elemento(("1999" + std::string(1000, 'd')).c_str(), 1, 3, 0, &r);
  EXPECT_EQ(r.shown(996), "1/999/" + std::string(995, 'd') + "Z") << "999 - idWidth - lenWidth bytes";
  BufID2Elemento("008012HELLOxyz", 3, 3, 1, &r);
  EXPECT_EQ(r.shown(7), "12/5/HELLO\0d"s) << "the length leads and counts the identifier";
  // stored length negative, text shorter than the data, an unknown arrangement
  for (auto [text, arrangement] : {std::pair{"002012HELLO", 1}, {"099012AB", 1}, {"008012HELLO", 2}}) {
    Record c;
    BufID2Elemento(text, 3, 3, arrangement, &c);
    EXPECT_EQ(c.shown(999), "0/0/" + std::string(999, '\0')) << text;
  }
  BitID2Elemento("12345670003ABCdef", 7, 4, &r);
  EXPECT_EQ(r.shown(4), "0/3/ABCL") << "a field wider than 6 reads 0; no terminator";
}

const char kRun[] = "01003ABC02002XY03001Z";  // idWidth 2, lenWidth 3, 21 bytes

// The fuzz target checks the bounded search and the walker against each other on any run.
TEST(ElementSearch, FindsByIdentifierCharactersAndWalksTheRun) {
  for (auto find : {FindElementoID, FindElementoIDEx}) {
    Record r;
    EXPECT_EQ(find(2, 2, 3, 21, kRun, &r), 1);
    EXPECT_EQ(r.shown(999, false), "02\0\0/2/XY"s + std::string(997, '\0')) << "data cleared";
    EXPECT_EQ(find(3, 2, 3, 21, kRun, &r), 1) << "the last element ends at the run's end";
    EXPECT_EQ(find(4, 2, 3, 21, kRun, &r), 0);
    EXPECT_EQ(find(2, 5, 3, 21, kRun, &r), 0);
  }
  Record r;
  int position = 0;
  std::string seen;
  while (FindFirstElementoID(2, 3, 21, kRun, &r, &position) == 1) seen += r.shown(3, false) + ";";
  EXPECT_EQ(seen, "01\0\0/3/ABC;02\0\0/2/XY\0;03\0\0/1/Z\0\0;"s);
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
  size = 5;  // below the count, text not longer than the key, key absent
  for (const char *text : {"NSU=123456;X", "NSU=", "ABC=123456"})
    EXPECT_EQ(GetDadoFromBuffer(text, "NSU=", out.bytes, &size, 5 + (text[0] == 'N'), 0), 0) << text;
  EXPECT_EQ(out.all(), with("NSU=12\0\0\0\0", 10, 12));
}

// Inputs in exactly-sized heap blocks, so that a read past them is caught by the sanitizers.
TEST(ElementsOutsideTheContract, NothingPastTheTextOrTheRunIsRead) {
  // Arrangement 1 measures the text from its start: "0100201234" passes for 8 data bytes,
  // of which only 5 follow the header; the other 3 are stored as NULs.
  const std::string text = "0100201234";
  std::vector<char> exact(text.begin(), text.end());
  exact.push_back('\0');
  ElementoID element;
  std::memset(&element, '#', sizeof element);
  BufID2Elemento(exact.data(), 2, 3, 1, &element);
  EXPECT_EQ(element.length, 8);
  EXPECT_EQ(std::string(element.data, 10), "01234\0\0\0\0#"s);

  // Runs of exactly runLength bytes whose parts claim more than the run holds.
  ElementoTXT txt;
  const std::pair<std::string, int> runs[] = {{"9", 1}, {"13ABC15HELLO", 2}, {"13ABC15HELL", 1}};
  for (const auto &[run, width] : runs) {
    std::vector<char> bytes(run.begin(), run.end());
    EXPECT_EQ(FindElementoTXT("ABC", 3, static_cast<int>(bytes.size()), bytes.data(), width, 1, &txt), 0)
        << run;
  }
  std::vector<char> whole = {'1', '3', 'A', 'B', 'C', '1', '5', 'H', 'E', 'L', 'L', 'O'};
  EXPECT_EQ(FindElementoTXT_Safra("ABC", 3, 12, whole.data(), &txt), 1);
  EXPECT_EQ(std::string(txt.value, static_cast<size_t>(txt.value_length)), "HELLO");
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "support/sentinel.h"
#include "vertalib/fields.h"

namespace {

using namespace std::string_literals;

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
  // Refused: identifier digits, space, length digits, empty data, a digit at width 0, no data.
  const struct { int id, idWidth, length, lenWidth, space; const char *data, *shown; } cases[] = {
      {12, 3, 3, 2, 12, "ABCDEF", "01203ABC## -> 1 8 13"}, {0, 0, 3, 2, 5, "XYZ", "03XYZ##### -> 1 5 10"},
      {1234, 3, 3, 2, 12, "ABC", ""}, {12, 3, 3, 2, 7, "ABC", ""}, {12, 3, 10, 1, 14, "ABCDEFGHIJ", ""},
      {12, 3, 0, 2, 12, "", ""}, {7, 0, 3, 2, 12, "ABC", ""}, {12, 3, 3, 2, 12, nullptr, ""}};
  for (const auto &c : cases) {
    int size = c.space, total = 5;
    const std::string bytes =
        TEXT_OF(10, MontaBuffer_ID_Str(c.id, c.idWidth, c.length, c.lenWidth, c.data, o, &size, &total));
    EXPECT_EQ(bytes + " " + std::to_string(size) + " " + std::to_string(total),
              *c.shown ? c.shown : "########## -> 0 0 5") << c.id << " " << c.length << " in " << c.space;
  }
  // A value zero-filled to its width; a sign is not a digit; a refused value leaves the size.
  const struct { int value, width; const char *shown; } values[] = {
      {7, 4, "01040007## -> 1 8"}, {0, 0, "0100###### -> 1 4"}, {-5, 1, "0101-##### -> 1 5"},
      {12345, 4, "########## -> 0 10"}};
  for (const auto &v : values) {
    int size = 10;
    const std::string bytes = TEXT_OF(10, MontaBuffer_ID_Int(1, 2, v.width, 2, v.value, o, &size, nullptr));
    EXPECT_EQ(bytes + " " + std::to_string(size), v.shown) << v.value;
  }
  // Appending: the space left after each element, also after a refusal.
  Patterned<24> buffer;
  int size = 20, used = 0;
  const int appended[][2] = {
      {MontaBuffer_ID_StrEx(1, 2, 5, 2, "HELLO", buffer.bytes, &size, &used), 1}, {size, 11},
      {MontaBuffer_ID_StrEx(2, 2, 5, 2, "WORLD", buffer.bytes, &(size = 20), &used), 1},
      {MontaBuffer_ID_StrEx(3, 2, 5, 2, "AGAIN", buffer.bytes, &(size = 20), &used), 0}, {size, 2}, {used, 18}};
  vl::test::expect_rows(appended);
  EXPECT_EQ(buffer.all(), with("0105HELLO0205WORLD", 18, 24));
  // MontaBitID writes the last digits and leaves a wide field's tail.
  EXPECT_EQ(written([](char *o) { MontaBitID(12, 3, 2, 3, "ABCDEF", o); MontaBitID(123456, 7, 1, 2, "XY", o); }),
            "23456AB2XY") << "positions 5 and 6 of the identifier kept";
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
  // Arrangement 1 measures the text from its start: "0100201234" passes for 8 data bytes, of
  // which 5 follow the header; nothing past its NUL (nor past the exactly-sized block) is read.
  const char text[] = "0100201234\0XYZ";
  std::vector<char> exact(text, text + sizeof text);
  Record element;
  BufID2Elemento(exact.data(), 2, 3, 1, &element);
  EXPECT_EQ(element.shown(10), "2/8/01234\0\0\0\0Z"s);
}

const char kRun[] = "01003ABC02002XY03001Z";  // idWidth 2, lenWidth 3, 21 bytes

// The fuzz target checks the bounded search and the walker against each other on any run.
TEST(ElementSearch, FindsByIdentifierCharactersAndWalksTheRun) {
  for (auto find : {FindElementoID, FindElementoIDEx}) {
    Record r;
    EXPECT_EQ(find(2, 2, 3, 21, kRun, &r), 1);
    EXPECT_EQ(r.shown(999, false), "02\0\0/2/XY"s + std::string(997, '\0')) << "data cleared";
    EXPECT_EQ(find(3, 2, 3, 21, kRun, &r), 1) << "the last element ends at the run's end";
    EXPECT_EQ(find(4, 2, 3, 21, kRun, &r) + find(2, 5, 3, 21, kRun, &r), 0) << "absent; wider than 4";
  }
  Record r;
  int position = 0;
  std::string seen;
  while (FindFirstElementoID(2, 3, 21, kRun, &r, &position) == 1) seen += r.shown(3, false) + ";";
  EXPECT_EQ(seen + std::to_string(position), "01\0\0/3/ABC;02\0\0/2/XY\0;03\0\0/1/Z\0\0;21"s);
  const int refused[][2] = {{FindFirstElementoID(2, 3, 21, kRun, &r, &(position = -1)), 0}, {position, -1}};
  vl::test::expect_rows(refused);
}

TEST(FindElementoTXT, MatchesTagsOfEitherArrangementWithinTheRun) {
  ElementoTXT t;
  std::memset(&t, 'Z', sizeof t);
  EXPECT_EQ(FindElementoTXT_Safra("ABC", 3, 19, "13ABC15HELLO12XY11Z", &t), 1);
  EXPECT_EQ(std::to_string(t.tag_length) + "/" + std::to_string(t.value_length), "3/5");
  EXPECT_EQ(std::string(t.tag, 1000), "ABC" + std::string(996, '\0') + "Z") << "999 tag bytes cleared";
  EXPECT_EQ(std::string(t.value, 999), "HELLO" + std::string(994, '\0'));
  const char fixed[] = "03ABC05HELLO02XY01Z";
  EXPECT_EQ(FindElementoTXT("XYZ", 2, 19, fixed, 2, 0, &t), 1) << "the key cut to 2";
  EXPECT_EQ(std::string(t.value, 2), std::string("Z\0", 2));
  EXPECT_EQ(FindElementoTXT("XY", 99, 19, fixed, 2, 0, &t), 1) << "the key's text length";
  EXPECT_EQ(FindElementoTXT("QQ", 2, 19, fixed, 2, 0, &t) + FindElementoTXT("A", 1, 5, "xxxxx", 0, 0, &t), 0)
      << "absent; zero widths must not stall";
  // Runs in exactly-sized heap blocks (a read past them shows under the sanitizers): parts
  // that claim more than the run holds are refused, a whole run is read to its last byte.
  const std::tuple<std::string, int, std::string> runs[] = {
      {"9", 1, "0"}, {"13ABC15HELLO", 2, "0"}, {"13ABC15HELL", 1, "0"}, {"13ABC15HELLO", 1, "1 HELLO"}};
  for (const auto &[run, width, found] : runs) {
    std::vector<char> bytes(run.begin(), run.end());
    const int result = FindElementoTXT("ABC", 3, static_cast<int>(bytes.size()), bytes.data(), width, 1, &t);
    EXPECT_EQ(result ? "1 " + std::string(t.value, static_cast<size_t>(t.value_length)) : "0", found) << run;
  }
}

TEST(GetDadoFromBuffer, CopiesCountBytesAfterOrFromTheKey) {
  int sizes[] = {10, 6, 5, 5, 5};  // refused: below the count, text not longer than the key, no key
  const std::string cases[][2] = {
      {TEXT_OF(11, GetDadoFromBuffer("NSU=123456;X", "NSU=", o, &sizes[0], 6, 0)), "123456\0\0\0\0# -> 1"s},
      {std::to_string(sizes[0]), "6"},
      {TEXT_OF(7, GetDadoFromBuffer("NSU=123456;X", "NSU=", o, &sizes[1], 6, 1)), "NSU=12# -> 1"},
      {TEXT_OF(1, GetDadoFromBuffer("NSU=123456;X", "NSU=", o, &sizes[2], 6, 0)), "# -> 0"},
      {TEXT_OF(1, GetDadoFromBuffer("NSU=", "NSU=", o, &sizes[3], 5, 0)), "# -> 0"},
      {TEXT_OF(1, GetDadoFromBuffer("ABC=123456", "NSU=", o, &sizes[4], 5, 0)), "# -> 0"},
  };
  vl::test::expect_rows(cases);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/fields.h"

namespace {

using namespace std::string_literals;

std::string bytes(const void *data, size_t count) { return std::string(static_cast<const char *>(data), count); }

TEST(TtllValue, FindsTheTagAndKeepsTheOutputBounds) {
  // The maximum length bounds only the walk: an element starting inside it is read in full,
  // as far as the text goes. A value needs room for its NUL; a refusal for room clears
  // only the first byte, any other refusal touches nothing.
  const char two[] = "001003ABC002005HELLO";
  const struct { const char *text; unsigned max; int tag, size, result; std::string written; } cases[] = {
      {"001003ABC@20C0012345678901234567890", 99, 20, 32, 20, "12345678901234567890\0"s},  // '@20', 'C..'
      {"001003ABC", 9, 1, 4, 3, "ABC\0"s}, {"001003ABC", 9, 1, 3, 0, "\0"s}, {two, 99, 1, -1, 0, "\0"s},
      {two, 13, 2, 8, 5, "HELLO\0"s}, {"001009ABC", 99, 1, 12, 3, "ABC\0"s}, {two, 12, 2, 8, 0, ""},
      {two, 6, 1, 8, 0, ""}, {two, 99, 3, 8, 0, ""}, {two, 99, 1001, 8, 0, ""}, {"001-90ABC", 99, 1, 8, 0, ""}};
  for (const auto &c : cases) {
    const std::string got = TEXT_OF(32, GetValueFromTTTLLLValue(c.text, c.max, c.tag, o, c.size));
    EXPECT_EQ(got, with(c.written.data(), c.written.size(), 32) + " -> " + std::to_string(c.result))
        << c.text << " " << c.max << " " << c.tag;
  }
  // The fuzz target covers the other widths' walk and bounds.
  EXPECT_EQ(written<8>([](char *o) { return GetValueFromTTTLLLValueEx("TAG102ABTAG203XYZ", 99, "TAG2", 4, 2, o, 8); }),
            "3 XYZ\0"s);
  // Removing takes every element of the tag within the length, and needs more than a header.
  unsigned int length = 24;
  EXPECT_EQ(written<32>([&](char *t) { return RemoveTTTLLLValueFromBuffer(t, &length, "001", 3, 3); },
                        "001002AB002001X001003CDE"), "1 002001X" + std::string(18, '\0'));
  EXPECT_EQ(length, 7u);
  char header_only[] = "001002AB";
  length = 6;
  EXPECT_EQ(RemoveTTTLLLValueFromBuffer(header_only, &length, "001", 3, 3), 0) << "no more than a header";
  EXPECT_EQ(length, 6u);
}

TEST(AcquirerSubfields, CopiesWithinTheirBoundsOrRefuse) {
  const char bradesco[] = "005ABxyz004CDqq", ticket[] = "XXT001003ABCT002002DE";
  const char reserved[] = "@A=1@NSUSERVHOST=123456789012345@B=2", ex[] = "@NSUSERVHOST=98765@B=2";
  int room = 20, less = 14, six = 6;
  const std::string cases[][2] = {
      {TEXT_OF(4, GetSubcampoBradesco("AB", o, 8, bradesco, 15)), "xyz# -> 3"},  // no terminator
      {TEXT_OF(2, GetSubcampoBradesco("CD", o, 1, bradesco, 15)), "q# -> 1"},
      {TEXT_OF(2, GetSubcampoBradesco("CD", o, 8, bradesco, 14)), "q# -> 1"},  // cut at the text length
      {TEXT_OF(1, GetSubcampoBradesco("CD", o, 8, "001XY004CDqq", 12)), "# -> 0"},  // length below 2
      {TEXT_OF(1, GetSubcampoBradesco("EF", o, 8, bradesco, 15)), "# -> 0"},
      {TEXT_OF(3, GetSubcampoTicketLog(o, nullptr, "T002", 5, ticket, 12)), "DE# -> 1"},
      {TEXT_OF(1, GetSubcampoTicketLog(o, nullptr, "T002", 5, ticket, 11)), "# -> 0"},  // starts too late
      {TEXT_OF(1, GetSubcampoTicketLog(o, nullptr, "T002", 1, ticket, 12)), "# -> 0"},  // value too long
      {TEXT_OF(1, GetSubcampoTicketLog(o, nullptr, "T001", 9, "T001009AB", 0)), "# -> 0"},  // text ends
      {TEXT_OF(21, GetNSUServHostFromReservado2(reserved, o, &room)), "123456789012345\0\0\0\0\0# -> 1"s},
      {std::to_string(room), "15"},
      {TEXT_OF(1, GetNSUServHostFromReservado2(reserved, o, &less)), "# -> 0"},
      {TEXT_OF(7, GetDadoFromReservado("@K=12", "@K=", o, &six, 5)), "12\0\0\0\0# -> 1"s},  // text ends first
      {TEXT_OF(1, GetDadoFromReservado("@K=", "@K=", o, &six, 0)), "# -> 0"},  // not longer than the key
      {TEXT_OF(7, GetDadoFromReservadoEx(ex, "@NSUSERVHOST=", o, 8)), "98765\0# -> 5"s},
      {TEXT_OF(4, GetDadoFromReservadoEx(ex, "@NSUSERVHOST=", o, 3)), "987# -> 3"},  // no NUL at the maximum
      {TEXT_OF(1, GetDadoFromReservadoEx(ex, "@C=", o, 8)), "# -> 0"},
  };
  vl::test::expect_rows(cases);
  // A code straddling two slots, or in a last slot that is not whole, is not in the list.
  const int slots[][2] = {{CheckParamConfTicketLog("CCC", "AAABBBCCC", 9), 1},
      {CheckParamConfTicketLog("ABB", "AAABBBCCC", 9), 0}, {CheckParamConfTicketLog("CCC", "AAABBBCCC", 8), 0}};
  vl::test::expect_rows(slots);
}

// An element before "0115", then three goods descriptions of 15 characters.
constexpr char kGoods[] = "00010001x" "01150045" "0099 OLEO      " "123  FEIJAO    " "00123ARROZ     ";

TEST(TicketElements, EdenredElementAndGoodsDescriptions) {
  const char text[] = "00010003abc01150004wxyz";
  ElementoID element;
  std::memset(&element, '#', sizeof element);
  EXPECT_EQ(FindElementoID_TicketEdenred("0115", 22, text, &element), 1);
  EXPECT_EQ(bytes(element.id, 4) + "/" + std::to_string(element.length) + "/" + bytes(element.data, 4), "0115/4/wxy#")
      << "data cut at the text length";
  EXPECT_EQ(FindElementoID_TicketEdenred("0002", 23, text, &element) +
                FindElementoID_TicketEdenred("0115", 18, text, &element), 0) << "absent; header cut";

  DescMercadorias goods;
  std::memset(&goods, '#', sizeof goods);
  EXPECT_EQ(FindDescMercadoriasAutTicketCar(&goods, kGoods, 62), &goods);
  EXPECT_EQ(bytes(goods.id, 4) + std::to_string(goods.count) + bytes(goods.descriptions, 46),
            "01153" + std::string(kGoods + 17, 45) + '\0');
  const std::string shorter = std::string(kGoods).replace(13, 4, "0044");
  EXPECT_EQ(FindDescMercadoriasAutTicketCar(&goods, shorter.c_str(), 61)->count, 2);
  EXPECT_EQ(bytes(&goods.descriptions[2], 15), std::string(15, '\0'));
  FindDescMercadoriasAutTicketCar(&goods, kGoods, 16);
  EXPECT_EQ(bytes(&goods, sizeof goods), std::string(sizeof goods, '\0'));
  // codes compare by value: 00123 matches "123  " before "00123"; 2 of "9912" is 99
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "00123", 5).text, 15), "123  FEIJAO    ");
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "9912", 2).text, 15), "0099 OLEO      ");
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "7", 1).text, 15), std::string(15, '\0'));
}

TEST(ParamItem, AnswersInTheSharedBuffer) {
  const auto item = [](const char *text, const char *name) {
    const char *found = GetParamItem(text, name, '=');
    return found == nullptr ? "null"s : found;
  };
  const char *port = GetParamItem("PORTA=8080 HOST=abc", "PORTA", '=');
  const std::string long_item = "K=" + std::string(300, 'v');
  const std::string cases[][2] = {
      {port, "8080"}, {item("PORTA=8080 HOST=abc", "HOST") + port, "abcabc"},  // one shared buffer
      {item("PORTA=8080", "HOST") + port, "null"},  // every call clears the buffer first
      {item("A= = =  x y", "A"), "x"}, {item("PORTA 8080", "PORTA"), "null"}, {item("PORTA= = ", "PORTA"), "null"},
      {item(long_item.c_str(), "K"), std::string(255, 'v')},
  };
  vl::test::expect_rows(cases);
}

}  // namespace

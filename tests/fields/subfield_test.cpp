#include <gtest/gtest.h>

#include <cstddef>
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
    Patterned<32> out;
    SCOPED_TRACE(std::string(c.text) + " max " + std::to_string(c.max) + " tag " + std::to_string(c.tag));
    EXPECT_EQ(GetValueFromTTTLLLValue(c.text, c.max, c.tag, out.bytes, c.size), c.result);
    EXPECT_EQ(out.all(), with(c.written.data(), c.written.size(), 32));
  }
  Patterned<8> wide;  // the fuzz target covers the other widths' walk and bounds
  EXPECT_EQ(GetValueFromTTTLLLValueEx("TAG102ABTAG203XYZ", 99, "TAG2", 4, 2, wide.bytes, 8), 3);
  EXPECT_EQ(wide.all(), with("XYZ", 4, 8));
}

TEST(TtllRemove, RemovesEveryElementOfTheTagWithinTheLength) {
  Patterned<32> b("001002AB002001X001003CDE");
  unsigned int length = 24;
  EXPECT_EQ(RemoveTTTLLLValueFromBuffer(b.bytes, &length, "001", 3, 3), 1);
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(b.all(), "002001X" + std::string(18, '\0') + std::string(7, '#'));
  char header_only[] = "001002AB";
  length = 6;
  EXPECT_EQ(RemoveTTTLLLValueFromBuffer(header_only, &length, "001", 3, 3), 0) << "no more than a header";
  EXPECT_EQ(length, 6u);
}

TEST(AcquirerSubfields, BradescoCopiesWithoutTerminator) {
  const char text[] = "005ABxyz004CDqq";
  Patterned<8> out;
  EXPECT_EQ(GetSubcampoBradesco("AB", out.bytes, 8, text, 15), 3);
  EXPECT_EQ(out.all(), with("xyz", 3, 8));
  EXPECT_EQ(GetSubcampoBradesco("CD", out.bytes, 1, text, 15), 1);
  EXPECT_EQ(out.all(), with("qyz", 3, 8));
  EXPECT_EQ(GetSubcampoBradesco("CD", out.bytes, 8, text, 14), 1) << "cut at the text length";
  EXPECT_EQ(GetSubcampoBradesco("CD", out.bytes, 8, "001XY004CDqq", 12), 0) << "length below 2";
  EXPECT_EQ(GetSubcampoBradesco("EF", out.bytes, 8, text, 15), 0);
}

TEST(AcquirerSubfields, TicketLogTagsAndCodes) {
  const char text[] = "XXT001003ABCT002002DE";
  Patterned<8> out;
  EXPECT_EQ(GetSubcampoTicketLog(out.bytes, nullptr, "T002", 5, text, 12), 1);
  EXPECT_EQ(out.all(), with("DE", 2, 8));
  EXPECT_EQ(GetSubcampoTicketLog(out.bytes, nullptr, "T002", 5, text, 11), 0) << "starts too late";
  EXPECT_EQ(GetSubcampoTicketLog(out.bytes, nullptr, "T002", 1, text, 12), 0) << "value too long";
  EXPECT_EQ(GetSubcampoTicketLog(out.bytes, nullptr, "T001", 9, "T001009AB", 0), 0) << "text ends";
  EXPECT_EQ(CheckParamConfTicketLog("CCC", "AAABBBCCC", 9), 1);
  EXPECT_EQ(CheckParamConfTicketLog("ABB", "AAABBBCCC", 9), 0) << "straddles two slots";
  EXPECT_EQ(CheckParamConfTicketLog("CCC", "AAABBBCCC", 8), 0) << "the last slot is not whole";
}

TEST(AcquirerSubfields, EdenredElementFillsTheRecord) {
  const char text[] = "00010003abc01150004wxyz";
  ElementoID element;
  std::memset(&element, '#', sizeof element);
  EXPECT_EQ(FindElementoID_TicketEdenred("0115", 22, text, &element), 1);
  EXPECT_EQ(bytes(element.id, 4), "0115");
  EXPECT_EQ(element.length, 4);
  EXPECT_EQ(bytes(element.data, 4), "wxy#") << "data cut at the text length";
  EXPECT_EQ(FindElementoID_TicketEdenred("0002", 23, text, &element), 0);
  EXPECT_EQ(FindElementoID_TicketEdenred("0115", 18, text, &element), 0) << "header cut";
}

// An element before "0115", then three goods descriptions of 15 characters.
constexpr char kGoods[] = "00010001x" "01150045" "0099 OLEO      " "123  FEIJAO    " "00123ARROZ     ";
static_assert(sizeof kGoods == 63);

TEST(GoodsDescriptions, Count) {
  DescMercadorias goods;
  std::memset(&goods, '#', sizeof goods);
  EXPECT_EQ(FindDescMercadoriasAutTicketCar(&goods, kGoods, 62), &goods);
  EXPECT_EQ(bytes(goods.id, 4), "0115");
  EXPECT_EQ(goods.count, 3);
  EXPECT_EQ(bytes(goods.descriptions, 46), std::string(kGoods + 17, 45) + '\0');
  std::string shorter(kGoods);
  shorter.replace(13, 4, "0044");
  EXPECT_EQ(FindDescMercadoriasAutTicketCar(&goods, shorter.c_str(), 61)->count, 2);
  EXPECT_EQ(bytes(&goods.descriptions[2], 15), std::string(15, '\0'));
  FindDescMercadoriasAutTicketCar(&goods, kGoods, 16);
  EXPECT_EQ(bytes(&goods, sizeof goods), std::string(sizeof goods, '\0'));
  // codes compare by value: 00123 matches "123  " before "00123"; 2 of "9912" is 99
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "00123", 5).text, 15), "123  FEIJAO    ");
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "9912", 2).text, 15), "0099 OLEO      ");
  EXPECT_EQ(bytes(FindDescMercadoriaAutTicketCar(kGoods, 62, "7", 1).text, 15), std::string(15, '\0'));
}

TEST(ReservedField, CountedDatum) {
  const char reserved[] = "@A=1@NSUSERVHOST=123456789012345@B=2";
  Patterned<24> out;
  int size = 20;
  EXPECT_EQ(GetNSUServHostFromReservado2(reserved, out.bytes, &size), 1);
  EXPECT_EQ(size, 15);
  EXPECT_EQ(out.all(), with("123456789012345\0\0\0\0\0", 20, 24));
  size = 14;
  EXPECT_EQ(GetNSUServHostFromReservado2(reserved, out.bytes, &size), 0);
  Patterned<8> shorter;
  size = 6;
  EXPECT_EQ(GetDadoFromReservado("@K=12", "@K=", shorter.bytes, &size, 5), 1);
  EXPECT_EQ(shorter.all(), with("12\0\0\0\0", 6, 8)) << "the text ends within the datum";
  EXPECT_EQ(GetDadoFromReservado("@K=", "@K=", shorter.bytes, &size, 0), 0) << "not longer than key";
}

TEST(ReservedField, ValueRunsToTheNextPair) {
  const char reserved[] = "@NSUSERVHOST=98765@B=2";
  Patterned<8> out;
  EXPECT_EQ(GetDadoFromReservadoEx(reserved, "@NSUSERVHOST=", out.bytes, 8), 5);
  EXPECT_EQ(out.all(), with("98765", 6, 8));
  Patterned<8> full;
  EXPECT_EQ(GetDadoFromReservadoEx(reserved, "@NSUSERVHOST=", full.bytes, 3), 3);
  EXPECT_EQ(full.all(), with("987", 3, 8)) << "no NUL when the maximum stops the copy";
  EXPECT_EQ(GetDadoFromReservadoEx(reserved, "@C=", full.bytes, 8), 0);
  EXPECT_EQ(full.all(), with("987", 3, 8));
}

TEST(ParamItem, AnswersInTheSharedBuffer) {
  const char *port = GetParamItem("PORTA=8080 HOST=abc", "PORTA", '=');
  ASSERT_NE(port, nullptr);
  EXPECT_STREQ(port, "8080");
  EXPECT_EQ(GetParamItem("PORTA=8080 HOST=abc", "HOST", '='), port);
  EXPECT_STREQ(port, "abc");
  EXPECT_STREQ(GetParamItem("A= = =  x y", "A", '='), "x");
  EXPECT_EQ(GetParamItem("PORTA=8080", "HOST", '='), nullptr);
  EXPECT_STREQ(port, "") << "every call clears the buffer first";
  EXPECT_EQ(GetParamItem("PORTA 8080", "PORTA", '='), nullptr);
  EXPECT_EQ(GetParamItem("PORTA= = ", "PORTA", '='), nullptr);
  const std::string long_item = "K=" + std::string(300, 'v');
  EXPECT_EQ(std::string(GetParamItem(long_item.c_str(), "K", '=')), std::string(255, 'v'));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/sentinel.h"
#include "vertalib/tlv.h"

namespace {

using namespace std::string_literals;

// An ARQC request as a terminal sends it in BIT 55: issuer application data in the long
// form 0x81, padding 00 after 9C and 0000 at the end.
const std::string kRequest =
    "9F2608123456789" "0ABCDEF" "9F270180" "9F108112" "0110A04003240000000000000000000000FF"
    "9F3704A1B2C3D4" "9F36020042" "95050000048000" "9A03261206" "9C0100" "00"
    "9F0206000000012345" "5F2A020986" "82025800" "9F1A020076" "9F0306000000000000"
    "9F3303E0F0C8" "9F34031E0300" "9F350122" "8407A0000000041010" "9F09020002"
    "9F1E083132333435363738" "5F340101" "0000";

// Each item as TAG/value length/header length, in list order ("null" for no list); the list
// is released.
std::string layout(TLVItem *list) {
  std::string out;
  char entry[32];
  for (const TLVItem *item = list; item != nullptr; item = item->next) {
    std::snprintf(entry, sizeof entry, " %X/%u/%d", item->tag, item->value_length, item->header_length);
    out += entry;
  }
  CleanTLVList(list);
  return list == nullptr ? "null" : out.substr(1);
}

TLVItem *parse(const std::string &text) { return AscTLV2Array(text.c_str(), static_cast<int>(text.size())); }

TEST(EmvParse, ObjectsInTextOrderListsAndWhatFailsTheParse) {
  std::string most, most_layout;
  for (int i = 0; i < 1024; ++i) most += "9C0100", most_layout += (i ? " " : "") + "9C/2/4"s;
  const std::string cases[][2] = {
      {layout(parse(kRequest)),
       "9F26/16/6 9F27/2/6 9F10/36/8 9F37/8/6 9F36/4/6 95/10/4 9A/6/4 9C/2/4 9F02/12/6 5F2A/4/6 "
       "82/4/4 9F1A/4/6 9F03/12/6 9F33/6/6 9F34/6/6 9F35/2/6 84/14/4 9F09/4/6 9F1E/16/6 5F34/2/6"},
      // Two- and three-byte long lengths, up to what the 16-bit value length holds.
      {layout(parse("9F4B820180" + std::string(768, 'A') + "5A83000004" "11112222")), "9F4B/768/10 5A/8/10"},
      {layout(parse("DF0A827FFF" + std::string(65534, '0'))), "DF0A/65534/10"},
      {layout(parse(most)), most_layout},
      {layout(parse("9F2608123456789ABCDE")), "null"},                   // a cut value
      {layout(parse("9F36020042" "5F34010")), "null"},                   // an odd length
      {layout(parse("9F36020042" "9F")), "null"},                        // a tag cut after a byte
      {layout(parse("9F36" "8400000002" "0042")), "null"},               // four length bytes
      {layout(parse("DF0A828000" + std::string(65536, '0'))), "null"},   // past the value length
      {layout(parse(most + "9C0100")), "null"},                          // 1025 objects
      {layout(AscTag2Array("9F025F2A9A95", 12)), "9F02/0/4 5F2A/0/4 9A/0/2 95/0/2"},
      {layout(AscTagLen2Array("9F02069F03069F1A0295055F2A029A039C019F37048181FF", 48)),
       "9F02/12/6 9F03/12/6 9F1A/4/6 95/10/4 5F2A/4/6 9A/6/4 9C/2/4 9F37/8/6 81/510/6"},
      {layout(AscTagLen2Array("9F02840000000006", 16)), "null"},
  };
  vl::test::expect_rows(cases);
  TLVItem *request = parse(kRequest);
  const TLVItem *last = GetTLVItem(request, 0x5F34);  // "5F340101" before the final "0000"
  EXPECT_TRUE(last != nullptr && last->tag_start == kRequest.c_str() + kRequest.size() - 12 &&
              last->value == last->tag_start + 6 && GetTLVItem(request, 0x5F35) == nullptr);
  CleanTLVList(request);
}

TEST(EmvFields, BitsCryptogramResponseCodeFourCharacterTagsAndMasking) {
  const int bits[][2] = {  // every bit of the mask must be set; bits above 11 are no index
      {ThisTVROccurs(0x0480, "0000000080"), 1}, {ThisTVROccurs(0x0480, "0000048000"), 0},
      {ThisTVROccurs(0x0206, "0000048000"), 0}, {ThisAUCOccurs(0x01C0, "FFc0"), 1},
      {ThisCVMOccurs(0x101E, "1e0300"), 1}, {ThisCVMOccurs(0x0100, nullptr), 1}};
  vl::test::expect_rows(bits);
  const char *elements = "AAAA0003xyzBBBB0005hello", *text = "XXNSU1005HELLOREST";
  int position = 0, cut = 0, bad = 0;
  const std::string cases[][2] = {
      {TEXT_OF(18, GetARQCFromDadosBIT55(o, "9F36020042" "9F2608FFEEDDCCBBAA9988")), "FFEEDDCCBBAA9988\0# -> 1"s},
      {TEXT_OF(2, GetARQCFromDadosBIT55(o, "9F2608FFEEDDCCBBAA998")), "\0# -> 0"s},
      {TEXT_OF(3, GetRCFromDadosBIT55(o, "91080102030405060708" "8A023035")), "05# -> 1"},
      {TEXT_OF(2, GetRCFromDadosBIT55(o, "8A02303")), "\0# -> 0"s},
      {TEXT_OF(11, MontaTLVPadraoFirstData(o, "NSU1", 3, "ABCDE")), "NSU1003ABC# -> 10"},
      {TEXT_OF(9, GetTLVPadraoFirstData(text, 18, "NSU1", o, 8)), "HELLO\0\0\0# -> 5"s},
      {TEXT_OF(6, GetTLVPadraoFirstData(text, 18, "NSU1", o, 5)), "HELLO# -> 5"},  // exactly fits
      {TEXT_OF(5, GetTLVPadraoFirstData(text, 18, "NSU1", o, 4)), "\0\0\0\0# -> 0"s},  // does not fit
      {TEXT_OF(9, GetTLVPadraoFirstData(text, 13, "NSU1", o, 8)), std::string(8, '\0') + "# -> 0"},  // value cut
      {TEXT_OF(11, CopyTagGetNetLAC(o, "LAC1", "AB    ", 6, 10)), "LAC10002AB# -> 10"},
      {TEXT_OF(1, CopyTagGetNetLAC(o, "LAC1", " AB", 3, 16)), "# -> 0"},
      {TEXT_OF(1, CopyTagGetNetLAC(o, "LAC1", "AB", 2, 9)), "# -> 0"},  // one more than room
      {TEXT_OF(6, GetTLVGetNetLAC("BBBB", 4, o, 8, elements, 24, &position)), "hello# -> 5"},
      {std::to_string(position), "24"},
      {TEXT_OF(1, GetTLVGetNetLAC("BBBB", 4, o, 8, elements, 24, &position)), "# -> 0"},
      {TEXT_OF(4, GetTLVGetNetLAC("BBBB", 4, o, 3, elements, 24, &cut)), "hel# -> 3"},
      {std::to_string(cut), "22"},  // a cut value leaves the position inside the element
      {TEXT_OF(1, GetTLVGetNetLAC("AAAA", 4, o, 8, "AAAA-003xyz", 11, &bad)), "# -> 0"},
  };
  vl::test::expect_rows(cases);
  std::string masked = kRequest.substr(0, 22) + "5A08" "4761739001010010" "5711"
                       "4761739001010010D29122011143804489" "5F2403291231" "5F30020201" "82025800";
  BufMascaraDadosSensiveisEMV(masked.data(), static_cast<int>(masked.size()), '*');
  EXPECT_EQ(masked, kRequest.substr(0, 22) + "5A08" + std::string(16, '*') + "5711" +
                      std::string(34, '*') + "5F2403******" + "5F3002****" + "82025800");
  // The walk does not skip padding and stops at a value running past the end.
  std::string padded = "9F3602004200" "5A0812345678";
  const int arqc_only[] = {0x9F36, 0x5A, 0};
  MascEMVTLVBuffer(padded.data(), static_cast<int>(padded.size()), '#', arqc_only);
  EXPECT_EQ(padded, "9F3602####00" "5A0812345678");
}

}  // namespace

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "vertalib/tlv.h"

namespace {

// An ARQC request as a terminal sends it in BIT 55: issuer application data in the long
// form 0x81, padding 00 after 9C and 0000 at the end.
const std::string kRequest =
    "9F2608123456789" "0ABCDEF" "9F270180" "9F108112" "0110A04003240000000000000000000000FF"
    "9F3704A1B2C3D4" "9F36020042" "95050000048000" "9A03261206" "9C0100" "00"
    "9F0206000000012345" "5F2A020986" "82025800" "9F1A020076" "9F0306000000000000"
    "9F3303E0F0C8" "9F34031E0300" "9F350122" "8407A0000000041010" "9F09020002"
    "9F1E083132333435363738" "5F340101" "0000";

// Each item as TAG/value length/header length, in list order.
std::string layout(const TLVItem *item) {
  std::string out;
  char entry[32];
  for (; item != nullptr; item = item->next) {
    std::snprintf(entry, sizeof entry, "%s%X/%u/%d", out.empty() ? "" : " ", item->tag,
                  item->value_length, item->header_length);
    out += entry;
  }
  return out;
}

TLVItem *parse(const std::string &text) {
  return AscTLV2Array(text.c_str(), static_cast<int>(text.size()));
}

TEST(EmvItem, FieldOrderAndWidths) {
  // 32-bit tag, 16-bit value length, pointer, 32-bit header length (in a pointer-sized
  // slot), two pointers: 8 bytes and then four pointer widths.
  constexpr size_t pointer = sizeof(void *);
  EXPECT_EQ(offsetof(TLVItem, value_length), 4u);
  EXPECT_EQ(sizeof(TLVItem{}.value_length), 2u);
  EXPECT_EQ(offsetof(TLVItem, tag_start), 8u);
  EXPECT_EQ(offsetof(TLVItem, header_length), 8u + pointer);
  EXPECT_EQ(offsetof(TLVItem, value), 8u + 2 * pointer);
  EXPECT_EQ(offsetof(TLVItem, next), 8u + 3 * pointer);
  EXPECT_EQ(sizeof(TLVItem), 8u + 4 * pointer);
}

TEST(EmvParse, ObjectsInTextOrderAndWhatFailsTheParse) {
  const struct { std::string text, layout; } parsed[] = {
      {kRequest,
       "9F26/16/6 9F27/2/6 9F10/36/8 9F37/8/6 9F36/4/6 95/10/4 9A/6/4 9C/2/4 9F02/12/6 5F2A/4/6 "
       "82/4/4 9F1A/4/6 9F03/12/6 9F33/6/6 9F34/6/6 9F35/2/6 84/14/4 9F09/4/6 9F1E/16/6 5F34/2/6"},
      // Two- and three-byte long lengths, up to what the 16-bit value length holds.
      {"9F4B820180" + std::string(768, 'A') + "5A83000004" "11112222", "9F4B/768/10 5A/8/10"},
      {"DF0A827FFF" + std::string(65534, '0'), "DF0A/65534/10"},
  };
  for (const auto &c : parsed) {
    TLVItem *list = parse(c.text);
    EXPECT_EQ(layout(list), c.layout) << c.text.substr(0, 24);
    CleanTLVList(list);
  }
  std::string most;
  for (int i = 0; i < 1024; ++i) most += "9C0100";
  TLVItem *list = parse(most);
  EXPECT_EQ(layout(list).size(), 1024 * 7 - 1) << "1024 objects";
  CleanTLVList(list);

  const std::string refused[] = {
      "9F2608123456789ABCDE",                  // a cut value
      "9F36020042" "5F34010",                  // an odd length
      "9F36020042" "9F",                       // a two-byte tag cut after its first byte
      "9F36" "8400000002" "0042",              // four length bytes
      "DF0A828000" + std::string(65536, '0'),  // more than the value length holds
      most + "9C0100",                         // 1025 objects
  };
  for (const std::string &text : refused) EXPECT_EQ(parse(text), nullptr) << text.substr(0, 24);
}

TEST(EmvParse, TagListsAndDataObjectLists) {
  TLVItem *tags = AscTag2Array("9F025F2A9A95", 12);
  EXPECT_EQ(layout(tags), "9F02/0/4 5F2A/0/4 9A/0/2 95/0/2");
  CleanTLVList(tags);
  const char *cdol = "9F02069F03069F1A0295055F2A029A039C019F37048181FF";
  TLVItem *dol = AscTagLen2Array(cdol, 48);
  EXPECT_EQ(layout(dol), "9F02/12/6 9F03/12/6 9F1A/4/6 95/10/4 5F2A/4/6 9A/6/4 9C/2/4 9F37/8/6 81/510/6");
  CleanTLVList(dol);
  EXPECT_EQ(AscTagLen2Array("9F02840000000006", 16), nullptr) << "four length bytes";
}

TEST(EmvBits, ByteIndexAndMask) {
  EXPECT_EQ(ThisTVROccurs(0x0480, "0000000080"), 1);
  EXPECT_EQ(ThisTVROccurs(0x0480, "0000048000"), 0);
  EXPECT_EQ(ThisTVROccurs(0x0206, "0000048000"), 0) << "every bit of the mask must be set";
  EXPECT_EQ(ThisAUCOccurs(0x01C0, "FFc0"), 1);
  EXPECT_EQ(ThisCVMOccurs(0x101E, "1e0300"), 1) << "bits above 11 are not part of the index";
  EXPECT_EQ(ThisCVMOccurs(0x0100, nullptr), 1) << "mask 0";
}

TEST(EmvBit55, CryptogramAndResponseCode) {
  char arqc[17];
  EXPECT_EQ(GetARQCFromDadosBIT55(arqc, "9F36020042" "9F2608FFEEDDCCBBAA9988"), 1);
  EXPECT_STREQ(arqc, "FFEEDDCCBBAA9988");
  EXPECT_EQ(GetARQCFromDadosBIT55(arqc, "9F2608FFEEDDCCBBAA998"), 0);
  EXPECT_EQ(arqc[0], '\0');

  char rc[3] = {'x', 'x', 'x'};
  EXPECT_EQ(GetRCFromDadosBIT55(rc, "91080102030405060708" "8A023035"), 1);
  EXPECT_EQ(std::string(rc, 3), "05x");
  EXPECT_EQ(GetRCFromDadosBIT55(rc, "8A02303"), 0);
  EXPECT_EQ(rc[0], '\0');
}

TEST(EmvMask, SensitiveObjectsOnly) {
  const std::string pan = "4761739001010010", track2 = "4761739001010010D29122011143804489";
  std::string text = kRequest.substr(0, 22) + "5A08" + pan + "5711" + track2 + "5F2403291231" +
                     "5F30020201" + "82025800";
  BufMascaraDadosSensiveisEMV(text.data(), static_cast<int>(text.size()), '*');
  EXPECT_EQ(text, kRequest.substr(0, 22) + "5A08" + std::string(16, '*') + "5711" +
                      std::string(34, '*') + "5F2403******" + "5F3002****" + "82025800");

  // The walk does not skip padding and stops at a value running past the end.
  std::string padded = "9F3602004200" "5A0812345678";
  const int arqc_only[] = {0x9F36, 0x5A, 0};
  MascEMVTLVBuffer(padded.data(), static_cast<int>(padded.size()), '#', arqc_only);
  EXPECT_EQ(padded, "9F3602####00" "5A0812345678");
}

TEST(EmvLayouts, FourCharacterTagsWithThreeAndFourDigitLengths) {
  char out[16] = {};
  EXPECT_EQ(MontaTLVPadraoFirstData(out, "NSU1", 3, "ABCDE"), 10);
  EXPECT_STREQ(out, "NSU1003ABC");
  const char *text = "XXNSU1005HELLOREST";
  char value[8];
  std::memset(value, 'x', sizeof value);
  EXPECT_EQ(GetTLVPadraoFirstData(text, 18, "NSU1", value, sizeof value), 5);
  EXPECT_EQ(std::string(value, sizeof value), std::string("HELLO\0\0\0", 8));
  EXPECT_EQ(GetTLVPadraoFirstData(text, 18, "NSU1", value, 5), 5) << "exactly the output size";
  EXPECT_EQ(GetTLVPadraoFirstData(text, 18, "NSU1", value, 4), 0) << "larger than the output";
  EXPECT_EQ(GetTLVPadraoFirstData(text, 13, "NSU1", value, sizeof value), 0) << "value cut";

  std::memset(out, 0, sizeof out);
  EXPECT_EQ(CopyTagGetNetLAC(out, "LAC1", "AB    ", 6, 10), 10);
  EXPECT_STREQ(out, "LAC10002AB");
  EXPECT_EQ(CopyTagGetNetLAC(out, "LAC1", " AB", 3, sizeof out), 0);
  EXPECT_EQ(CopyTagGetNetLAC(out, "LAC1", "AB", 2, 9), 0) << "one more than the output holds";

  const char *elements = "AAAA0003xyzBBBB0005hello";
  int position = 0;
  std::memset(value, 0, sizeof value);
  EXPECT_EQ(GetTLVGetNetLAC("BBBB", 4, value, sizeof value, elements, 24, &position), 5);
  EXPECT_STREQ(value, "hello");
  EXPECT_EQ(position, 24);
  EXPECT_EQ(GetTLVGetNetLAC("BBBB", 4, value, sizeof value, elements, 24, &position), 0);
  position = 0;
  EXPECT_EQ(GetTLVGetNetLAC("BBBB", 4, value, 3, elements, 24, &position), 3);
  EXPECT_EQ(position, 22) << "a cut value leaves the position inside the element";
  position = 0;
  EXPECT_EQ(GetTLVGetNetLAC("AAAA", 4, value, sizeof value, "AAAA-003xyz", 11, &position), 0);
}

// STLV and TLV item lists built, edited, written, read back and emptied over and over; under
// the sanitizers this also shows that nothing leaks and nothing is used after its release.
TEST(TlvLifetime, ListsBuiltReadAndEmptiedRepeatedly) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 100; ++round) {
    STLV_Lista list, reread;
    STLV_CriaListaHeader(&list, "LIFETIMETST", "R001");
    std::map<int, std::string> model, read;
    for (int step = 0; step < 40; ++step) {
      const int id = static_cast<int>(random() % 20), length = static_cast<int>(random() % 12);
      const std::string data(static_cast<size_t>(length), static_cast<char>('a' + random() % 26));
      ASSERT_EQ(STLV_AdicionaID(&list, id, length, data.c_str()), 1);
      if (length == 0) model.erase(id); else model[id] = data;
    }
    char buffer[20 + 20 * (4 + 11)];
    ASSERT_EQ(STLV_MontaBufferFromLista(&list, buffer), 1);
    ASSERT_EQ(STLV_CriaListaFromBuffer(&reread, buffer), 1);
    for (const STLV_Elemento *e = reread.first; e != nullptr; e = e->next) read[e->id] = e->data;
    EXPECT_EQ(read, model);
    EXPECT_EQ(list.count, static_cast<int>(model.size()));
    STLV_EsvaziaLista(&list);
    STLV_EsvaziaLista(&reread);

    TLVItem *lists[] = {parse(kRequest), AscTag2Array("9F2795", 6), AscTagLen2Array("9F3704", 6)};
    const TLVItem *last = GetTLVItem(lists[0], 0x5F34);
    EXPECT_TRUE(last != nullptr && last->tag_start == kRequest.c_str() + kRequest.size() - 12);
    EXPECT_EQ(layout(lists[1]) + " " + layout(lists[2]), "9F27/0/4 95/0/2 9F37/8/6");
    for (TLVItem *items : lists) CleanTLVList(items);
  }
}

}  // namespace

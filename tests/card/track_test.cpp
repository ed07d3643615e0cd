#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/card.h"

namespace {

std::string pan_of_track2(const char *track, int *no_equals) {
  char pan[23];
  GetPANFromTrilha2Ex(pan, track, no_equals);
  return pan;
}

std::string track2_of(const char *track1) {
  char track2[38];
  GetTrilha2fromTrilha1(track2, track1);
  return std::string(track2, sizeof track2);
}

TEST(Track2CardNumber, EndsAtTheSeparatorAndIsCutAt22) {
  int flag = -1;
  EXPECT_EQ(pan_of_track2("4222222222222=2405101123456", &flag), "4222222222222");
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(pan_of_track2("4111111111111111D2512201000F", &flag), "4111111111111111");
  EXPECT_EQ(flag, 1) << "no '=' in the track";
  EXPECT_EQ(pan_of_track2("4111111111111111D2513201", &flag), "4111111111111111D25132")
      << "month 13: the whole text, cut at 22";

  Patterned<26> cut;
  GetPANFromTrilha1(cut.bytes, "B98765432109876543210987654^NAME^2512");
  EXPECT_EQ(cut.all(), with("9876543210987654321098\0", 23, 26));
}

TEST(Track2CardNumber, AlternativeSeparatorNeedsAnExpiryAfterIt) {
  const char *track = "4111111111111111D2512201";
  EXPECT_EQ(GetTrilha2SepPos(track), track + 16);
  const char *short_month = "41111D251";
  EXPECT_EQ(GetTrilha2SepPos(short_month), short_month + 5) << "a one-character month";
  EXPECT_EQ(GetTrilha2SepPos("41111D25"), nullptr) << "fewer than four after it";
  EXPECT_EQ(GetTrilha2SepPos("4111111111111111"), nullptr);
  EXPECT_EQ(GetTrilha2SepPos("D4111111111111111D2512"), nullptr);
  EXPECT_EQ(GetTrilha2SepPos("4111111111111111D0012201"), nullptr) << "year 00";
}

TEST(Track1Fields, FormatCodeOptionalSameFields) {
  for (const char *track : {"B4111111111111111^DOE/JOHN Q^2512201000000000000",
                            "4111111111111111^DOE/JOHN Q^2512201000000000000"}) {
    SCOPED_TRACE(track);
    char pan[40], name[40], expiry[5], code[3];
    GetPANFromTrilha1(pan, track);
    EXPECT_STREQ(pan, "4111111111111111");
    ASSERT_EQ(ObtemNumCartaoTrilha01(track, pan), 1);
    EXPECT_STREQ(pan, "4111111111111111");
    ASSERT_EQ(ObtemNomeTrilha01(track, name), 1);
    EXPECT_STREQ(name, "DOE/JOHN Q");
    ASSERT_EQ(ObtemDataVencTrilha01(track, expiry), 1);
    EXPECT_STREQ(expiry, "2512");
    ASSERT_EQ(GetServiceCodeEx(track, code), 1);
    EXPECT_EQ(std::string(code, 3), "201");
    EXPECT_EQ(track2_of(track), std::string("4111111111111111=2512201000000000000\0\0", 38));
  }
  EXPECT_EQ(track2_of("B4111111111111111^NAME^25122010000000000000000000000000"),
            std::string("4111111111111111=25122010000000000000\0", 38)) << "cut at 37";
  EXPECT_EQ(track2_of("B4111111111111111"), std::string("4111111111111111") + std::string(22, '\0'));
}

TEST(Track1Fields, SingleCaretAndMissingFields) {
  const char *track = "B4111111111111111^2512201";
  Patterned<40> out;
  EXPECT_EQ(ObtemNomeTrilha01(track, out.bytes), 0);
  EXPECT_EQ(ObtemNomeTrilha01("B4111^^2512", out.bytes), 0) << "empty name";
  EXPECT_EQ(ObtemNomeTrilha01(("B4111^" + std::string(40, 'A') + "^2512").c_str(), out.bytes), 0);
  // The '^' search of ObtemNumCartaoTrilha01 starts before the format code is skipped.
  EXPECT_EQ(ObtemNumCartaoTrilha01("^4111^NAME^2512", out.bytes), 0);
  EXPECT_EQ(out.all(), std::string(40, '#'));
  char code[3];
  EXPECT_EQ(GetServiceCodeEx(track, code), 0);
  EXPECT_EQ(track2_of(track), std::string("4111111111111111=") + std::string(21, '\0'));
  Patterned<5> expiry;
  EXPECT_EQ(ObtemDataVencTrilha01(track, expiry.bytes), 1);
  EXPECT_EQ(expiry.all(), std::string("2512\0", 5));
}

TEST(TrackValidity, Track2IsEditedInPlace) {
  char edited[] = "4111111111111111D2512201000F12D4";
  EXPECT_EQ(ErroTrilha2(edited), 0);
  EXPECT_STREQ(edited, "4111111111111111=2512201000") << "every 'D' before the 'F' is turned";
  const struct { const char *track; int error; } cases[] = {
      {"123456", 0},  // a typed number
      {"12345", 1},
      {"12345F7890", 1},  // the filler shortens it to 5
      {"1234567890123456789=12345678901234567", 0},
      {"1234567890123456789=123456789012345678", 1},  // 38 characters
      {"3714 496353 98431", 0},
      {"41111A1111111111=2512", 1},
  };
  for (const auto &c : cases) {
    char buffer[40];
    std::strcpy(buffer, c.track);
    EXPECT_EQ(ErroTrilha2(buffer), c.error) << c.track;
  }
  EXPECT_EQ(ErroTrilha1("B3714 496353 98431"), 0);
  EXPECT_EQ(ErroTrilha1("B41111"), 1) << "five characters after the format code";

  char empty[1] = "";
  char valid[] = "4111111111111111D2512201F";
  EXPECT_EQ(ErroTrilhas("", empty), 1);
  EXPECT_EQ(ErroTrilhas("%%garbage", valid), 0);
  EXPECT_STREQ(valid, "4111111111111111=2512201");
  char invalid[] = "41111";
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", invalid), 1) << "track 2 alone decides";
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", empty), 0);
}

TEST(Track2Fields, ExpiryAndServiceCodesWriteNoTerminator) {
  Patterned<6> expiry;
  EXPECT_EQ(GetDataVencimento(expiry.bytes, "4111=25"), 1);
  EXPECT_EQ(expiry.all(), std::string("25\0\0##", 6));
  EXPECT_EQ(GetDataVencimento(expiry.bytes, "4111D2512"), 0);

  Patterned<5> code;
  const char *short_data = "4111111111111111=2512201123456";  // 9 characters from the code on
  EXPECT_EQ(GetServiceCode(short_data, code.bytes, 102, 3, 2), 1);
  EXPECT_EQ(code.all(), "101##");
  EXPECT_EQ(GetServiceCode(short_data, code.bytes, 102, 3, 1), 1);
  EXPECT_EQ(code.all(), "201##") << "all three selectors must match";
  EXPECT_EQ(GetServiceCode("4111111111111111=25122011234567", code.bytes, 102, 3, 2), 1);
  EXPECT_EQ(code.all(), "201##");

  const char *spaced = "4111111111111111=2512201123456 89";
  EXPECT_EQ(GetServiceCodeEx2(spaced, code.bytes, 103, 77, 2, 1), 1);
  EXPECT_EQ(code.all(), "201##") << "the space counts with the third selector 1 only";
  EXPECT_EQ(GetServiceCodeEx2(spaced, code.bytes, 103, 77, 1, 1), 1);
  EXPECT_EQ(code.all(), "101##");
  EXPECT_EQ(GetServiceCodeEx2(short_data, code.bytes, 103, 0, 2, 0), 1);
  EXPECT_EQ(code.all(), "201##");
  EXPECT_EQ(GetServiceCodeEx2("B4111^NAME^2512702123456", code.bytes, 103, 0, 2, 1), 1);
  EXPECT_EQ(code.all(), "101##") << "the second '^' of a track 1 as separator";
}

TEST(TypedCardData, AmexSpacesNumbersAndNames) {
  char spaced[] = "B3714 496353 98431";
  TrataTrilhaAmex(spaced);
  EXPECT_STREQ(spaced, "B371449635398431");
  char plain[] = "3714 4963539 8431";
  TrataTrilhaAmex(plain);
  EXPECT_STREQ(plain, "3714 4963539 8431");

  Patterned<30> pan;
  ObtemNumCartao("12345678901234567890123456=2512", pan.bytes);
  EXPECT_EQ(pan.all(), with("12345678901234567890123456\0", 27, 30)) << "no cap";
  char nibble[30];
  ObtemNumCartao("4111111111111111D2512", nibble);
  EXPECT_STREQ(nibble, "4111111111111111");

  EXPECT_EQ(IsDigitado("4111111111111111"), 1);
  EXPECT_EQ(IsDigitado("4111111111111111=2512"), 0);
  EXPECT_EQ(StrEhNomeCartao("  00 0 "), 0);
  EXPECT_EQ(StrEhNomeCartao("0 0 1"), 1);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/card.h"

namespace {

std::string track2_of(const char *track1) {
  char track2[38];
  GetTrilha2fromTrilha1(track2, track1);
  return std::string(track2, sizeof track2);
}

// The card number up to the separator ('=', else a 'D' with an expiry after it, else the whole
// text, cut at 22), whether the track lacked an '=', and the validity test, which turns each
// 'D' before an 'F' into '=' and ends the track at the 'F'.
TEST(Track2, CardNumberAndValidity) {
  const struct { const char *track, *pan; int no_equals, error; const char *edited; } cases[] = {
      {"4222222222222=2405101123456", "4222222222222", 0, 0, "4222222222222=2405101123456"},
      {"371449635398431D2604702123F", "371449635398431", 1, 0, "371449635398431=2604702123"},
      {"4111111111111111D2512201000F12D4", "4111111111111111", 1, 0,
       "4111111111111111=2512201000"},
      {"4111111111111111D2513201", "4111111111111111D25132", 1, 0, "4111111111111111=2513201"},
      {"1234567890123456789=12345678901234567", "1234567890123456789", 0, 0, nullptr},
      {"1234567890123456789=123456789012345678", "1234567890123456789", 0, 1, nullptr},
      {"123456", "123456", 1, 0, nullptr},  // a typed number
      {"12345", "12345", 1, 1, nullptr},
      {"12345F7890", "12345F7890", 1, 1, "12345"},
      {"3714 496353 98431", "3714 496353 98431", 1, 0, nullptr},
      {"41111A1111111111=2512", "41111A1111111111", 0, 1, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.track);
    char pan[23], plain[23], edited[40];
    int no_equals = -1;
    GetPANFromTrilha2Ex(pan, c.track, &no_equals);
    GetPANFromTrilha2(plain, c.track);
    EXPECT_STREQ(pan, c.pan);
    EXPECT_STREQ(plain, c.pan);
    EXPECT_EQ(no_equals, c.no_equals);
    EXPECT_EQ(ErroTrilha2(std::strcpy(edited, c.track)), c.error);
    EXPECT_STREQ(edited, c.edited != nullptr ? c.edited : c.track);
  }
}

TEST(Track2, AlternativeSeparatorNeedsAnExpiryAfterIt) {
  const struct { const char *track; int position; } cases[] = {
      {"4111111111111111D2512201", 16}, {"41111D251", 5},  // a one-character month
      {"41111D9912", 5}, {"41111D0101", 5},  // the last and the first year and month
      {"41111D25", -1},  // fewer than four after it
      {"4111111111111111", -1}, {"D4111111111111111D2512", -1}, {"4111111111111111D0012201", -1},
  };
  for (const auto &c : cases) {
    const char *separator = c.position < 0 ? nullptr : c.track + c.position;
    EXPECT_EQ(GetTrilha2SepPos(c.track), separator) << c.track;
  }
}

TEST(Track1, FormatCodeOptionalSameFields) {
  for (const char *track : {"B4111111111111111^DOE/JOHN Q^2512201000000000000",
                            "4111111111111111^DOE/JOHN Q^2512201000000000000"}) {
    SCOPED_TRACE(track);
    char first[23], pan[40], name[40], expiry[5], code[4] = {};
    GetPANFromTrilha1(first, track);
    ASSERT_EQ(ObtemNumCartaoTrilha01(track, pan) + ObtemNomeTrilha01(track, name) +
                  ObtemDataVencTrilha01(track, expiry) + GetServiceCodeEx(track, code),
              4);
    // Card number (twice), name, expiry, service code.
    EXPECT_EQ(std::string(first) + '|' + pan + '|' + name + '|' + expiry + '|' + code,
              "4111111111111111|4111111111111111|DOE/JOHN Q|2512|201");
    EXPECT_EQ(track2_of(track), std::string("4111111111111111=2512201000000000000\0\0", 38));
  }
  EXPECT_EQ(track2_of("B4111111111111111^NAME^25122010000000000000000000000000"),
            std::string("4111111111111111=25122010000000000000\0", 38)) << "cut at 37";
  EXPECT_EQ(track2_of("B4111111111111111"),
            std::string("4111111111111111") + std::string(22, '\0'));
  Patterned<26> cut;
  GetPANFromTrilha1(cut.bytes, "B98765432109876543210987654^NAME^2512");
  EXPECT_EQ(cut.all(), with("9876543210987654321098\0", 23, 26));
}

TEST(Track1, SingleCaretAndMissingFields) {
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

TEST(TrackValidity, EitherTrackAndTheSpacedAmexForm) {
  EXPECT_EQ(ErroTrilha1("B3714 496353 98431"), 0);
  EXPECT_EQ(ErroTrilha1("B41111"), 1) << "five characters after the format code";
  char empty[1] = "", valid[] = "4111111111111111D2512201F", invalid[] = "41111";
  EXPECT_EQ(ErroTrilhas("", empty), 1);
  EXPECT_EQ(ErroTrilhas("%%garbage", valid), 0);
  EXPECT_STREQ(valid, "4111111111111111=2512201");
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", invalid), 1) << "track 2 alone decides";
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", empty), 0);
  char spaced[] = "B3714 496353 98431", plain[] = "3714 4963539 8431";
  TrataTrilhaAmex(spaced);
  TrataTrilhaAmex(plain);
  EXPECT_STREQ(spaced, "B371449635398431");
  EXPECT_STREQ(plain, "3714 4963539 8431");
}

// Expiry and service codes: no terminator; "101" where the acquirer rules ask for it.
TEST(Track2, ExpiryAndServiceCodes) {
  Patterned<6> expiry;
  EXPECT_EQ(GetDataVencimento(expiry.bytes, "4111=25"), 1);
  EXPECT_EQ(expiry.all(), std::string("25\0\0##", 6));
  EXPECT_EQ(GetDataVencimento(expiry.bytes, "4111D2512"), 0);
  const char *nine = "4111111111111111=2512201123456";  // 9 characters from the code on
  const char *ten = "4111111111111111=25122011234567";
  const char *spaced = "4111111111111111=2512201123456 89";
  const struct { const char *track; int first, third, fourth; const char *code; } cases[] = {
      {nine, 102, 2, -1, "101"}, {nine, 102, 1, -1, "201"},  // all three selectors must match
      {ten, 102, 2, -1, "201"},  {spaced, 103, 2, 1, "201"},  // the space counts with 1 only
      {spaced, 103, 1, 1, "101"}, {nine, 103, 2, 0, "201"},
      {"B4111^NAME^2512702123456", 103, 2, 1, "101"},  // the second '^' of a track 1
  };
  for (const auto &c : cases) {
    Patterned<5> code;
    const int found = c.fourth < 0 ? GetServiceCode(c.track, code.bytes, c.first, 3, c.third)
                                   : GetServiceCodeEx2(c.track, code.bytes, c.first, 77, c.third,
                                                       c.fourth);
    EXPECT_EQ(found, 1) << c.track;
    EXPECT_EQ(code.all(), std::string(c.code) + "##") << c.track << ' ' << c.first << c.third;
  }
}

TEST(TypedCardData, NumbersAndNames) {
  Patterned<30> pan;
  ObtemNumCartao("12345678901234567890123456=2512", pan.bytes);
  EXPECT_EQ(pan.all(), with("12345678901234567890123456\0", 27, 30)) << "no cap";
  ObtemNumCartao("4111111111111111D2512", pan.bytes);
  EXPECT_STREQ(pan.bytes, "4111111111111111");
  EXPECT_EQ(IsDigitado("4111111111111111"), 1);
  EXPECT_EQ(IsDigitado("4111111111111111=2512"), 0);
  EXPECT_EQ(StrEhNomeCartao("  00 0 "), 0);
  EXPECT_EQ(StrEhNomeCartao("0 0 1"), 1);
}

}  // namespace

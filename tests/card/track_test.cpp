#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/card.h"

namespace {

using namespace std::string_literals;

std::string track2_of(const char *track1) {
  char track2[38];
  GetTrilha2fromTrilha1(track2, track1);
  return std::string(track2, sizeof track2);
}

// The rows of tests/data/card/tracks.tsv.
TEST(Track2, CardNumberValidityAndTheSeparatorThatStandsForEquals) {
  const std::string file = "card/tracks.tsv";
  ASSERT_EQ(vl::test::data_rows(file, "").size(), 19u);
  for (const auto &row : vl::test::data_rows(file, "number")) {
    char pan[23], plain[23], edited[40];
    int no_equals = -1;
    GetPANFromTrilha2Ex(pan, row[0].c_str(), &no_equals);
    GetPANFromTrilha2(plain, row[0].c_str());
    const int error = ErroTrilha2(std::strcpy(edited, row[0].c_str()));
    EXPECT_EQ(std::string(pan) + "|" + plain + "|" + std::to_string(no_equals) + "|" +
                  std::to_string(error) + "|" + edited,
              row[1] + "|" + row[1] + "|" + row[2] + "|" + row[3] + "|" + (row[4] == "-" ? row[0] : row[4]));
  }
  for (const auto &row : vl::test::data_rows(file, "separator")) {
    const char *separator = GetTrilha2SepPos(row[0].c_str());
    EXPECT_EQ(separator == nullptr ? "-" : std::to_string(separator - row[0].c_str()), row[1]) << row[0];
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
  const auto amex = [](const char *text) { return written([&](char *o) { TrataTrilhaAmex(o); }, text); };
  EXPECT_EQ(amex("B3714 496353 98431"), "B371449635398431\0" "1\0"s);
  EXPECT_EQ(amex("3714 4963539 8431"), "3714 4963539 8431\0"s);
  EXPECT_EQ(ErroTrilha1("B3714 496353 98431"), 0);
  EXPECT_EQ(ErroTrilha1("B41111"), 1) << "five characters after the format code";
  char empty[1] = "", valid[] = "4111111111111111D2512201F", invalid[] = "41111";
  EXPECT_EQ(ErroTrilhas("", empty), 1);
  EXPECT_EQ(ErroTrilhas("%%garbage", valid), 0);
  EXPECT_STREQ(valid, "4111111111111111=2512201");
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", invalid), 1) << "track 2 alone decides";
  EXPECT_EQ(ErroTrilhas("B4111111111111111^NAME^2512", empty), 0);
}

// Expiry and service codes: no NUL written; "101" where the acquirer rules ask for it: all
// three selectors must match, at most 9 characters from the code on (a space as the 10th
// counts with third 1 only); a track 1 has its code after the second '^'.
TEST(Track2, ExpiryAndServiceCodes) {
  EXPECT_EQ(written([](char *o) { return GetDataVencimento(o, "4111=25"); }), "1 25\0\0"s);
  EXPECT_EQ(written([](char *o) { return GetDataVencimento(o, "4111D2512"); }), "0 ");
  const char *nine = "4111111111111111=2512201123456", *ten = "4111111111111111=25122011234567";
  const char *spaced = "4111111111111111=2512201123456 89";
  const struct { const char *track; int first, third, fourth; const char *code; } cases[] = {
      {nine, 102, 2, -1, "1 101"},  {nine, 102, 1, -1, "1 201"},  {ten, 102, 2, -1, "1 201"},
      {spaced, 103, 2, 1, "1 201"}, {spaced, 103, 1, 1, "1 101"}, {nine, 103, 2, 0, "1 201"},
      {"B4111^NAME^2512702123456", 103, 2, 1, "1 101"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(written([&c](char *o) {
                return c.fourth < 0 ? GetServiceCode(c.track, o, c.first, 3, c.third)
                                    : GetServiceCodeEx2(c.track, o, c.first, 77, c.third, c.fourth);
              }), c.code) << c.track << ' ' << c.first << c.third;
}

TEST(TypedCardData, NumbersAndNames) {
  EXPECT_EQ(written<32>([](char *o) { ObtemNumCartao("12345678901234567890123456=2512", o); }),
            "12345678901234567890123456\0"s) << "no cap";
  EXPECT_EQ(written([](char *o) { ObtemNumCartao("4111111111111111D2512", o); }), "4111111111111111\0"s);
  EXPECT_EQ(std::to_string(IsDigitado("4111111111111111")) + std::to_string(IsDigitado("4111=2512")), "10");
  EXPECT_EQ(std::to_string(StrEhNomeCartao("  00 0 ")) + std::to_string(StrEhNomeCartao("0 0 1")), "01");
}

}  // namespace

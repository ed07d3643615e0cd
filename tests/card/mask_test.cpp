#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/card.h"

namespace {

TEST(CardTruncation, SixDashFourAndNothingTouchedAfterTheNul) {
  Patterned<20> pan("1234567890123456");
  TruncaCartao(pan.bytes, 16);
  EXPECT_EQ(pan.all(), std::string("123456-3456\0" "3456\0###", 20));
  Patterned<20> eleven("12345678901");
  TruncaCartao(eleven.bytes, 11);
  EXPECT_EQ(eleven.all(), with("12345678901\0", 12, 20)) << "below 12 left as it is";
  MascaraCartao(eleven.bytes, 11);
  EXPECT_EQ(eleven.all(), with("123456-8901\0", 12, 20));
  Patterned<20> eight("12345678");
  MascaraCartao(eight.bytes, 8);
  EXPECT_EQ(eight.all(), with("123456-5678\0", 12, 20))
      << "the last four are taken before the '-' lands on one of them";
}

TEST(CardMasking, XsBetweenTheKeptDigitsAndNoTerminator) {
  const struct { const char *pan, *masked; } cases[] = {
      {"4111112345678901", "411111XXXXXX8901"},
      {"123456789012", "123456XX9012"},
      {"12345678901", "12345678901"},  // below 12 nothing changes
  };
  for (const auto &c : cases) {
    Patterned<20> pan(c.pan);
    MascaraPAN(pan.bytes, static_cast<int>(std::strlen(c.pan)));
    EXPECT_EQ(pan.all(), with(c.masked, std::strlen(c.masked) + 1, 20));
  }
}

TEST(MaskedComparison, WildcardsAtEqualLengthsTruncatedFormOtherwise) {
  const char *pan = "4111112345678901";
  EXPECT_EQ(IsMaskedPANsAlike("411111******8902", 16, pan, 16), 0);
  EXPECT_EQ(IsMaskedPANsAlike("41-1", 4, "4x11", 4), 1) << "a wildcard in either number";
  EXPECT_EQ(IsMaskedPANsAlike("", 0, "", 0), 1);
  EXPECT_EQ(IsMaskedPANsAlike(pan, 16, "411111-8901", 11), 1);
  EXPECT_EQ(IsMaskedPANsAlike("411112-8901", 11, pan, 16), 0) << "the head opens the longer";
  EXPECT_EQ(IsMaskedPANsAlike("411111-7890", 11, pan, 16), 0) << "the tail closes the longer";
  EXPECT_EQ(IsMaskedPANsAlike("-8901", 5, pan, 16), 0) << "no head before the '-'";
  EXPECT_EQ(IsMaskedPANsAlike("4111-111", 4, pan, 16), 0) << "the '-' lies past the length";
  EXPECT_EQ(IsMaskedPANsAlike("41-", 3, pan, 16), 1) << "an empty tail matches";
}

TEST(BinRules, SixDigitsOrSpacedAmexRangeLengthAndBrandPick) {
  EXPECT_EQ(ErroBIN("123456"), 0);
  EXPECT_EQ(ErroBIN("12345"), 1);
  EXPECT_EQ(ErroBIN("12345A7890"), 1);
  EXPECT_EQ(ErroBIN("3714 49.... 98431"), 0) << "characters 7 to 10 are not looked at";
  EXPECT_EQ(ErroBIN("3714 4X6353 98431"), 1) << "character 6 must be a digit";
  EXPECT_EQ(GetBINLength("4111110000", "4111119990"), 10) << "no trailing nines above";
  EXPECT_EQ(GetBINLength("4111110000", "4111111999"), 7) << "four zeros, three nines";
  EXPECT_EQ(GetBINLength("", ""), 6) << "never below 6";
  EXPECT_EQ(GetBINLength("41111200", "4111129999"), 6) << "nines over the lower's positions";
  const char brands[] = {0, 0, 7, 0, static_cast<char>(0xF0), 3};
  EXPECT_EQ(AchaBandeira(brands, 0, 6), 7);
  EXPECT_EQ(AchaBandeira(brands, 3, 6), -16) << "a signed byte";
  EXPECT_EQ(AchaBandeira(brands, 0, 2), -1);
  EXPECT_EQ(AchaBandeira(brands, 2, 2), -1);
}

}  // namespace

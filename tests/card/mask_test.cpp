#include <gtest/gtest.h>

#include <string>

#include "support/sentinel.h"
#include "vertalib/card.h"

namespace {

using namespace std::string_literals;

// Each edit on the number and its NUL in '#' bytes. Truncated: 6, '-', the last 4 and a NUL
// (TruncaCartao leaves numbers below 12; MascaraCartao takes the last four before the '-'
// lands on one of them). Masked: 'X' between the kept digits, no NUL written, below 12 kept.
TEST(CardMasking, TruncatedAndMaskedFormsTouchNothingElse) {
  const std::string cases[][2] = {
      {written([](char *p) { TruncaCartao(p, 16); }, "1234567890123456"), "123456-3456\0" "3456\0"s},
      {written([](char *p) { TruncaCartao(p, 11); }, "12345678901"), "12345678901\0"s},
      {written([](char *p) { MascaraCartao(p, 11); }, "12345678901"), "123456-8901\0"s},
      {written([](char *p) { MascaraCartao(p, 8); }, "12345678"), "123456-5678\0"s},
      {written([](char *p) { MascaraPAN(p, 16); }, "4111112345678901"), "411111XXXXXX8901\0"s},
      {written([](char *p) { MascaraPAN(p, 12); }, "123456789012"), "123456XX9012\0"s},
      {written([](char *p) { MascaraPAN(p, 11); }, "12345678901"), "12345678901\0"s},
  };
  vl::test::expect_rows(cases);
}

// IsMaskedPANsAlike: wildcards in either number at equal lengths; otherwise the head before
// the shorter's '-' (at least one character, within its length) opens the longer and the
// tail (maybe empty) closes it. GetBINLength: never below 6, trailing nines counted over the
// lower's positions. AchaBandeira: a signed byte. Null pointers are refused.
TEST(BinRules, MaskedComparisonBinTestsAndBrandPick) {
  const char *pan = "4111112345678901";
  const char brands[] = {0, 0, 7, 0, static_cast<char>(0xF0), 3};
  const int cases[][2] = {
      {IsMaskedPANsAlike("411111******8902", 16, pan, 16), 0}, {IsMaskedPANsAlike("41-1", 4, "4x11", 4), 1},
      {IsMaskedPANsAlike("", 0, "", 0), 1},                    {IsMaskedPANsAlike(pan, 16, "411111-8901", 11), 1},
      {IsMaskedPANsAlike("411112-8901", 11, pan, 16), 0},      {IsMaskedPANsAlike("411111-7890", 11, pan, 16), 0},
      {IsMaskedPANsAlike("-8901", 5, pan, 16), 0},             {IsMaskedPANsAlike("4111-111", 4, pan, 16), 0},
      {IsMaskedPANsAlike("41-", 3, pan, 16), 1},
      {ErroBIN("123456"), 0}, {ErroBIN("12345"), 1}, {ErroBIN("12345A7890"), 1},
      {ErroBIN("3714 49.... 98431"), 0}, {ErroBIN("3714 4X6353 98431"), 1},  // 7 to 10 not read
      {GetBINLength("4111110000", "4111119990"), 10}, {GetBINLength("4111110000", "4111111999"), 7},
      {GetBINLength("", ""), 6},                      {GetBINLength("41111200", "4111129999"), 6},
      {AchaBandeira(brands, 0, 6), 7}, {AchaBandeira(brands, 3, 6), -16},
      {AchaBandeira(brands, 0, 2), -1}, {AchaBandeira(brands, 2, 2), -1},
      {ErroBIN(nullptr), 1}, {AchaBandeira(nullptr, 0, 6), -1}, {IsMaskedPANsAlike(nullptr, 0, "", 0), 0},
  };
  vl::test::expect_rows(cases);
}

}  // namespace

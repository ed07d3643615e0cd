#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tools/cli_cases.h"

namespace {

// What track prints: these values after the eight labels, one a line.
std::string shown(std::initializer_list<const char *> values) {
  static const char *const labels[] = {"card number:   ", "truncated:     ", "luhn:          ", "expiry:        ",
                                       "service code:  ", "name:          ", "discretionary: ", "valid:         "};
  std::string out;
  const char *const *label = labels;
  for (const char *value : values) out += *label++ + std::string(value) + "\n";
  return out;
}

TEST(TrackCommand, SentinelsOffCardDataMaskedValidityAndLuhnApart) {
  vl::test::expect_cli_cases({
      {"track '%B4111111111111111^DOE/JOHN Q^2512201000000000000?X'", 0,
       shown({"411111XXXXXX1111", "411111-1111", "passes", "****", "***", "**********", "************", "yes"})},
      {"track --unmasked ';371449635398431D2604702123F?'", 0,
       shown({"371449635398431", "371449-8431", "passes", "2604", "702", "-", "123", "yes"})},
      {"track --show-pan 4111111111111112=2512201", 1,
       shown({"4111111111111112", "411111-1112", "fails", "****", "***", "-", "-", "yes"})},
      {"track 41111111111", 1, shown({"XXXXXXXXXXX", "-", "fails", "-", "-", "-", "-", "yes"})},
      {"track 4111A1111111=2512", 1,
       shown({"4111A1XX1111", "4111A1-1111", "fails (not digits only)", "****", "-", "-", "-", "no"})}});
  vl::test::expect_refused({"track", "track ';?'", "track --pan 4111111111111111"});
}

}  // namespace

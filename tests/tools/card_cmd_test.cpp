#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(TrackCommand, SentinelsOffCardDataMasked) {
  const auto track1 = run_cli("track '%B4111111111111111^DOE/JOHN Q^2512201000000000000?X'");
  EXPECT_EQ(track1.status, 0);
  EXPECT_EQ(track1.output,
            "card number:   411111XXXXXX1111\n"
            "truncated:     411111-1111\n"
            "luhn:          passes\n"
            "expiry:        ****\n"
            "service code:  ***\n"
            "name:          **********\n"
            "discretionary: ************\n"
            "valid:         yes\n");
  const auto track2 = run_cli("track --unmasked ';371449635398431D2604702123F?'");
  EXPECT_EQ(track2.status, 0);
  EXPECT_EQ(track2.output,
            "card number:   371449635398431\n"
            "truncated:     371449-8431\n"
            "luhn:          passes\n"
            "expiry:        2604\n"
            "service code:  702\n"
            "name:          -\n"
            "discretionary: 123\n"
            "valid:         yes\n");
}

TEST(TrackCommand, ValidityAndLuhnApart) {
  const auto shown = run_cli("track --show-pan 4111111111111112=2512201");
  EXPECT_EQ(shown.status, 1);
  EXPECT_NE(shown.output.find("card number:   4111111111111112\n"), std::string::npos);
  EXPECT_NE(shown.output.find("luhn:          fails\n"), std::string::npos);
  EXPECT_NE(shown.output.find("valid:         yes\n"), std::string::npos);
  const auto short_number = run_cli("track 41111111111");
  EXPECT_EQ(short_number.output.find("41111111111"), std::string::npos) << short_number.output;
  const auto invalid = run_cli("track 4111A1111111=2512");
  EXPECT_EQ(invalid.status, 1);
  EXPECT_NE(invalid.output.find("luhn:          fails (not digits only)\n"), std::string::npos);
  EXPECT_NE(invalid.output.find("valid:         no\n"), std::string::npos);
  EXPECT_EQ(run_cli("track").status, 2);
  EXPECT_EQ(run_cli("track ';?'").status, 2);
  EXPECT_EQ(run_cli("track --pan 4111111111111111").status, 2);
}

}  // namespace

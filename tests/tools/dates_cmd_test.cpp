#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

namespace {

using vl::test::run_cli;

TEST(DatesCommands, FactorGivesBothCyclesAndTheNearerOne) {
  vl::test::expect_cli_cases({
      {"fator --today 20261207 1000", 0,
       "first cycle    03072000\ncurrent cycle  22022025\napplies        22022025 (current cycle)\n"},
      {"fator --today 20120101 1000", 0,
       "first cycle    03072000\ncurrent cycle  22022025\napplies        03072000 (first cycle)\n"},
      {"fator --today=20261207 9999", 0,
       "first cycle    21022025\ncurrent cycle  13102049\napplies        21022025 (first cycle)\n"},
      {"fator --today 20370101 5000", 0,
       "first cycle    16062011\ncurrent cycle  05022036\napplies        05022036 (current cycle)\n"},
      {"fator 1", 0, "first cycle    08101997\ncurrent cycle  -\napplies        08101997 (first cycle)\n"},
      {"fator 0", 1, "vertalib fator: factor 0 names no date\n"}});
  EXPECT_EQ(run_cli("fator 1000").output.find("first cycle    03072000\ncurrent cycle  22022025\n"), 0u)
      << "today's date is read from the clock";
  for (const char *bad : {"fator", "fator 12345", "fator 12a", "fator 1 2", "fator --today 20250229 1"})
    EXPECT_EQ(run_cli(bad).status, 2) << bad;
}

TEST(DatesCommands, DataConvertsLayoutsAndAddsDays) {
  const std::string leap_day = "DDMMAA 290224\nAAAAMMDD 20240229\nAAAADDD 2024060\n";
  EXPECT_EQ(run_cli("data ddmmaa 280224 --add 1").output, leap_day);
  EXPECT_EQ(run_cli("data aaaammdd 20240229").output, leap_day);
  EXPECT_EQ(run_cli("data ddmmaaaa 29022024").output, leap_day);
  EXPECT_EQ(run_cli("data juliano 2024060").output, leap_day);
  EXPECT_EQ(run_cli("data --add -1 ddmmaa 010324").output, leap_day);
  EXPECT_EQ(run_cli("data aaaammdd 19500101").output,
            "DDMMAA 010150\nAAAAMMDD 19500101\nAAAADDD 1950001\n")
      << "a four-digit year is kept when no days are added";
  EXPECT_EQ(run_cli("data aaaammdd 20241231 --add 60").output,
            "DDMMAA 010325\nAAAAMMDD 20250301\nAAAADDD 2025060\n");
  EXPECT_EQ(run_cli("data ddmmaa 300224").status, 1);
  EXPECT_EQ(run_cli("data ymd 280224").output,
            "vertalib data: unknown layout 'ymd': ddmmaa, ddmmaaaa, aaaammdd or juliano\n"
            "try: vertalib data --help\n");
  for (const char *bad : {"data", "data ddmmaa", "data ddmmaa 2802",
                          "data ddmmaa 280224 --add x", "data ddmmaa 280224 extra"})
    EXPECT_EQ(run_cli(bad).status, 2) << bad;
}

}  // namespace

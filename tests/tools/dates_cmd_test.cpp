#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

using vl::test::refused;

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
      {"fator 0", 1, "vertalib fator: factor 0 names no date\n"},
      refused("fator 12345", "5 digits are too many: FACTOR takes digits only, 1 to 4 digits")});
  EXPECT_EQ(vl::test::run_cli("fator 1000").output.find("first cycle    03072000\ncurrent cycle  22022025\n"), 0u)
      << "today's date is read from the clock";
  vl::test::expect_refused({"fator", "fator 1 2", "fator --today 20250229 1"});
}

TEST(DatesCommands, DataConvertsLayoutsAndAddsDays) {
  const std::string leap_day = "DDMMAA 290224\nAAAAMMDD 20240229\nAAAADDD 2024060\n";
  vl::test::expect_cli_cases({
      {"data ddmmaa 280224 --add 1", 0, leap_day},
      {"data ddmmaaaa 29022024", 0, leap_day},
      {"data juliano 2024060", 0, leap_day},
      {"data --add -1 ddmmaa 010324", 0, leap_day},
      {"data aaaammdd 19500101", 0, "DDMMAA 010150\nAAAAMMDD 19500101\nAAAADDD 1950001\n"},
      {"data aaaammdd 20241231 --add 60", 0, "DDMMAA 010325\nAAAAMMDD 20250301\nAAAADDD 2025060\n"},
      {"data ddmmaa 300224", 1, "vertalib data: 300224 is not a date\n"},
      refused("data ymd 280224", "unknown layout 'ymd': ddmmaa, ddmmaaaa, aaaammdd or juliano"),
      refused("data ddmmaa 2802", "4 digits are too few: DATE in ddmmaa takes digits only, 6 digits")});
  vl::test::expect_refused({"data", "data ddmmaa", "data ddmmaa 280224 --add x", "data ddmmaa 280224 extra"});
}

#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(DatesCommands, FactorGivesTheDueDate) {
  EXPECT_EQ(run_cli("fator 1000").output, "03072000\n");
  EXPECT_EQ(run_cli("fator 1").output, "08101997\n");
  EXPECT_EQ(run_cli("fator 9999").output, "21022025\n");
  EXPECT_EQ(run_cli("fator 0").status, 1);
  for (const char *bad : {"fator", "fator 12345", "fator 12a", "fator 1 2"})
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
  for (const char *bad : {"data", "data ddmmaa", "data ddmmaa 2802", "data ymd 280224",
                          "data ddmmaa 280224 --add x", "data ddmmaa 280224 extra"})
    EXPECT_EQ(run_cli(bad).status, 2) << bad;
}

}  // namespace

#include <gtest/gtest.h>

#include "tools/cli_cases.h"

using vl::test::refused;

TEST(AmountsCommands, DisplayFormWordsAndRefusals) {
  vl::test::expect_cli_cases({
      {"valor 123456", 0, "1.234,56\n"},
      {"valor 1.234,56", 0, "000000123456\n"},
      {"valor 1.23,56", 1, "vertalib valor: '1.23,56' is not a display amount\n"},
      {"extenso --width=20 150050", 0, "UM MIL E QUINHENTOS \nREAIS E CINQUENTA   \nCENTAVOS            \n"},
      refused("extenso 150050 --width 0", "width from 1 to 300"),
      refused("extenso 123456789012345", "15 digits are too many: CENTAVOS takes digits only, 1 to 14 digits")});
}

#include <gtest/gtest.h>

#include "tools/cli_cases.h"

namespace {

TEST(AmountsCommands, DisplayFormWordsAndRefusals) {
  vl::test::expect_cli_cases({
      {"valor 123456", 0, "1.234,56\n"},
      {"valor 1.234,56", 0, "000000123456\n"},
      {"valor 1.23,56", 1, "vertalib valor: '1.23,56' is not a display amount\n"},
      {"extenso --width=20 150050", 0,
       "UM MIL E QUINHENTOS \nREAIS E CINQUENTA   \nCENTAVOS            \n"},
      {"extenso 150050 --width 0", 2, "vertalib extenso: width from 1 to 300\ntry: vertalib extenso --help\n"},
      {"extenso 15a", 2,
       "vertalib extenso: non-digit character 'a' at position 3: CENTAVOS takes digits only, 1 to 14 digits\n"
       "try: vertalib extenso --help\n"}});
}

}  // namespace

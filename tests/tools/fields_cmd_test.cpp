#include <gtest/gtest.h>

#include "tools/cli_cases.h"

TEST(BitmapCommand, ListsElementsAndBuildsBitmaps) {
  vl::test::expect_cli_cases({
      {"bitmap 7000000000000001", 0, "2 3 4 64\n"},
      {"bitmap f23c46c1a8e0a00000000000000000c1", 0,
       "1 2 3 4 7 11 12 13 14 18 22 23 25 26 32 33 35 37 41 42 43 49 51 121 122 128\n"},
      {"bitmap --elements 2 3 4 64 3", 0, "7000000000000001\n"},
      {"bitmap --elements 1 3 65 128", 0, "A0000000000000008000000000000001\n"}});
  vl::test::expect_refused({"bitmap", "bitmap 70000000000000", "bitmap 700000000000000G", "bitmap --elements",
                            "bitmap --elements 0", "bitmap --elements 129", "bitmap --elements 5x",
                            "bitmap 7000000000000001 2"});
}

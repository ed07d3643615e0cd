#include <gtest/gtest.h>

#include "tools/cli_cases.h"

TEST(TttlllCommand, ListsEveryElementOrReadsOne) {
  vl::test::expect_cli_cases({
      {"tttlll 001003ABC002000@20002XY", 0, "001 3 ABC\n002 0 \n@20 2 XY\n"},
      {"tttlll --widths 4 2 TAG102ABTAG203XYZ", 0, "TAG1 2 AB\nTAG2 3 XYZ\n"},
      {"tttlll 001003ABC002009XY", 1, "001 3 ABC\n002 9 XY\nvertalib tttlll: the value is cut at the text's end at 9\n"},
      {"tttlll 001003ABC@20002XY 20", 0, "XY\n"},
      {"tttlll --widths 4 2 TAG102ABTAG203XYZ TAG2", 0, "XYZ\n"},
      {"tttlll 001003ABC 7", 1, "vertalib tttlll: no value for tag 7\n"}});
  vl::test::expect_refused({"tttlll 001003ABC 1000", "tttlll --widths 4 2 TAG102AB TAG",
                            "tttlll --widths 0 2 TAG102AB", "tttlll"});
}

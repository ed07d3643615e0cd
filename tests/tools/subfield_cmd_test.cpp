#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(TttlllCommand, ListsEveryElement) {
  const auto listed = run_cli("tttlll 001003ABC002000@20002XY");
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.output, "001 3 ABC\n002 0 \n@20 2 XY\n");
  const auto wide = run_cli("tttlll --widths 4 2 TAG102ABTAG203XYZ");
  EXPECT_EQ(wide.output, "TAG1 2 AB\nTAG2 3 XYZ\n");
  const auto cut = run_cli("tttlll 001003ABC002009XY");
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.output.substr(0, 19), "001 3 ABC\n002 9 XY\n");
  EXPECT_NE(cut.output.find("cut at the text's end"), std::string::npos);
}

TEST(TttlllCommand, ReadsOneTag) {
  EXPECT_EQ(run_cli("tttlll 001003ABC@20002XY 20").output, "XY\n");
  EXPECT_EQ(run_cli("tttlll --widths 4 2 TAG102ABTAG203XYZ TAG2").output, "XYZ\n");
  EXPECT_EQ(run_cli("tttlll 001003ABC 7").status, 1);
  EXPECT_EQ(run_cli("tttlll 001003ABC 1000").status, 2);
  EXPECT_EQ(run_cli("tttlll --widths 4 2 TAG102AB TAG").status, 2);
  EXPECT_EQ(run_cli("tttlll --widths 0 2 TAG102AB").status, 2);
  EXPECT_EQ(run_cli("tttlll").status, 2);
}

}  // namespace

// The character-set and code subcommands of the command-line program.
#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(CharsetCommands, EbcdicBothWaysAndUri) {
  EXPECT_EQ(run_cli("ebcdic encode 'A1 z'").output, "C1F140A9\n");
  EXPECT_EQ(run_cli("ebcdic decode c1f140a9").output, "A1 z\n");
  const auto digits = run_cli("ebcdic decode 313241");
  EXPECT_EQ(digits.status, 0);
  EXPECT_EQ(digits.output, "vertalib ebcdic: begins with an ASCII digit, copied unchanged\n12A\n");
  EXPECT_EQ(run_cli("uri 'a b/c~'").output, "a%20b%2Fc~\n");
  EXPECT_EQ(run_cli("uri ''").output, "\n");

  EXPECT_EQ(run_cli("ebcdic decode C1F").status, 2);
  EXPECT_EQ(run_cli("ebcdic decode XY").status, 2);
  EXPECT_EQ(run_cli("ebcdic swap A1").status, 2);
  EXPECT_EQ(run_cli("uri a b").status, 2);
}

}  // namespace

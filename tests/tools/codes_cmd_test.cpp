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

  EXPECT_EQ(run_cli("ebcdic decode C1F").status, 2);
  EXPECT_EQ(run_cli("ebcdic swap A1").status, 2);
  EXPECT_EQ(run_cli("uri a b").status, 2);
}

TEST(RadixCommands, Base36VertaAndRunLength) {
  EXPECT_EQ(run_cli("base36 encode 71 3").output, "01Z\n");
  EXPECT_EQ(run_cli("base36 decode ZIK0ZJ").output, "2147483647\n");
  const auto invalid = run_cli("base36 decode 1z");
  EXPECT_EQ(invalid.status, 1);
  EXPECT_EQ(invalid.output, "Invalid Number\n");
  EXPECT_EQ(run_cli("verta encode 100").output, "0A (radix 36: 2S)\n");
  EXPECT_EQ(run_cli("verta decode 8Z").output, "333\n");
  const auto not_a_code = run_cli("verta decode '!!'");
  EXPECT_EQ(not_a_code.status, 1);
  EXPECT_EQ(not_a_code.output, "vertalib verta: '!!' is not a code: two digits, a digit 0-8 and a"
                               " letter, or two radix-36 digits 0-9 A-Z\n");
  EXPECT_EQ(run_cli("rle encode 4141414142").output, "834142\n");
  EXPECT_EQ(run_cli("rle decode 834142").output, "4141414142\n");
  const auto too_small = run_cli("rle decode 834142 4");
  EXPECT_EQ(too_small.status, 1);
  EXPECT_EQ(too_small.output, "vertalib rle: does not decode within 4 bytes\n");

  EXPECT_EQ(run_cli("base36 encode 2147483648").status, 2);
  EXPECT_EQ(run_cli("verta encode 1296").status, 2);
  EXPECT_EQ(run_cli("rle encode 834").status, 2);
}

}  // namespace

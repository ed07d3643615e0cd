// The character-set and code subcommands of the command-line program.
#include <gtest/gtest.h>

#include "tools/cli_cases.h"

TEST(CodesCommands, EbcdicUriBase36VertaAndRunLength) {
  vl::test::expect_cli_cases({
      {"ebcdic encode 'A1 z'", 0, "C1F140A9\n"},
      {"ebcdic decode c1f140a9", 0, "A1 z\n"},
      {"ebcdic decode 313241", 0, "vertalib ebcdic: begins with an ASCII digit, copied unchanged\n12A\n"},
      {"uri 'a b/c~'", 0, "a%20b%2Fc~\n"},
      {"base36 encode 71 3", 0, "01Z\n"},
      {"base36 decode ZIK0ZJ", 0, "2147483647\n"},
      {"base36 decode 1z", 1, "Invalid Number\n"},
      {"verta encode 100", 0, "0A (radix 36: 2S)\n"},
      {"verta decode 8Z", 0, "333\n"},
      {"verta decode '!!'", 1, "vertalib verta: '!!' is not a code: two digits, a digit 0-8 and a letter, "
                               "or two radix-36 digits 0-9 A-Z\n"},
      {"rle encode 4141414142", 0, "834142\n"},
      {"rle decode 834142", 0, "4141414142\n"},
      {"rle decode 834142 4", 1, "vertalib rle: does not decode within 4 bytes\n"}});
  vl::test::expect_refused({"ebcdic decode C1F", "ebcdic swap A1", "uri a b", "base36 encode 2147483648",
                            "verta encode 1296", "rle encode 834"});
}

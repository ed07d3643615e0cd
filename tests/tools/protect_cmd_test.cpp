#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

std::string first_line(const std::string &text) { return text.substr(0, text.find('\n')); }

// Encrypted data comes back opened with the card number masked unless the full data is asked for.
TEST(ProtectCommand, RoundTripsMasked) {
  const std::string track = first_line(run_cli("protect track2 encrypt 4111111111111111=25122011234567890000").output);
  EXPECT_EQ(track.substr(64), "3930303030");  // 37 characters: the last 5 stay in clear
  EXPECT_EQ(run_cli("protect track2 decrypt " + track).output, "card number:  411111XXXXXX1111\nlength:       37\n");
  EXPECT_EQ(run_cli("protect track2 decrypt --show-pan " + track).output,
            "track:        4111111111111111=25122011234567890000\n");
  const std::string pan = first_line(run_cli("protect pan encrypt 6062825624254001234 0123456789ABCDEF").output);
  EXPECT_EQ(pan.substr(0, 2) + std::to_string(pan.size()), "1934");
  EXPECT_EQ(run_cli("protect pan decrypt " + pan + " 0123456789ABCDEF").output, "card number:  606282XXXXXXXXX1234\n");
  EXPECT_EQ(run_cli("protect pan decrypt " + pan + " 0123456789ABCDEF --show-pan").output,
            "card number:  6062825624254001234\n");
  EXPECT_EQ(run_cli("protect track1 encrypt B411111^DOE^2512").status, 1);  // under 21
}

TEST(ProtectCommand, RefusesBadArguments) {
  for (const char *arguments : {"protect pan encrypt 4111", "protect pan encrypt 41X1 0123456789ABCDEF",
                                "protect pan encrypt 4111 0123456789ABCDE", "protect pan decrypt 16AB 0123456789ABCDEF",
                                "protect track2 decrypt 12345", "protect track2 encrypt 4111 KEY",
                                "protect track3 encrypt 4111111111111111=2512", "protect pan sign 4111 0123456789ABCDEF"})
    EXPECT_EQ(run_cli(arguments).status, 2) << arguments;
}

}  // namespace

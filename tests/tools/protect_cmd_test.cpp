#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

using vl::test::refused;
using vl::test::run_cli;

namespace {

std::string first_line(const std::string &text) { return text.substr(0, text.find('\n')); }

// Encrypted data comes back opened with the card number masked unless the full data is asked for.
TEST(ProtectCommand, RoundTripsMasked) {
  const std::string track = first_line(run_cli("protect track2 encrypt 4111111111111111=25122011234567890000").output);
  EXPECT_EQ(track.substr(64), "3930303030");  // 37 characters: the last 5 stay in clear
  const std::string pan = first_line(run_cli("protect pan encrypt 6062825624254001234 0123456789ABCDEF").output);
  EXPECT_EQ(pan.substr(0, 2) + std::to_string(pan.size()), "1934");
  const std::string short_pan = first_line(run_cli("protect pan encrypt 41111111111 0123456789ABCDEF").output);
  vl::test::expect_cli_cases({
      {"protect track2 decrypt " + track, 0, "card number:  411111XXXXXX1111\nlength:       37\n"},
      {"protect track2 decrypt --show-pan " + track, 0, "track:        4111111111111111=25122011234567890000\n"},
      {"protect pan decrypt " + pan + " 0123456789ABCDEF", 0, "card number:  606282XXXXXXXXX1234\n"},
      {"protect pan decrypt " + pan + " 0123456789ABCDEF --show-pan", 0, "card number:  6062825624254001234\n"},
      {"protect pan decrypt " + short_pan + " 0123456789ABCDEF", 0, "card number:  XXXXXXXXXXX\n"}});
  EXPECT_EQ(run_cli("protect track1 encrypt B411111^DOE^2512").status, 1);  // under 21
}

TEST(ProtectCommand, RefusesBadArguments) {
  vl::test::expect_cli_cases({
      refused("protect pan encrypt 4111", "pan expects the data and a KEY"),
      refused("protect pan encrypt 123456789012345678901234567890123 0123456789ABCDEF",
              "33 digits are too many: PAN takes digits only, 1 to 32 digits"),
      refused("protect pan encrypt 4111 0123456789ABCDE",
              "15 digits are too few: KEY takes hexadecimal digits only, 16 or more digits"),
      refused("protect pan decrypt 16AB 0123456789ABCDEF",
              "4 digits are too few: ENCRYPTED takes hexadecimal digits only, 34 digits"),
      refused("protect pan decrypt AB0123456789ABCDEF0123456789ABCDEF 0123456789ABCDEF",
              "ENCRYPTED starts with two length digits"),
      refused("protect track2 decrypt 12345", "odd number of digits (5): HEX takes whole bytes"),
      refused("protect track2 encrypt " + std::string(129, '4'), "a track has at most 128 characters, not 129"),
      refused("protect track2 encrypt 4111 KEY", "a track takes no key"),
      refused("protect track3 encrypt 4111111111111111=2512", "the kind is track1, track2 or pan"),
      refused("protect pan sign 4111 0123456789ABCDEF", "the direction is encrypt or decrypt"),
      refused("protect pan encrypt", "expects a kind, a direction and the data"),
      refused("protect --show-pin pan decrypt 4111 0123456789ABCDEF", "unknown option '--show-pin'")});
}

TEST(ProtectCommand, NeverShowsCardNumberOrKey) {
  const std::string pan = "5502093348871164", key = "8E3F5A7C91B2D4E6";
  for (const std::string &arguments :
       {"protect pan encrypt " + pan + "Y " + key, "protect pan encrypt " + pan + " " + key + "Q",
        "protect pan " + pan + " encrypt " + key, "protect pan encrypt " + pan + " " + key + " " + pan,
        "protect track2 encrypt " + pan + " " + key, "protect track2 encrypt " + pan + "=2512201"})
    for (const std::string &secret : {pan, key}) vl::test::expect_not_shown(arguments, secret);
}

}  // namespace

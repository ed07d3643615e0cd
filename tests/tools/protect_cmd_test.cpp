#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

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
  const std::string short_pan = first_line(run_cli("protect pan encrypt 41111111111 0123456789ABCDEF").output);
  EXPECT_EQ(run_cli("protect pan decrypt " + short_pan + " 0123456789ABCDEF").output, "card number:  XXXXXXXXXXX\n");
  EXPECT_EQ(run_cli("protect track1 encrypt B411111^DOE^2512").status, 1);  // under 21
}

std::string refused(const std::string &message) {
  return "vertalib protect: " + message + "\ntry: vertalib protect --help\n";
}

TEST(ProtectCommand, RefusesBadArguments) {
  const std::string long_track(129, '4');
  const struct {
    std::string arguments, message;
  } cases[] = {
      {"protect pan encrypt 4111", "pan expects the data and a KEY"},
      {"protect pan encrypt 41X1 0123456789ABCDEF",
       "non-digit character 'X' at position 3: PAN takes digits only, 1 to 32 digits"},
      {"protect pan encrypt 4111 0123456789ABCDE",
       "15 digits are too few: KEY takes hexadecimal digits only, 16 or more digits"},
      {"protect pan decrypt 16AB 0123456789ABCDEF",
       "4 digits are too few: ENCRYPTED takes hexadecimal digits only, 34 digits"},
      {"protect pan decrypt AB0123456789ABCDEF0123456789ABCDEF 0123456789ABCDEF",
       "ENCRYPTED starts with two length digits"},
      {"protect track2 decrypt 12345", "odd number of digits (5): HEX takes whole bytes"},
      {"protect track2 decrypt 12G4", "non-hex character 'G' at position 3: HEX takes hexadecimal digits only, "
                                      "0 to 256 digits"},
      {"protect track2 encrypt " + long_track, "a track has at most 128 characters, not 129"},
      {"protect track2 encrypt 4111 KEY", "a track takes no key"},
      {"protect track3 encrypt 4111111111111111=2512", "the kind is track1, track2 or pan"},
      {"protect pan sign 4111 0123456789ABCDEF", "the direction is encrypt or decrypt"},
      {"protect pan encrypt", "expects a kind, a direction and the data"},
      {"protect --show-pin pan decrypt 4111 0123456789ABCDEF", "unknown option '--show-pin'"},
  };
  for (const auto &c : cases) {
    const auto run = run_cli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.output, refused(c.message)) << c.arguments;
  }
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

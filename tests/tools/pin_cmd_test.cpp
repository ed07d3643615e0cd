#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

namespace {

using vl::test::run_cli;

constexpr const char *kKey = "0123456789ABCDEFFEDCBA9876543210";

// 041225EEEEEEEEEE (PIN 1234, card 4111111111111111) under the two-key triple DES above,
// as an independent triple-DES EDE computation gives it.
TEST(PinBlockCommand, BuildsTheEncryptedBlockAndOpensItWithoutShowingThePin) {
  const std::string key = kKey;
  const std::string build = "pinblock build 1234 4111111111111111 " + key;
  const std::string open = "pinblock open 2A3D408A1977DDE9 4111111111111111 " + key;
  const std::string shown = "pinblock open 2a3d408a1977dde9 4111111111111111 --show-pin " + key;
  // Another card number opens to other digits whose block has no "F" padding.
  const std::string wrong_card = "pinblock open 2A3D408A1977DDE9 4111221111111111 --show-pin " + key;
  vl::test::expect_cli_cases({
      {build.c_str(), 0, "2A3D408A1977DDE9\n"},
      {open.c_str(), 0, "pin length: 4\nvalid:      yes\n"},
      {shown.c_str(), 0, "pin:        1234\npin length: 4\nvalid:      yes\n"},
      {wrong_card.c_str(), 1, "pin length: 4\nvalid:      no\n"},
  });
  // A 12-digit PIN and a 19-digit card number round trip.
  const auto long_pin = run_cli("pinblock build 123456789012 6012345678901234567 " + key);
  ASSERT_EQ(long_pin.status, 0);
  const std::string block = long_pin.output.substr(0, 16);
  EXPECT_EQ(run_cli("pinblock open " + block + " 6012345678901234567 --show-pin " + key).output,
            "pin:        123456789012\npin length: 12\nvalid:      yes\n");
  // Under a wrong key the block is not valid, and --show-pin shows nothing.
  const auto wrong_key = run_cli("pinblock open 2A3D408A1977DDE9 4111111111111111 --show-pin 0123456789ABCDEF");
  EXPECT_EQ(wrong_key.status, 1);
  EXPECT_EQ(wrong_key.output.find("pin:"), std::string::npos) << wrong_key.output;
}

std::string refused(const std::string &message) {
  return "vertalib pinblock: " + message + "\ntry: vertalib pinblock --help\n";
}

TEST(PinBlockCommand, RefusesArgumentsOutsideTheFormats) {
  const std::string pan = " 4111111111111111 ", key = kKey;
  const std::string pin_rule = "PIN takes digits only, 4 to 12 digits";
  const struct {
    std::string arguments, message;
  } cases[] = {
      {"pinblock build 123" + pan + key, "3 digits are too few: " + pin_rule},
      {"pinblock build 1234567890123" + pan + key, "13 digits are too many: " + pin_rule},
      {"pinblock build 12a4" + pan + key, "non-digit character 'a' at position 3: " + pin_rule},
      {"pinblock build 1234 41111111111 " + key,
       "11 digits are too few: PAN takes digits only, 12 to 19 digits"},
      {"pinblock build 1234" + pan + "0123456789ABCDEG",
       "non-hex character 'G' at position 16: KEY takes hexadecimal digits only, 16, 32 or 48 digits"},
      {"pinblock build 1234" + pan + "0123456789ABCDEF01",
       "wrong number of digits (18): KEY takes hexadecimal digits only, 16, 32 or 48 digits"},
      {"pinblock open 2A3D408A1977DD" + pan + key,
       "14 digits are too few: BLOCK takes hexadecimal digits only, 16 digits"},
      {"pinblock build 1234" + pan + key + " --show-pin", "--show-pin goes with open"},
      {"pinblock make 1234" + pan + key, "the first argument is build or open"},
      {"pinblock build 1234 4111111111111111", "expects build PIN PAN KEY or open BLOCK PAN KEY"},
      {"pinblock build 1234" + pan + key + " 5678",
       "too many arguments (5): expects build PIN PAN KEY or open BLOCK PAN KEY"},
  };
  for (const auto &c : cases) {
    const auto run = run_cli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_EQ(run.output, refused(c.message)) << c.arguments;
  }
}

// PIN, card number and key stay out of every message, however the arguments are wrong.
TEST(PinBlockCommand, NeverShowsPinCardNumberOrKey) {
  const std::string pin = "7395", pan = "5502093348871164", key = "8E3F5A7C91B2D4E6F0A1C3E5B7D9F1A2";
  for (const std::string &arguments :
       {"pinblock build " + pin + " " + pan + " " + key, "pinblock build " + pin + " " + pan + " " + key + "Q",
        "pinblock build " + pin + pin + pin + "0 " + pan + " " + key, "pinblock " + pin + " build " + pan + " " + key,
        "pinblock build " + pin + " " + pan + "0000 " + key, "pinblock build " + pin + " " + pan + " " + key + " " + pin,
        "pinblock build " + pin + " " + pan + " " + key + " --show-pin"}) {
    vl::test::expect_not_shown(arguments, pin);
    vl::test::expect_not_shown(arguments, pan);
    vl::test::expect_not_shown(arguments, key);
  }
}

}  // namespace

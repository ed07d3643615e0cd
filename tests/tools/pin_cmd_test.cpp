#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

using vl::test::refused;
using vl::test::run_cli;

namespace {

const std::string kKey = "0123456789ABCDEFFEDCBA9876543210";

// 041225EEEEEEEEEE (PIN 1234, card 4111111111111111) under the two-key triple DES above,
// as an independent triple-DES EDE computation gives it.
TEST(PinBlockCommand, BuildsTheEncryptedBlockAndOpensItWithoutShowingThePin) {
  const std::string pan = " 4111111111111111 ", pin_rule = "PIN takes digits only, 4 to 12 digits";
  vl::test::expect_cli_cases({
      {"pinblock build 1234" + pan + kKey, 0, "2A3D408A1977DDE9\n"},
      {"pinblock open 2A3D408A1977DDE9" + pan + kKey, 0, "pin length: 4\nvalid:      yes\n"},
      {"pinblock open 2a3d408a1977dde9" + pan + "--show-pin " + kKey, 0,
       "pin:        1234\npin length: 4\nvalid:      yes\n"},
      // Another card number opens to other digits whose block has no "F" padding.
      {"pinblock open 2A3D408A1977DDE9 4111221111111111 --show-pin " + kKey, 1, "pin length: 4\nvalid:      no\n"},
      // Under a wrong key the block is not valid, and --show-pin shows nothing.
      {"pinblock open 2A3D408A1977DDE9" + pan + "--show-pin 0123456789ABCDEF", 1,
       "pin length: -\nvalid:      no\n"},
      refused("pinblock build 123" + pan + kKey, "3 digits are too few: " + pin_rule),
      refused("pinblock build 1234567890123" + pan + kKey, "13 digits are too many: " + pin_rule),
      refused("pinblock build 1234 41111111111 " + kKey, "11 digits are too few: PAN takes digits only, 12 to 19 digits"),
      refused("pinblock build 1234 41111111111111111111 " + kKey,
              "20 digits are too many: PAN takes digits only, 12 to 19 digits"),
      refused("pinblock build 1234" + pan + "0123456789ABCDEF01",
              "wrong number of digits (18): KEY takes hexadecimal digits only, 16, 32 or 48 digits"),
      refused("pinblock open 2A3D408A1977DD" + pan + kKey,
              "14 digits are too few: BLOCK takes hexadecimal digits only, 16 digits"),
      refused("pinblock build 1234" + pan + kKey + " --show-pin", "--show-pin goes with open"),
      refused("pinblock make 1234" + pan + kKey, "the first argument is build or open"),
      refused("pinblock build 1234 4111111111111111", "expects build PIN PAN KEY or open BLOCK PAN KEY"),
      refused("pinblock build 1234" + pan + kKey + " 5678",
              "too many arguments (5): expects build PIN PAN KEY or open BLOCK PAN KEY")});
  // A 12-digit PIN and a 19-digit card number round trip.
  const auto long_pin = run_cli("pinblock build 123456789012 6012345678901234567 " + kKey);
  ASSERT_EQ(long_pin.status, 0);
  EXPECT_EQ(run_cli("pinblock open " + long_pin.output.substr(0, 16) + " 6012345678901234567 --show-pin " + kKey).output,
            "pin:        123456789012\npin length: 12\nvalid:      yes\n");
}

// PIN, card number and key stay out of every message, however the arguments are wrong.
TEST(PinBlockCommand, NeverShowsPinCardNumberOrKey) {
  const std::string pin = "7395", pan = "5502093348871164", key = "8E3F5A7C91B2D4E6F0A1C3E5B7D9F1A2";
  for (const std::string &arguments :
       {"pinblock build " + pin + " " + pan + " " + key, "pinblock build " + pin + " " + pan + " " + key + "Q",
        "pinblock build " + pin + pin + pin + "0 " + pan + " " + key, "pinblock " + pin + " build " + pan + " " + key,
        "pinblock build " + pin + " " + pan + "0000 " + key, "pinblock build " + pin + " " + pan + " " + key + " " + pin,
        "pinblock build " + pin + " " + pan + " " + key + " --show-pin"})
    for (const std::string &secret : {pin, pan, key}) vl::test::expect_not_shown(arguments, secret);
}

}  // namespace

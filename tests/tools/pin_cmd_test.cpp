#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

constexpr const char *kKey = "0123456789ABCDEFFEDCBA9876543210";

// 041225EEEEEEEEEE (PIN 1234, card 4111111111111111) under the two-key triple DES above,
// as an independent triple-DES EDE computation gives it.
TEST(PinBlockCommand, BuildsTheEncryptedBlockAndOpensItWithoutShowingThePin) {
  const auto built = run_cli(std::string("pinblock build 1234 4111111111111111 ") + kKey);
  EXPECT_EQ(built.status, 0);
  EXPECT_EQ(built.output, "2A3D408A1977DDE9\n");
  const auto opened = run_cli(std::string("pinblock open 2A3D408A1977DDE9 4111111111111111 ") + kKey);
  EXPECT_EQ(opened.status, 0);
  EXPECT_EQ(opened.output, "pin length: 4\nvalid:      yes\n");
  const auto shown = run_cli(std::string("pinblock open 2a3d408a1977dde9 4111111111111111 --show-pin ") + kKey);
  EXPECT_EQ(shown.output, "pin:        1234\npin length: 4\nvalid:      yes\n");
  // A 12-digit PIN and a 19-digit card number round trip.
  const auto long_pin = run_cli(std::string("pinblock build 123456789012 6012345678901234567 ") + kKey);
  ASSERT_EQ(long_pin.status, 0);
  const std::string block = long_pin.output.substr(0, 16);
  EXPECT_EQ(run_cli("pinblock open " + block + " 6012345678901234567 --show-pin " + kKey).output,
            "pin:        123456789012\npin length: 12\nvalid:      yes\n");
}

TEST(PinBlockCommand, WrongCardOrKeyIsNotValid) {
  // Another card number opens to other digits whose block has no "F" padding.
  const auto wrong_card = run_cli(std::string("pinblock open 2A3D408A1977DDE9 4111221111111111 --show-pin ") + kKey);
  EXPECT_EQ(wrong_card.status, 1);
  EXPECT_EQ(wrong_card.output, "pin length: 4\nvalid:      no\n");
  const auto wrong_key = run_cli("pinblock open 2A3D408A1977DDE9 4111111111111111 --show-pin 0123456789ABCDEF");
  EXPECT_EQ(wrong_key.status, 1);
  EXPECT_EQ(wrong_key.output.find("pin:"), std::string::npos) << wrong_key.output;
}

TEST(PinBlockCommand, RefusesArgumentsOutsideTheFormats) {
  const std::string pan = " 4111111111111111 ";
  const std::string refused[] = {
      "pinblock build 123 4111111111111111 " + std::string(kKey),            // PIN too short
      "pinblock build 1234567890123" + pan + kKey,                           // PIN too long
      "pinblock build 1234 41111111111 " + std::string(kKey),                // card too short
      "pinblock build 1234" + pan + "0123456789ABCDEG",                      // key not hex
      "pinblock build 1234" + pan + "0123456789ABCDEF01",                    // key length
      "pinblock open 2A3D408A1977DD" + pan + kKey,                           // block length
      "pinblock build 1234" + pan + kKey + " --show-pin",
      "pinblock build 1234 4111111111111111",
  };
  for (const auto &arguments : refused) {
    const auto run = run_cli(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.output.find("1234"), std::string::npos) << arguments;  // the PIN is not echoed
  }
}

}  // namespace

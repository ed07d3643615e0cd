#include <gtest/gtest.h>

#include "tools/cli_cases.h"

using vl::test::refused;

TEST(ConvertCommands, HexBytesAndPackedDecimal) {
  vl::test::expect_cli_cases({
      {"hex2bin 414243", 0, "ABC\n"},
      refused("hex2bin 41G", "non-hex character 'G' at position 3: HEX takes hexadecimal digits only, 1 to 4096 digits"),
      {"bin2hex AB", 0, "4142\n"},
      {"bcd pack 123", 0, "0123\n"},
      {"bcd unpack 0123 4", 0, "123\n"},
      refused("bcd pack 123456", "6 digits are too many: DIGITS takes digits only, 1 to 5 digits"),
      refused("bcd unpack 012 2", "odd number of digits (3): HEX takes whole bytes"),
      refused("bcd pack 1 2", "expects 'pack DIGITS' or 'unpack HEX DIGITS'")});
}

#include <gtest/gtest.h>

#include "tools/cli_cases.h"

namespace {

TEST(ConvertCommands, HexBytesAndPackedDecimal) {
  vl::test::expect_cli_cases({
      {"hex2bin 414243", 0, "ABC\n"},
      {"hex2bin 41G", 2,
       "vertalib hex2bin: non-hex character 'G' at position 3: HEX takes hexadecimal digits only, 1 to 4096 "
       "digits\ntry: vertalib hex2bin --help\n"},
      {"bin2hex AB", 0, "4142\n"},
      {"bcd pack 123", 0, "0123\n"},
      {"bcd unpack 0123 4", 0, "123\n"},
      {"bcd pack 123456", 2,
       "vertalib bcd: 6 digits are too many: DIGITS takes digits only, 1 to 5 digits\ntry: vertalib bcd --help\n"},
      {"bcd unpack 012 2", 2,
       "vertalib bcd: odd number of digits (3): HEX takes whole bytes\ntry: vertalib bcd --help\n"},
      {"bcd pack 1 2", 2,
       "vertalib bcd: expects 'pack DIGITS' or 'unpack HEX DIGITS'\ntry: vertalib bcd --help\n"}});
}

}  // namespace

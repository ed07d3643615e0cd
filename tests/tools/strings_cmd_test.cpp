#include <gtest/gtest.h>

#include "tools/cli_cases.h"

using vl::test::refused;

TEST(StringsCommands, PadReplaceWrapAndTheirRefusals) {
  vl::test::expect_cli_cases({
      {"pad left 6 42", 0, "000042\n"},
      {"pad right 6 42 ' '", 0, "42    \n"},
      {"pad left 2 123", 1, "vertalib pad: the text does not fit in 2 characters\n"},
      refused("pad up 6 42", "the side is 'left' or 'right'"),
      {"replace abcabc b XY", 0, "aXYcaXYc\n"},
      {"replace -- -a- a b", 0, "-b-\n"},
      refused("replace -a- a b", "unknown option '-a-'"),
      {"wrap 5 'aaa bbb ccc'", 0, "aaa@bbb@ccc\n"},
      refused("wrap 5", "expects a width and a text")});
}

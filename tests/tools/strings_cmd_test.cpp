#include <gtest/gtest.h>

#include "tools/cli_cases.h"

namespace {

TEST(StringsCommands, PadReplaceWrapAndTheirRefusals) {
  vl::test::expect_cli_cases({
      {"pad left 6 42", 0, "000042\n"},
      {"pad right 6 42 ' '", 0, "42    \n"},
      {"pad left 2 123", 1, "vertalib pad: the text does not fit in 2 characters\n"},
      {"pad up 6 42", 2, "vertalib pad: the side is 'left' or 'right'\ntry: vertalib pad --help\n"},
      {"replace abcabc b XY", 0, "aXYcaXYc\n"},
      {"replace -- -a- a b", 0, "-b-\n"},
      {"replace -a- a b", 2, "vertalib replace: unknown option '-a-'\ntry: vertalib replace --help\n"},
      {"wrap 5 'aaa bbb ccc'", 0, "aaa@bbb@ccc\n"},
      {"wrap 5", 2, "vertalib wrap: expects a width and a text\ntry: vertalib wrap --help\n"}});
}

}  // namespace

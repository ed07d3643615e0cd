// Tables of command lines with the exit code and the whole output each must give.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "tools/cli_run.h"

namespace vl::test {

struct CliCase {
  const char *arguments;
  int status;
  const char *output;
};

inline void expect_cli_cases(std::initializer_list<CliCase> cases) {
  for (const CliCase &c : cases) {
    const CliRun result = run_cli(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments;
    EXPECT_EQ(result.output, c.output) << c.arguments;
  }
}

}  // namespace vl::test

// The command-line program: every subcommand answers --help, the built-in example runs,
// and bad arguments give exit code 2.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/cli_run.h"

namespace {

using vl::test::CliRun;

CliRun run(const std::string &arguments) { return vl::test::run_cli(arguments); }

std::vector<std::string> subcommands() {
  const CliRun help = run("--help");
  std::vector<std::string> names;
  std::istringstream lines(help.output);
  std::string line;
  bool listing = false;
  while (std::getline(lines, line)) {
    if (line == "commands:") {
      listing = true;
      continue;
    }
    if (!listing || line.size() < 3) continue;
    std::istringstream words(line);
    std::string name;
    words >> name;
    if (name != "example") names.push_back(name);
  }
  return names;
}

TEST(Cli, EverySubcommandAnswersHelp) {
  const std::vector<std::string> names = subcommands();
  ASSERT_FALSE(names.empty());
  for (const std::string &name : names) {
    const CliRun help = run(name + " --help");
    EXPECT_EQ(help.status, 0) << name;
    EXPECT_NE(help.output.find("usage: vertalib " + name), std::string::npos) << name;
  }
}

TEST(Cli, RunsTheBuiltInExample) {
  const CliRun example = run("example");
  EXPECT_EQ(example.status, 0) << example.output;
  EXPECT_NE(example.output.find("== vertalib messages"), std::string::npos);
}

TEST(Cli, RefusesUnknownCommandsAndMissingArguments) {
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("no-such-command").status, 2);
  EXPECT_EQ(run("messages extra").status, 2);
}

}  // namespace

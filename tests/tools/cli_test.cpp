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

TEST(Cli, PrintsItsVersion) {
  const CliRun version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, std::string("vertalib ") + VL_PROJECT_VERSION + "\n");
}

// The argument reader every subcommand shares, seen through two of them.
TEST(Cli, ArgumentsReadAlikeEverywhere) {
  const struct {
    const char *arguments, *first_line;
  } cases[] = {
      {"fator --today", "vertalib fator: option '--today' expects a value"},
      {"fator --today 20261207 --today=20261207 1", "vertalib fator: option '--today' given twice"},
      {"luhn --complete=yes 41", "vertalib luhn: option '--complete' takes no value"},
      {"luhn -x 41", "vertalib luhn: unknown option '-x'"},
      {"luhn 41 42", "vertalib luhn: too many arguments (2): expects a card number"},
      {"luhn -- -41", "vertalib luhn: non-digit character '-' at position 1: NUMBER takes digits "
                      "only, 2 to 64 digits"}};
  for (const auto &c : cases) {
    const CliRun result = run(c.arguments);
    EXPECT_EQ(result.status, 2) << c.arguments;
    EXPECT_EQ(result.output.substr(0, result.output.find('\n')), c.first_line) << c.arguments;
  }
  EXPECT_EQ(run("luhn -- 4111111111111111").output, "valid\n");
  EXPECT_EQ(run("fator --today=20261207 1000").status, 0);
}

}  // namespace

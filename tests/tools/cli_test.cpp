// The command-line program: every subcommand answers --help, the built-in example runs,
// and bad arguments give exit code 2.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/cli_cases.h"

namespace {

using vl::test::CliRun;
using vl::test::run_cli;

TEST(Cli, EverySubcommandAnswersHelp) {
  const CliRun help = run_cli("--help");
  std::istringstream lines(help.output.substr(help.output.find("\ncommands:\n") + 11));
  int count = 0;
  for (std::string name, rest; lines >> name && std::getline(lines, rest);) {
    if (name == "example") continue;
    const CliRun usage = run_cli(name + " --help");
    EXPECT_EQ(usage.status, 0) << name;
    EXPECT_NE(usage.output.find("usage: vertalib " + name), std::string::npos) << name;
    ++count;
  }
  EXPECT_EQ(count, 37) << help.output;
}

TEST(Cli, RunsTheBuiltInExample) {
  const CliRun example = run_cli("example");
  EXPECT_EQ(example.status, 0) << example.output;
  for (const char *line : {"== vertalib messages", "kcv of the double-length test key 0123...3210: 08D7B4\n",
                           "under the double-length test key: 0000000000000000\n",
                           "sha1 of \"abc\": A9993E364706816ABA3E25717850C26C9CD0D89D\n",
                           "md5 of \"abc\": 900150983CD24FB0D6963F7D28E17F72\n"})
    EXPECT_NE(example.output.find(line), std::string::npos) << line;
}

TEST(Cli, PrintsItsVersion) {
  vl::test::expect_cli_cases({{"--version", 0, std::string("vertalib ") + VL_PROJECT_VERSION + "\n"}});
}

// The argument reader every subcommand shares, seen through two of them.
TEST(Cli, ArgumentsReadAlikeEverywhere) {
  using vl::test::refused;
  vl::test::expect_cli_cases({
      refused("fator --today", "option '--today' expects a value"),
      refused("fator --today 20261207 --today=20261207 1", "option '--today' given twice"),
      refused("luhn --complete=yes 41", "option '--complete' takes no value"),
      refused("luhn -x 41", "unknown option '-x'"),
      refused("luhn 41 42", "too many arguments (2): expects a card number"),
      refused("luhn -- -41", "non-digit character '-' at position 1: NUMBER takes digits only, 2 to 64 digits"),
      {"luhn -- 4111111111111111", 0, "valid\n"}});
  vl::test::expect_refused({"", "no-such-command", "messages extra"});
}

}  // namespace

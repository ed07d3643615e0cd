// Tables of command lines with the exit code and the whole output each must give.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tools/cli_run.h"

namespace vl::test {

struct CliCase {
  std::string arguments;
  int status;
  std::string output;
};

inline void expect_cli_cases(std::initializer_list<CliCase> cases) {
  for (const CliCase &c : cases) {
    const CliRun result = run_cli(c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments;
    EXPECT_EQ(result.output, c.output) << c.arguments;
  }
}

// A command line refused with exit code 2: the subcommand (its first word) names the
// fault, then points at its --help.
inline CliCase refused(const std::string &arguments, const std::string &message) {
  const std::string name = arguments.substr(0, arguments.find(' '));
  return {arguments, 2, "vertalib " + name + ": " + message + "\ntry: vertalib " + name + " --help\n"};
}

// Command lines refused with exit code 2, whatever they print.
inline void expect_refused(std::initializer_list<std::string> arguments) {
  for (const std::string &a : arguments) EXPECT_EQ(run_cli(a).status, 2) << a;
}

// Runs the command line and checks that no run of min(6, its length) characters of secret
// (a key, PIN or card number given on it) appears in what it prints, errors included.
inline void expect_not_shown(const std::string &arguments, const std::string &secret) {
  const CliRun result = run_cli(arguments);
  const size_t piece = secret.size() < 6 ? secret.size() : 6;
  for (size_t at = 0; at + piece <= secret.size(); ++at)
    EXPECT_EQ(result.output.find(secret.substr(at, piece)), std::string::npos)
        << arguments << " shows " << secret.substr(at, piece) << ":\n" << result.output;
}

}  // namespace vl::test

// Runs the command-line program (or another command) and captures its exit code and output (stdout and
// stderr together), for the tests of every family's subcommands.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vl::test {

struct CliRun {
  int status;
  std::string output;
};

// Runs a shell command line, its standard error joined to its output.
inline CliRun run_command(const std::string &command_line) {
  const std::string command = command_line + " 2>&1";
  FILE *pipe = popen(command.c_str(), "r");
  CliRun result{-1, ""};
  if (pipe == nullptr) return result;
  char chunk[4096];
  size_t n = 0;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline CliRun run_cli(const std::string &arguments) {
  return run_command(std::string(VL_CLI_PATH) + " " + arguments);
}

}  // namespace vl::test

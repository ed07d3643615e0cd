// Runs the command-line program (or, on POSIX, another command) and captures its exit code
// and output (stdout and stderr together), for the tests of every family's subcommands.
// The arguments are written as for a POSIX shell: words split at blanks, single quotes keep
// a word together.
#pragma once

#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace vl::test {

struct CliRun {
  int status;
  std::string output;
};

#if defined(_WIN32)

// The program's command line for Windows: each word of arguments (single quotes keep
// blanks in a word) in double quotes, as the runtime splits argv again.
inline std::string windows_command_line(const std::string &arguments) {
  std::string line = "program";
  std::string word;
  bool in_word = false, quoted = false;
  const auto finish = [&] {
    if (!in_word) return;
    line += " \"";
    for (char c : word) line += c == '"' ? std::string("\\\"") : std::string(1, c);
    line += '"';
    word.clear();
    in_word = false;
  };
  for (char c : arguments) {
    if (c == '\'') {
      quoted = !quoted;
      in_word = true;
    } else if (c == ' ' && !quoted) {
      finish();
    } else {
      word += c;
      in_word = true;
    }
  }
  finish();
  return line;
}

// Runs program directly (no command interpreter) in directory (null: this process's), both
// output streams on one pipe. The program writes text-mode output, so each "\r\n" is read
// back as "\n".
inline CliRun run_program(const std::string &program, const std::string &arguments,
                          const char *directory = nullptr) {
  CliRun result{-1, ""};
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return result;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  // "< file" gives the program that file as its input (/dev/null: the empty device).
  std::string words = arguments;
  HANDLE input = nullptr;
  if (const size_t at = words.find(" < "); at != std::string::npos) {
    std::string file = words.substr(at + 3);
    words.erase(at);
    if (file == "/dev/null") file = "NUL";
    input = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0,
                        nullptr);
    if (input == INVALID_HANDLE_VALUE) input = nullptr;
    if (input != nullptr) startup.hStdInput = input;
  }
  std::string line = windows_command_line(words);
  const BOOL started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, directory, &startup, &process);
  CloseHandle(write_end);
  if (input != nullptr) CloseHandle(input);
  if (started) {
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(read_end, chunk, sizeof chunk, &n, nullptr) && n > 0)
      result.output.append(chunk, n);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) result.status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read_end);
  for (size_t at = result.output.find("\r\n"); at != std::string::npos;
       at = result.output.find("\r\n", at))
    result.output.erase(at, 1);
  return result;
}

inline CliRun run_cli(const std::string &arguments) { return run_program(VL_CLI_PATH, arguments); }

#else

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

#endif

}  // namespace vl::test

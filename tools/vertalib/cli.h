// The command-line program's registry: every family adds its subcommands from its own
// file with VL_CLI_COMMAND, so no central list has to change when a family lands.
#pragma once

#include <cstdio>

namespace vl::cli {

// Exit codes of every subcommand.
inline constexpr int kOk = 0;
inline constexpr int kFalse = 1;    // ran, and the answer is "no" / "invalid"
inline constexpr int kUsage = 2;    // bad arguments

struct Command {
  const char *name;     // the subcommand, e.g. "hex2bin"
  const char *summary;  // one line for the command list
  const char *usage;    // the text of "vertalib NAME --help"
  int (*run)(int argc, char **argv);  // argv[0] is the subcommand's name
  void (*example)();    // prints a short demonstration; may be null
};

bool register_command(const Command &command);

// Prints "vertalib NAME: message" and the usage hint on stderr; returns kUsage.
int usage_error(const Command &command, const char *message);

// True when argv holds "--help" or "-h".
bool wants_help(int argc, char **argv);

// True when text holds only hexadecimal digits, either case (the empty text included).
bool is_hex_text(const char *text);

// True when text is not empty and holds only decimal digits.
bool is_digit_text(const char *text);

// Prints bytes as upper-case hexadecimal followed by a newline.
void print_hex(const unsigned char *bytes, size_t count);

// Reads hexadecimal text into bytes; false on an odd length, a non-hex character or
// more than capacity bytes.
bool parse_hex(const char *text, unsigned char *out, size_t capacity, size_t &count);

}  // namespace vl::cli

#define VL_CLI_CONCAT_(a, b) a##b
#define VL_CLI_CONCAT(a, b) VL_CLI_CONCAT_(a, b)
#define VL_CLI_COMMAND(...)                                                    \
  static const bool VL_CLI_CONCAT(vl_cli_registered_, __LINE__) =              \
      ::vl::cli::register_command(::vl::cli::Command{__VA_ARGS__})

// The command-line program's registry: every family adds its subcommands from its own
// file with VL_CLI_COMMAND, so no central list has to change when a family lands.
#pragma once

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

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

// Runs a subcommand on the given arguments (its name first), for the examples; standard
// output is flushed first so that a label printed before stays before what it prints.
int run_with(int (*run)(int, char **), std::initializer_list<const char *> arguments);

// Prints "vertalib NAME: message" and the usage hint on stderr; returns kUsage.
int usage_error(const Command &command, const char *message);

// True when argv holds "--help" or "-h" before any "--".
bool wants_help(int argc, char **argv);

// True when text is not empty and holds only decimal digits.
bool is_digit_text(const char *text);

// Prints bytes as upper-case hexadecimal followed by a newline.
void print_hex(const unsigned char *bytes, size_t count);

// Reads hexadecimal text into bytes; false on an odd length, a non-hex character or
// more than capacity bytes.
bool parse_hex(const char *text, unsigned char *out, size_t capacity, size_t &count);

// A count of digits without an upper bound, for the text checks below.
inline constexpr size_t kNoLimit = static_cast<size_t>(-1);

// What a digit text breaks, named for the user ("non-digit character '-' at position 5:
// NUMBER takes digits only, 2 to 64 digits"); empty when text holds low to high digits
// (high may be kNoLimit). what names the argument in the message. The text itself is never
// part of the message, only the one character that does not belong, so a card number or a
// PIN given wrongly is not shown back.
std::string digit_text_problem(const char *what, const char *text, size_t low, size_t high);

// The same for hexadecimal text, either case ("non-hex character 'G' at position 16: BLOCK
// takes hexadecimal digits only, 16 digits").
std::string hex_text_problem(const char *what, const char *text, size_t low, size_t high);

// The same for hexadecimal text read as bytes: low to high bytes, so an even count of digits
// ("odd number of digits (5): HEX takes whole bytes").
std::string hex_bytes_problem(const char *what, const char *text, size_t low, size_t high);

// The same for a triple-DES key: 16, 32 or 48 hexadecimal digits (single, double or triple
// length); a wrong length is told by its count ("wrong number of digits (31): KEY ...").
std::string des_key_problem(const char *what, const char *text);

// A card number as the program shows it unless asked for in full: its first 6 and last 4
// characters with 'X' between, and 'X' throughout under 12 characters.
std::string masked_card_number(const char *pan);

// A subcommand's arguments read against the options it knows. An option is "--name" (or
// "-x"); one that takes a value reads it from "--name=VALUE" or from the next argument,
// whatever that holds; one that takes several values reads them from the arguments that
// follow. Anything else is a positional, as is every argument after "--" and a negative
// number ("-5"). Each option may be given once. Reading stops at the first fault, which
// error() then names; expect() adds the count of positionals to the checks and check() a
// subcommand's own. No message shows a positional, since one may be a key, a PIN or a card
// number.
class Args {
 public:
  struct Option {
    const char *name;  // "--show-pan", "--add", "-n"
    unsigned values;   // how many values follow it: 0 for a flag
  };

  Args(int argc, char **argv, std::initializer_list<Option> known);

  // True when the arguments were read and the positionals number low to high; otherwise
  // error() says what is wrong (what names the positionals: "a track", "LAYOUT and DATE").
  bool expect(size_t low, size_t high, const char *what);
  // Keeps problem (one of the *_problem texts above) as the error unless an earlier fault
  // is already kept; true while there is none.
  bool check(const std::string &problem);
  bool ok() const { return error_.empty(); }
  const std::string &error() const { return error_; }

  bool flag(const char *name) const { return find(name) != nullptr; }
  // The option's index-th value, or null when it was not given.
  const char *value(const char *name, unsigned index = 0) const;
  size_t count() const { return positionals_.size(); }
  // The index-th positional, or null past the last.
  const char *operator[](size_t index) const;

  // usage_error with error(), for "return args.fail(kCommand);".
  int fail(const Command &command) const { return usage_error(command, error_.c_str()); }

 private:
  struct Given {
    const char *name;
    std::vector<const char *> values;
  };
  const Given *find(const char *name) const;

  std::vector<Given> given_;
  std::vector<const char *> positionals_;
  std::string error_;
};

}  // namespace vl::cli

#define VL_CLI_CONCAT_(a, b) a##b
#define VL_CLI_CONCAT(a, b) VL_CLI_CONCAT_(a, b)
#define VL_CLI_COMMAND(...)                                                    \
  static const bool VL_CLI_CONCAT(vl_cli_registered_, __LINE__) =              \
      ::vl::cli::register_command(::vl::cli::Command{__VA_ARGS__})

// The argument reader, the text checks and the card-number mask every subcommand shares.
#include <cctype>
#include <cstring>

#include "cli.h"
#include "vertalib/card.h"

namespace vl::cli {
namespace {

// Below this length a card number is masked throughout.
constexpr size_t kShortestMaskable = 12;

bool is_negative_number(const char *text) {
  return text[0] == '-' && text[1] >= '0' && text[1] <= '9';
}

bool is_option(const char *text) {
  return text[0] == '-' && text[1] != '\0' && !is_negative_number(text);
}

std::string digits_phrase(size_t count) {
  return std::to_string(count) + (count == 1 ? " digit" : " digits");
}

// "16 digits", "2 to 64 digits", "16 or more digits".
std::string range_phrase(size_t low, size_t high) {
  if (low == high) return digits_phrase(low);
  if (high == kNoLimit) return std::to_string(low) + " or more digits";
  return std::to_string(low) + " to " + digits_phrase(high);
}

// The first character of text outside its class, named with its position and followed by
// rule; empty when every character belongs.
std::string character_problem(const char *text, bool hex, const std::string &rule) {
  for (size_t i = 0; text[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (hex ? std::isxdigit(c) != 0 : std::isdigit(c) != 0) continue;
    char shown[16];
    if (c >= 0x20 && c < 0x7F) std::snprintf(shown, sizeof shown, "'%c'", c);
    else std::snprintf(shown, sizeof shown, "byte 0x%02X", c);
    return std::string(hex ? "non-hex" : "non-digit") + " character " + shown + " at position " +
           std::to_string(i + 1) + ": " + rule;
  }
  return "";
}

std::string text_problem(const char *what, const char *text, bool hex, size_t low, size_t high) {
  const std::string rule = std::string(what) + (hex ? " takes hexadecimal digits only, " : " takes digits only, ") +
                           range_phrase(low, high);
  std::string problem = character_problem(text, hex, rule);
  const size_t length = std::strlen(text);
  if (!problem.empty()) return problem;
  if (length < low) return digits_phrase(length) + (length == 1 ? " is" : " are") + " too few: " + rule;
  if (length > high) return digits_phrase(length) + " are too many: " + rule;
  return "";
}

}  // namespace

std::string digit_text_problem(const char *what, const char *text, size_t low, size_t high) {
  return text_problem(what, text, false, low, high);
}

std::string hex_text_problem(const char *what, const char *text, size_t low, size_t high) {
  return text_problem(what, text, true, low, high);
}

std::string hex_bytes_problem(const char *what, const char *text, size_t low, size_t high) {
  std::string problem = text_problem(what, text, true, 2 * low, 2 * high);
  const size_t length = std::strlen(text);
  if (problem.empty() && length % 2 != 0)
    problem = "odd number of digits (" + std::to_string(length) + "): " + what + " takes whole bytes";
  return problem;
}

std::string des_key_problem(const char *what, const char *text) {
  const std::string rule = std::string(what) + " takes hexadecimal digits only, 16, 32 or 48 digits";
  std::string problem = character_problem(text, true, rule);
  const size_t length = std::strlen(text);
  if (problem.empty() && length != 16 && length != 32 && length != 48)
    problem = "wrong number of digits (" + std::to_string(length) + "): " + rule;
  return problem;
}

std::string masked_card_number(const char *pan) {
  std::string shown = pan;
  if (shown.size() >= kShortestMaskable) MascaraPAN(shown.data(), static_cast<int>(shown.size()));
  else shown.assign(shown.size(), 'X');
  return shown;
}

int run_with(int (*run)(int, char **), std::initializer_list<const char *> arguments) {
  std::vector<char *> argv;
  for (const char *argument : arguments) argv.push_back(const_cast<char *>(argument));
  argv.push_back(nullptr);
  std::fflush(stdout);
  return run(static_cast<int>(arguments.size()), argv.data());
}

Args::Args(int argc, char **argv, std::initializer_list<Option> known) {
  bool options_ended = false;
  for (int i = 1; i < argc && ok(); ++i) {
    const char *argument = argv[i];
    if (options_ended || !is_option(argument)) {
      positionals_.push_back(argument);
      continue;
    }
    if (std::strcmp(argument, "--") == 0) {
      options_ended = true;
      continue;
    }
    const char *equals = std::strchr(argument, '=');
    const size_t name_length = equals != nullptr ? static_cast<size_t>(equals - argument)
                                                 : std::strlen(argument);
    const Option *option = nullptr;
    for (const Option &candidate : known)
      if (std::strlen(candidate.name) == name_length &&
          std::strncmp(candidate.name, argument, name_length) == 0)
        option = &candidate;
    const std::string name(argument, name_length);
    if (option == nullptr) {
      error_ = "unknown option '" + name + "'";
    } else if (find(option->name) != nullptr) {
      error_ = "option '" + name + "' given twice";
    } else if (option->values == 0) {
      if (equals != nullptr) error_ = "option '" + name + "' takes no value";
      else given_.push_back({option->name, {}});
    } else if (equals != nullptr && option->values == 1) {
      given_.push_back({option->name, {equals + 1}});
    } else if (equals == nullptr && i + static_cast<int>(option->values) < argc) {
      Given given{option->name, {}};
      for (unsigned v = 0; v < option->values; ++v) given.values.push_back(argv[++i]);
      given_.push_back(given);
    } else {
      error_ = "option '" + name + "' expects " +
               (option->values == 1 ? std::string("a value") : std::to_string(option->values) + " values");
    }
  }
}

bool Args::expect(size_t low, size_t high, const char *what) {
  if (!ok()) return false;
  if (positionals_.size() < low) {
    error_ = std::string("expects ") + what;
  } else if (positionals_.size() > high) {
    error_ = "too many arguments (" + std::to_string(positionals_.size()) + "): expects " + what;
  }
  return ok();
}

bool Args::check(const std::string &problem) {
  if (ok()) error_ = problem;
  return ok();
}

const char *Args::value(const char *name, unsigned index) const {
  const Given *given = find(name);
  return given != nullptr && index < given->values.size() ? given->values[index] : nullptr;
}

const char *Args::operator[](size_t index) const {
  return index < positionals_.size() ? positionals_[index] : nullptr;
}

const Args::Given *Args::find(const char *name) const {
  for (const Given &given : given_)
    if (std::strcmp(given.name, name) == 0) return &given;
  return nullptr;
}

}  // namespace vl::cli

// The argument reader and the text checks every subcommand shares.
#include <cstring>

#include "cli.h"

namespace vl::cli {
namespace {

bool is_negative_number(const char *text) {
  return text[0] == '-' && text[1] >= '0' && text[1] <= '9';
}

bool is_option(const char *text) {
  return text[0] == '-' && text[1] != '\0' && !is_negative_number(text);
}

}  // namespace

std::string digit_text_problem(const char *what, const char *text, size_t low, size_t high) {
  const std::string rule = std::string(what) + " takes digits only, " +
                           (low == high ? std::to_string(low) + " digits"
                                        : std::to_string(low) + " to " + std::to_string(high) +
                                              " digits");
  const size_t length = std::strlen(text);
  for (size_t i = 0; i < length; ++i) {
    if (text[i] >= '0' && text[i] <= '9') continue;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    char shown[16];
    if (c >= 0x20 && c < 0x7F) std::snprintf(shown, sizeof shown, "'%c'", c);
    else std::snprintf(shown, sizeof shown, "byte 0x%02X", c);
    return "non-digit character " + std::string(shown) + " at position " + std::to_string(i + 1) +
           ": " + rule;
  }
  if (length < low)
    return std::to_string(length) + (length == 1 ? " digit is" : " digits are") + " too few: " + rule;
  if (length > high) return std::to_string(length) + " digits are too many: " + rule;
  return "";
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
    error_ = std::string("unexpected argument '") + positionals_[high] + "'";
  }
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

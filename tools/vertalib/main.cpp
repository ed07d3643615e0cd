// vertalib: the library's functions from the shell.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "cli.h"

namespace vl::cli {
namespace {

constexpr size_t kMaxCommands = 128;

struct Registry {
  Command commands[kMaxCommands];
  size_t count = 0;
};

Registry &registry() {
  static Registry instance;
  return instance;
}

void sort_commands() {
  Registry &r = registry();
  std::sort(r.commands, r.commands + r.count,
            [](const Command &a, const Command &b) { return std::strcmp(a.name, b.name) < 0; });
}

const Command *find_command(const char *name) {
  const Registry &r = registry();
  for (size_t i = 0; i < r.count; ++i)
    if (std::strcmp(r.commands[i].name, name) == 0) return &r.commands[i];
  return nullptr;
}

void print_overview(FILE *out) {
  std::fprintf(out,
               "usage: vertalib COMMAND [ARGUMENTS...]\n"
               "       vertalib COMMAND --help\n"
               "       vertalib --version\n\n"
               "commands:\n");
  const Registry &r = registry();
  for (size_t i = 0; i < r.count; ++i)
    std::fprintf(out, "  %-12s %s\n", r.commands[i].name, r.commands[i].summary);
  std::fprintf(out, "  %-12s %s\n", "example", "run every command on a built-in example");
}

int run_examples() {
  const Registry &r = registry();
  for (size_t i = 0; i < r.count; ++i) {
    if (r.commands[i].example == nullptr) continue;
    std::printf("== vertalib %s\n", r.commands[i].name);
    r.commands[i].example();
    std::printf("\n");
  }
  return kOk;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool register_command(const Command &command) {
  Registry &r = registry();
  if (r.count == kMaxCommands) return false;
  r.commands[r.count++] = command;
  return true;
}

int usage_error(const Command &command, const char *message) {
  std::fprintf(stderr, "vertalib %s: %s\n", command.name, message);
  std::fprintf(stderr, "try: vertalib %s --help\n", command.name);
  return kUsage;
}

bool wants_help(int argc, char **argv) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
  return false;
}

bool is_digit_text(const char *text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text)
    if (*text < '0' || *text > '9') return false;
  return true;
}

void print_hex(const unsigned char *bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) std::printf("%02X", bytes[i]);
  std::printf("\n");
}

bool parse_hex(const char *text, unsigned char *out, size_t capacity, size_t &count) {
  const size_t length = std::strlen(text);
  if (length % 2 != 0 || length / 2 > capacity) return false;
  for (size_t i = 0; i < length; i += 2) {
    const int high = hex_value(text[i]);
    const int low = hex_value(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out[i / 2] = static_cast<unsigned char>(high * 16 + low);
  }
  count = length / 2;
  return true;
}

}  // namespace vl::cli

int main(int argc, char **argv) {
  using namespace vl::cli;
  sort_commands();
  if (argc < 2) {
    print_overview(stderr);
    return kUsage;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
      std::strcmp(argv[1], "help") == 0) {
    print_overview(stdout);
    return kOk;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("vertalib %s\n", VL_VERSION);
    return kOk;
  }
  if (std::strcmp(argv[1], "example") == 0) return run_examples();
  const Command *command = find_command(argv[1]);
  if (command == nullptr) {
    std::fprintf(stderr, "vertalib: unknown command '%s'\n\n", argv[1]);
    print_overview(stderr);
    return kUsage;
  }
  if (wants_help(argc - 1, argv + 1)) {
    std::printf("%s", command->usage);
    return kOk;
  }
  return command->run(argc - 1, argv + 1);
}

// Subcommands over transaction sequence numbers and database statements: stepping an NSU
// through the range of its kind, and a statement's '?' placeholders turned into a format
// text.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli.h"
#include "vertalib/sequence.h"

namespace {

constexpr long kMaxSteps = 100000;
constexpr size_t kMaxStatement = 1000;

// Reads an optionally signed decimal number of at most 6 digits.
bool read_number(const char *text, long &value) {
  const char *digits = text[0] == '-' || text[0] == '+' ? text + 1 : text;
  if (!vl::cli::is_digit_text(digits) || std::strlen(digits) > 6) return false;
  value = std::strtol(text, nullptr, 10);
  return true;
}

int run_nsu(int argc, char **argv);
int run_sql(int argc, char **argv);

const vl::cli::Command kNsu{
    "nsu", "step a transaction sequence number (NSU) through the range of its kind",
    "usage: vertalib nsu KIND NSU [STEPS]\n"
    "KIND 2 runs from 1 to 9999, KIND 3 from 1 to 999. Prints NSU after STEPS steps\n"
    "(default 1; negative steps go back): forward, a value above the maximum becomes 1;\n"
    "back, 0 becomes the maximum and 1 becomes 0. NSU is a 16-bit value (0 to 65535).\n"
    "  vertalib nsu 3 999      ->  1\n"
    "  vertalib nsu 2 1 -2     ->  9999\n",
    run_nsu, [] {
      char a[] = "nsu", b[] = "3", c[] = "998", d[] = "3";
      char *args[] = {a, b, c, d};
      run_nsu(4, args);
    }};

const vl::cli::Command kSql{
    "sql", "turn a statement's '?' placeholders into a format text",
    "usage: vertalib sql STATEMENT TYPES\n"
    "TYPES names one type per placeholder, each '%' and a letter d, s or c followed by a\n"
    "separator (\"%d,%s\"). Prints the statement with each '?' replaced by %d, '%s' or\n"
    "'%c' in turn. Exit code 1 when placeholders and types do not pair up one to one\n"
    "(what was written is still printed):\n"
    "  vertalib sql \"INSERT INTO T VALUES (?, ?)\" %d,%s  ->  "
    "INSERT INTO T VALUES (%d, '%s')\n",
    run_sql, [] {
      char a[] = "sql", b[] = "UPDATE T SET NOME = ? WHERE ID = ?", c[] = "%s,%d";
      char *args[] = {a, b, c};
      run_sql(3, args);
    }};

int run_nsu(int argc, char **argv) {
  if (argc < 3 || argc > 4) return vl::cli::usage_error(kNsu, "expects a kind, an NSU and steps");
  long kind = 0, nsu = 0, steps = 1;
  if (!read_number(argv[1], kind) || (kind != 2 && kind != 3))
    return vl::cli::usage_error(kNsu, "KIND is 2 or 3");
  if (!vl::cli::is_digit_text(argv[2]) || !read_number(argv[2], nsu) || nsu > 65535)
    return vl::cli::usage_error(kNsu, "NSU is 0 to 65535");
  if (argc == 4 && (!read_number(argv[3], steps) || std::labs(steps) > kMaxSteps))
    return vl::cli::usage_error(kNsu, "STEPS is -100000 to 100000");
  auto value = static_cast<unsigned short>(nsu);
  const char kind_code = static_cast<char>(kind);
  for (long i = 0; i < steps; ++i) IncNSU(&value, kind_code);
  for (long i = 0; i > steps; --i) DecNSU(&value, kind_code);
  std::printf("%u\n", static_cast<unsigned>(value));
  return vl::cli::kOk;
}

int run_sql(int argc, char **argv) {
  if (argc != 3) return vl::cli::usage_error(kSql, "expects a statement and its types");
  const size_t length = std::strlen(argv[1]);
  if (length == 0 || length > kMaxStatement)
    return vl::cli::usage_error(kSql, "STATEMENT has 1 to 1000 characters");
  // Each placeholder grows by at most three characters.
  char format[4 * kMaxStatement + 1];
  const int done = ReplaceBindParameters(format, sizeof format, argv[1],
                                         static_cast<int>(length), argv[2]);
  if (done == 0 && format[0] == '\0')
    return vl::cli::usage_error(kSql, "TYPES is not a list like %d,%s,%c");
  std::printf("%s\n", format);
  std::fflush(stdout);
  if (done == 0) {
    std::fprintf(stderr, "vertalib sql: placeholders and types do not pair up\n");
    return vl::cli::kFalse;
  }
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kNsu);
VL_CLI_COMMAND(kSql);

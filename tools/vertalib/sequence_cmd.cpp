// Subcommands over transaction sequence numbers and database statements: stepping an NSU
// through the range of its kind, and a statement's '?' placeholders turned into a format
// text.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
      vl::cli::run_with(run_nsu, {"nsu", "3", "998", "3"});
    }};

const vl::cli::Command kSql{
    "sql", "turn a statement's '?' placeholders into a format text",
    "usage: vertalib sql STATEMENT TYPES\n"
    "TYPES names one type per placeholder, each '%' and a letter d, s or c followed by a\n"
    "separator (\"%d,%s\"). Prints the statement with each '?' replaced by %d, '%s' or\n"
    "'%c' in turn. Exit code 1 when placeholders and types do not pair up one to one\n"
    "(what was written is still printed). Put -- before a STATEMENT that starts with '-'.\n"
    "  vertalib sql \"INSERT INTO T VALUES (?, ?)\" %d,%s  ->  "
    "INSERT INTO T VALUES (%d, '%s')\n",
    run_sql, [] {
      vl::cli::run_with(run_sql, {"sql", "UPDATE T SET NOME = ? WHERE ID = ?", "%s,%d"});
    }};

int run_nsu(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 3, "KIND, NSU and at most one STEPS")) return args.fail(kNsu);
  long kind = 0, nsu = 0, steps = 1;
  if (!read_number(args[0], kind) || (kind != 2 && kind != 3))
    return vl::cli::usage_error(kNsu, "KIND is 2 or 3");
  if (!args.check(vl::cli::digit_text_problem("NSU", args[1], 1, 5))) return args.fail(kNsu);
  read_number(args[1], nsu);
  if (nsu > 65535) return vl::cli::usage_error(kNsu, "NSU is above 65535");
  if (args[2] != nullptr && (!read_number(args[2], steps) || std::labs(steps) > kMaxSteps))
    return vl::cli::usage_error(kNsu, "STEPS is a whole number from -100000 to 100000");
  auto value = static_cast<unsigned short>(nsu);
  const char kind_code = static_cast<char>(kind);
  for (long i = 0; i < steps; ++i) IncNSU(&value, kind_code);
  for (long i = 0; i > steps; --i) DecNSU(&value, kind_code);
  std::printf("%u\n", static_cast<unsigned>(value));
  return vl::cli::kOk;
}

int run_sql(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 2, "STATEMENT and TYPES")) return args.fail(kSql);
  const size_t length = std::strlen(args[0]);
  if (length == 0 || length > kMaxStatement)
    return vl::cli::usage_error(kSql, ("STATEMENT has 1 to 1000 characters, not " + std::to_string(length)).c_str());
  // Each placeholder grows by at most three characters.
  char format[4 * kMaxStatement + 1];
  const int done = ReplaceBindParameters(format, sizeof format, args[0], static_cast<int>(length), args[1]);
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

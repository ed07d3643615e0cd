// Subcommands over acquirer sub-fields: listing and reading TTTLLL elements.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/convert.h"
#include "vertalib/fields.h"

namespace {

constexpr size_t kMaxText = 4096;
constexpr int kMaxValue = 1000;  // a 3-digit length and the NUL

struct Widths {
  unsigned int tag = 3;
  int length = 3;
  bool given = false;
};

bool parse_width(const char *text, int limit, int &value) {
  if (std::strlen(text) != 1 || text[0] < '1' || text[0] > '0' + limit) return false;
  value = text[0] - '0';
  return true;
}

int run_tttlll(int argc, char **argv);

const vl::cli::Command kTttlll{
    "tttlll", "list the tag, length and value of each TTTLLL element, or read one",
    "usage: vertalib tttlll [--widths TAG LENGTH] TEXT [TAG]\n"
    "Lists each element of TEXT (a 3-character tag, a 3-digit length, the value) as\n"
    "'TAG LENGTH VALUE', one per line: the tag as written, the length as read. With TAG,\n"
    "prints the value of its first element instead: TAG is a number (0..999; a first\n"
    "tag character '@' reads as '0'), or with --widths the tag text. --widths sets the\n"
    "tag width (1..9) and the length width (1..6). Exit code 1 when TAG has no value, or\n"
    "when TEXT ends inside an element (the part present is listed).\n"
    "example: vertalib tttlll 001003ABC002002XY 2   ->  XY\n",
    run_tttlll, [] {
      vl::cli::run_with(run_tttlll, {"tttlll", "001003ABC002002XY"});
    }};

// Reports where the listing stopped, after the elements already listed.
int stop_listing(const char *reason, size_t at) {
  std::fflush(stdout);
  std::fprintf(stderr, "vertalib tttlll: %s at %zu\n", reason, at);
  return vl::cli::kFalse;
}

int list_elements(const char *text, const Widths &widths) {
  const size_t end = std::strlen(text);
  const size_t header = widths.tag + static_cast<size_t>(widths.length);
  for (size_t at = 0; at < end;) {
    if (end - at < header) return stop_listing("the text ends inside the element", at);
    const int length = ASC2int(text + at + widths.tag, widths.length);
    if (length < 0) return stop_listing("a negative length", at);
    const size_t present = end - at - header;
    const size_t shown = present < static_cast<size_t>(length) ? present : static_cast<size_t>(length);
    std::printf("%.*s %d %.*s\n", static_cast<int>(widths.tag), text + at, length,
                static_cast<int>(shown), text + at + header);
    if (shown < static_cast<size_t>(length)) return stop_listing("the value is cut at the text's end", at);
    at += header + shown;
  }
  return vl::cli::kOk;
}

bool parse_tag_number(const char *text, int &tag) {
  const size_t length = std::strlen(text);
  if (length < 1 || length > 3) return false;
  tag = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    tag = tag * 10 + (text[i] - '0');
  }
  return true;
}

int print_value(const char *text, const char *tag, const Widths &widths) {
  char value[kMaxValue];
  const auto length = static_cast<unsigned int>(std::strlen(text));
  int found = 0;
  if (widths.given) {
    if (std::strlen(tag) != widths.tag)
      return vl::cli::usage_error(kTttlll, "the tag has the tag width's characters");
    found = GetValueFromTTTLLLValueEx(text, length, tag, widths.tag, widths.length, value, kMaxValue);
  } else {
    int number = 0;
    if (!parse_tag_number(tag, number)) return vl::cli::usage_error(kTttlll, "the tag is a number from 0 to 999");
    found = GetValueFromTTTLLLValue(text, length, number, value, kMaxValue);
  }
  if (found == 0) {
    std::fprintf(stderr, "vertalib tttlll: no value for tag %s\n", tag);
    return vl::cli::kFalse;
  }
  std::printf("%s\n", value);
  return vl::cli::kOk;
}

int run_tttlll(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--widths", 2}});
  if (!args.expect(1, 2, "a text and an optional tag")) return args.fail(kTttlll);
  Widths widths;
  if (args.flag("--widths")) {
    int tag = 0;
    if (!parse_width(args.value("--widths", 0), 9, tag) || !parse_width(args.value("--widths", 1), 6, widths.length))
      return vl::cli::usage_error(kTttlll, "--widths takes a tag width (1..9) and a length width (1..6)");
    widths.tag = static_cast<unsigned int>(tag);
    widths.given = true;
  }
  const char *text = args[0];
  if (text[0] == '\0' || std::strlen(text) >= kMaxText)
    return vl::cli::usage_error(kTttlll, "the text holds 1 to 4095 characters");
  return args.count() == 1 ? list_elements(text, widths) : print_value(text, args[1], widths);
}

}  // namespace

VL_CLI_COMMAND(kTttlll);

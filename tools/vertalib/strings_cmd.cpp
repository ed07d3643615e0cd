// Subcommands over the string editors: padding a field, replacing a substring, wrapping
// receipt text.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/strings.h"

namespace {

constexpr int kMaxText = 1024;

// A decimal count from 0 to limit, read with the library's own digit test.
bool parse_count(const char *text, int limit, int &value) {
  if (text[0] == '\0' || std::strlen(text) > 5 || IsNumeric(text) == 0) return false;
  int parsed = 0;
  for (const char *p = text; *p != '\0'; ++p) parsed = parsed * 10 + (*p - '0');
  if (parsed > limit) return false;
  value = parsed;
  return true;
}

bool fits_text(const char *text) { return std::strlen(text) < static_cast<size_t>(kMaxText); }

int run_pad(int argc, char **argv);
int run_replace(int argc, char **argv);
int run_wrap(int argc, char **argv);

const vl::cli::Command kPad{
    "pad", "pad a text to a fixed width with zeros, spaces or any fill",
    "usage: vertalib pad left|right WIDTH TEXT [FILL]\n"
    "Writes TEXT in a field of WIDTH characters (0..1023): 'left' puts the fill on the\n"
    "left (the value right-aligned), 'right' after the value. FILL is one character,\n"
    "'0' when omitted. Exit code 1 when TEXT is longer than WIDTH.\n"
    "example: vertalib pad left 8 1234   ->  00001234\n",
    run_pad, [] {
      vl::cli::run_with(run_pad, {"pad", "left", "8", "1234"});
      vl::cli::run_with(run_pad, {"pad", "right", "8", "AB", "."});
    }};

const vl::cli::Command kReplace{
    "replace", "replace every occurrence of a substring, within a capacity",
    "usage: vertalib replace TEXT FIND REPLACEMENT [CAPACITY]\n"
    "Replaces every occurrence of FIND in TEXT by REPLACEMENT. The result must fit in\n"
    "CAPACITY characters (1..1023, 1023 when omitted). Exit code 1 when FIND does not\n"
    "occur or the result would not fit.\n"
    "example: vertalib replace AXBXC X YY   ->  AYYBYYC\n",
    run_replace, [] {
      vl::cli::run_with(run_replace, {"replace", "AXBXC", "X", "YY"});
    }};

const vl::cli::Command kWrap{
    "wrap", "wrap text into lines, each break marked by '@'",
    "usage: vertalib wrap WIDTH TEXT\n"
    "Breaks TEXT into lines of WIDTH characters (1..1022) at its spaces, marking each\n"
    "break with '@'. Exit code 1 when TEXT already fits one line.\n"
    "example: vertalib wrap 5 \"aaa bbb ccc\"   ->  aaa@bbb@ccc\n",
    run_wrap, [] {
      vl::cli::run_with(run_wrap, {"wrap", "10", "PAGAMENTO APROVADO NO CREDITO A VISTA"});
    }};

int run_pad(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(3, 4, "a side, a width and a text")) return args.fail(kPad);
  const bool left = std::strcmp(args[0], "left") == 0;
  if (!left && std::strcmp(args[0], "right") != 0)
    return vl::cli::usage_error(kPad, "the side is 'left' or 'right'");
  int width = 0;
  if (!parse_count(args[1], kMaxText - 1, width))
    return vl::cli::usage_error(kPad, "the width is a number from 0 to 1023");
  if (!fits_text(args[2])) return vl::cli::usage_error(kPad, "the text is too long");
  char fill = '0';
  if (args.count() == 4) {
    if (std::strlen(args[3]) != 1) return vl::cli::usage_error(kPad, "the fill is one character");
    fill = args[3][0];
  }
  char out[kMaxText];
  const int length = static_cast<int>(std::strlen(args[2]));
  const int done = left ? InsereCharEsquerdaEx(out, width, 1, args[2], length, fill)
                        : InsereCharDireitaEx(out, width, 1, args[2], length, fill);
  if (done == 0) {
    std::fprintf(stderr, "vertalib pad: the text does not fit in %d characters\n", width);
    return vl::cli::kFalse;
  }
  std::printf("%s\n", out);
  return vl::cli::kOk;
}

int run_replace(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(3, 4, "a text, a substring and its replacement")) return args.fail(kReplace);
  if (!fits_text(args[0])) return vl::cli::usage_error(kReplace, "the text is too long");
  if (args[1][0] == '\0' || args[2][0] == '\0')
    return vl::cli::usage_error(kReplace, "the substring and the replacement are not empty");
  int capacity = kMaxText - 1;
  if (args.count() == 4 && (!parse_count(args[3], kMaxText - 1, capacity) || capacity == 0))
    return vl::cli::usage_error(kReplace, "the capacity is a number from 1 to 1023");
  char buffer[kMaxText] = {};
  std::strcpy(buffer, args[0]);
  const int length = static_cast<int>(std::strlen(buffer));
  if (length == 0) return vl::cli::usage_error(kReplace, "the text is empty");
  if (StrReplaceStringBuffer(buffer, length, capacity, args[1], args[2]) == 0) {
    std::fprintf(stderr, "vertalib replace: not found, or the result exceeds %d characters\n",
                 capacity);
    return vl::cli::kFalse;
  }
  // The result holds exactly capacity characters when it fills the room.
  std::printf("%.*s\n", capacity, buffer);
  return vl::cli::kOk;
}

int run_wrap(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 2, "a width and a text")) return args.fail(kWrap);
  int width = 0;
  if (!parse_count(args[0], kMaxText - 2, width) || width == 0)
    return vl::cli::usage_error(kWrap, "the width is a number from 1 to 1022");
  if (!fits_text(args[1])) return vl::cli::usage_error(kWrap, "the text is too long");
  char buffer[kMaxText] = {};
  std::strcpy(buffer, args[1]);
  const auto length = static_cast<unsigned int>(std::strlen(buffer));
  if (FormatText(buffer, kMaxText, length, static_cast<unsigned short>(width)) == 0) {
    std::fprintf(stderr, "vertalib wrap: the text fits one line of %d characters\n", width);
    return vl::cli::kFalse;
  }
  std::printf("%s\n", buffer);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kPad);
VL_CLI_COMMAND(kReplace);
VL_CLI_COMMAND(kWrap);

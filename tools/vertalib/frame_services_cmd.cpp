// Subcommands over the library frame's services: version strings.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/frame.h"

namespace {

int run_version(int argc, char **argv);

const vl::cli::Command kVersion{
    "version", "split a dotted version and build its Redecard field",
    "usage: vertalib version TEXT [--redecard]\n"
    "Splits a dotted version (major.minor.build or major.minor.release.build, parts of\n"
    "at most 4 characters, at least 7 characters in all) and prints its numbers:\n"
    "  vertalib version 1.02.03.0004  ->  major 1 minor 2 release 3 build 4\n"
    "                                     without build 1.2.3, as a number 102030004\n"
    "With --redecard, prints the Redecard identification field between brackets:\n"
    "  vertalib version 01.02.003 --redecard  ->  [003021CL0401    :P0102003  ]\n"
    "Exit code 1 when TEXT is not a dotted version.\n",
    run_version,
    [] {
      char a[] = "version", b[] = "1.02.03.0004", c[] = "--redecard";
      char *args[] = {a, b, c};
      run_version(3, args);
    }};

int run_version(int argc, char **argv) {
  const char *text = nullptr;
  bool redecard = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--redecard") == 0)
      redecard = true;
    else if (text == nullptr)
      text = argv[i];
    else
      return vl::cli::usage_error(kVersion, "expects one version text");
  }
  if (text == nullptr) return vl::cli::usage_error(kVersion, "expects a version text");

  unsigned short major = 0, minor = 0, release = 0, build = 0;
  if (SeparaStringVersao(text, &major, &minor, &release, &build) != 1) {
    std::fprintf(stderr, "vertalib version: '%s' is not a dotted version\n", text);
    return vl::cli::kFalse;
  }
  char without_build[32];
  ObtemVersaosemBuild(text, without_build, sizeof without_build);
  std::printf("major %u minor %u release %u build %u\n", major, minor, release, build);
  std::printf("without build %s, as a number %d\n", without_build,
              static_cast<int>(ConverteVersaoToLong(text)));
  if (redecard) {
    char field[32];
    MontaVersaoRedecard(text, field);
    std::printf("[%s]\n", field);
  }
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kVersion);

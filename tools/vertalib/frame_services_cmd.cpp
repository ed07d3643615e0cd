// Subcommands over the library frame's services: version strings and the INI file's path.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/frame.h"

namespace {

int run_version(int argc, char **argv);
int run_ini(int argc, char **argv);

constexpr size_t kLongestIniName = 64;

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
      vl::cli::run_with(run_version, {"version", "1.02.03.0004", "--redecard"});
    }};

const vl::cli::Command kIni{
    "ini", "print the path of the configuration file the library finds",
    "usage: vertalib ini [NAME]\n"
    "Looks for NAME.INI (NAME defaults to VERTA) in the directory named by the\n"
    "environment variable VertaIniPath, then beside this program, then in the current\n"
    "directory, and prints the path found:\n"
    "  VertaIniPath=/etc/verta vertalib ini  ->  /etc/verta/VERTA.INI\n"
    "Exit code 1 when the file is nowhere (the path printed is then the one of the\n"
    "current directory).\n",
    run_ini,
    [] {
      vl::cli::run_with(run_ini, {"ini"});
    }};

int run_ini(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(0, 1, "at most one name")) return args.fail(kIni);
  const char *name = args.count() == 1 ? args[0] : "VERTA";
  if (*name == '\0' || std::strlen(name) > kLongestIniName)
    return vl::cli::usage_error(kIni, "a name of 1 to 64 characters");
  char path[260 + kLongestIniName + 8];
  const int found = vrtlib_ini_pathname(path, sizeof path, name);
  std::printf("%s\n", path);
  if (found == 1) return vl::cli::kOk;
  std::fflush(stdout);  // the path comes before the message
  std::fprintf(stderr, "vertalib ini: %s.INI not found\n", name);
  return vl::cli::kFalse;
}

int run_version(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--redecard", 0}});
  if (!args.expect(1, 1, "a version text")) return args.fail(kVersion);
  const char *text = args[0];
  const bool redecard = args.flag("--redecard");

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
VL_CLI_COMMAND(kIni);

// Subcommands over dates: the due-date factor of a bill-payment code, layout conversions
// and adding days.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli.h"
#include "vertalib/dates.h"

namespace {

bool digits_of_length(const char *text, size_t low, size_t high) {
  const size_t length = std::strlen(text);
  if (length < low || length > high) return false;
  for (size_t i = 0; i < length; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

int run_fator(int argc, char **argv);
int run_data(int argc, char **argv);

const vl::cli::Command kFator{
    "fator", "due-date factor of a bill-payment code to its date",
    "usage: vertalib fator FACTOR\n"
    "FACTOR of 1 to 4 digits counts days from 7 October 1997; prints the date as DDMMAAAA:\n"
    "  vertalib fator 1000  ->  03072000\n"
    "Exit code 1 for the factor 0, which names no date.\n",
    run_fator,
    [] {
      char a[] = "fator", b[] = "9999";
      char *args[] = {a, b};
      run_fator(2, args);
    }};

const vl::cli::Command kData{
    "data", "a date in the DDMMAA, AAAAMMDD and AAAADDD layouts, optionally days later",
    "usage: vertalib data LAYOUT DATE [--add DAYS]\n"
    "LAYOUT names the layout of DATE: ddmmaa, ddmmaaaa, aaaammdd or juliano (AAAADDD).\n"
    "Prints the date (DAYS later with --add, DAYS may be negative) as DDMMAA, AAAAMMDD and\n"
    "AAAADDD, one per line:\n"
    "  vertalib data ddmmaa 280224 --add 1  ->  DDMMAA 290224 / AAAAMMDD 20240229 / ...\n"
    "Days are added to the two-digit year (00 to 49 are 20xx); a two-digit year then takes\n"
    "the century 19 from 98 on and 20 below it.\n"
    "Exit code 1 when the day or month of DATE is impossible.\n",
    run_data,
    [] {
      char a[] = "data", b[] = "aaaammdd", c[] = "20241231", d[] = "--add", e[] = "60";
      char *args[] = {a, b, c, d, e};
      run_data(5, args);
    }};

int run_fator(int argc, char **argv) {
  if (argc != 2) return vl::cli::usage_error(kFator, "expects one factor");
  if (!digits_of_length(argv[1], 1, 4)) return vl::cli::usage_error(kFator, "1 to 4 digits");
  char factor[5];
  std::snprintf(factor, sizeof factor, "%04d", std::atoi(argv[1]));
  char date[16];
  if (DataFatorVencto(date, factor) != 1) {
    std::fprintf(stderr, "vertalib fator: factor 0 names no date\n");
    return vl::cli::kFalse;
  }
  std::printf("%s\n", date);
  return vl::cli::kOk;
}

// DATE of LAYOUT as DDMMAA, and as AAAAMMDD when the layout carries the century.
bool read_date(const char *layout, const char *date, char ddmmaa[7], char aaaammdd[9]) {
  if (std::strcmp(layout, "ddmmaa") == 0) {
    if (!digits_of_length(date, 6, 6)) return false;
    std::memcpy(ddmmaa, date, 6);
    return true;
  }
  if (std::strcmp(layout, "ddmmaaaa") == 0 && digits_of_length(date, 8, 8)) {
    ConverteDDMMAAAAparaAAAAMMDD(aaaammdd, date);
  } else if (std::strcmp(layout, "aaaammdd") == 0 && digits_of_length(date, 8, 8)) {
    std::memcpy(aaaammdd, date, 8);
  } else if (std::strcmp(layout, "juliano") == 0 && digits_of_length(date, 7, 7)) {
    char converted[16];
    Julian2Gregorian(date, converted);
    std::memcpy(aaaammdd, converted, 8);
  } else {
    return false;
  }
  ConverteAAAAMMDDparaDDMMAA(ddmmaa, aaaammdd);
  return true;
}

int run_data(int argc, char **argv) {
  const char *layout = nullptr;
  const char *date = nullptr;
  const char *add = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--add") == 0 && i + 1 < argc && add == nullptr)
      add = argv[++i];
    else if (layout == nullptr)
      layout = argv[i];
    else if (date == nullptr)
      date = argv[i];
    else
      return vl::cli::usage_error(kData, "unexpected argument");
  }
  if (date == nullptr) return vl::cli::usage_error(kData, "expects a layout and a date");
  const char *days_text = add != nullptr && (add[0] == '-' || add[0] == '+') ? add + 1 : add;
  if (add != nullptr && !digits_of_length(days_text, 1, 6))
    return vl::cli::usage_error(kData, "--add takes up to 6 digits");
  char ddmmaa[7] = {};
  char aaaammdd[9] = {};
  if (!read_date(layout, date, ddmmaa, aaaammdd))
    return vl::cli::usage_error(kData, "DATE does not have the digits of LAYOUT");
  if (ErroDia(ddmmaa) != 0) {
    std::fprintf(stderr, "vertalib data: %s is not a date\n", date);
    return vl::cli::kFalse;
  }
  if (add != nullptr || aaaammdd[0] == '\0') {
    if (add != nullptr) std::memcpy(ddmmaa, SomaDias(ddmmaa, std::atoi(add)), 6);
    ConverteDDMMAAparaAAAAMMDD(aaaammdd, ddmmaa);
  }
  char julian[16];
  Julian2Gregorian(aaaammdd, julian);
  std::printf("DDMMAA %s\nAAAAMMDD %s\nAAAADDD %s\n", ddmmaa, aaaammdd, julian);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kFator);
VL_CLI_COMMAND(kData);

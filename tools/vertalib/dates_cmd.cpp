// Subcommands over dates: the due-date factor of a bill-payment code, layout conversions
// and adding days.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
    "fator", "due-date factor of a bill-payment code to its date, both cycles",
    "usage: vertalib fator [--today AAAAMMDD] FACTOR\n"
    "FACTOR of 1 to 4 digits names a date in two cycles: the first counts days from\n"
    "7 October 1997 (1000 is 3 July 2000, 9999 is 21 February 2025); the current one\n"
    "restarted at 1000 on 22 February 2025 (factors below 1000 are not issued in it).\n"
    "Prints both dates as DDMMAAAA and the one that applies to a bill paid today: the\n"
    "date nearer to today (the first on a tie); --today takes another day as today.\n"
    "  vertalib fator 1000  ->  first cycle    03072000\n"
    "                           current cycle  22022025\n"
    "                           applies        22022025 (current cycle)\n"
    "Exit code 1 for the factor 0, which names no date.\n",
    run_fator,
    [] {
      vl::cli::run_with(run_fator, {"fator", "9999"});
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
      vl::cli::run_with(run_data, {"data", "aaaammdd", "20241231", "--add", "60"});
    }};

namespace chrono = std::chrono;

// The factor 1000 of the current cycle.
constexpr chrono::sys_days kCurrentCycleStart{chrono::year{2025} / chrono::February / 22};
constexpr int kCurrentCycleFirstFactor = 1000;

std::string ddmmaaaa(chrono::sys_days day) {
  const chrono::year_month_day date{day};
  char text[16];
  std::snprintf(text, sizeof text, "%02u%02u%04d", static_cast<unsigned>(date.day()),
                static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
  return text;
}

// AAAAMMDD as a day; false when it is not a calendar date.
bool read_aaaammdd(const char *text, chrono::sys_days &day) {
  if (!digits_of_length(text, 8, 8)) return false;
  const long value = std::atol(text);
  const chrono::year_month_day date{chrono::year{static_cast<int>(value / 10000)},
                                    chrono::month{static_cast<unsigned>(value / 100 % 100)},
                                    chrono::day{static_cast<unsigned>(value % 100)}};
  if (!date.ok()) return false;
  day = chrono::sys_days{date};
  return true;
}

chrono::sys_days from_ddmmaaaa(const char *text) {
  const long value = std::atol(text);
  return chrono::sys_days{chrono::year{static_cast<int>(value % 10000)} /
                          chrono::month{static_cast<unsigned>(value / 10000 % 100)} /
                          chrono::day{static_cast<unsigned>(value / 1000000)}};
}

int run_fator(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--today", 1}});
  if (!args.expect(1, 1, "one factor")) return args.fail(kFator);
  const std::string problem = vl::cli::digit_text_problem("FACTOR", args[0], 1, 4);
  if (!problem.empty()) return vl::cli::usage_error(kFator, problem.c_str());
  char today_text[16];
  const char *today_given = args.value("--today");
  if (today_given == nullptr) ObtemDatalocalAAAAMMDD(today_text);
  chrono::sys_days today;
  if (!read_aaaammdd(today_given != nullptr ? today_given : today_text, today))
    return vl::cli::usage_error(kFator, "--today takes a date AAAAMMDD");

  const int value = std::atoi(args[0]);
  char factor[5];
  std::snprintf(factor, sizeof factor, "%04d", value);
  char first[16];
  if (DataFatorVencto(first, factor) != 1) {
    std::fprintf(stderr, "vertalib fator: factor 0 names no date\n");
    return vl::cli::kFalse;
  }
  std::printf("first cycle    %s\n", first);
  if (value < kCurrentCycleFirstFactor) {
    std::printf("current cycle  -\napplies        %s (first cycle)\n", first);
    return vl::cli::kOk;
  }
  const chrono::sys_days current = kCurrentCycleStart + chrono::days{value - kCurrentCycleFirstFactor};
  const chrono::sys_days first_day = from_ddmmaaaa(first);
  const auto distance = [today](chrono::sys_days day) { return day > today ? day - today : today - day; };
  const bool current_applies = distance(current) < distance(first_day);
  std::printf("current cycle  %s\n", ddmmaaaa(current).c_str());
  std::printf("applies        %s (%s cycle)\n", current_applies ? ddmmaaaa(current).c_str() : first,
              current_applies ? "current" : "first");
  return vl::cli::kOk;
}

struct Layout {
  const char *name;
  size_t digits;
};
constexpr Layout kLayouts[] = {{"ddmmaa", 6}, {"ddmmaaaa", 8}, {"aaaammdd", 8}, {"juliano", 7}};

const Layout *find_layout(const char *name) {
  for (const Layout &layout : kLayouts)
    if (std::strcmp(layout.name, name) == 0) return &layout;
  return nullptr;
}

// DATE (of the layout's digits) as DDMMAA, and as AAAAMMDD when the layout carries the
// century.
void read_date(const Layout &layout, const char *date, char ddmmaa[7], char aaaammdd[9]) {
  if (layout.digits == 6) {
    std::memcpy(ddmmaa, date, 6);
    return;
  }
  if (std::strcmp(layout.name, "ddmmaaaa") == 0) {
    ConverteDDMMAAAAparaAAAAMMDD(aaaammdd, date);
  } else if (std::strcmp(layout.name, "aaaammdd") == 0) {
    std::memcpy(aaaammdd, date, 8);
  } else {
    char converted[16];
    Julian2Gregorian(date, converted);
    std::memcpy(aaaammdd, converted, 8);
  }
  ConverteAAAAMMDDparaDDMMAA(ddmmaa, aaaammdd);
}

int run_data(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--add", 1}});
  if (!args.expect(2, 2, "a layout and a date")) return args.fail(kData);
  const Layout *layout = find_layout(args[0]);
  if (layout == nullptr) {
    const std::string message = std::string("unknown layout '") + args[0] +
                                "': ddmmaa, ddmmaaaa, aaaammdd or juliano";
    return vl::cli::usage_error(kData, message.c_str());
  }
  const char *date = args[1];
  const std::string what = std::string("DATE in ") + layout->name;
  const std::string problem =
      vl::cli::digit_text_problem(what.c_str(), date, layout->digits, layout->digits);
  if (!problem.empty()) return vl::cli::usage_error(kData, problem.c_str());
  const char *add = args.value("--add");
  const char *days_text = add != nullptr && (add[0] == '-' || add[0] == '+') ? add + 1 : add;
  if (add != nullptr && !digits_of_length(days_text, 1, 6))
    return vl::cli::usage_error(kData, "--add takes up to 6 digits, with an optional sign");
  char ddmmaa[7] = {};
  char aaaammdd[9] = {};
  read_date(*layout, date, ddmmaa, aaaammdd);
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

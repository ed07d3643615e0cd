// Subcommand over the acquirer rules: every answer for one network, at one version index or
// at each index up to the last one where an answer changes, as a table.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli.h"
#include "vertalib/acquirers.h"

namespace {

constexpr int kFirstIndexShown = -1;
constexpr int kLastIndexProbed = 15;  // answers of higher indexes repeat this one's
constexpr int kHighestCodeProbed = 9999;
constexpr int kNothingExcluded[] = {-1};

int run_rules(int argc, char **argv);

const vl::cli::Command kRules{
    "rules", "acquirer-rule answers for a network, per version index",
    "usage: vertalib rules NETWORK [INDEX]\n"
    "Prints every acquirer-rule answer for the network code NETWORK at the version index\n"
    "INDEX (both integers; a negative index means the network has none). Without INDEX,\n"
    "one column per index from -1 up to the last index at which some answer changes;\n"
    "higher indexes answer as that last column. The merchant-network levels are asked with\n"
    "nothing excluded (their Ex forms answer the same). For the fleet-brand and\n"
    "digital-coupon rules the cell lists the brand or product codes (0 to 9999) that answer\n"
    "yes, '-' when none.\n",
    run_rules, [] {
      const char *args[] = {"rules", "28"};
      run_rules(2, const_cast<char **>(args));
    }};

std::string yes_no(int answer) { return answer != 0 ? "yes" : "no"; }

// The codes 0..kHighestCodeProbed for which accepts answers 1, comma-separated.
template <typename Accepts>
std::string codes_accepted(Accepts accepts) {
  std::string codes;
  for (int code = 0; code <= kHighestCodeProbed; ++code)
    if (accepts(code) != 0) codes += (codes.empty() ? "" : ",") + std::to_string(code);
  return codes.empty() ? "-" : codes;
}

struct Row {
  const char *label;
  std::string (*answer)(int network, int index);
};

template <int (*Level)(int, int, const int *)>
std::string level(int network, int index) { return yes_no(Level(network, index, kNothingExcluded)); }
template <int (*Answer)(int, int)>
std::string indexed(int network, int index) { return yes_no(Answer(network, index)); }
template <int (*Accepts)(int, int, int)>
std::string accepted_codes(int network, int index) {
  return codes_accepted([network, index](int code) { return Accepts(network, index, code); });
}

const Row kRows[] = {
    {"IsEspecRedeLojista", level<IsEspecRedeLojista>},
    {"IsEspecRedeLojista0200OrGreater", level<IsEspecRedeLojista0200OrGreater>},
    {"IsEspecRedeLojista0205OrGreater", level<IsEspecRedeLojista0205OrGreater>},
    {"IsEspecRedeLojista0300OrGreater", level<IsEspecRedeLojista0300OrGreater>},
    {"IsEspecRedeLojista0301OrGreater", level<IsEspecRedeLojista0301OrGreater>},
    {"IsEspecRedeLojista0302OrGreater", level<IsEspecRedeLojista0302OrGreater>},
    {"IsEspecRedeLojista0303OrGreater", level<IsEspecRedeLojista0303OrGreater>},
    {"IsEspecRedeLojista0304OrHigher", level<IsEspecRedeLojista0304OrHigher>},
    {"IsRedeEspecLojistaEMV", indexed<IsRedeEspecLojistaEMV>},
    {"IsRedeEspecLojistaCarga", indexed<IsRedeEspecLojistaCarga>},
    {"IsEspecCredSystem0250OrGreater", indexed<IsEspecCredSystem0250OrGreater>},
    {"IsEspecCredSystem0260OrGreater", indexed<IsEspecCredSystem0260OrGreater>},
    {"IsEspecTorvex0302OrGreater", indexed<IsEspecTorvex0302OrGreater>},
    {"IsEspecTorvex0303OrGreater", indexed<IsEspecTorvex0303OrGreater>},
    {"IsEspecSeicon0303OrGreater", indexed<IsEspecSeicon0303OrGreater>},
    {"IsEspecSenff0303OrGreater", indexed<IsEspecSenff0303OrGreater>},
    {"IsEspecBkBank0303OrGreater", indexed<IsEspecBkBank0303OrGreater>},
    {"IsEspecBScash0303OrGreater", indexed<IsEspecBScash0303OrGreater>},
    {"IsEspecSolucard0303OrGreater", indexed<IsEspecSolucard0303OrGreater>},
    {"IsEspecVolus0304OrHigher", indexed<IsEspecVolus0304OrHigher>},
    {"IsSmartNet", [](int network, int) { return yes_no(IsSmartNet(network)); }},
    {"IsEspecSmartNetAbecs", indexed<IsEspecSmartNetAbecs>},
    {"IsEspecRedeLojistaBandFrota brands", accepted_codes<IsEspecRedeLojistaBandFrota>},
    {"IsEspecRedeTorvexBandFrota brands", accepted_codes<IsEspecRedeTorvexBandFrota>},
    {"IsProdutoCupomDigital products", accepted_codes<IsProdutoCupomDigital>},
};
constexpr size_t kRowCount = sizeof kRows / sizeof kRows[0];

bool parse_int(const char *text, int &value) {
  char *end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

using Column = std::vector<std::string>;

Column answers_at(int network, int index) {
  Column column;
  for (const Row &row : kRows) column.push_back(row.answer(network, index));
  return column;
}

void print_table(const std::vector<int> &indexes, const std::vector<Column> &columns) {
  std::vector<size_t> widths;
  for (size_t c = 0; c < columns.size(); ++c) {
    size_t width = std::to_string(indexes[c]).size();
    for (const std::string &cell : columns[c]) width = std::max(width, cell.size());
    widths.push_back(width);
  }
  std::printf("%-36s", "version index");
  for (size_t c = 0; c < columns.size(); ++c) std::printf("  %*d", static_cast<int>(widths[c]), indexes[c]);
  std::printf("\n");
  for (size_t r = 0; r < kRowCount; ++r) {
    std::printf("%-36s", kRows[r].label);
    for (size_t c = 0; c < columns.size(); ++c)
      std::printf("  %*s", static_cast<int>(widths[c]), columns[c][r].c_str());
    std::printf("\n");
  }
}

int run_rules(int argc, char **argv) {
  if (argc < 2 || argc > 3) return vl::cli::usage_error(kRules, "expects NETWORK and at most one INDEX");
  int network = 0;
  int index = 0;
  if (!parse_int(argv[1], network)) return vl::cli::usage_error(kRules, "NETWORK must be an integer");
  if (argc == 3 && !parse_int(argv[2], index))
    return vl::cli::usage_error(kRules, "INDEX must be an integer");

  std::vector<int> indexes;
  std::vector<Column> columns;
  if (argc == 3) {
    indexes.push_back(index);
    columns.push_back(answers_at(network, index));
    std::printf("network %d at version index %d\n", network, index);
  } else {
    int last_change = 0;
    for (int at = kFirstIndexShown; at <= kLastIndexProbed; ++at) {
      indexes.push_back(at);
      columns.push_back(answers_at(network, at));
      if (columns.size() > 1 && columns.back() != columns[columns.size() - 2]) last_change = at;
    }
    const size_t shown = static_cast<size_t>(last_change - kFirstIndexShown + 1);
    indexes.resize(shown);
    columns.resize(shown);
    std::printf("network %d, version indexes %d to %d (higher indexes answer as %d)\n", network,
                kFirstIndexShown, last_change, last_change);
  }
  print_table(indexes, columns);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kRules);

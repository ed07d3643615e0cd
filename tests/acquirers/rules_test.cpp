#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "strings/patterned.h"
#include "vertalib/acquirers.h"

namespace {

using namespace std::string_view_literals;

// A cell of tests/data/acquirer_levels.tsv: the first index answering yes, "any" or "-".
struct Cell {
  std::string text;
  bool holds(int index) const { return text == "any" || (text != "-" && index >= std::stoi(text)); }
};
enum Column { k0200, k0205, k0300, k0301, k0302, k0303, k0304, kChip, kColumns };

std::map<int, std::vector<Cell>> read_levels() {
  std::ifstream in(VL_SOURCE_DIR "/tests/data/acquirer_levels.tsv");
  std::map<int, std::vector<Cell>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int network = 0;
    fields >> network;
    for (std::string cell; fields >> cell;) rows[network].push_back({cell});
  }
  return rows;
}

const struct {
  int (*plain)(int, int, const int *);
  int (*ex)(int, int, ...);
  Column column;
} kLevels[] = {
    {IsEspecRedeLojista, IsEspecRedeLojistaEx, k0205},
    {IsEspecRedeLojista0200OrGreater, IsEspecRedeLojista0200OrGreaterEx, k0200},
    {IsEspecRedeLojista0205OrGreater, IsEspecRedeLojista0205OrGreaterEx, k0205},
    {IsEspecRedeLojista0300OrGreater, IsEspecRedeLojista0300OrGreaterEx, k0300},
    {IsEspecRedeLojista0301OrGreater, IsEspecRedeLojista0301OrGreaterEx, k0301},
    {IsEspecRedeLojista0302OrGreater, IsEspecRedeLojista0302OrGreaterEx, k0302},
    {IsEspecRedeLojista0303OrGreater, IsEspecRedeLojista0303OrGreaterEx, k0303},
    {IsEspecRedeLojista0304OrHigher, IsEspecRedeLojista0304OrHigherEx, k0304},
};
// Networks with layouts of their own: yes for one network from a first index.
const struct {
  int (*answer)(int, int);
  int network, first;
} kOwnLayouts[] = {
    {IsEspecCredSystem0250OrGreater, 63, 1}, {IsEspecCredSystem0260OrGreater, 63, 2},
    {IsEspecTorvex0302OrGreater, 161, 0},    {IsEspecTorvex0303OrGreater, 161, 1},
    {IsEspecSeicon0303OrGreater, 170, 0},    {IsEspecSenff0303OrGreater, 172, 0},
    {IsEspecBkBank0303OrGreater, 174, 0},    {IsEspecBScash0303OrGreater, 175, 0},
    {IsEspecSolucard0303OrGreater, 176, 0},  {IsEspecVolus0304OrHigher, 12, 1},
    {IsEspecSmartNetAbecs, 129, 1},
};
const int kIndexes[] = {INT_MIN, -2, -1, 0, 1, 2, 3, 4, 5, INT_MAX};
const int kNothingExcluded[] = {-1};

TEST(AcquirerRules, EveryCellOfTheTablesAndNoOtherNetwork) {
  const auto rows = read_levels();
  ASSERT_EQ(rows.size(), 27u);
  const std::vector<Cell> unlisted(kColumns, Cell{"-"});
  const int top_up_at_0303[] = {12, 22, 112, 125, 174, 176, 185, 186};
  std::vector<int> networks = {INT_MIN, INT_MAX};
  for (int network = -2; network <= 300; ++network) networks.push_back(network);
  for (const int network : networks) {
    const auto found = rows.find(network);
    const std::vector<Cell> &row = found == rows.end() ? unlisted : found->second;
    ASSERT_EQ(row.size(), static_cast<size_t>(kColumns)) << network;
    const Column top_up = std::ranges::count(top_up_at_0303, network) > 0 ? k0303 : kChip;
    EXPECT_EQ(IsSmartNet(network), network == 129) << network;
    for (const int index : kIndexes) {
      const std::string where = "network " + std::to_string(network) + " index " + std::to_string(index);
      for (const auto &level : kLevels) {
        const int expected = row[level.column].holds(index);
        EXPECT_EQ(level.plain(network, index, kNothingExcluded), expected) << where << " " << level.column;
        EXPECT_EQ(level.plain(network, index, nullptr), expected) << where;
        EXPECT_EQ(level.ex(network, index, -1), expected) << where;
      }
      EXPECT_EQ(IsRedeEspecLojistaEMV(network, index), row[kChip].holds(index)) << where;
      EXPECT_EQ(IsRedeEspecLojistaCarga(network, index), row[top_up].holds(index)) << where;
      EXPECT_EQ(IsEspecRedeLojistaBandFrota(network, index, 416), row[k0302].holds(index)) << where;
      for (const auto &own : kOwnLayouts)
        EXPECT_EQ(own.answer(network, index), network == own.network && index >= own.first) << where;
    }
  }
}

// 1000 to 1047 and 1000 to 1048: codes of no network.
#define TEN(d) d##0, d##1, d##2, d##3, d##4, d##5, d##6, d##7, d##8, d##9
#define FORTY_EIGHT_OTHERS \
  TEN(100), TEN(101), TEN(102), TEN(103), 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047
#define FORTY_NINE_OTHERS FORTY_EIGHT_OTHERS, 1048

TEST(AcquirerRules, ExcludedNetworksInBothFormsAndTheLimitOfTheArgumentForm) {
  const int excluded[] = {7, 185, -1};
  const int after_the_end[] = {-1, 185};
  std::vector<int> long_list(60, 2000);
  long_list[55] = 185;
  long_list.back() = -1;
  for (const auto &level : kLevels) {  // network 185 at index 1 has reached every level
    EXPECT_EQ(level.plain(185, 1, excluded), 0);
    EXPECT_EQ(level.plain(185, 1, after_the_end), 1);
    EXPECT_EQ(level.plain(185, 1, long_list.data()), 0) << "the array form has no limit";
    EXPECT_EQ(level.ex(185, 1, 7, 185, -1), 0);
    EXPECT_EQ(level.ex(185, 1, -1, 185, -1), 1);
    EXPECT_EQ(level.ex(185, 1, FORTY_EIGHT_OTHERS, 185, -1), 0) << "the 49th code still counts";
    EXPECT_EQ(level.ex(185, 1, FORTY_NINE_OTHERS, 185, -1), 1) << "a 50th is never read";
    EXPECT_EQ(level.ex(185, 1, FORTY_NINE_OTHERS), 1) << "no end: reading stops at 49";
  }
}

TEST(AcquirerRules, FleetBrandsAndDigitalCouponProducts) {
  const int products[] = {6, 9, 21, 22, 23, 27, 28, 50, 173, 187};
  for (int code = -1; code <= 1000; ++code) {
    EXPECT_EQ(IsEspecRedeLojistaBandFrota(71, 1, code), code == 384 || code == 416 || code == 550) << code;
    EXPECT_EQ(IsEspecRedeTorvexBandFrota(INT_MIN, INT_MAX, code), code == 456) << code;
    const bool coupon = std::ranges::count(products, code) > 0;
    EXPECT_EQ(IsProdutoCupomDigital(63, 2, code), coupon) << code;
    EXPECT_EQ(IsProdutoCupomDigital(102, 4, code), coupon) << code;
    EXPECT_EQ(IsProdutoCupomDigital(140, INT_MAX, code), coupon) << code;
  }
  const struct { int network, index, answer; } gates[] = {
      {63, 1, 0}, {102, 3, 0}, {140, 0, 0}, {140, 1, 1}, {64, 9, 0}, {12, 9, 0}, {INT_MIN, 9, 0}};
  for (const auto &g : gates) EXPECT_EQ(IsProdutoCupomDigital(g.network, g.index, 6), g.answer) << g.network;
}

TEST(AcquirerRules, BasicNetworkNameCutAtTheFirstSeparatorWithinTheMaximum) {
  const struct {
    const char *name;
    int maximum;
    std::string_view result;  // the count, then the bytes as they end up
  } cases[] = {
      {"rede-abc", 20, "4 REDE\0abc\0"sv},  {"abc", 2, "2 ABc\0"sv},
      {"-abc", 10, "0 \0abc\0"sv},         {"visa(x)", 100, "4 VISA\0x)\0"sv},
      {"amex", 4, "4 AMEX\0"sv},           {"amex net", 4, "4 AMEX net\0"sv},
      {"Mix3d;x", 10, "5 MIX3D\0x\0"sv},    {"a.b/c)\t", 9, "7 A.B/C)\t\0"sv},
      {"a b", 0, "0 a b\0"sv},             {"a b", INT_MIN, "-2147483648 a b\0"sv},
  };
  for (const auto &c : cases)
    EXPECT_EQ(written([&](char *name) { return GetNomeBasicoRede(name, c.maximum); }, c.name), c.result)
        << c.name << " " << c.maximum;
  for (const char separator : " -_=,;:[({"sv) {
    const std::string name = std::string("x") + separator + "y";
    EXPECT_EQ(written([](char *text) { return GetNomeBasicoRede(text, 3); }, name.c_str()), "1 X\0y\0"sv);
  }
  char unterminated[3] = {'a', 'b', 'c'};  // read no further than the maximum
  EXPECT_EQ(GetNomeBasicoRede(unterminated, 3), 3);
  EXPECT_EQ(std::string(unterminated, 3), "ABC");
  EXPECT_EQ(GetNomeBasicoRede(nullptr, 10), 0);
}

TEST(AcquirerRules, VisaChipLibraryFlags) {
  for (unsigned mode = 0; mode <= 0xFFFF; ++mode)
    EXPECT_EQ(CartaoFoiLidoChip_LibVisa(static_cast<unsigned short>(mode)), mode >= 2 && mode <= 4) << mode;
  const struct { unsigned short flags; char capture; } captures[] = {
      {5, 1}, {4, 2}, {2, 0}, {1, 1}, {0, 0}, {0xFFFA, 0}, {0xFFFB, 1}, {0x0104, 2}};
  for (const auto &c : captures) EXPECT_EQ(ObtemTipoCapturarSenha_LibVisa(c.flags), c.capture) << c.flags;
  const struct { int flags, signature; } signatures[] = {
      {8, 1}, {7, 0}, {0x108, 1}, {0x100, 0}, {-1, 1}, {INT_MIN, 0}, {~8, 0}};
  for (const auto &c : signatures) EXPECT_EQ(PedeAssinatura_LibVisa(c.flags), c.signature) << c.flags;
  const struct { unsigned short code; char application; } applications[] = {
      {0x1010, 1}, {0x2010, 2}, {0x3010, 0}, {0x1011, 0}, {0x0010, 0}, {0, 0}, {0xFFFF, 0}};
  for (const auto &c : applications) EXPECT_EQ(ObtemIdentificaApl_LibVisa(c.code), c.application) << c.code;
}

}  // namespace

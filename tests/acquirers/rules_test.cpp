#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/acquirers.h"

namespace {

using namespace std::string_view_literals;

// A cell of tests/data/acquirer_levels.tsv: the first index answering yes, "any" or "-".
bool holds(const std::string &cell, int index) { return cell == "any" || (cell != "-" && index >= std::stoi(cell)); }
enum Column { k0200 = 1, k0205, k0300, k0301, k0302, k0303, k0304, kChip, kTopUp, kFields };

const struct { int (*plain)(int, int, const int *); int (*ex)(int, int, ...); Column column; } kLevels[] = {
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
const struct { int (*answer)(int, int); int network, first; } kOwnLayouts[] = {
    {IsEspecCredSystem0250OrGreater, 63, 1}, {IsEspecCredSystem0260OrGreater, 63, 2}, {IsEspecTorvex0302OrGreater, 161, 0},
    {IsEspecTorvex0303OrGreater, 161, 1},    {IsEspecSeicon0303OrGreater, 170, 0},    {IsEspecSenff0303OrGreater, 172, 0},
    {IsEspecBkBank0303OrGreater, 174, 0},    {IsEspecBScash0303OrGreater, 175, 0},    {IsEspecSolucard0303OrGreater, 176, 0},
    {IsEspecVolus0304OrHigher, 12, 1},       {IsEspecSmartNetAbecs, 129, 1},
};

TEST(AcquirerRules, EveryCellOfTheTablesAndNoOtherNetwork) {
  std::map<int, vl::test::Row> rows;
  for (const auto &row : vl::test::data_rows("acquirer_levels.tsv", "")) rows[std::stoi(row[0])] = row;
  ASSERT_EQ(rows.size(), 27u);
  const vl::test::Row unlisted(kFields, "-");
  const int nothing_excluded[] = {-1};
  std::vector<int> networks = {INT_MIN, INT_MAX};
  for (int network = -2; network <= 300; ++network) networks.push_back(network);
  for (const int network : networks) {
    const vl::test::Row &row = rows.contains(network) ? rows[network] : unlisted;
    ASSERT_EQ(row.size(), static_cast<size_t>(kFields)) << network;
    EXPECT_EQ(IsSmartNet(network), network == 129) << network;
    for (const int index : {INT_MIN, -2, -1, 0, 1, 2, 3, 4, 5, INT_MAX}) {
      const std::string where = "network " + std::to_string(network) + " index " + std::to_string(index);
      for (const auto &level : kLevels) {
        const int expected = holds(row[level.column], index);
        EXPECT_EQ(level.plain(network, index, nothing_excluded), expected) << where << " " << level.column;
        EXPECT_EQ(level.plain(network, index, nullptr), expected) << where;
        EXPECT_EQ(level.ex(network, index, -1), expected) << where;
      }
      EXPECT_EQ(IsRedeEspecLojistaEMV(network, index), holds(row[kChip], index)) << where;
      EXPECT_EQ(IsRedeEspecLojistaCarga(network, index), holds(row[kTopUp], index)) << where;
      EXPECT_EQ(IsEspecRedeLojistaBandFrota(network, index, 416), holds(row[k0302], index)) << where;
      for (const auto &own : kOwnLayouts)
        EXPECT_EQ(own.answer(network, index), network == own.network && index >= own.first) << where;
    }
  }
}

// 48 codes of no network, 1000 to 1047.
#define TEN(d) d##0, d##1, d##2, d##3, d##4, d##5, d##6, d##7, d##8, d##9
#define FORTY_EIGHT TEN(100), TEN(101), TEN(102), TEN(103), 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047

TEST(AcquirerRules, ExcludedNetworksInBothFormsAndTheLimitOfTheArgumentForm) {
  const int excluded[] = {7, 185, -1}, after_the_end[] = {-1, 185}, long_list[] = {FORTY_EIGHT, 1048, 1049, 185, -1};
  for (const auto &level : kLevels) {  // network 185 at index 1 has reached every level
    EXPECT_EQ(level.plain(185, 1, excluded), 0);
    EXPECT_EQ(level.plain(185, 1, after_the_end), 1);
    EXPECT_EQ(level.plain(185, 1, long_list), 0) << "the array form has no limit";
    EXPECT_EQ(level.ex(185, 1, 7, 185, -1), 0);
    EXPECT_EQ(level.ex(185, 1, -1, 185, -1), 1);
    EXPECT_EQ(level.ex(185, 1, FORTY_EIGHT, 185, -1), 0) << "the 49th code still counts";
    EXPECT_EQ(level.ex(185, 1, FORTY_EIGHT, 1048, 185, -1), 1) << "a 50th is never read";
    EXPECT_EQ(level.ex(185, 1, FORTY_EIGHT, 1048), 1) << "no end: reading stops at 49";
  }
}

TEST(AcquirerRules, FleetBrandsAndDigitalCouponProducts) {
  const int products[] = {6, 9, 21, 22, 23, 27, 28, 50, 173, 187};
  const int gates[][3] = {{63, 2, 1},  {102, 4, 1}, {140, 1, 1}, {140, INT_MAX, 1}, {63, 1, 0},
                          {102, 3, 0}, {140, 0, 0}, {64, 9, 0},  {12, 9, 0},        {INT_MIN, 9, 0}};  // network, index, open
  for (int code = -1; code <= 1000; ++code) {
    EXPECT_EQ(IsEspecRedeLojistaBandFrota(71, 1, code), code == 384 || code == 416 || code == 550) << code;
    EXPECT_EQ(IsEspecRedeTorvexBandFrota(INT_MIN, INT_MAX, code), code == 456) << code;
    const bool coupon = std::ranges::count(products, code) > 0;
    for (const auto &g : gates)
      EXPECT_EQ(IsProdutoCupomDigital(g[0], g[1], code), coupon && g[2]) << g[0] << " " << g[1] << " " << code;
  }
}

TEST(AcquirerRules, BasicNetworkNameCutAtTheFirstSeparatorWithinTheMaximum) {
  const struct { const char *name; int maximum; std::string_view result; /* count, bytes */ } cases[] = {
      {"rede-abc", 20, "4 REDE\0abc\0"sv}, {"abc", 2, "2 ABc\0"sv},          {"-abc", 10, "0 \0abc\0"sv},
      {"amex net", 4, "4 AMEX net\0"sv},  {"a.b/c)\t", 9, "7 A.B/C)\t\0"sv}, {"a b", INT_MIN, "-2147483648 a b\0"sv},
  };
  for (const auto &c : cases)
    EXPECT_EQ(written([&](char *name) { return GetNomeBasicoRede(name, c.maximum); }, c.name), c.result) << c.name;
  for (const char separator : " -_=,;:[({"sv)
    EXPECT_EQ(written([](char *text) { return GetNomeBasicoRede(text, 3); }, (std::string("x") + separator + "y").c_str()),
              "1 X\0y\0"sv);
  char unterminated[3] = {'a', 'b', 'c'};  // read no further than the maximum
  EXPECT_EQ(GetNomeBasicoRede(unterminated, 3), 3);
  EXPECT_EQ(std::string(unterminated, 3), "ABC");
  EXPECT_EQ(GetNomeBasicoRede(nullptr, 10), 0);
}

TEST(AcquirerRules, VisaChipLibraryFlags) {
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const auto v = static_cast<unsigned short>(value);
    EXPECT_EQ(CartaoFoiLidoChip_LibVisa(v), value >= 2 && value <= 4) << value;
    EXPECT_EQ(ObtemTipoCapturarSenha_LibVisa(v), (value & 1) != 0 ? 1 : (value & 4) != 0 ? 2 : 0) << value;
    EXPECT_EQ(ObtemIdentificaApl_LibVisa(v), value == 0x1010 ? 1 : value == 0x2010 ? 2 : 0) << value;
  }
  const int signatures[][2] = {{8, 1}, {7, 0}, {0x108, 1}, {0x100, 0}, {-1, 1}, {INT_MIN, 0}, {~8, 0}};
  for (const auto &c : signatures) EXPECT_EQ(PedeAssinatura_LibVisa(c[0]), c[1]) << c[0];
}

}  // namespace

// Which acquirer networks, at the version index a caller keeps for each, have reached a
// level of the merchant-network message layouts; the fleet, top-up and digital-coupon
// tests built on those levels; networks with layouts of their own; the basic form of a
// network name; and the flags of the Visa chip library.
//
// Everything is data: each level lists the networks it settles, with the first version
// index at which they reach it, and passes every other network on to the next level.
#include <algorithm>
#include <climits>
#include <cstdarg>
#include <span>
#include <string_view>

#include "frame/text.h"
#include "vertalib/acquirers.h"

namespace {

// A network a table names, and the first version index at which the answer is yes.
struct FirstIndex {
  int network;
  int index;
};

// Marks a network that answers yes at every index, a negative one included.
constexpr int kAnyIndex = INT_MIN;

constexpr bool reached(const FirstIndex &rule, int version) { return version >= rule.index; }

constexpr const FirstIndex *find_network(std::span<const FirstIndex> table, int network) {
  const auto found = std::ranges::find(table, network, &FirstIndex::network);
  return found == table.end() ? nullptr : &*found;
}

// ---- Merchant-network levels ----

enum Level : int { k0200, k0205, k0300, k0301, k0302, k0303, k0304, kLevelCount };
constexpr int kNoNextLevel = -1;  // networks the level does not name answer no

constexpr FirstIndex k0205Rules[] = {{12, 0}, {95, 0}, {105, 0}, {109, 0},
                                     {112, 0}, {115, 0}, {125, 0}};
constexpr FirstIndex k0300Rules[] = {{28, 1}};
constexpr FirstIndex k0301Rules[] = {{41, 1}, {115, 1}, {141, kAnyIndex}, {142, kAnyIndex}, {144, 1}};
constexpr FirstIndex k0302Rules[] = {{71, 1}, {86, 1}, {144, 2}, {146, 0},
                                     {150, 0}, {152, 0}, {158, 0}};
constexpr FirstIndex k0303Rules[] = {{12, 1},  {22, 1},  {28, 2},  {95, 1},  {105, 1},
                                     {109, 1}, {112, 1}, {125, 1}, {172, 0}, {173, 0},
                                     {174, 0}, {175, 0}, {176, 0}, {185, 1}, {186, 0}};
constexpr FirstIndex k0304Rules[] = {{12, 1}, {22, 1}, {173, 1}, {185, 1}};

struct LevelRules {
  std::span<const FirstIndex> own;  // the networks this level settles
  int next;                         // where every other network is asked, or kNoNextLevel
};

constexpr LevelRules kLevels[kLevelCount] = {
    {{}, k0205},  // names no network of its own
    {k0205Rules, k0300},
    {k0300Rules, k0301},
    {k0301Rules, k0302},
    {k0302Rules, k0303},
    {k0303Rules, kNoNextLevel},
    {k0304Rules, kNoNextLevel},
};

// Every level hands on only to a later one, so each walk ends.
constexpr bool levels_hand_forward() {
  for (int level = 0; level < kLevelCount; ++level)
    if (kLevels[level].next != kNoNextLevel && kLevels[level].next <= level) return false;
  return true;
}
static_assert(levels_hand_forward());

constexpr bool level_reached(Level level, int network, int version) {
  for (int at = level; at != kNoNextLevel; at = kLevels[at].next)
    if (const FirstIndex *rule = find_network(kLevels[at].own, network)) return reached(*rule, version);
  return false;
}
static_assert(level_reached(k0301, 141, INT_MIN) && !level_reached(k0302, 141, INT_MAX));
static_assert(!level_reached(k0303, 28, 1) && level_reached(k0303, 28, 2));

// ---- Exclusion lists ----

constexpr int kListEnd = -1;
constexpr int kMostExcludedArguments = 49;

// An array ended by kListEnd; a null array is an empty list.
bool is_excluded(const int *excluded, int network) {
  if (excluded == nullptr) return false;
  for (; *excluded != kListEnd; ++excluded)
    if (*excluded == network) return true;
  return false;
}

// The excluded networks passed as arguments, read up to their kListEnd or the limit.
struct ExcludedArguments {
  int codes[kMostExcludedArguments + 1];

  explicit ExcludedArguments(va_list arguments) {
    int count = 0;
    while (count < kMostExcludedArguments) {
      const int code = va_arg(arguments, int);
      if (code == kListEnd) break;
      codes[count++] = code;
    }
    codes[count] = kListEnd;
  }
};

int answer(Level level, int network, int version, const int *excluded) {
  return !is_excluded(excluded, network) && level_reached(level, network, version) ? 1 : 0;
}

// The answer of a level with the exclusion list taken from the arguments after version.
#define VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(level)              \
  va_list arguments;                                          \
  va_start(arguments, version);                               \
  const ExcludedArguments excluded(arguments);                \
  va_end(arguments);                                          \
  return answer(level, network, version, excluded.codes)

// ---- Chip messages, top-up, fleet cards, digital coupons ----

constexpr FirstIndex kChipRules[] = {{12, 1},  {28, 2},  {57, 2},  {86, 1},  {105, 1}, {109, 1},
                                     {144, 2}, {152, 0}, {172, 0}, {173, 0}, {175, 0}};
// Networks whose top-up follows level 03.03; every other network's follows the chip rules.
constexpr int kTopUpAtLevel0303[] = {12, 22, 112, 125, 174, 176, 185, 186};
constexpr int kFleetBrands[] = {384, 416, 550};
constexpr int kTorvexFleetBrand = 456;
constexpr FirstIndex kCouponNetworks[] = {{63, 2}, {102, 4}, {140, 1}};
constexpr int kCouponProducts[] = {6, 9, 21, 22, 23, 27, 28, 50, 173, 187};

// Networks with layouts of their own, each answering from one first index.
constexpr FirstIndex kCredSystem0250{63, 1};
constexpr FirstIndex kCredSystem0260{63, 2};
constexpr FirstIndex kTorvex0302{161, 0};
constexpr FirstIndex kTorvex0303{161, 1};
constexpr FirstIndex kSeicon0303{170, 0};
constexpr FirstIndex kVolus0304{12, 1};
constexpr FirstIndex kSmartNetAbecs{129, 1};
constexpr int kSmartNet = 129;
constexpr int kSenff = 172;
constexpr int kBkBank = 174;
constexpr int kBScash = 175;
constexpr int kSolucard = 176;

template <typename Codes, typename Code>
constexpr bool listed(const Codes &codes, Code code) {
  return std::ranges::find(codes, code) != std::ranges::end(codes);
}

int reached_on(const FirstIndex &rule, int network, int version) {
  return network == rule.network && reached(rule, version) ? 1 : 0;
}

int level_on(int own_network, int network, int version) {
  return network == own_network && level_reached(k0303, network, version) ? 1 : 0;
}

int chip_messages(int network, int version) {
  const FirstIndex *rule = find_network(kChipRules, network);
  return rule != nullptr && reached(*rule, version) ? 1 : 0;
}

// ---- Network names ----

constexpr std::string_view kNameSeparators = " -_=,;:[({";

// ---- Visa chip library ----

constexpr unsigned short kChipEntryModes[] = {2, 3, 4};

// PIN capture: the first flag set, in this order, gives the answer.
struct FlagAnswer {
  unsigned short bit;
  char answer;
};
constexpr FlagAnswer kPinCaptureFlags[] = {{0x0001, 1}, {0x0004, 2}};
constexpr int kSignatureBit = 3;

struct ApplicationAnswer {
  unsigned short code;  // the last two bytes of the application identifier
  char answer;
};
constexpr ApplicationAnswer kApplications[] = {{0x1010, 1}, {0x2010, 2}};

}  // namespace

extern "C" {

int IsEspecRedeLojista(int network, int version, const int *excluded) {
  return answer(k0205, network, version, excluded);
}
int IsEspecRedeLojista0200OrGreater(int network, int version, const int *excluded) {
  return answer(k0200, network, version, excluded);
}
int IsEspecRedeLojista0205OrGreater(int network, int version, const int *excluded) {
  return answer(k0205, network, version, excluded);
}
int IsEspecRedeLojista0300OrGreater(int network, int version, const int *excluded) {
  return answer(k0300, network, version, excluded);
}
int IsEspecRedeLojista0301OrGreater(int network, int version, const int *excluded) {
  return answer(k0301, network, version, excluded);
}
int IsEspecRedeLojista0302OrGreater(int network, int version, const int *excluded) {
  return answer(k0302, network, version, excluded);
}
int IsEspecRedeLojista0303OrGreater(int network, int version, const int *excluded) {
  return answer(k0303, network, version, excluded);
}
int IsEspecRedeLojista0304OrHigher(int network, int version, const int *excluded) {
  return answer(k0304, network, version, excluded);
}

int IsEspecRedeLojistaEx(int network, int version, ...) { VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0205); }
int IsEspecRedeLojista0200OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0200);
}
int IsEspecRedeLojista0205OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0205);
}
int IsEspecRedeLojista0300OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0300);
}
int IsEspecRedeLojista0301OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0301);
}
int IsEspecRedeLojista0302OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0302);
}
int IsEspecRedeLojista0303OrGreaterEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0303);
}
int IsEspecRedeLojista0304OrHigherEx(int network, int version, ...) {
  VL_ANSWER_WITH_EXCLUDED_ARGUMENTS(k0304);
}

int IsEspecRedeLojistaBandFrota(int network, int version, int brand) {
  return level_reached(k0302, network, version) && listed(kFleetBrands, brand) ? 1 : 0;
}
int IsEspecRedeTorvexBandFrota(int, int, int brand) { return brand == kTorvexFleetBrand ? 1 : 0; }

int IsRedeEspecLojistaEMV(int network, int version) { return chip_messages(network, version); }
int IsRedeEspecLojistaCarga(int network, int version) {
  if (listed(kTopUpAtLevel0303, network)) return level_reached(k0303, network, version) ? 1 : 0;
  return chip_messages(network, version);
}

int IsEspecCredSystem0250OrGreater(int network, int version) {
  return reached_on(kCredSystem0250, network, version);
}
int IsEspecCredSystem0260OrGreater(int network, int version) {
  return reached_on(kCredSystem0260, network, version);
}
int IsEspecTorvex0302OrGreater(int network, int version) { return reached_on(kTorvex0302, network, version); }
int IsEspecTorvex0303OrGreater(int network, int version) { return reached_on(kTorvex0303, network, version); }
int IsEspecSeicon0303OrGreater(int network, int version) { return reached_on(kSeicon0303, network, version); }
int IsEspecSenff0303OrGreater(int network, int version) { return level_on(kSenff, network, version); }
int IsEspecBkBank0303OrGreater(int network, int version) { return level_on(kBkBank, network, version); }
int IsEspecBScash0303OrGreater(int network, int version) { return level_on(kBScash, network, version); }
int IsEspecSolucard0303OrGreater(int network, int version) { return level_on(kSolucard, network, version); }
int IsEspecVolus0304OrHigher(int network, int version) { return reached_on(kVolus0304, network, version); }
int IsSmartNet(int network) { return network == kSmartNet ? 1 : 0; }
int IsEspecSmartNetAbecs(int network, int version) { return reached_on(kSmartNetAbecs, network, version); }

int IsProdutoCupomDigital(int network, int version, int product) {
  const FirstIndex *rule = find_network(kCouponNetworks, network);
  if (rule == nullptr || !reached(*rule, version)) return 0;
  return listed(kCouponProducts, product) ? 1 : 0;
}

int GetNomeBasicoRede(char *name, int maximum) {
  if (name == nullptr) return 0;
  if (maximum <= 0) return maximum;
  const std::string_view read(name, vl::bounded_length(name, static_cast<size_t>(maximum)));
  const size_t separator = read.find_first_of(kNameSeparators);
  const size_t count = separator == std::string_view::npos ? read.size() : separator;
  if (separator != std::string_view::npos) name[separator] = '\0';
  std::transform(name, name + count, name, vl::to_upper);
  return static_cast<int>(count);
}

int CartaoFoiLidoChip_LibVisa(unsigned short entryMode) {
  return listed(kChipEntryModes, entryMode) ? 1 : 0;
}

char ObtemTipoCapturarSenha_LibVisa(unsigned short flags) {
  for (const FlagAnswer &flag : kPinCaptureFlags)
    if ((flags & flag.bit) != 0) return flag.answer;
  return 0;
}

int PedeAssinatura_LibVisa(int flags) { return (flags >> kSignatureBit) & 1; }

char ObtemIdentificaApl_LibVisa(unsigned short application) {
  for (const ApplicationAnswer &known : kApplications)
    if (known.code == application) return known.answer;
  return 0;
}

}  // extern "C"

#include <gtest/gtest.h>
#include <cmath>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>

#include "dates/local_time.h"
#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

constexpr sys_days kReferenceDay = 1979y / December / 31;

// The civil date of day in a strftime-like layout (%Y %y %m %d %j), written here rather than
// by the runtime's strftime, which some runtimes refuse for years before 1900.
std::string text(sys_days day, const char *layout) {
  const year_month_day date(day);
  const int y = static_cast<int>(date.year());
  const int fields[] = {y, y % 100, static_cast<int>(static_cast<unsigned>(date.month())),
                        static_cast<int>(static_cast<unsigned>(date.day())),
                        static_cast<int>((day - sys_days(date.year() / January / 1)).count()) + 1};
  std::string out;
  for (const char *at = layout; *at != '\0'; ++at) {
    if (*at != '%' || at[1] == '\0') {
      out += *at;
      continue;
    }
    const char *kinds = "Yymdj";
    const int widths[] = {4, 2, 2, 2, 3};
    const int kind = static_cast<int>(std::strchr(kinds, *++at) - kinds);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%0*d", widths[kind], fields[kind]);
    out += digits;
  }
  return out;
}

TEST(ReferenceDayCount, MatchesTheCivilCalendarFrom1950To2049) {
  for (sys_days day = 1950y / January / 1; day <= sys_days(2049y / December / 31); day += days(1)) {
    const std::string date = text(day, "%d%m%y");
    const double ref = (day - kReferenceDay).count();  // 290224 is 16131
    ASSERT_EQ(GregtoRef(date.c_str()), ref) << date;
    ASSERT_EQ(ReftoGreg(ref), date);
    // 311249 plus one day gives 010150: the year keeps its last two digits.
    ASSERT_EQ(SomaDias(date.c_str(), 1), text(day + days(1), "%d%m%y")) << date;
  }
  EXPECT_EQ(SomaDias("010124", 0), ReftoGreg(0)) << "one buffer for both";
}

TEST(ReferenceDayCount, FollowsTheJulianCalendarBeforeOctober1582) {
  EXPECT_STREQ(ReftoGreg(-145078), "151082");
  // From March 1500 to October 1582 the Julian calendar runs ten days behind.
  for (sys_days day = sys_days(1582y / October / 14); day >= sys_days(1500y / March / 11);
       day -= days(1))
    ASSERT_EQ(ReftoGreg((day - kReferenceDay).count()), text(day - days(10), "%d%m%y"));
}

TEST(JulianDates, ConvertBothWaysForEveryDayOfLeapAndCommonYears) {
  for (const int y : {1970, 1999, 2000, 2023, 2024, 2069, 2100}) {
    for (sys_days day = year(y) / January / 1; day <= sys_days(year(y) / December / 31);
         day += days(1)) {
      const std::string ordinal = text(day, "%Y%j"), gregorian = text(day, "%Y%m%d");
      char out[16];
      ASSERT_EQ(Julian2Gregorian(ordinal.c_str(), out), 1);
      ASSERT_EQ(out, gregorian);
      ASSERT_EQ(Julian2Gregorian(gregorian.c_str(), out), 1);
      ASSERT_EQ(out, ordinal);
      if (y == 2100) continue;  // two-digit years stop at 2069
      ASSERT_EQ(ObtemDiaJuliano(gregorian.c_str()), std::stoi(text(day, "%j"))) << gregorian;
      ASSERT_EQ(Julian2Gregorian(ordinal.c_str() + 2, out), 1);
      ASSERT_EQ(out, gregorian.substr(2));
      ASSERT_EQ(Julian2Gregorian(gregorian.c_str() + 2, out), 1);
      ASSERT_EQ(out, ordinal.substr(2));
    }
  }
}

TEST(JulianDates, CarryOutOfRangeFieldsAndRefuseOtherTexts) {
  // An empty expectation is a refusal that leaves out as it was.
  const std::pair<const char *, const char *> cases[] = {
      {"24367", "250101"}, {"20241301", "2025001"}, {"240230", "24061"}, {"2406A", ""},
      {"202406001", ""},   {"2406", ""},            {"", ""},            {" 24060", ""},
      {"-24060", ""}};
  for (const auto &[in, expected] : cases) {
    char out[16] = "untouched";
    EXPECT_EQ(Julian2Gregorian(in, out), *expected ? 1 : 0) << in;
    EXPECT_STREQ(out, *expected ? expected : "untouched") << in;
  }
  int month = 0, day = 0;
  FromJulianDay(2023, 400, &month, &day);
  EXPECT_EQ(month * 100 + day, 1335) << "month 13 holds what is left after December";
  FromJulianDay(2023, -5, &month, &day);
  EXPECT_EQ(month * 100 + day, 100 - 5);
  EXPECT_EQ(ObtemDiaJuliano("21000301"), 61) << "the day of the year takes 00 as a leap year";
}

TEST(DueDateFactor, CountsDaysFromOctober1997) {
  char out[10];
  for (int factor = 1; factor <= 9999; ++factor) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", factor);
    ASSERT_EQ(DataFatorVencto(out, digits), 1);
    ASSERT_EQ(out, text(sys_days(1997y / October / 7) + days(factor), "%d%m%Y"));
  }
  EXPECT_EQ(DataFatorVencto(out, "100099"), 1);
  EXPECT_STREQ(out, "03072000") << "only the first four characters count";
  std::memcpy(out, "untouched", 10);
  EXPECT_EQ(DataFatorVencto(out, "0000") + DataFatorVencto(out, "abcd"), 0);
  EXPECT_STREQ(out, "untouched");
}

TEST(DateChecks, RejectImpossibleDaysAndMonths) {
  const auto verdicts = [](int (*check)(const char *), std::initializer_list<const char *> texts) {
    std::string out;  // one digit per text
    for (const char *field : texts) out += static_cast<char>('0' + check(field));
    return out;
  };
  // The day is compared as two bytes, not read as digits: "1A" lies between "01" and "31".
  EXPECT_EQ(verdicts(ErroDia, {"2902", "3112", "0101", "1A01", "3002", "3104", "0013", "0001",
                               "3A01", "01"}),
            "0000111111");
  EXPECT_EQ(verdicts(ErroMes, {"01", "12", "13", "00", "1A", " 1"}), "001111");
  EXPECT_EQ(verdicts(ErroMesCompetencia, {"13", "00", "14"}), "011");
}

TEST(Centuries, CompleteTwoDigitYearsInOneSharedBufferAndConvertLayouts) {
  char *century = Ano2to4("97");
  EXPECT_STREQ(century, "2097");
  EXPECT_STREQ(Ano2to4("98"), "1998");
  EXPECT_EQ(ComparaDatas("010199", "010100"), -1);
  EXPECT_STREQ(century, "2000") << "the comparison completed 010100 last";
  EXPECT_EQ(Ano2to4("9"), century);
  EXPECT_STREQ(century, "209");
  const char year[] = "2024";
  EXPECT_EQ(Ano4to2(year), year + 2);

  char out[12];
  std::memset(out, '#', sizeof out);
  ConverteAAAAMMDDparaDDMMAA(out, "20240229xyz");
  EXPECT_EQ(std::string(out, 8), "290224##");
  ConverteDDMMAAparaAAAAMMDD(out, "31129812");
  EXPECT_EQ(std::string(out, 10), "19981231##");
  ConverteDDMMAAAAparaAAAAMMDD(out, "01032024");
  EXPECT_EQ(std::string(out, 10), "20240301##");
}

TEST(AddingDays, CompletesTheCenturyWithTwoPivotsAndKeepsTheDayAMonthLater) {
  EXPECT_STREQ(SomaDias("010324", -1), "290224");
  EXPECT_EQ(SomaDiasAAAAMMDD("19991231", 1), 20000101);
  EXPECT_EQ(SomaDiasAAAAMMDD("19970101", 0), 20970101);
  EXPECT_EQ(SomaDiasAAAAMMDD("20491231", 1), 20500101);
  const std::pair<const char *, const char *> cases[] = {
      {"290124", "290224"}, {"290123", "010323"}, {"300124", "010324"}, {"310324", "010524"},
      {"310524", "010724"}, {"310824", "011024"}, {"311024", "011224"}, {"311299", "310100"},
      {"150699", "150799"}, {"310724", "310824"}, {"310424", "310524"}, {"290100", "290200"}};
  for (const auto &[date, later] : cases) EXPECT_STREQ(SomaDiasMesFechado(date), later) << date;
  EXPECT_EQ(SomaDiasMesFechado("010124"), SomaDiasMesFechado("010224"));
}

TEST(Comparisons, OrderByTheCompletedYearThenMonthThenDay) {
  struct Case { int (*compare)(const char *, const char *); const char *a, *b; int order; };
  const Case cases[] = {
      {ComparaDatas, "3112", "0101", 1},       {ComparaDatas, "0102", "3101", 1},  // DDMM
      {ComparaDatas, "311297", "010198", 1},   {ComparaDatas, "020124", "010224", -1},
      {ComparaDatas, "290224", "290224xx", 0},  // only a's length decides the layout
      {ComparaDDMMAAAA, "31121999", "01012000", -1},
      {ComparaDDMMAAAA, "02032024", "01032024", 1},
      {ComparaDDMMAAAA, "01032024", "01032024", 0}};
  for (const Case &c : cases) EXPECT_EQ(c.compare(c.a, c.b), c.order) << c.a << " " << c.b;
}

TEST(YearsRelativeToToday, PlaceMonthAndDayBeforeOrAfterToday) {
  const std::time_t clock = std::time(nullptr);
  const std::tm now = vl::test::local_tm(clock);
  const std::string year = std::to_string(now.tm_year + 1900),
                    next = std::to_string(now.tm_year + 1901), last = std::to_string(now.tm_year + 1899);
  char today[8];
  std::strftime(today, sizeof today, "%m%d", &now);
  char out[12];
  // The first n bytes of out after call, out filled with '#' before it.
  const auto written = [&out](auto call, size_t n) {
    std::memset(out, '#', sizeof out);
    call();
    return std::string(out, n);
  };
  EXPECT_EQ(written([&] { RetornaAnoAtual(out); }, 8), year + std::string("\0###", 4));
  EXPECT_EQ(written([&] { EXPECT_EQ(RetornaAnoRef(out, today), 4); }, 5), year + '\0')
      << "today counts as this year";
  EXPECT_EQ(written([&] { RetornaAnoRef(out, "0000"); }, 5), next + '\0');
  EXPECT_EQ(written([&] { RetornaAnoTrn(out, "9999", 4); }, 5), last + "#");
  EXPECT_EQ(written([&] { RetornaAnoTrn(out, today, 2); }, 3), year.substr(2) + "#");
  const bool new_years_day = now.tm_mon == 0 && now.tm_mday == 1;
  EXPECT_EQ(written([&] { GetDDMMAAFromDDMM(out, "0101"); }, 7),
            "0101" + (new_years_day ? year : next).substr(2) + "#");
  for (const char *invalid : {"3201", "0013", "0001", "", "ab12"})
    EXPECT_EQ(written([&] { GetDDMMAAFromDDMM(out, invalid); }, 2), std::string("\0#", 2)) << invalid;
}

// Day counts the day arithmetic cannot carry give an empty date instead of nonsense.
TEST(ReferenceDaysOutsideTheContract, HugeAndNotANumberGiveAnEmptyDate) {
  for (double ref : {std::nan(""), double{INFINITY}, -double{INFINITY}, 1e300, -1e300, 1.5e12})
    EXPECT_STREQ(ReftoGreg(ref), "") << ref;
  EXPECT_STREQ(ReftoGreg(1.0), "010180");
  EXPECT_STRNE(ReftoGreg(1e12), "");
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>

#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

constexpr sys_days kReferenceDay = 1979y / December / 31;

std::string aaaammdd(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string ddmmaa(year_month_day date) {
  const std::string text = aaaammdd(date);
  return text.substr(6, 2) + text.substr(4, 2) + text.substr(2, 2);
}

std::string julian(year_month_day date, bool four_digits) {
  const int yearday = (sys_days(date) - sys_days(date.year() / January / 1)).count() + 1;
  char text[16];
  std::snprintf(text, sizeof text, "%04d%03d", static_cast<int>(date.year()), yearday);
  return four_digits ? text : text + 2;
}

TEST(ReferenceDayCount, MatchesTheCivilCalendarFrom1950To2049) {
  for (sys_days day = 1950y / January / 1; day <= sys_days(2049y / December / 31); day += days(1)) {
    const std::string date = ddmmaa(day);
    const double ref = (day - kReferenceDay).count();
    ASSERT_EQ(GregtoRef(date.c_str()), ref) << date;
    ASSERT_EQ(ReftoGreg(ref), date);
    ASSERT_EQ(SomaDias(date.c_str(), 1), ddmmaa(day + days(1))) << date;
  }
  EXPECT_EQ(GregtoRef("290224"), 16131);
  EXPECT_STREQ(SomaDias("311249", 1), "010150") << "the year after 2049 keeps two digits";
  EXPECT_EQ(SomaDias("010124", 0), ReftoGreg(0)) << "one buffer for both";
}

TEST(ReferenceDayCount, FollowsTheJulianCalendarBeforeOctober1582) {
  EXPECT_STREQ(ReftoGreg(-145078), "151082");
  // Walk back day by day from 4 October 1582 with the Julian month lengths.
  int day = 4, month = 10, year = 1582;
  for (int ref = -145079; year >= 1396; --ref) {
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02d%02d%02d", day, month, year % 100);
    ASSERT_STREQ(ReftoGreg(ref), expected);
    if (--day == 0) {
      if (--month == 0) {
        month = 12;
        --year;
      }
      constexpr int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
      day = month == 2 && year % 4 == 0 ? 29 : kLength[month - 1];
    }
  }
}

TEST(JulianDates, ConvertBothWaysForEveryDayOfLeapAndCommonYears) {
  for (const int y : {1970, 1999, 2000, 2023, 2024, 2069, 2100}) {
    for (sys_days day = year(y) / January / 1; day <= sys_days(year(y) / December / 31);
         day += days(1)) {
      const year_month_day date(day);
      char out[16];
      ASSERT_EQ(Julian2Gregorian(julian(date, true).c_str(), out), 1);
      ASSERT_EQ(out, aaaammdd(date));
      ASSERT_EQ(Julian2Gregorian(aaaammdd(date).c_str(), out), 1);
      ASSERT_EQ(out, julian(date, true));
      if (y == 2100) continue;  // two-digit years stop at 2069
      ASSERT_EQ(Julian2Gregorian(julian(date, false).c_str(), out), 1);
      ASSERT_EQ(out, aaaammdd(date).substr(2));
      ASSERT_EQ(Julian2Gregorian(aaaammdd(date).substr(2).c_str(), out), 1);
      ASSERT_EQ(out, julian(date, false));
    }
  }
}

TEST(JulianDates, CarryOutOfRangeFieldsAndRefuseOtherTexts) {
  char out[16];
  EXPECT_EQ(Julian2Gregorian("24367", out), 1);
  EXPECT_STREQ(out, "250101");
  EXPECT_EQ(Julian2Gregorian("20241301", out), 1);
  EXPECT_STREQ(out, "2025001");
  EXPECT_EQ(Julian2Gregorian("240230", out), 1);
  EXPECT_STREQ(out, "24061");
  std::memcpy(out, "untouched", 10);
  for (const char *refused : {"2406A", "202406001", "2406", "", " 24060", "-24060"})
    EXPECT_EQ(Julian2Gregorian(refused, out), 0) << refused;
  EXPECT_STREQ(out, "untouched");

  const auto month_day = [](int year, int yearday) {
    int month = 0, day = 0;
    FromJulianDay(year, yearday, &month, &day);
    return month * 100 + day;
  };
  EXPECT_EQ(month_day(2023, 400), 1335) << "month 13 holds what is left after December";
  EXPECT_EQ(month_day(2023, -5), 100 - 5);
}

TEST(JulianDates, DayOfYearTakesTheLastTwoDigitsAsTheYear) {
  for (sys_days day = 2023y / January / 1; day <= sys_days(2024y / December / 31); day += days(1))
    ASSERT_EQ(ObtemDiaJuliano(aaaammdd(day).c_str()), std::stoi(julian(day, true).substr(4)));
  EXPECT_EQ(ObtemDiaJuliano("21000301"), 61) << "00 counts as leap";
  EXPECT_EQ(ObtemDiaJuliano("19990301"), 60);
}

TEST(DueDateFactor, CountsDaysFromOctober1997) {
  char out[10];
  for (int factor = 1; factor <= 9999; ++factor) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", factor);
    ASSERT_EQ(DataFatorVencto(out, text), 1);
    const std::string date = aaaammdd(sys_days(1997y / October / 7) + days(factor));
    ASSERT_EQ(out, date.substr(6, 2) + date.substr(4, 2) + date.substr(0, 4));
  }
  EXPECT_EQ(DataFatorVencto(out, "100099"), 1);
  EXPECT_STREQ(out, "03072000") << "only the first four characters count";
  std::memcpy(out, "untouched", 10);
  EXPECT_EQ(DataFatorVencto(out, "0000"), 0);
  EXPECT_EQ(DataFatorVencto(out, "abcd"), 0);
  EXPECT_STREQ(out, "untouched");
}

// The results of check over the texts, one digit each.
template <typename Check>
std::string verdicts(Check check, std::initializer_list<const char *> texts) {
  std::string out;
  for (const char *text : texts) out += static_cast<char>('0' + check(text));
  return out;
}

TEST(DateChecks, RejectImpossibleDaysAndMonths) {
  // The day is compared as two bytes, not read as digits: "1A" lies between "01" and "31".
  EXPECT_EQ(verdicts(ErroDia, {"2902", "3112", "0101", "1A01", "3002", "3104", "0013", "0001",
                               "3A01", "01"}),
            "0000111111");
  EXPECT_EQ(verdicts(ErroMes, {"01", "12", "13", "00", "1A", " 1"}), "001111");
  EXPECT_EQ(verdicts(ErroMesCompetencia, {"13", "00", "14"}), "011");
}

TEST(Centuries, CompleteTwoDigitYearsInOneSharedBuffer) {
  char *century = Ano2to4("97");
  EXPECT_STREQ(century, "2097");
  EXPECT_STREQ(Ano2to4("98"), "1998");
  EXPECT_EQ(ComparaDatas("010199", "010100"), -1);
  EXPECT_STREQ(century, "2000") << "the comparison completed 010100 last";
  EXPECT_EQ(Ano2to4("9"), century);
  EXPECT_STREQ(century, "209");
  const char year[] = "2024";
  EXPECT_EQ(Ano4to2(year), year + 2);
}

TEST(LayoutConversions, WriteTheirCharactersAndNothingAfter) {
  char out[12];
  std::memset(out, '#', sizeof out);
  ConverteAAAAMMDDparaDDMMAA(out, "20240229xyz");
  EXPECT_EQ(std::string(out, 8), "290224##");
  ConverteDDMMAAparaAAAAMMDD(out, "31129812");
  EXPECT_EQ(std::string(out, 10), "19981231##");
  ConverteDDMMAAAAparaAAAAMMDD(out, "01032024");
  EXPECT_EQ(std::string(out, 10), "20240301##");
}

TEST(AddingDays, CompletesTheCenturyWithTwoPivots) {
  EXPECT_STREQ(SomaDias("010324", -1), "290224");
  EXPECT_EQ(SomaDiasAAAAMMDD("19991231", 1), 20000101);
  EXPECT_EQ(SomaDiasAAAAMMDD("19970101", 0), 20970101);
  EXPECT_EQ(SomaDiasAAAAMMDD("20491231", 1), 20500101);
}

TEST(AddingDays, OneMonthLaterKeepsTheDayExceptAtTheMonthsEnd) {
  const std::pair<const char *, const char *> cases[] = {
      {"290124", "290224"}, {"290123", "010323"}, {"300124", "010324"}, {"310324", "010524"},
      {"310524", "010724"}, {"310824", "011024"}, {"311024", "011224"}, {"311299", "310100"},
      {"150699", "150799"}, {"310724", "310824"}, {"310424", "310524"}, {"290100", "290200"}};
  for (const auto &[date, later] : cases) EXPECT_STREQ(SomaDiasMesFechado(date), later) << date;
  EXPECT_EQ(SomaDiasMesFechado("010124"), SomaDiasMesFechado("010224"));
}

TEST(Comparisons, OrderByTheCompletedYearThenMonthThenDay) {
  EXPECT_EQ(ComparaDatas("3112", "0101"), 1) << "four characters are DDMM";
  EXPECT_EQ(ComparaDatas("0102", "3101"), 1);
  EXPECT_EQ(ComparaDatas("311297", "010198"), 1) << "97 is 2097";
  EXPECT_EQ(ComparaDatas("020124", "010224"), -1);
  EXPECT_EQ(ComparaDatas("290224", "290224xx"), 0) << "only a's length decides the layout";
  EXPECT_EQ(ComparaDDMMAAAA("31121999", "01012000"), -1);
  EXPECT_EQ(ComparaDDMMAAAA("02032024", "01032024"), 1);
  EXPECT_EQ(ComparaDDMMAAAA("01032024", "01032024"), 0);
}

TEST(YearsRelativeToToday, PlaceMonthAndDayBeforeOrAfterToday) {
  const std::time_t clock = std::time(nullptr);
  std::tm now{};
  localtime_r(&clock, &now);
  const std::string year = std::to_string(now.tm_year + 1900);
  const std::string next = std::to_string(now.tm_year + 1901);
  const std::string last = std::to_string(now.tm_year + 1899);
  char mmdd[32];
  std::snprintf(mmdd, sizeof mmdd, "%02d%02d", now.tm_mon + 1, now.tm_mday);
  char out[12];
  std::memset(out, '#', sizeof out);
  RetornaAnoAtual(out);
  EXPECT_EQ(std::string(out, 8), year + std::string("\0###", 4));
  EXPECT_EQ(RetornaAnoRef(out, mmdd), 4);
  EXPECT_EQ(std::string(out), year) << "today counts as this year";
  RetornaAnoRef(out, "0000");
  EXPECT_EQ(std::string(out), next);

  std::memset(out, '#', sizeof out);
  RetornaAnoTrn(out, "9999", 4);
  EXPECT_EQ(std::string(out, 5), last + "#");
  RetornaAnoTrn(out, mmdd, 2);
  EXPECT_EQ(std::string(out, 5), year.substr(2) + last.substr(2) + "#");

  std::memset(out, '#', sizeof out);
  GetDDMMAAFromDDMM(out, "0101");
  const bool new_years_day = now.tm_mon == 0 && now.tm_mday == 1;
  EXPECT_EQ(std::string(out, 7), "0101" + (new_years_day ? year : next).substr(2) + "#");
  for (const char *invalid : {"3201", "0013", "0001", "", "ab12"}) {
    std::memset(out, '#', sizeof out);
    GetDDMMAAFromDDMM(out, invalid);
    EXPECT_EQ(std::string(out, 2), std::string("\0#", 2)) << invalid;
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

constexpr sys_days kReferenceDay = 1979y / December / 31;

// The proleptic Gregorian date of day in a layout of the letters Y, y, m, d and j.
std::string text(sys_days day, const char *layout) {
  const year_month_day date{day};
  const int y = int(date.year()), fields[] = {y, (y % 100 + 100) % 100, int(unsigned(date.month())),
      int(unsigned(date.day())), int((day - sys_days(date.year() / January / 1)).count()) + 1};
  std::string out;
  for (const char *p = layout; *p != '\0'; ++p) {
    const auto which = std::strchr("Yymdj", *p) - "Yymdj";
    char part[8];
    std::snprintf(part, sizeof part, which == 0 ? "%04d" : which == 4 ? "%03d" : "%02d", fields[which]);
    out += part;
  }
  return out;
}

TEST(Calendar, ReferenceDayCountFollowsTheCivilCalendarAndJulianBefore1582) {
  for (sys_days day = 1950y / January / 1; day <= sys_days(2049y / December / 31); day += days(1)) {
    const std::string date = text(day, "dmy");
    const double ref = (day - kReferenceDay).count();
    ASSERT_EQ(GregtoRef(date.c_str()), ref) << date;
    ASSERT_EQ(ReftoGreg(ref), date);
    ASSERT_EQ(SomaDias(date.c_str(), 1), text(day + days(1), "dmy")) << date;  // 311249 -> 010150
  }
  EXPECT_EQ(SomaDias("010124", 0), ReftoGreg(0)) << "one buffer for both";
  // From March 1500 to 14 October 1582 the Julian calendar runs ten days behind.
  for (sys_days day = 1582y / October / 14; day >= sys_days(1500y / March / 11); day -= days(1))
    ASSERT_EQ(ReftoGreg((day - kReferenceDay).count()), text(day - days(10), "dmy"));
}

TEST(Calendar, JulianDatesAndDueDatesForEveryDay) {
  for (const int y : {1970, 1999, 2000, 2023, 2024, 2069, 2100}) {
    for (sys_days day = year(y) / January / 1; day <= sys_days(year(y) / December / 31); day += days(1)) {
      const std::string ordinal = text(day, "Yj"), gregorian = text(day, "Ymd");
      for (const unsigned skip : {0u, y == 2100 ? 0u : 2u}) {  // two-digit years (pivot 70) stop at 2069
        char out[16];
        ASSERT_EQ(Julian2Gregorian(ordinal.c_str() + skip, out), 1);
        ASSERT_EQ(out, gregorian.substr(skip));
        ASSERT_EQ(Julian2Gregorian(gregorian.c_str() + skip, out), 1);
        ASSERT_EQ(out, ordinal.substr(skip));
      }
      const bool misread_leap = y == 2100 && day >= sys_days(2100y / March / 1);  // it reads 2100 as 00
      ASSERT_EQ(ObtemDiaJuliano(gregorian.c_str()), std::stoi(text(day, "j")) + misread_leap) << gregorian;
    }
  }
  for (int factor = 1; factor <= 9999; ++factor) {  // due dates count days from 7 October 1997
    char digits[8], out[10];
    std::snprintf(digits, sizeof digits, "%04d", factor);
    ASSERT_EQ(DataFatorVencto(out, digits), 1);
    ASSERT_EQ(out, text(sys_days(1997y / October / 7) + days(factor), "dmY"));
  }
}

// What the function named first in row gives for the row's arguments, as calendar.tsv shows it.
std::string result(const vl::test::Row &row) {
  const std::string &f = row[0];
  const char *a = row[1].c_str(), *b = row.size() > 3 ? row[2].c_str() : "";
  const auto n = [](int value) { return std::to_string(value); };
  const auto s = [](const char *text) { return std::string(text) + '\0'; };
  if (f == "ErroDia") return n(ErroDia(a));
  if (f == "ErroMes") return n(ErroMes(a));
  if (f == "ErroMesCompetencia") return n(ErroMesCompetencia(a));
  if (f == "Ano2to4") return s(Ano2to4(a));
  if (f == "ConverteAAAAMMDDparaDDMMAA") return TEXT_OF(10, ConverteAAAAMMDDparaDDMMAA(o, a));
  if (f == "ConverteDDMMAAparaAAAAMMDD") return TEXT_OF(10, ConverteDDMMAAparaAAAAMMDD(o, a));
  if (f == "ConverteDDMMAAAAparaAAAAMMDD") return TEXT_OF(10, ConverteDDMMAAAAparaAAAAMMDD(o, a));
  if (f == "SomaDias") return s(SomaDias(a, std::stoi(b)));
  if (f == "SomaDiasAAAAMMDD") return n(SomaDiasAAAAMMDD(a, std::stoi(b)));
  if (f == "SomaDiasMesFechado") return s(SomaDiasMesFechado(a));
  if (f == "ComparaDatas") return n(ComparaDatas(a, b));
  if (f == "ComparaDDMMAAAA") return n(ComparaDDMMAAAA(a, b));
  if (f == "Julian2Gregorian") return TEXT_OF(10, Julian2Gregorian(a, o));
  if (f == "ObtemDiaJuliano") return n(ObtemDiaJuliano(a));
  if (f == "DataFatorVencto") return TEXT_OF(10, DataFatorVencto(o, a));
  if (f == "ReftoGreg") return s(ReftoGreg(std::stod(a)));
  int month = 0, day = 0;
  if (f == "FromJulianDay") return FromJulianDay(std::stoi(a), std::stoi(b), &month, &day), n(month * 100 + day);
  return "no function " + f;
}

TEST(Calendar, ChecksConversionsAdditionsComparisonsAndRefusals) {
  char *century = Ano2to4("97");
  EXPECT_EQ(ComparaDatas("010199", "010100"), -1);
  EXPECT_STREQ(century, "2000") << "the comparison completed 010100 last in the one century buffer";
  EXPECT_EQ(Ano2to4("9"), century);
  const char year[] = "2024";
  EXPECT_EQ(Ano4to2(year), year + 2);
  EXPECT_EQ(SomaDiasMesFechado("010124"), SomaDiasMesFechado("010224"));
  const auto rows = vl::test::data_rows("dates/calendar.tsv");
  ASSERT_EQ(rows.size(), 75u);
  for (const auto &row : rows) {
    std::string got = result(row);
    std::replace(got.begin(), got.end(), '\0', '.');
    EXPECT_EQ(got, row.back()) << row[0] << ' ' << row[1];
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "dates/local_time.h"
#include "frame/environment.h"
#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

// Runs a test body under a time zone chosen by name and puts the process's zone back
// afterwards. Windows takes its zone from the system's settings, not from a name a program
// sets: there the clock tests run in the system's zone and expect the runtime's local time,
// and the tests of one named zone's history are POSIX's alone.
class LocalClock : public ::testing::Test {
 protected:
  static void use([[maybe_unused]] const char *zone) {
#if !defined(_WIN32)
    vl::test::set_variable("TZ", zone);
    tzset();
#endif
  }
  void TearDown() override {
    saved_.reset();
#if !defined(_WIN32)
    tzset();
#endif
  }

 private:
  std::optional<vl::test::SavedVariable> saved_{"TZ"};
};

// AAAAMMDDHHMMSS of a time value in a zone a fixed offset from UTC (by calendar arithmetic
// alone), or on Windows in the system's zone.
std::string civil([[maybe_unused]] int64_t t, [[maybe_unused]] hours offset) {
  char text[32];
#if defined(_WIN32)
  const std::tm local = vl::test::local_tm(static_cast<std::time_t>(t));
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
#else
  const auto shifted = sys_seconds(seconds(t)) + offset;
  const year_month_day date{floor<days>(shifted)};
  const hh_mm_ss time{shifted - floor<days>(shifted)};
  std::snprintf(text, sizeof text, "%04d%02u%02u%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
#endif
  return text;
}

TEST_F(LocalClock, ClockReadersWriteTheLocalDateAndTime) {
  // Each reader with the position and length of its fields in AAAAMMDDHHMMSS.
  const struct { int (*read)(char *); int fields[3][2]; } readers[] = {
      {ObtemDatalocalAAAAMMDD, {{0, 8}}},
      {ObtemDatalocalDDMMAA, {{6, 2}, {4, 2}, {2, 2}}},
      {ObtemDatalocalDDMMAAAA, {{6, 2}, {4, 2}, {0, 4}}},
      {ObtemHoraLocal, {{8, 6}}},
      {ObtemAAAAMMDDHHMMSS, {{0, 14}}}};
  // A zone three hours behind UTC all year, and UTC.
  for (const auto &[zone, offset] : {std::pair{"<-03>3", hours(-3)}, {"UTC", hours(0)}}) {
    use(zone);
    for (const auto &[read, fields] : readers) {
      char out[20];
      std::string expected;
      int written = 0;
      // Read again when the second turned between the two clocks.
      for (int attempt = 0; attempt < 3 && expected.empty(); ++attempt) {
        std::memset(out, '#', sizeof out);
        const std::time_t before = std::time(nullptr);
        written = read(out);
        if (std::time(nullptr) == before)
          for (const auto &[pos, count] : fields) expected += civil(before, offset).substr(pos, count);
      }
      EXPECT_EQ(std::string(out), expected) << zone;
      EXPECT_EQ(written, static_cast<int>(expected.size()));
      EXPECT_EQ(out[written + 1], '#');
    }
  }
}

#if !defined(_WIN32)
int64_t utc(sys_seconds t) { return t.time_since_epoch().count(); }

TEST_F(LocalClock, TimeValuesFollowTheLocalZoneAndItsDaylightSaving) {
  use("UTC");
  EXPECT_EQ(dthr2Time("241301000000"), utc(sys_days(2025y / 1 / 1))) << "month 13 carries";
  use("America/Sao_Paulo");
  EXPECT_EQ(dthr2Time("240229080509"), utc(sys_days(2024y / 2 / 29) + 11h + 5min + 9s));
  EXPECT_EQ(SubtraiDtHr("20181104120000", "20181103120000"), 82800.0)
      << "the clocks went forward an hour that night";
  EXPECT_EQ(SubtraiDtHr("20240101000000", "20240101000130"), -90.0);

  // Around both changes of the clocks in 2018: summer time ended at midnight of 18
  // February (23:00 came again) and began at midnight of 4 November (on to 01:00).
  const struct { sys_seconds t; const char *local; } times[] = {
      {sys_days(2018y / 2 / 18) + 1h + 59min + 59s, "20180217235959"},
      {sys_days(2018y / 2 / 18) + 2h, "20180217230000"},
      {sys_days(2018y / 11 / 4) + 2h + 59min + 59s, "20181103235959"},
      {sys_days(2018y / 11 / 4) + 3h, "20181104010000"},
      {sys_days(2018y / 7 / 1) + 15h, "20180701120000"}};
  for (const auto &[t, local] : times) {
    char out[16];
    std::memset(out, '#', sizeof out);
    const int64_t value = utc(t);
    Time2dthr(out, &value);
    EXPECT_EQ(std::string(out, 15), std::string(local) + "#");
    // The hour repeated when summer time ends has two time values; any other comes back.
    const int64_t back = dthr2Time(out + 2);
    EXPECT_TRUE(back == value || std::llabs(back - value) == 3600) << out;
  }
  EXPECT_EQ(dthr2Time("181104010000"), utc(sys_days(2018y / 11 / 4) + 3h));
}

TEST_F(LocalClock, JulianDatesAndDueDatesCarryThroughTheLocalCalendar) {
  use("Pacific/Apia");  // the zone skipped 30 December 2011
  char out[16];
  EXPECT_EQ(Julian2Gregorian("2011364", out), 1);
  EXPECT_STREQ(out, "20111231");
  EXPECT_EQ(Julian2Gregorian("111230", out), 1);
  EXPECT_STREQ(out, "11365");
  use("America/Sao_Paulo");  // summer time from 6 October 1997 to 1 March 1998
  EXPECT_EQ(DataFatorVencto(out, "0200"), 1);
  EXPECT_STREQ(out, "25041998");
}

#endif

TEST_F(LocalClock, YearsRelativeToTodayPlaceMonthAndDayBeforeOrAfterToday) {
  use("<-03>3");
  const std::string now = civil(std::time(nullptr), hours(-3));
  const int this_year = std::stoi(now.substr(0, 4));
  const std::string year = std::to_string(this_year), next = std::to_string(this_year + 1),
                    last = std::to_string(this_year - 1), today = now.substr(4, 4);
  char out[12];
  // The first n bytes of out after call, out filled with '#' before it.
  const auto written = [&out](auto call, size_t n) {
    std::memset(out, '#', sizeof out);
    call();
    return std::string(out, n);
  };
  EXPECT_EQ(written([&] { RetornaAnoAtual(out); }, 8), year + std::string("\0###", 4));
  EXPECT_EQ(written([&] { EXPECT_EQ(RetornaAnoRef(out, today.c_str()), 4); }, 5), year + '\0')
      << "today counts as this year";
  EXPECT_EQ(written([&] { RetornaAnoRef(out, "0000"); }, 5), next + '\0');
  EXPECT_EQ(written([&] { RetornaAnoTrn(out, "9999", 4); }, 5), last + "#");
  EXPECT_EQ(written([&] { RetornaAnoTrn(out, today.c_str(), 2); }, 3), year.substr(2) + "#");
  const bool new_years_day = today == "0101";
  EXPECT_EQ(written([&] { GetDDMMAAFromDDMM(out, "0101"); }, 7),
            "0101" + (new_years_day ? year : next).substr(2) + "#");
  for (const char *invalid : {"3201", "0013", "0001", "", "ab12"})
    EXPECT_EQ(written([&] { GetDDMMAAFromDDMM(out, invalid); }, 2), std::string("\0#", 2)) << invalid;
}

TEST(Intervals, MinutesBetweenTimesOfOneDay) {
  const struct { const char *a, *b; int minutes, later; } cases[] = {
      {"20240101120600", "20240101120000", 5, 1}, {"20240101120600", "20240101120000", 6, 0},
      {"20240101120601", "20240101120000", 6, 1}, {"20240101115900", "20240101120000", -2, 0},
      {"20240101120000", "20240101120000", -1, 0}, {"20240102000000", "20240101235959", 1000, 1}};
  for (const auto &c : cases)
    EXPECT_EQ(DiffDataHoraToMin(c.a, c.b, c.minutes), c.later) << c.a << " " << c.minutes;
  EXPECT_EQ(GetDifHHMM("2330", "0010"), -1);
  EXPECT_EQ(GetDifHHMM("0800", "0930"), 90);
  EXPECT_EQ(GetDifHHMM("0800", "0800"), 0);
}

TEST(MessageDates, AcceptTheBaseDayAndTheDaysAfterIt) {
  // days < 0 marks the check of the next day alone.
  const struct { int32_t date, base; int days, accepted; } cases[] = {
      {20240301, 20240229, -9, 1}, {20240229, 20240228, -9, 1}, {20240229, 20240229, -9, 1},
      {20240302, 20240229, -9, 0}, {20240228, 20240229, -9, 0}, {20250101, 20241231, -9, 1},
      {21250101, 20241231, -9, 1},  // only the two-digit year is compared
      {20240305, 20240301, 3, 0},  {20240305, 20240301, 4, 1},  {20240101, 20240301, 0, 1},
      {20240302, 20240301, 0, 0},  {20250110, 20241225, 16, 1}, {20250111, 20241225, 16, 0}};
  for (const auto &c : cases) {
    const int accepted = c.days < 0 ? VerificaDataMensagem(c.date, c.base)
                                    : VerificaDiffDataMensagem(c.date, c.base, c.days);
    EXPECT_EQ(accepted, c.accepted) << c.date << " " << c.base << " " << c.days;
  }
  EXPECT_EQ(VerificaDiffDataMensagem(20240229, 20240229, -5), 1);
}

// The local-time conversion accepts times whose year no longer fits an int; those are left
// alone like any time without a local date.
TEST_F(LocalClock, TimesBeyondTheLastRepresentableYearLeaveTheOutputAlone) {
  use("UTC");
  for (int64_t t : {int64_t{67768036191676799}, INT64_MAX, INT64_MIN}) {
    char out[15] = "##############";
    Time2dthr(out, &t);
    EXPECT_STREQ(out, "##############") << t;
  }
}

}  // namespace

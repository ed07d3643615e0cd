#include <gtest/gtest.h>

#include <chrono>
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
// afterwards. (Windows takes its zone from the system's settings, not from a name a
// program sets: there the tests run in the system's zone.)
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

// The system's local AAAAMMDDHHMMSS of t.
std::string local_of(std::time_t t) {
  const std::tm local = vl::test::local_tm(t);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}

int64_t utc(sys_seconds t) { return t.time_since_epoch().count(); }

TEST_F(LocalClock, ClockReadersWriteTheLocalDateAndTime) {
  // Each reader with the position and length of its fields in the system's AAAAMMDDHHMMSS.
  const struct { int (*read)(char *); int fields[3][2]; } readers[] = {
      {ObtemDatalocalAAAAMMDD, {{0, 8}}},
      {ObtemDatalocalDDMMAA, {{6, 2}, {4, 2}, {2, 2}}},
      {ObtemDatalocalDDMMAAAA, {{6, 2}, {4, 2}, {0, 4}}},
      {ObtemHoraLocal, {{8, 6}}},
      {ObtemAAAAMMDDHHMMSS, {{0, 14}}}};
#if defined(_WIN32)
  for (const char *zone : {"the system's zone"}) {
#else
  for (const char *zone : {"America/Sao_Paulo", "UTC"}) {
    use(zone);
#endif
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
          for (const auto &[pos, count] : fields) expected += local_of(before).substr(pos, count);
      }
      EXPECT_EQ(std::string(out), expected) << zone;
      EXPECT_EQ(written, static_cast<int>(expected.size()));
      EXPECT_EQ(out[written + 1], '#');
    }
  }
}

// Time values written as local text and read back, every 47 minutes through two years
// (with both changes of the clocks where the zone has them).
void expect_round_trips() {
  char out[16];
  std::memset(out, '#', sizeof out);
  for (int64_t t = utc(sys_days(2017y / 1 / 1)); t < utc(sys_days(2019y / 1 / 1)); t += 47 * 60) {
    Time2dthr(out, &t);
    ASSERT_EQ(std::string(out, 15), local_of(static_cast<std::time_t>(t)) + "#");
    // The hour repeated when summer time ends has two time values; any other comes back.
    const int64_t back = dthr2Time(out + 2);
    ASSERT_TRUE(back == t || std::abs(back - t) == 3600) << out;
  }
}

#if defined(_WIN32)
TEST_F(LocalClock, TimeValuesFollowTheSystemZone) { expect_round_trips(); }
#else
TEST_F(LocalClock, TimeValuesFollowTheLocalZoneAndItsDaylightSaving) {
  use("UTC");
  EXPECT_EQ(dthr2Time("241301000000"), utc(sys_days(2025y / 1 / 1))) << "month 13 carries";
  use("America/Sao_Paulo");
  EXPECT_EQ(dthr2Time("240229080509"), utc(sys_days(2024y / 2 / 29) + 11h + 5min + 9s));
  EXPECT_EQ(SubtraiDtHr("20181104120000", "20181103120000"), 82800.0)
      << "the clocks went forward an hour that night";
  EXPECT_EQ(SubtraiDtHr("20240101000000", "20240101000130"), -90.0);

  expect_round_trips();
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
  int64_t t = 0;
  char out[15] = "##############";
  Time2dthr(out, &t);
  EXPECT_STREQ(out, "19700101000000");
}

}  // namespace

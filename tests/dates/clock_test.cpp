#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "vertalib/dates.h"

namespace {

using namespace std::chrono;

// Runs a test body under a fixed time zone and puts the process's zone back afterwards.
class LocalClock : public ::testing::Test {
 protected:
  void use(const char *zone) {
    setenv("TZ", zone, 1);
    tzset();
  }
  void TearDown() override {
    saved_ ? setenv("TZ", saved_->c_str(), 1) : unsetenv("TZ");
    tzset();
  }

 private:
  const std::optional<std::string> saved_ =
      std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

// The system's local AAAAMMDDHHMMSS of t.
std::string local_of(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}

int64_t utc(sys_seconds t) { return t.time_since_epoch().count(); }

TEST_F(LocalClock, ClockReadersWriteTheLocalDateAndTime) {
  using Layout = std::string (*)(const std::string &);
  struct Reader {
    int (*read)(char *);
    Layout layout;  // from the system's AAAAMMDDHHMMSS
  };
  const Reader readers[] = {
      {ObtemDatalocalAAAAMMDD, [](const std::string &s) { return s.substr(0, 8); }},
      {ObtemDatalocalDDMMAA,
       [](const std::string &s) { return s.substr(6, 2) + s.substr(4, 2) + s.substr(2, 2); }},
      {ObtemDatalocalDDMMAAAA,
       [](const std::string &s) { return s.substr(6, 2) + s.substr(4, 2) + s.substr(0, 4); }},
      {ObtemHoraLocal, [](const std::string &s) { return s.substr(8); }},
      {ObtemAAAAMMDDHHMMSS, [](const std::string &s) { return s; }}};
  for (const char *zone : {"America/Sao_Paulo", "UTC"}) {
    use(zone);
    for (const Reader &reader : readers) {
      char out[20];
      std::string expected;
      int written = 0;
      // Read again when the second turned between the two clocks.
      for (int attempt = 0; attempt < 3; ++attempt) {
        std::memset(out, '#', sizeof out);
        const std::time_t before = std::time(nullptr);
        written = reader.read(out);
        if (std::time(nullptr) == before) {
          expected = reader.layout(local_of(before));
          break;
        }
      }
      EXPECT_EQ(std::string(out), expected) << zone;
      EXPECT_EQ(written, static_cast<int>(expected.size()));
      EXPECT_EQ(out[written + 1], '#');
    }
  }
}

TEST_F(LocalClock, TimeValuesFollowTheLocalZoneAndItsDaylightSaving) {
  use("UTC");
  EXPECT_EQ(dthr2Time("240229080509"), utc(sys_days(2024y / 2 / 29) + 8h + 5min + 9s));
  EXPECT_EQ(dthr2Time("241301000000"), utc(sys_days(2025y / 1 / 1))) << "month 13 carries";
  EXPECT_EQ(SubtraiDtHr("20181104120000", "20181103120000"), 86400.0);

  use("America/Sao_Paulo");
  EXPECT_EQ(dthr2Time("240229080509"), utc(sys_days(2024y / 2 / 29) + 11h + 5min + 9s));
  EXPECT_EQ(dthr2Time("180115120000"), utc(sys_days(2018y / 1 / 15) + 14h)) << "summer time";
  EXPECT_EQ(SubtraiDtHr("20181104120000", "20181103120000"), 82800.0)
      << "the clocks went forward an hour that night";
  EXPECT_EQ(SubtraiDtHr("20240101000000", "20240101000130"), -90.0);

  char out[16];
  std::memset(out, '#', sizeof out);
  const int64_t leap_morning = dthr2Time("240229080509");
  Time2dthr(out, &leap_morning);
  EXPECT_EQ(std::string(out, 15), "20240229080509#");
  // Every 47 minutes through two years with both changes of the clocks.
  for (int64_t t = utc(sys_days(2017y / 1 / 1)); t < utc(sys_days(2019y / 1 / 1)); t += 47 * 60) {
    Time2dthr(out, &t);
    ASSERT_EQ(std::string(out, 14), local_of(static_cast<std::time_t>(t)));
    const std::string local(out, 14);
    // The hour repeated when summer time ends has two time values; any other comes back.
    const int64_t back = dthr2Time(local.substr(2).c_str());
    if (back != t) {
      ASSERT_EQ(std::abs(back - t), 3600) << local;
    }
  }
}

TEST_F(LocalClock, JulianDatesAndDueDatesCarryThroughTheLocalCalendar) {
  use("Pacific/Apia");  // the zone skipped 30 December 2011
  char out[16];
  EXPECT_EQ(Julian2Gregorian("2011364", out), 1);
  EXPECT_STREQ(out, "20111231");
  EXPECT_EQ(Julian2Gregorian("111230", out), 1);
  EXPECT_STREQ(out, "11365");
  use("America/Sao_Paulo");  // summer time began at midnight on 6 October 1997
  EXPECT_EQ(DataFatorVencto(out, "0001"), 1);
  EXPECT_STREQ(out, "08101997");
  EXPECT_EQ(DataFatorVencto(out, "0200"), 1);
  EXPECT_STREQ(out, "25041998");
}

TEST(Intervals, MinutesBetweenTimesOfOneDay) {
  EXPECT_EQ(DiffDataHoraToMin("20240101120600", "20240101120000", 5), 1);
  EXPECT_EQ(DiffDataHoraToMin("20240101120600", "20240101120000", 6), 0);
  EXPECT_EQ(DiffDataHoraToMin("20240101120601", "20240101120000", 6), 1);
  EXPECT_EQ(DiffDataHoraToMin("20240101115900", "20240101120000", 0), 0);
  EXPECT_EQ(DiffDataHoraToMin("20240101120000", "20240101120000", 0), 0);
  EXPECT_EQ(DiffDataHoraToMin("20240102000000", "20240101235959", 1000), 1);
  EXPECT_EQ(DiffDataHoraToMin("20240101235959", "20240101000000", 1440), 0);
  EXPECT_EQ(GetDifHHMM("2330", "0010"), -1);
  EXPECT_EQ(GetDifHHMM("0800", "0930"), 90);
  EXPECT_EQ(GetDifHHMM("0800", "0800"), 0);
  EXPECT_EQ(GetDifHHMM("0000", "2359"), 1439);
}

TEST(MessageDates, AcceptTheBaseDayAndTheDaysAfterIt) {
  EXPECT_EQ(VerificaDataMensagem(20240301, 20240229), 1);
  EXPECT_EQ(VerificaDataMensagem(20240229, 20240228), 1);
  EXPECT_EQ(VerificaDataMensagem(20240229, 20240229), 1);
  EXPECT_EQ(VerificaDataMensagem(20240302, 20240229), 0);
  EXPECT_EQ(VerificaDataMensagem(20240228, 20240229), 0);
  EXPECT_EQ(VerificaDataMensagem(20250101, 20241231), 1);
  EXPECT_EQ(VerificaDataMensagem(21250101, 20241231), 1) << "only the two-digit year is compared";

  EXPECT_EQ(VerificaDiffDataMensagem(20240305, 20240301, 3), 0);
  EXPECT_EQ(VerificaDiffDataMensagem(20240305, 20240301, 4), 1);
  EXPECT_EQ(VerificaDiffDataMensagem(20240101, 20240301, 0), 1);
  EXPECT_EQ(VerificaDiffDataMensagem(20240302, 20240301, 0), 0);
  EXPECT_EQ(VerificaDiffDataMensagem(20250110, 20241225, 16), 1);
  EXPECT_EQ(VerificaDiffDataMensagem(20250111, 20241225, 16), 0);
  EXPECT_EQ(VerificaDiffDataMensagem(20240229, 20240229, -5), 1);
}

}  // namespace

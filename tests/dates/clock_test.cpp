#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>

#include "dates/local_time.h"
#include "frame/environment.h"
#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/dates.h"

namespace {

// Runs a test body under a time zone chosen by name and puts the process's zone back after.
// Windows takes its zone from the system's settings, not from a name a program sets: there
// the clock runs in the system's zone and the rows of a named zone are skipped.
class LocalClock : public ::testing::Test {
 protected:
  static bool use([[maybe_unused]] const char *zone) {  // false where no zone can be chosen
#if defined(_WIN32)
    return false;
#else
    vl::test::set_variable("TZ", zone);
    tzset();
    return true;
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

// AAAAMMDDHHMMSS of a time value in a zone offset seconds east of UTC (from the UTC calendar
// alone), or on Windows in the system's zone.
std::string civil(std::time_t t, [[maybe_unused]] int offset) {
#if defined(_WIN32)
  const std::tm local = vl::test::local_tm(t);
#else
  std::tm local{};
  t += offset;
  gmtime_r(&t, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}

TEST_F(LocalClock, ClockReadersWriteTheLocalDateAndTime) {
  // Each reader with the positions in AAAAMMDDHHMMSS, as hexadecimal digits, of what it writes.
  const std::pair<int (*)(char *), std::string> readers[] = {
      {ObtemDatalocalAAAAMMDD, "01234567"}, {ObtemDatalocalDDMMAA, "674523"}, {ObtemDatalocalDDMMAAAA, "67450123"},
      {ObtemHoraLocal, "89abcd"}, {ObtemAAAAMMDDHHMMSS, "0123456789abcd"}};
  for (const auto &[zone, offset] : {std::pair{"<-03>3", -3 * 3600}, {"UTC", 0}}) {
    use(zone);  // three hours behind UTC all year, and UTC
    for (const auto &[reader, picks] : readers) {
      int (*const read)(char *) = reader;  // a plain variable, for the lambda below
      std::string out, expected;
      for (int attempt = 0; attempt < 3 && expected.empty(); ++attempt) {  // again if the second turned
        const std::time_t before = std::time(nullptr);
        out = TEXT_OF(16, read(o));
        if (std::time(nullptr) == before)
          for (const char pick : picks) expected += civil(before, offset)[std::stoul(std::string(1, pick), nullptr, 16)];
      }
      EXPECT_EQ(out, with(expected.c_str(), expected.size() + 1, 16) + " -> " + std::to_string(expected.size()))
          << zone;
    }
  }
}

TEST_F(LocalClock, YearsRelativeToTodayPlaceMonthAndDayBeforeOrAfterToday) {
  use("<-03>3");
  const std::string now = civil(std::time(nullptr), -3 * 3600), today = now.substr(4, 4), year = now.substr(0, 4);
  const std::string next = std::to_string(std::stoi(year) + 1), last = std::to_string(std::stoi(year) - 1);
  const std::string cases[][2] = {
      {TEXT_OF(8, RetornaAnoAtual(o)), year + std::string("\0###", 4)},
      {TEXT_OF(6, RetornaAnoRef(o, today.c_str())), year + std::string("\0#", 2) + " -> 4"},  // today: this year
      {TEXT_OF(6, RetornaAnoRef(o, "0000")), next + std::string("\0#", 2) + " -> 4"},
      {TEXT_OF(5, RetornaAnoTrn(o, "9999", 4)), last + "#"},
      {TEXT_OF(3, RetornaAnoTrn(o, today.c_str(), 2)), year.substr(2) + "#"},
      {TEXT_OF(7, GetDDMMAAFromDDMM(o, "0101")), "0101" + (today == "0101" ? year : next).substr(2) + "#"}};
  vl::test::expect_rows(cases);
  for (const char *invalid : {"3201", "0013", "0001", "", "ab12"})
    EXPECT_EQ(TEXT_OF(2, GetDDMMAAFromDDMM(o, invalid)), std::string("\0#", 2)) << invalid;
}

// What the function named first in row gives for the row's arguments, as clock.tsv shows it.
std::string result(const vl::test::Row &row) {
  const std::string &f = row[0];
  const char *a = row[2].c_str(), *b = row.size() > 4 ? row[3].c_str() : "";
  const int c = row.size() > 5 ? std::stoi(row[4]) : 0;
  const auto n = [](auto value) { return std::to_string(value); };
  if (const int64_t t = f == "Time2dthr" ? std::stoll(a) : 0; f == "Time2dthr") return TEXT_OF(16, Time2dthr(o, &t));
  if (f == "dthr2Time") return n(dthr2Time(a));
  if (f == "SubtraiDtHr") return n(static_cast<int64_t>(SubtraiDtHr(a, b)));
  if (f == "Julian2Gregorian") return TEXT_OF(10, Julian2Gregorian(a, o));
  if (f == "DataFatorVencto") return TEXT_OF(10, DataFatorVencto(o, a));
  if (f == "DiffDataHoraToMin") return n(DiffDataHoraToMin(a, b, c));
  if (f == "GetDifHHMM") return n(GetDifHHMM(a, b));
  if (f == "VerificaDataMensagem") return n(VerificaDataMensagem(std::stoi(a), std::stoi(b)));
  if (f == "VerificaDiffDataMensagem") return n(VerificaDiffDataMensagem(std::stoi(a), std::stoi(b), c));
  return "no function " + f;
}

TEST_F(LocalClock, TimeValuesIntervalsAndMessageDates) {
  const auto rows = vl::test::data_rows("dates/clock.tsv");
  ASSERT_EQ(rows.size(), 42u);
  for (const auto &row : rows) {
    if (row[1] != "-" && !use(row[1].c_str())) continue;
    std::string got = result(row);
    std::replace(got.begin(), got.end(), '\0', '.');
    EXPECT_EQ(got, row.back()) << row[0] << ' ' << row[1] << ' ' << row[2];
  }
}

}  // namespace

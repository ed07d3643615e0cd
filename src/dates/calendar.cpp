// Calendar arithmetic over fixed-width digit dates: validation, century completion, layout
// conversion, the reference day count, adding days or a month, comparisons, Julian dates,
// the due-date factor and the years relative to today.
#include "dates/calendar.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "convert/number.h"
#include "platform/platform.h"
#include "vertalib/dates.h"

namespace vl {

void read_field(const char *text, size_t pos, size_t count, char *out) {
  size_t length = 0;
  if (text != nullptr) {
    // Stop at the text's NUL whether it lies before or inside the field.
    size_t start = 0;
    while (start < pos && text[start] != '\0') ++start;
    if (start == pos)
      while (length < count && text[pos + length] != '\0') ++length;
    if (length > 0) std::memcpy(out, text + pos, length);
  }
  std::memset(out + length, 0, count + 1 - length);
}

int32_t field_number(const char *text, size_t pos, size_t count) {
  char field[16];
  read_field(text, pos, count < sizeof field ? count : sizeof field - 1, field);
  return strtol32(field);
}

int compare_text(const char *a, const char *b) {
  const int order = std::strcmp(a, b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace vl

namespace {

using vl::field_number;
using vl::read_field;

// Month lengths of the checks that take no year (February 29).
constexpr int kMonthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr char kMonthLastDay[12][3] = {"31", "29", "31", "30", "31", "30",
                                       "31", "31", "30", "31", "30", "31"};

// Library-owned results, shared by the whole process and overwritten by the next call.
char g_century[5];          // CCAA and its NUL
char g_month_later[8];      // SomaDiasMesFechado
char g_reference_date[24];  // ReftoGreg, and so SomaDias

// Day 0 of the reference count (31 December 1979) as a Julian day number.
constexpr double kReferenceJulianDay = 2444239.0;
// The first day of the Gregorian calendar (15 October 1582) in the reference count, and
// its value before the Gregorian correction is added.
constexpr double kGregorianStart = -145078.0;
constexpr double kGregorianStartUncorrected = -145068.0;
// The largest day count, either way, that ReftoGreg turns into a date.
constexpr double kLargestReference = 1e12;

int complete_year(int two_digits, int pivot) {
  return two_digits < pivot ? 2000 + two_digits : 1900 + two_digits;
}

bool valid_month(const char *mm, int last) {
  if (mm == nullptr || !(mm[0] >= '0' && mm[0] <= '9') || !(mm[1] >= '0' && mm[1] <= '9'))
    return false;
  const int month = (mm[0] - '0') * 10 + (mm[1] - '0');
  return month >= 1 && month <= last;
}

// text's DD, MM and AA (at the given positions) as a DDMMAA text.
void ddmmaa_from(const char *text, size_t day_pos, size_t month_pos, size_t year_pos, char out[7]) {
  read_field(text, day_pos, 2, out);
  read_field(text, month_pos, 2, out + 2);
  read_field(text, year_pos, 2, out + 4);
}

// The 8 bytes of DDMMAA completed to CCAAMMDD through the century buffer.
void ccaammdd_from_ddmmaa(const char *ddmmaa, char out[9]) {
  char year[3];
  read_field(ddmmaa, 4, 2, year);
  std::memcpy(out, Ano2to4(year), 4);
  read_field(ddmmaa, 2, 2, out + 4);
  read_field(ddmmaa, 0, 2, out + 6);
}

// today's month and day as MMDD text, compared byte by byte with the caller's MMDD.
int compare_with_today(const char *mmdd, const vl::platform::LocalTime &today) {
  char theirs[5];
  read_field(mmdd, 0, 4, theirs);
  char now[16];
  std::snprintf(now, sizeof now, "%02d%02d", today.month, today.day);
  return vl::compare_text(theirs, now);
}

// The local date at midnight, without daylight saving, of year, month and day, days whole
// days later: the local-time conversion carries a day or month out of range into the
// next month or year. False when the platform cannot represent the time.
bool local_date(int year, int month, int day, int32_t days, vl::platform::LocalTime &date) {
  vl::platform::LocalTime midnight{};
  midnight.year = year;
  midnight.month = month;
  midnight.day = day;
  midnight.is_dst = 0;
  int64_t seconds = 0;
  return vl::platform::epoch_from_local_time(midnight, seconds) &&
         vl::platform::local_time_from_epoch(seconds + int64_t{days} * 86400, date);
}

void write_julian_result(char *out, size_t in_length, const vl::platform::LocalTime &date) {
  const int short_year = ((date.year % 100) + 100) % 100;
  const int yearday = date.yearday + 1;
  switch (in_length) {
    case 5: std::sprintf(out, "%02d%02d%02d", short_year, date.month, date.day); break;
    case 6: std::sprintf(out, "%02d%03d", short_year, yearday); break;
    case 7: std::sprintf(out, "%04d%02d%02d", date.year, date.month, date.day); break;
    default: std::sprintf(out, "%04d%03d", date.year, yearday); break;
  }
}

}  // namespace

extern "C" {

int AnoBissexto(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 1 : 0;
}

char *Ano2to4(const char *aa) {
  read_field(aa, 0, 2, g_century + 2);
  std::memcpy(g_century, vl::strtol32(g_century + 2) < 98 ? "20" : "19", 2);
  return g_century;
}

const char *Ano4to2(const char *aaaa) { return aaaa == nullptr ? nullptr : aaaa + 2; }

int ErroMes(const char *mm) { return valid_month(mm, 12) ? 0 : 1; }

int ErroMesCompetencia(const char *mm) { return valid_month(mm, 13) ? 0 : 1; }

int ErroDia(const char *ddmm) {
  if (ddmm == nullptr || ddmm[0] == '\0' || ddmm[1] == '\0' || ErroMes(ddmm + 2) != 0) return 1;
  const int month = (ddmm[2] - '0') * 10 + (ddmm[3] - '0');
  // The day is compared as two bytes, digits or not.
  const char day[3] = {ddmm[0], ddmm[1], '\0'};
  return vl::compare_text(day, "01") < 0 || vl::compare_text(day, kMonthLastDay[month - 1]) > 0
             ? 1
             : 0;
}

double GregtoRef(const char *ddmmaa) {
  const double day = field_number(ddmmaa, 0, 2);
  double month = field_number(ddmmaa, 2, 2);
  double year = complete_year(field_number(ddmmaa, 4, 2), 50);
  if (month < 3) {
    month += 12;
    year -= 1;
  }
  // 723244 brings the count of this formula to 0 on 31 December 1979.
  const double count =
      std::floor(365.25 * year) + std::floor(30.6001 * (month + 1)) + day - 723244.0;
  if (count < kGregorianStartUncorrected) return count;  // Julian calendar
  const double century = std::floor(year / 100);
  return count + 2 - century + std::floor(century * 0.25);
}

char *ReftoGreg(double ref) {
  // Beyond a trillion days (and for NaN) the day arithmetic no longer fits its integers.
  if (!(std::fabs(ref) <= kLargestReference)) {
    g_reference_date[0] = '\0';
    return g_reference_date;
  }
  double z = std::trunc(ref) + kReferenceJulianDay;
  if (ref >= kGregorianStart) {
    const double alpha = std::floor((z - 1867216.25) / 36524.25);
    z = z + 1 + alpha - std::floor(alpha / 4);
  }
  const double b = z + 1524;
  const double k = std::trunc((b - 122.1) / 365.25);
  const double d = std::trunc(365.25 * k);
  const double e = std::trunc((b - d) / 30.6001);
  const int day = static_cast<int>(b - d - std::trunc(30.6001 * e));
  const int month = static_cast<int>(e <= 13.5 ? e - 1 : e - 13);
  const long long year = static_cast<long long>(month < 3 ? k - 4715 : k - 4716);
  std::snprintf(g_reference_date, sizeof g_reference_date, "%02d%02d%02lld", day, month,
                year % 100);
  return g_reference_date;
}

char *SomaDias(const char *ddmmaa, int days) { return ReftoGreg(GregtoRef(ddmmaa) + days); }

void ConverteAAAAMMDDparaDDMMAA(char *out, const char *in) {
  if (out == nullptr) return;
  char ddmmaa[7];
  ddmmaa_from(in, 6, 4, 2, ddmmaa);
  std::memcpy(out, ddmmaa, 6);
}

void ConverteDDMMAAparaAAAAMMDD(char *out, const char *in) {
  if (out == nullptr) return;
  char ccaammdd[9];
  ccaammdd_from_ddmmaa(in, ccaammdd);
  std::memcpy(out, ccaammdd, 8);
}

void ConverteDDMMAAAAparaAAAAMMDD(char *out, const char *in) {
  if (out == nullptr) return;
  char aaaammdd[9];
  read_field(in, 4, 4, aaaammdd);
  read_field(in, 2, 2, aaaammdd + 4);
  read_field(in, 0, 2, aaaammdd + 6);
  std::memcpy(out, aaaammdd, 8);
}

int SomaDiasAAAAMMDD(const char *aaaammdd, int days) {
  char ddmmaa[7];
  ddmmaa_from(aaaammdd, 6, 4, 2, ddmmaa);
  char later[9] = {};
  ConverteDDMMAAparaAAAAMMDD(later, SomaDias(ddmmaa, days));
  return vl::strtol32(later);
}

char *SomaDiasMesFechado(const char *ddmmaa) {
  int day = field_number(ddmmaa, 0, 2);
  int month = field_number(ddmmaa, 2, 2);
  int year = field_number(ddmmaa, 4, 2);
  const bool leap = year % 4 == 0;
  if (month == 1 && (day == 30 || day == 31 || (day == 29 && !leap))) {
    day = 1;
    month = 3;
  } else if (day == 31 && (month == 3 || month == 5 || month == 8 || month == 10)) {
    day = 1;
    month += 2;
  } else if (month == 12) {
    month = 1;
    year = year + 1 == 100 ? 0 : year + 1;
  } else {
    month += 1;
  }
  // Each field comes from two characters, so the text always fits the buffer.
  char text[40];
  std::snprintf(text, sizeof text, "%02d%02d%02d", day, month, year);
  std::snprintf(g_month_later, sizeof g_month_later, "%.7s", text);
  return g_month_later;
}

int ComparaDatas(const char *a, const char *b) {
  char first[9];
  char second[9];
  if (a != nullptr && std::strlen(a) == 4) {
    // DDMM compared as MMDD.
    const auto mmdd_from = [](const char *ddmm, char *mmdd) {
      read_field(ddmm, 2, 2, mmdd);
      read_field(ddmm, 0, 2, mmdd + 2);
    };
    mmdd_from(a, first);
    mmdd_from(b, second);
  } else {
    ccaammdd_from_ddmmaa(a, first);
    first[8] = '\0';
    ccaammdd_from_ddmmaa(b, second);
    second[8] = '\0';
  }
  return vl::compare_text(first, second);
}

int ComparaDDMMAAAA(const char *a, const char *b) {
  char first[9] = {};
  char second[9] = {};
  ConverteDDMMAAAAparaAAAAMMDD(first, a);
  ConverteDDMMAAAAparaAAAAMMDD(second, b);
  return vl::compare_text(first, second);
}

void FromJulianDay(int year, int dayOfYear, int *month, int *day) {
  if (month == nullptr || day == nullptr) return;
  int m = 1;
  int rest = dayOfYear;
  while (m <= 12) {
    const int length = m == 2 ? (AnoBissexto(year) ? 29 : 28) : kMonthLength[m - 1];
    if (rest <= length) break;
    rest -= length;
    ++m;
  }
  *month = m;
  *day = rest;
}

int ObtemDiaJuliano(const char *aaaammdd) {
  const int month = field_number(aaaammdd, 4, 2);
  int yearday = field_number(aaaammdd, 6, 2);
  for (int m = 1; m < month && m <= 12; ++m) yearday += kMonthLength[m - 1];
  // Only the year's last two digits are known here.
  if (month > 2 && field_number(aaaammdd, 2, 2) % 4 != 0) --yearday;
  return yearday;
}

int Julian2Gregorian(const char *in, char *out) {
  if (in == nullptr || out == nullptr) return 0;
  const size_t length = std::strlen(in);
  if (length < 5 || length > 8) return 0;
  for (size_t i = 0; i < length; ++i)
    if (in[i] < '0' || in[i] > '9') return 0;

  const size_t year_digits = length >= 7 ? 4 : 2;
  int year = field_number(in, 0, year_digits);
  if (year_digits == 2) year = complete_year(year, 70);
  int month = 0;
  int day = 0;
  if (length % 2 == 1) {
    FromJulianDay(year, field_number(in, year_digits, 3), &month, &day);
  } else {
    month = field_number(in, year_digits, 2);
    day = field_number(in, year_digits + 2, 2);
  }
  vl::platform::LocalTime date{};
  if (!local_date(year, month, day, 0, date)) return 0;
  write_julian_result(out, length, date);
  return 1;
}

int DataFatorVencto(char *out, const char *factor) {
  const int32_t days = field_number(factor, 0, 4);
  if (days == 0 || out == nullptr) return 0;
  vl::platform::LocalTime due{};
  if (!local_date(1997, 10, 7, days, due)) return 0;
  std::sprintf(out, "%02d%02d%04d", due.day, due.month, due.year);
  return 1;
}

void RetornaAnoAtual(char *out) {
  if (out == nullptr) return;
  std::snprintf(out, 8, "%4.4d", vl::platform::local_time_now().year);
}

int RetornaAnoRef(char *out, const char *mmdd) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime today = vl::platform::local_time_now();
  const int year = compare_with_today(mmdd, today) < 0 ? today.year + 1 : today.year;
  return std::sprintf(out, "%04d", year);
}

void RetornaAnoTrn(char *out, const char *mmdd, int mode) {
  if (out == nullptr) return;
  const vl::platform::LocalTime today = vl::platform::local_time_now();
  const int year = compare_with_today(mmdd, today) > 0 ? today.year - 1 : today.year;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%04d", year);
  if (mode == 2)
    std::memcpy(out, text + length - 2, 2);
  else
    std::memcpy(out, text, 4);
}

void GetDDMMAAFromDDMM(char *out, const char *ddmm) {
  if (out == nullptr) return;
  out[0] = '\0';
  if (ddmm == nullptr || ddmm[0] == '\0') return;
  const int day = field_number(ddmm, 0, 2);
  const int month = field_number(ddmm, 2, 2);
  if (day < 1 || day > 31 || month < 1 || month > 12) return;
  char mmdd[5];
  read_field(ddmm, 2, 2, mmdd);
  read_field(ddmm, 0, 2, mmdd + 2);
  char year[16];
  RetornaAnoRef(year, mmdd);
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%4.4s%2.2s", ddmm, year + 2);
  std::memcpy(out, text, static_cast<size_t>(length));
}

}  // extern "C"

// The local clock in the digit layouts, intervals between digit date-times, date-times to
// and from the 64-bit time value, and the checks of a message's date against a base date.
#include <cstdio>
#include <cstring>

#include "dates/calendar.h"
#include "platform/platform.h"
#include "vertalib/dates.h"

namespace {

using vl::field_number;

int seconds_of_day(const char *aaaammddhhmmss) {
  return field_number(aaaammddhhmmss, 8, 2) * 3600 + field_number(aaaammddhhmmss, 10, 2) * 60 +
         field_number(aaaammddhhmmss, 12, 2);
}

int minutes_of_day(const char *hhmm) { return field_number(hhmm, 0, 2) * 60 + field_number(hhmm, 2, 2); }

// The local date-time of the fields, daylight saving decided by the platform; -1 when it
// cannot be represented.
int64_t time_value(int year, int month, int day, int hour, int minute, int second) {
  int64_t seconds = 0;
  return vl::local_epoch(year, month, day, hour, minute, second, -1, seconds) ? seconds : -1;
}

int64_t time_value_of_aaaammddhhmmss(const char *text) {
  return time_value(field_number(text, 0, 4), field_number(text, 4, 2), field_number(text, 6, 2),
                    field_number(text, 8, 2), field_number(text, 10, 2), field_number(text, 12, 2));
}

// The last width digits of "%5.5d" of value.
void put_digits(char *out, int value, size_t width) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%5.5d", value);
  std::memcpy(out, text + length - width, width);
}

// date (AAAAMMDD as a number) as DDMMAA text.
void ddmmaa_of(int32_t date, char out[7]) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(date));
  ConverteAAAAMMDDparaDDMMAA(out, text);
  out[6] = '\0';
}

}  // namespace

extern "C" {

int ObtemDatalocalAAAAMMDD(char *out) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  return std::sprintf(out, "%04d%02d%02d", now.year, now.month, now.day);
}

int ObtemDatalocalDDMMAA(char *out) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  char year[16];
  const int length = std::snprintf(year, sizeof year, "%04d", now.year);
  return std::sprintf(out, "%02d%02d%s", now.day, now.month, year + length - 2);
}

int ObtemDatalocalDDMMAAAA(char *out) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  return std::sprintf(out, "%02d%02d%04d", now.day, now.month, now.year);
}

int ObtemHoraLocal(char *out) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  return std::sprintf(out, "%02d%02d%02d", now.hour, now.minute, now.second);
}

int ObtemAAAAMMDDHHMMSS(char *out) {
  if (out == nullptr) return 0;
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  return std::sprintf(out, "%04d%02d%02d%02d%02d%02d", now.year, now.month, now.day, now.hour,
                      now.minute, now.second);
}

int DiffDataHoraToMin(const char *a, const char *b, int minutes) {
  char date_a[9];
  char date_b[9];
  vl::read_field(a, 0, 8, date_a);
  vl::read_field(b, 0, 8, date_b);
  if (std::memcmp(date_a, date_b, 8) != 0) return 1;
  const int64_t later_by = seconds_of_day(a) - seconds_of_day(b);
  return later_by > 0 && later_by > static_cast<int64_t>(minutes) * 60 ? 1 : 0;
}

double SubtraiDtHr(const char *a, const char *b) {
  const int64_t first = time_value_of_aaaammddhhmmss(a);
  const int64_t second = time_value_of_aaaammddhhmmss(b);
  if (first == -1 || second == -1) return 0;
  return static_cast<double>(first - second);
}

int GetDifHHMM(const char *from, const char *to) {
  const int start = minutes_of_day(from);
  const int end = minutes_of_day(to);
  return end >= start ? end - start : -1;
}

int64_t dthr2Time(const char *aammddhhmmss) {
  const char *s = aammddhhmmss;
  return time_value(2000 + field_number(s, 0, 2), field_number(s, 2, 2), field_number(s, 4, 2),
                    field_number(s, 6, 2), field_number(s, 8, 2), field_number(s, 10, 2));
}

void Time2dthr(char *out, const int64_t *t) {
  vl::platform::LocalTime local{};
  if (out == nullptr || t == nullptr || !vl::platform::local_time_from_epoch(*t, local)) return;
  put_digits(out, local.year, 4);
  put_digits(out + 4, local.month, 2);
  put_digits(out + 6, local.day, 2);
  put_digits(out + 8, local.hour, 2);
  put_digits(out + 10, local.minute, 2);
  put_digits(out + 12, local.second, 2);
}

int VerificaDataMensagem(int32_t date, int32_t base) {
  if (date == base) return 1;
  char base_ddmmaa[7];
  ddmmaa_of(base, base_ddmmaa);
  char date_ddmmaa[7];
  ddmmaa_of(date, date_ddmmaa);
  return std::memcmp(date_ddmmaa, SomaDias(base_ddmmaa, 1), 6) == 0 ? 1 : 0;
}

int VerificaDiffDataMensagem(int32_t date, int32_t base, int days) {
  if (date == base) return 1;
  char base_ddmmaa[7];
  ddmmaa_of(base, base_ddmmaa);
  char limit[9] = {};
  ConverteDDMMAAparaAAAAMMDD(limit, SomaDias(base_ddmmaa, days));
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(date));
  return vl::compare_text(text, limit) <= 0 ? 1 : 0;
}

}  // extern "C"

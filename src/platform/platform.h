// The platform layer: the only code that talks to the operating system. Everything above
// it is portable; a Windows build supplies the same functions over the Win32 API.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vl::platform {

// A broken-down local time, as the system clock gives it (milliseconds included).
struct LocalTime {
  int year;         // e.g. 2026
  int month;        // 1..12
  int day;          // 1..31
  int hour;         // 0..23
  int minute;       // 0..59
  int second;       // 0..60
  int millisecond;  // 0..999
  int weekday;      // 0 = Sunday .. 6
  int yearday;      // 0..365
  int is_dst;       // >0 daylight saving, 0 not, <0 unknown
};

// The local time now, in the process's time zone.
LocalTime local_time_now();
// Seconds since 1970-01-01 UTC to local time; false when the value cannot be represented.
bool local_time_from_epoch(int64_t seconds, LocalTime &out);
// Local time (year, month, day, hour, minute, second; is_dst as a hint, -1 = let the
// system decide) to seconds since the epoch; false when mktime refuses it. Like mktime,
// out-of-range fields are normalised.
bool epoch_from_local_time(const LocalTime &local, int64_t &seconds);
// Seconds since the epoch, now.
int64_t epoch_now();

// Suspends the calling thread.
void sleep_ms(unsigned int milliseconds);

// Copies the environment variable into out (NUL-terminated). Returns its length, or -1
// when it is not set or does not fit in capacity.
int environment_variable(const char *name, char *out, size_t capacity);
// Directory set for library look-ups; none on POSIX. Returns its length or -1.
int library_search_directory(char *out, size_t capacity);
// Full path of the running program. Returns its length, or -1.
int executable_path(char *out, size_t capacity);
// The current directory. Returns its length, or -1.
int current_directory(char *out, size_t capacity);
// True when path names an existing file that is not a directory.
bool file_exists(const char *path);
// The directory separator of this platform's paths.
inline constexpr char path_separator =
#if defined(_WIN32)
    '\\';
#else
    '/';
#endif

// Registers a window-message name process-wide: the same name (compared without regard
// to case) always gets the same code; codes start at 0xC000. Returns 0 when the registry
// is full or the name is empty.
unsigned int register_window_message(const char *name);

// Decimal text and doubles under the "C" locale whatever locale the calling program set,
// so '.' is always the decimal point. parse_double_c reads like strtod (end may be null);
// format_fixed_c writes value with "%.*f" into out (NUL-terminated) and returns the length,
// or -1 when it does not fit.
double parse_double_c(const char *text, char **end);
int format_fixed_c(char *out, size_t capacity, int precision, double value);

// Fills out with bytes from the system's cryptographic random source; false on failure.
bool secure_random(void *out, size_t length);

}  // namespace vl::platform

// Win32 implementation of the platform layer. Compiled only for Windows; the POSIX twin is
// posix.cpp.
#if defined(_WIN32)

#include "platform/platform.h"

#include <windows.h>
#include <winternl.h>

#include <locale.h>
#include <stdlib.h>
#include <time.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

// The system's cryptographic random source (RtlGenRandom), exported by ADVAPI32.
extern "C" __declspec(dllimport) BOOLEAN WINAPI SystemFunction036(PVOID buffer, ULONG length);

namespace vl::platform {
namespace {

constexpr int kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

LocalTime from_tm(const tm &t, int millisecond) {
  return LocalTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                   t.tm_sec, millisecond, t.tm_wday, t.tm_yday, t.tm_isdst};
}

// A length the system reported, turned into this layer's answer: the length when the text
// fitted (the system then returns fewer characters than the buffer holds), -1 otherwise.
int fitted(DWORD length, size_t capacity) {
  if (length == 0 || length >= capacity) return -1;
  return static_cast<int>(length);
}

DWORD capacity_of(size_t capacity) {
  return capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
}

}  // namespace

LocalTime local_time_now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  TIME_ZONE_INFORMATION zone{};
  const DWORD zone_state = GetTimeZoneInformation(&zone);
  const int month = now.wMonth;
  const int yearday = kDaysBeforeMonth[month - 1] + now.wDay - 1 +
                      (month > 2 && is_leap_year(now.wYear) ? 1 : 0);
  return LocalTime{now.wYear,    month,         now.wDay,
                   now.wHour,    now.wMinute,   now.wSecond,
                   now.wMilliseconds, now.wDayOfWeek, yearday,
                   zone_state == TIME_ZONE_ID_DAYLIGHT ? 1 : 0};
}

// The runtime converts only times from 1970 on. The Gregorian calendar repeats itself, weekdays
// included, every 400 years (146097 days), so an earlier time is converted that many years
// later and moved back; the zone's rules are the system's present ones either way.
constexpr int kCycleYears = 400;
constexpr int64_t kCycleSeconds = INT64_C(146097) * 86400;
constexpr int kFirstYear = 1971;  // a year clear of the epoch in every time zone

bool local_time_from_epoch(int64_t seconds, LocalTime &out) {
  int cycles = 0;
  while (seconds < kCycleSeconds / kCycleYears && cycles < 64) {
    seconds += kCycleSeconds;
    ++cycles;
  }
  const __time64_t t = seconds;
  tm local{};
  if (_localtime64_s(&local, &t) != 0) return false;
  out = from_tm(local, 0);
  out.year -= cycles * kCycleYears;
  return true;
}

bool epoch_from_local_time(const LocalTime &local, int64_t &seconds) {
  tm t{};
  t.tm_year = local.year - 1900;
  t.tm_mon = local.month - 1;
  t.tm_mday = local.day;
  t.tm_hour = local.hour;
  t.tm_min = local.minute;
  t.tm_sec = local.second;
  t.tm_isdst = local.is_dst;
  int cycles = 0;
  while (t.tm_year + 1900 < kFirstYear && cycles < 64) {
    t.tm_year += kCycleYears;
    ++cycles;
  }
  const __time64_t result = _mktime64(&t);
  if (result == -1) return false;
  seconds = static_cast<int64_t>(result) - cycles * kCycleSeconds;
  return true;
}

int64_t epoch_now() { return static_cast<int64_t>(_time64(nullptr)); }

void sleep_ms(unsigned int milliseconds) { Sleep(milliseconds); }

int environment_variable(const char *name, char *out, size_t capacity) {
  if (capacity == 0) return -1;
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableA(name, out, capacity_of(capacity));
  if (length == 0) {
    // Zero is both "not set" and "set to an empty text".
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return -1;
    out[0] = '\0';
    return 0;
  }
  return fitted(length, capacity);
}

int library_search_directory(char *out, size_t capacity) {
  return fitted(GetDllDirectoryA(capacity_of(capacity), out), capacity);
}

int executable_path(char *out, size_t capacity) {
  // A path that fills the whole buffer was cut short.
  return fitted(GetModuleFileNameA(nullptr, out, capacity_of(capacity)), capacity);
}

int current_directory(char *out, size_t capacity) {
  return fitted(GetCurrentDirectoryA(capacity_of(capacity), out), capacity);
}

bool file_exists(const char *path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

unsigned int register_window_message(const char *name) {
  if (name == nullptr || *name == '\0') return 0;
  return RegisterWindowMessageA(name);
}

namespace {

_locale_t c_locale() {
  static const _locale_t locale = _create_locale(LC_ALL, "C");
  return locale;
}

}  // namespace

double parse_double_c(const char *text, char **end) { return _strtod_l(text, end, c_locale()); }

int format_fixed_c(char *out, size_t capacity, int precision, double value) {
  // to_chars writes the exactly rounded digits whatever the locale, as "%.*f" does in the
  // "C" locale (infinities and NaN come out as "inf" and "nan").
  if (capacity == 0) return -1;
  const auto result =
      std::to_chars(out, out + capacity - 1, value, std::chars_format::fixed, precision);
  if (result.ec != std::errc()) return -1;
  *result.ptr = '\0';
  return static_cast<int>(result.ptr - out);
}

bool secure_random(void *out, size_t length) {
  auto *bytes = static_cast<unsigned char *>(out);
  while (length > 0) {
    const ULONG chunk = length > 0x10000 ? 0x10000 : static_cast<ULONG>(length);
    if (!SystemFunction036(bytes, chunk)) return false;
    bytes += chunk;
    length -= chunk;
  }
  return true;
}


int remove_file(const char *path) { return std::remove(path) == 0 ? 0 : errno; }

int profile_string(const char *path, const char *section, const char *key, const char *fallback,
                   char *out, size_t capacity) {
  if (capacity == 0) return 0;
  return static_cast<int>(GetPrivateProfileStringA(section, key, fallback ? fallback : "", out,
                                                   capacity_of(capacity), path));
}

void *load_library(const char *name) { return reinterpret_cast<void *>(LoadLibraryA(name)); }

void *library_function(void *library, const char *name) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unload_library(void *library) { FreeLibrary(static_cast<HMODULE>(library)); }

uint32_t process_thread_count(uint32_t process_id) {
  using Query = LONG(WINAPI *)(ULONG information_class, PVOID block, ULONG length,
                               PULONG needed);
  constexpr ULONG kSystemProcessInformation = 5;
  constexpr ULONG kFirstLength = 65536;
  constexpr ULONG kLengthLimit = 16u << 20;
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr) return 0;
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void *>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
  if (query == nullptr) return 0;
  const HANDLE heap = GetProcessHeap();
  ULONG length = kFirstLength;
  while (length < kLengthLimit) {
    void *block = HeapAlloc(heap, HEAP_ZERO_MEMORY, length);
    if (block == nullptr) return 0;
    ULONG needed = 0;
    if (query(kSystemProcessInformation, block, length, &needed) >= 0) {
      // The records follow one another by their offsets to the next; 0 ends the walk.
      uint32_t threads = 0;
      const auto *at = static_cast<const unsigned char *>(block);
      for (;;) {
        const auto *record = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION *>(at);
        if (static_cast<uint32_t>(reinterpret_cast<uintptr_t>(record->UniqueProcessId)) ==
            process_id) {
          threads = record->NumberOfThreads;
          break;
        }
        if (record->NextEntryOffset == 0) break;
        at += record->NextEntryOffset;
      }
      HeapFree(heap, 0, block);
      return threads;
    }
    HeapFree(heap, 0, block);
    length = needed > 0 ? needed * 2 : length * 2;
  }
  return 0;
}

}  // namespace vl::platform

#endif  // _WIN32

// POSIX implementation of the platform layer. Compiled everywhere but Windows; the Win32
// twin is win32.cpp.
#if !defined(_WIN32)

#include "platform/platform.h"

#include <locale.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

namespace vl::platform {
namespace {

LocalTime from_tm(const std::tm &tm, int millisecond) {
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                   tm.tm_sec, millisecond, tm.tm_wday, tm.tm_yday, tm.tm_isdst};
}

int copy_out(const char *text, size_t length, char *out, size_t capacity) {
  if (length + 1 > capacity) return -1;
  std::memcpy(out, text, length);
  out[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace

LocalTime local_time_now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tzset();
  std::tm tm{};
  localtime_r(&now.tv_sec, &tm);
  return from_tm(tm, static_cast<int>(now.tv_nsec / 1000000));
}

bool local_time_from_epoch(int64_t seconds, LocalTime &out) {
  const auto t = static_cast<time_t>(seconds);
  tzset();
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return false;
  out = from_tm(tm, 0);
  return true;
}

bool epoch_from_local_time(const LocalTime &local, int64_t &seconds) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = local.is_dst;
  tzset();
  errno = 0;
  const time_t t = mktime(&tm);
  if (t == static_cast<time_t>(-1) && errno != 0) return false;
  seconds = static_cast<int64_t>(t);
  return true;
}

int64_t epoch_now() { return static_cast<int64_t>(time(nullptr)); }

void sleep_ms(unsigned int milliseconds) {
  timespec wait{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

int environment_variable(const char *name, char *out, size_t capacity) {
  const char *value = std::getenv(name);
  if (value == nullptr) return -1;
  return copy_out(value, std::strlen(value), out, capacity);
}

int library_search_directory(char *, size_t) { return -1; }

int executable_path(char *out, size_t capacity) {
  if (capacity == 0) return -1;
  const ssize_t n = readlink("/proc/self/exe", out, capacity - 1);
  if (n < 0 || static_cast<size_t>(n) >= capacity - 1) return -1;
  out[n] = '\0';
  return static_cast<int>(n);
}

int current_directory(char *out, size_t capacity) {
  if (getcwd(out, capacity) == nullptr) return -1;
  return static_cast<int>(std::strlen(out));
}

bool file_exists(const char *path) {
  struct stat st {};
  return stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
}

namespace {

constexpr size_t kMaxMessages = 1024;
constexpr size_t kMaxMessageName = 256;
constexpr unsigned int kFirstMessageCode = 0xC000;

struct MessageRegistry {
  std::mutex lock;
  size_t count = 0;
  char names[kMaxMessages][kMaxMessageName] = {};
};

MessageRegistry &message_registry() {
  static MessageRegistry registry;
  return registry;
}

}  // namespace

unsigned int register_window_message(const char *name) {
  if (name == nullptr || *name == '\0' || std::strlen(name) >= kMaxMessageName) return 0;
  MessageRegistry &registry = message_registry();
  std::lock_guard<std::mutex> guard(registry.lock);
  for (size_t i = 0; i < registry.count; ++i) {
    if (strcasecmp(registry.names[i], name) == 0)
      return kFirstMessageCode + static_cast<unsigned int>(i);
  }
  if (registry.count == kMaxMessages) return 0;
  std::strcpy(registry.names[registry.count], name);
  return kFirstMessageCode + static_cast<unsigned int>(registry.count++);
}

namespace {

locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

double parse_double_c(const char *text, char **end) { return strtod_l(text, end, c_locale()); }

int format_fixed_c(char *out, size_t capacity, int precision, double value) {
  const locale_t previous = uselocale(c_locale());
  const int n = std::snprintf(out, capacity, "%.*f", precision, value);
  uselocale(previous);
  return n < 0 || static_cast<size_t>(n) >= capacity ? -1 : n;
}

bool secure_random(void *out, size_t length) {
  auto *bytes = static_cast<unsigned char *>(out);
  while (length > 0) {
    const ssize_t n = getrandom(bytes, length, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += n;
    length -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace vl::platform

#endif  // !_WIN32

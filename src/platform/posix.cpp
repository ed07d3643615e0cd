// POSIX implementation of the platform layer. Compiled everywhere but Windows; the Win32
// twin is win32.cpp.
#if !defined(_WIN32)

#include "platform/platform.h"

#include <dlfcn.h>
#include <locale.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <climits>
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
  if (tm.tm_year > INT_MAX - 1900) return false;  // the calendar year would not fit an int
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

namespace {

// Room for one line of an INI file or of a /proc status file; the rest of a longer line is
// passed over.
constexpr size_t kLineRoom = 1024;

bool is_profile_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct Span {
  const char *begin;
  const char *end;
  size_t size() const { return static_cast<size_t>(end - begin); }
};

Span trimmed(const char *begin, const char *end) {
  while (begin < end && is_profile_blank(*begin)) ++begin;
  while (end > begin && is_profile_blank(end[-1])) --end;
  return {begin, end};
}

bool same_name(Span name, const char *wanted) {
  const size_t length = std::strlen(wanted);
  return name.size() == length && strncasecmp(name.begin, wanted, length) == 0;
}

// Reads the next line of file into line (NUL-terminated, without what did not fit); false
// at the end of the file.
bool next_line(std::FILE *file, char (&line)[kLineRoom]) {
  if (std::fgets(line, sizeof line, file) == nullptr) return false;
  const size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] != '\n') {
    int c = 0;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
    }
  }
  return true;
}

int copy_cut(Span value, char *out, size_t capacity) {
  const size_t length = value.size() < capacity - 1 ? value.size() : capacity - 1;
  std::memcpy(out, value.begin, length);
  out[length] = '\0';
  return static_cast<int>(length);
}

// The value of key inside [section] of file, when present.
bool find_profile_value(std::FILE *file, const char *section, const char *key,
                        char (&line)[kLineRoom], Span &value) {
  bool inside = false;
  while (next_line(file, line)) {
    const Span text = trimmed(line, line + std::strlen(line));
    if (text.size() == 0 || *text.begin == ';') continue;
    if (*text.begin == '[') {
      const char *close = static_cast<const char *>(std::memchr(text.begin, ']', text.size()));
      if (inside) return false;  // the first section of that name decides
      inside = close != nullptr && same_name(trimmed(text.begin + 1, close), section);
      continue;
    }
    if (!inside) continue;
    const char *equals = static_cast<const char *>(std::memchr(text.begin, '=', text.size()));
    if (equals == nullptr || !same_name(trimmed(text.begin, equals), key)) continue;
    value = trimmed(equals + 1, text.end);
    if (value.size() >= 2 && (*value.begin == '"' || *value.begin == '\'') &&
        value.end[-1] == *value.begin) {
      ++value.begin;
      --value.end;
    }
    return true;
  }
  return false;
}

}  // namespace

int profile_string(const char *path, const char *section, const char *key, const char *fallback,
                   char *out, size_t capacity) {
  if (capacity == 0) return 0;
  char line[kLineRoom];
  Span value{};
  std::FILE *file = std::fopen(path, "r");
  if (file != nullptr) {
    const bool found = find_profile_value(file, section, key, line, value);
    std::fclose(file);
    if (found) return copy_cut(value, out, capacity);
  }
  if (fallback == nullptr) fallback = "";
  const char *end = fallback + std::strlen(fallback);
  while (end > fallback && end[-1] == ' ') --end;
  return copy_cut({fallback, end}, out, capacity);
}

int remove_file(const char *path) { return unlink(path) == 0 ? 0 : errno; }

void *load_library(const char *name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }

void *library_function(void *library, const char *name) { return dlsym(library, name); }

void unload_library(void *library) { dlclose(library); }

uint32_t process_thread_count(uint32_t process_id) {
  char path[48];
  std::snprintf(path, sizeof path, "/proc/%u/status", static_cast<unsigned>(process_id));
  std::FILE *file = std::fopen(path, "r");
  if (file == nullptr) return 0;
  char line[kLineRoom];
  long group = -1;
  long id = -2;
  unsigned long threads = 0;
  const auto field = [&line](const char *name) {
    const size_t length = std::strlen(name);
    return std::strncmp(line, name, length) == 0 ? line + length : nullptr;
  };
  while (next_line(file, line)) {
    if (const char *at = field("Tgid:")) group = std::strtol(at, nullptr, 10);
    else if (const char *pid = field("Pid:")) id = std::strtol(pid, nullptr, 10);
    else if (const char *count = field("Threads:")) threads = std::strtoul(count, nullptr, 10);
  }
  std::fclose(file);
  // /proc answers for the id of any thread too; only a process's own id counts.
  return group == id ? static_cast<uint32_t>(threads) : 0;
}

}  // namespace vl::platform

#endif  // !_WIN32

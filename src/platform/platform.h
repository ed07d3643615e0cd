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

// Deletes the file path (never a directory). Returns 0 when deleted, else the C runtime's
// error number (ENOENT for a missing file). Windows: the C runtime's remove (EACCES for a
// directory); POSIX: unlink (EISDIR for a directory).
int remove_file(const char *path);

// The value of key in [section] of the INI file at path, as GetPrivateProfileStringA gives it
// on Windows: section and key names compared without regard to case, blanks around names
// and values trimmed, a value between a pair of double quotes taken without them, the first
// matching section and key decide, lines starting with ';' are comments. fallback (null
// counts as "") is given when the file, the section or the key is missing. Written into out
// (capacity bytes, NUL-terminated; a longer value is cut to capacity - 1 characters).
// Returns the number of characters written, NUL excluded; 0 and nothing written when
// capacity is 0. section, key and path must not be null (the enumerations Windows offers
// for null names are not part of this function). Windows: GetPrivateProfileStringA(section,
// key, fallback, out, capacity, path) with a full path.
int profile_string(const char *path, const char *section, const char *key, const char *fallback,
                   char *out, size_t capacity);

// The file name of the interface layer's library, as load_library takes it.
inline constexpr char interface_layer_library[] =
#if defined(_WIN32)
    "pmvertainterface.dll";
#else
    "libpmvertainterface.so";
#endif

// Loads a shared library; a plain name is looked for along the system's normal library
// search. Returns its handle, or null when it cannot be loaded. Windows: LoadLibraryA(name);
// POSIX: dlopen(name, RTLD_NOW | RTLD_LOCAL).
void *load_library(const char *name);
// The address of the function name exported by a loaded library, or null when it has none.
// Windows: GetProcAddress(library, name); POSIX: dlsym.
void *library_function(void *library, const char *name);
// Releases a library that load_library gave. Windows: FreeLibrary; POSIX: dlclose.
void unload_library(void *library);

// The number of threads of the process process_id; 0 when no process has that id or the
// count cannot be read. Windows: NtQuerySystemInformation of ntdll (found by
// GetModuleHandleA and GetProcAddress; 0 when either fails) asked for the system process
// information (class 5) into a zero-filled block from the process heap of 65536 bytes; when
// the query fails, the block is freed and the length the query reported as needed, doubled,
// is tried again, giving up with 0 once that reaches 16 MiB; the process records are walked
// by their offsets to the next (an offset of 0 ends the walk) and the record whose process
// id matches gives its thread count. POSIX: the "Threads:" field of /proc/<id>/status, for
// a process (a thread's own id, not its process's, gives 0).
uint32_t process_thread_count(uint32_t process_id);

}  // namespace vl::platform

// The runtime's broken-down local time of a time value, on POSIX and on Windows.
#pragma once

#include <ctime>

namespace vl::test {

inline std::tm local_tm(std::time_t t) {
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return local;
}

}  // namespace vl::test

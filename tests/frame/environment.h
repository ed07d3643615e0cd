// Setting and clearing environment variables the same way on POSIX and on Windows, where
// _putenv also updates what GetEnvironmentVariableA reads and an empty value removes one.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace vl::test {

#if defined(_WIN32)
inline void set_variable(const char *name, const std::string &value) {
  _putenv((std::string(name) + "=" + value).c_str());
}
inline void unset_variable(const char *name) { set_variable(name, ""); }
#else
inline void set_variable(const char *name, const std::string &value) { setenv(name, value.c_str(), 1); }
inline void unset_variable(const char *name) { unsetenv(name); }
#endif

// Puts a variable back as it was when this goes out of scope.
class SavedVariable {
 public:
  explicit SavedVariable(const char *name) : name_(name) {
    if (const char *value = std::getenv(name)) value_ = value;
  }
  ~SavedVariable() { value_ ? set_variable(name_, *value_) : unset_variable(name_); }
  SavedVariable(const SavedVariable &) = delete;
  SavedVariable &operator=(const SavedVariable &) = delete;

 private:
  const char *name_;
  std::optional<std::string> value_;
};

}  // namespace vl::test

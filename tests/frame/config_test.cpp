#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "platform/platform.h"
#include "vertalib/frame.h"
#include "vertalib_secrets.h"

namespace {

namespace fs = std::filesystem;

constexpr char kVariable[] = "VertaIniPath";

void touch(const fs::path &file) { std::ofstream(file) << "[VERTASRV]\n"; }

std::string executable_directory() {
  char path[4096];
  EXPECT_GT(vl::platform::executable_path(path, sizeof path), 0);
  return fs::path(path).parent_path().string() + "/";
}

// Each test works in its own temporary directory as the current directory, with the
// environment variable and the current directory put back afterwards.
class IniPath : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char *value = std::getenv(kVariable)) saved_variable_ = value;
    unsetenv(kVariable);
    saved_directory_ = fs::current_path();
    const std::string unique = std::to_string(std::random_device{}());
    root_ = fs::temp_directory_path() / ("vl_ini_" + unique);
    fs::create_directories(root_ / "here");
    fs::create_directories(root_ / "elsewhere");
    root_ = fs::canonical(root_);  // the current directory comes back resolved
    fs::current_path(root_ / "here");
    name_ = "VlIni" + unique;
  }
  void TearDown() override {
    fs::current_path(saved_directory_);
    if (saved_variable_) setenv(kVariable, saved_variable_->c_str(), 1);
    else unsetenv(kVariable);
    fs::remove_all(root_);
    if (!beside_executable_.empty()) fs::remove(beside_executable_);
  }

  std::string here() const { return (root_ / "here").string(); }
  std::string elsewhere() const { return (root_ / "elsewhere").string(); }
  std::string file_name() const { return name_ + ".INI"; }
  void put_beside_executable() {
    beside_executable_ = executable_directory() + file_name();
    touch(beside_executable_);
  }

  int search(std::string &path, int size = 600) {
    char out[600];
    std::memset(out, 'x', sizeof out);
    const int result = vrtlib_ini_pathname(out, size, name_.c_str());
    path = out;
    return result;
  }

  fs::path root_;
  std::string name_;
  std::string beside_executable_;

 private:
  std::optional<std::string> saved_variable_;
  fs::path saved_directory_;
};

TEST_F(IniPath, EnvironmentDirectoryWithAndWithoutSeparator) {
  touch(fs::path(elsewhere()) / file_name());
  touch(fs::path(here()) / file_name());  // found too, but later in the search
  std::string path;
  setenv(kVariable, elsewhere().c_str(), 1);
  EXPECT_EQ(search(path), 1);
  EXPECT_EQ(path, elsewhere() + "/" + file_name());
  setenv(kVariable, (elsewhere() + "/").c_str(), 1);
  EXPECT_EQ(search(path), 1);
  EXPECT_EQ(path, elsewhere() + "/" + file_name());
}

TEST_F(IniPath, ExecutableDirectoryBeforeTheCurrentOne) {
  setenv(kVariable, elsewhere().c_str(), 1);  // lacks the file
  put_beside_executable();
  touch(fs::path(here()) / file_name());
  std::string path;
  EXPECT_EQ(search(path), 1);
  EXPECT_EQ(path, executable_directory() + file_name());
}

TEST_F(IniPath, CurrentDirectoryAndTheUpperCaseExtension) {
  setenv(kVariable, "", 1);  // empty: skipped
  std::string path;
  touch(fs::path(here()) / file_name());
  EXPECT_EQ(search(path), 1);
  EXPECT_EQ(path, here() + "/" + file_name());

  // The extension is upper case whatever the base name: a lower-case one is not found.
  fs::remove(fs::path(here()) / file_name());
  touch(fs::path(here()) / (name_ + ".ini"));
  EXPECT_EQ(search(path), 0);
  EXPECT_EQ(path, here() + "/" + file_name());
}

TEST_F(IniPath, NowhereLeavesTheCurrentDirectoryCandidate) {
  setenv(kVariable, elsewhere().c_str(), 1);
  fs::create_directory(fs::path(here()) / file_name());  // a directory is no file
  std::string path;
  EXPECT_EQ(search(path), 0);
  EXPECT_EQ(path, here() + "/" + file_name());
}

TEST_F(IniPath, TooSmallOutputGivesAnEmptyText) {
  touch(fs::path(elsewhere()) / file_name());
  setenv(kVariable, elsewhere().c_str(), 1);
  const std::string expected = elsewhere() + "/" + file_name();
  const int exact = static_cast<int>(expected.size()) + 1;
  char out[600];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(vrtlib_ini_pathname(out, exact, name_.c_str()), 1);
  EXPECT_EQ(std::string(out), expected);
  EXPECT_EQ(out[exact], 'x');
  EXPECT_EQ(vrtlib_ini_pathname(out, exact - 1, name_.c_str()), 0);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(vrtlib_ini_pathname(out, 600, nullptr), 0);
  EXPECT_EQ(out[0], '\0');
}

TEST_F(IniPath, CurDirEndsWithOneSeparator) {
  EXPECT_EQ(std::string(CurDir()), here() + "/");
  fs::current_path("/");
  EXPECT_EQ(std::string(CurDir()), "/");
}

TEST(ModuleNames, ListedIndicesAndTheDefault) {
  const struct {
    unsigned int index;
    const char *name;
  } cases[] = {{0, "VERTASRV"},     {6, "VERTALIB"},    {8, "VERTASRVREST"},
               {10, "VERTAACQUIRERS"}, {13, "VERTAALC"}, {14, "VERTA028"},
               {26, "VERTA047"},    {36, "VERTA149"},   {37, "VERTA"},
               {38, "VERTA099"},    {47, "VERTA170"},   {48, "VERTA"},
               {50, "VERTA"},       {52, "VERTA"},      {53, "VERTA112"},
               {54, "VERTA109"},    {55, "VERTA"},      {1000, "VERTA"},
               {UINT_MAX, "VERTA"}};
  for (const auto &c : cases) {
    char out[16];
    std::memset(out, 'x', sizeof out);
    SignIdx2ModuleName(c.index, out);
    EXPECT_STREQ(out, c.name) << c.index;
  }
  // Every name fits in 15 bytes with its NUL.
  for (unsigned int index = 0; index < 60; ++index) {
    char out[16];
    out[15] = 'x';
    SignIdx2ModuleName(index, out);
    EXPECT_LE(std::strlen(out), 14u) << index;
    EXPECT_EQ(out[15], 'x') << index;
  }
}

TEST(LibrarySignature, SixtyFourHexCharactersWithoutNul) {
  EXPECT_EQ(GetLibSign(nullptr), nullptr);
  char out[65];
  out[64] = 'x';
  EXPECT_EQ(GetLibSign(out), out);
  EXPECT_EQ(out[64], 'x');
  std::string expected;
  for (unsigned char byte : vl::secrets::library_signature) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    expected += pair;
  }
  EXPECT_EQ(std::string(out, 64), expected);
}

}  // namespace

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

void touch(const fs::path &file) { std::ofstream(file) << "[VERTASRV]\n"; }

// Each test runs in a temporary directory ("here", with a sibling "elsewhere") as the
// current directory; VertaIniPath and the current directory are put back afterwards.
class IniPath : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char *value = std::getenv("VertaIniPath")) saved_variable_ = value;
    unsetenv("VertaIniPath");
    saved_directory_ = fs::current_path();
    const std::string unique = std::to_string(std::random_device{}());
    root_ = fs::temp_directory_path() / ("vl_ini_" + unique);
    fs::create_directories(root_ / "here");
    fs::create_directories(root_ / "elsewhere");
    root_ = fs::canonical(root_);  // the current directory comes back resolved
    fs::current_path(root_ / "here");
    name_ = "VlIni" + unique;
    here_ = (root_ / "here").string() + "/";
    elsewhere_ = (root_ / "elsewhere").string() + "/";
  }
  void TearDown() override {
    fs::current_path(saved_directory_);
    if (saved_variable_) setenv("VertaIniPath", saved_variable_->c_str(), 1);
    else unsetenv("VertaIniPath");
    fs::remove_all(root_);
    if (!beside_executable_.empty()) fs::remove(beside_executable_);
  }

  int search(int size = 600) {
    std::memset(out_, 'x', sizeof out_);
    return vrtlib_ini_pathname(out_, size, name_.c_str());
  }
  std::string file() const { return name_ + ".INI"; }

  fs::path root_;
  std::string name_, here_, elsewhere_, beside_executable_;
  char out_[601];

 private:
  std::optional<std::string> saved_variable_;
  fs::path saved_directory_;
};

TEST_F(IniPath, EnvironmentDirectoryWithAndWithoutSeparatorAndTheRoomNeeded) {
  touch(elsewhere_ + file());
  touch(here_ + file());  // found too, but later in the search
  setenv("VertaIniPath", elsewhere_.substr(0, elsewhere_.size() - 1).c_str(), 1);
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), elsewhere_ + file());
  setenv("VertaIniPath", elsewhere_.c_str(), 1);
  const int exact = static_cast<int>((elsewhere_ + file()).size()) + 1;
  EXPECT_EQ(search(exact), 1);
  EXPECT_EQ(std::string(out_), elsewhere_ + file());
  EXPECT_EQ(out_[exact], 'x');
  EXPECT_EQ(search(exact - 1), 0);  // too small: an empty text
  EXPECT_EQ(out_[0], '\0');
}

TEST_F(IniPath, ExecutableDirectoryBeforeTheCurrentOne) {
  char program[4096];
  ASSERT_GT(vl::platform::executable_path(program, sizeof program), 0);
  beside_executable_ = fs::path(program).parent_path().string() + "/" + file();
  touch(beside_executable_);
  touch(here_ + file());
  setenv("VertaIniPath", elsewhere_.c_str(), 1);  // lacks the file
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), beside_executable_);
}

TEST_F(IniPath, CurrentDirectoryAndNowhere) {
  setenv("VertaIniPath", "", 1);  // empty: skipped
  touch(here_ + file());
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), here_ + file());

  // The extension is upper case whatever the base name, and a directory is no file:
  // nowhere found, out holds the current directory's candidate.
  fs::remove(here_ + file());
  touch(here_ + name_ + ".ini");
  fs::create_directory(elsewhere_ + file());
  setenv("VertaIniPath", elsewhere_.c_str(), 1);
  EXPECT_EQ(search(), 0);
  EXPECT_EQ(std::string(out_), here_ + file());
}

TEST_F(IniPath, CurDirEndsWithOneSeparator) {
  EXPECT_EQ(std::string(CurDir()), here_);
  fs::current_path("/");
  EXPECT_EQ(std::string(CurDir()), "/");
}

TEST(ModuleNames, ListedIndicesAndTheDefault) {
  const struct {
    unsigned int index;
    const char *name;
  } cases[] = {{0, "VERTASRV"},  {8, "VERTASRVREST"}, {10, "VERTAACQUIRERS"}, {13, "VERTAALC"},
               {14, "VERTA028"}, {36, "VERTA149"},    {37, "VERTA"},          {38, "VERTA099"},
               {47, "VERTA170"}, {48, "VERTA"},       {52, "VERTA"},          {53, "VERTA112"},
               {54, "VERTA109"}, {55, "VERTA"},       {UINT_MAX, "VERTA"}};
  for (const auto &c : cases) {
    char out[15];
    SignIdx2ModuleName(c.index, out);
    EXPECT_STREQ(out, c.name) << c.index;
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

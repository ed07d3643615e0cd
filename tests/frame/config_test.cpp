#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "frame/environment.h"
#include "platform/platform.h"
#include "vertalib/frame.h"
#include "vertalib_secrets.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;
using vl::platform::path_separator;
using vl::test::set_variable;
using vl::test::unset_variable;

// Runs in a temporary directory "here" (with a sibling "elsewhere") as the current
// directory; VertaIniPath, the current directory and the file beside the executable are
// put back afterwards.
class IniPath : public ::testing::Test {
 protected:
  void SetUp() override {
    unset_variable("VertaIniPath");
    saved_directory_ = fs::current_path();
    const std::string unique = std::to_string(std::random_device{}());
    root_ = fs::temp_directory_path() / ("vl_ini_" + unique);
    for (const char *directory : {"here", "elsewhere", "libraries"})
      fs::create_directories(root_ / directory);
    root_ = fs::canonical(root_);  // the current directory comes back resolved
    fs::current_path(root_ / "here");
    file_ = "VlIni" + unique + ".INI";
    here_ = (root_ / "here").string() + path_separator + file_;
    elsewhere_ = (root_ / "elsewhere").string() + path_separator;
    libraries_ = (root_ / "libraries").string();
    char program[4096];
    ASSERT_GT(vl::platform::executable_path(program, sizeof program), 0);
    beside_executable_ = fs::path(program).parent_path().string() + path_separator + file_;
  }
  void TearDown() override {
    fs::current_path(saved_directory_);
    fs::remove_all(root_);
    fs::remove(beside_executable_);
  }

  // The search for file_ by its base name.
  int search(int size = 600) {
    std::memset(out_, 'x', sizeof out_);
    return vrtlib_ini_pathname(out_, size, file_.substr(0, file_.size() - 4).c_str());
  }

  vl::test::SavedVariable saved_variable_{"VertaIniPath"};
  fs::path root_, saved_directory_;
  std::string file_, here_, elsewhere_, libraries_, beside_executable_;
  char out_[601];
};

void touch(const std::string &file) { std::ofstream(file) << "[VERTASRV]\n"; }

// Each step removes the file the step before found, so the next directory answers.
TEST_F(IniPath, TriesTheEnvironmentTheExecutableAndTheCurrentDirectoryInTurn) {
  for (const auto &file : {elsewhere_ + file_, beside_executable_, here_}) touch(file);
  set_variable("VertaIniPath", elsewhere_.substr(0, elsewhere_.size() - 1));
  EXPECT_EQ(search(), 1) << "a separator is added to the variable";
  EXPECT_EQ(std::string(out_), elsewhere_ + file_);
  set_variable("VertaIniPath", elsewhere_);
  const int exact = static_cast<int>((elsewhere_ + file_).size()) + 1;
  EXPECT_EQ(search(exact), 1);
  EXPECT_EQ(std::string(out_), elsewhere_ + file_);
  EXPECT_EQ(out_[exact], 'x');
  EXPECT_EQ(search(exact - 1), 0) << "too small: an empty text";
  EXPECT_EQ(out_[0], '\0');

  fs::remove(elsewhere_ + file_);
#if defined(_WIN32)
  // The directory the process set for loading libraries comes before the executable's,
  // with a separator added.
  touch(libraries_ + path_separator + file_);
  ASSERT_TRUE(SetDllDirectoryA(libraries_.c_str()));
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), libraries_ + path_separator + file_);
  ASSERT_TRUE(SetDllDirectoryA(nullptr));
#endif
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), beside_executable_);

  fs::remove(beside_executable_);
  set_variable("VertaIniPath", "");  // empty: skipped
  EXPECT_EQ(search(), 1);
  EXPECT_EQ(std::string(out_), here_);

  // Nowhere: a lower-case extension (on POSIX; Windows file names ignore case) and a
  // directory of the name are no match, and out holds the current directory's candidate.
  fs::remove(here_);
#if !defined(_WIN32)
  touch(here_.substr(0, here_.size() - 4) + ".ini");
#endif
  fs::create_directory(elsewhere_ + file_);
  set_variable("VertaIniPath", elsewhere_);
  EXPECT_EQ(search(), 0);
  EXPECT_EQ(std::string(out_), here_);
}

TEST_F(IniPath, CurDirEndsWithOneSeparator) {
  EXPECT_EQ(std::string(CurDir()), (root_ / "here").string() + path_separator);
  // The root ("/", or a drive's "C:\\") already ends with its separator.
  fs::current_path(root_.root_path());
  EXPECT_EQ(std::string(CurDir()), root_.root_path().string());
}

TEST(ModuleNames, ListedIndicesAndTheDefault) {
  const std::pair<unsigned int, const char *> cases[] = {
      {0, "VERTASRV"},  {8, "VERTASRVREST"}, {10, "VERTAACQUIRERS"}, {13, "VERTAALC"},
      {14, "VERTA028"}, {36, "VERTA149"},    {37, "VERTA"},          {38, "VERTA099"},
      {47, "VERTA170"}, {48, "VERTA"},       {52, "VERTA"},          {53, "VERTA112"},
      {54, "VERTA109"}, {55, "VERTA"},       {UINT_MAX, "VERTA"}};
  for (const auto &[index, name] : cases) {
    char out[15];
    SignIdx2ModuleName(index, out);
    EXPECT_STREQ(out, name) << index;
  }
}

TEST(LibrarySignature, SixtyFourHexCharactersWithoutNul) {
  EXPECT_EQ(GetLibSign(nullptr), nullptr);
  char out[65];
  out[64] = 'x';
  EXPECT_EQ(GetLibSign(out), out);
  EXPECT_EQ(out[64], 'x');
  std::string expected;
  for (unsigned char byte : vl::secrets::library_signature)
    expected += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
  EXPECT_EQ(std::string(out, 64), expected);
}

}  // namespace

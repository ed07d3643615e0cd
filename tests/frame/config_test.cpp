#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "support/sentinel.h"
#include "vertalib/frame.h"
#include "vertalib_secrets.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;
constexpr char kSep = vl::platform::path_separator;

// Runs in a temporary directory "here" beside "elsewhere"; the variable, the current
// directory and the file beside the executable are put back afterwards.
class IniPath : public ::testing::Test {
 protected:
  void SetUp() override {
    vl::test::unset_variable("VertaIniPath");
    fs::create_directories(root_ / "here");
    fs::create_directories(root_ / "elsewhere");
    root_ = fs::canonical(root_);  // the current directory comes back resolved
    fs::current_path(root_ / "here");
    char program[4096];
    ASSERT_GT(vl::platform::executable_path(program, sizeof program), 0);
    beside_ = fs::path(program).parent_path().string() + kSep + file_;
  }
  void TearDown() override {
    fs::current_path(saved_directory_);
    fs::remove_all(root_);
    fs::remove(beside_);
  }
  std::string in(const char *directory) { return (root_ / directory).string() + kSep + file_; }
  // "found path" of the search for file_ by its base name.
  std::string search(int size = 600) {
    std::memset(out_, 'x', sizeof out_);
    const int found = vrtlib_ini_pathname(out_, size, file_.substr(0, file_.size() - 4).c_str());
    return std::to_string(found) + " " + out_;
  }

  vl::test::SavedVariable saved_variable_{"VertaIniPath"};
  const std::string unique_ = std::to_string(std::random_device{}());
  const std::string file_ = "VlIni" + unique_ + ".INI";
  fs::path saved_directory_ = fs::current_path();
  fs::path root_ = fs::temp_directory_path() / ("vl_ini_" + unique_);
  std::string beside_;
  char out_[601];
};

// Each step removes the file the step before found, so the next directory answers.
TEST_F(IniPath, SearchOrderBoundsAndTheCurrentDirectory) {
  EXPECT_EQ(std::string(CurDir()), (root_ / "here").string() + kSep);
  const std::string elsewhere = in("elsewhere"), here = in("here");
  for (const auto &file : {elsewhere, beside_, here}) std::ofstream(file) << "[VERTASRV]\n";
  vl::test::set_variable("VertaIniPath", (root_ / "elsewhere").string());  // separator added
  EXPECT_EQ(search(), "1 " + elsewhere);
  vl::test::set_variable("VertaIniPath", (root_ / "elsewhere").string() + kSep);
  const int exact = static_cast<int>(elsewhere.size()) + 1;
  EXPECT_EQ(search(exact), "1 " + elsewhere);
  EXPECT_EQ(out_[exact], 'x');
  EXPECT_EQ(search(exact - 1), "0 ") << "too small: an empty text";
  fs::remove(elsewhere);
#if defined(_WIN32)
  fs::create_directories(root_ / "libraries");  // set for loading libraries: before the executable's
  std::ofstream(in("libraries")) << "[VERTASRV]\n";
  ASSERT_TRUE(SetDllDirectoryA((root_ / "libraries").string().c_str()));
  EXPECT_EQ(search(), "1 " + in("libraries"));
  ASSERT_TRUE(SetDllDirectoryA(nullptr));
#endif
  EXPECT_EQ(search(), "1 " + beside_);
  fs::remove(beside_);
  vl::test::set_variable("VertaIniPath", "");  // empty: skipped
  EXPECT_EQ(search(), "1 " + here);
  fs::remove(here);
  fs::create_directory(elsewhere);  // nowhere: a directory of the name is no match
  vl::test::set_variable("VertaIniPath", (root_ / "elsewhere").string());
  EXPECT_EQ(search(), "0 " + here);
  fs::current_path(root_.root_path());  // "/" or "C:\\" already ends with its separator
  EXPECT_EQ(std::string(CurDir()), root_.root_path().string());
}

TEST(ModuleNames, ListedIndicesAndTheDefault) {
  const std::pair<unsigned int, const char *> cases[] = {
      {0, "VERTASRV"}, {8, "VERTASRVREST"}, {10, "VERTAACQUIRERS"}, {13, "VERTAALC"},
      {36, "VERTA149"}, {37, "VERTA"}, {38, "VERTA099"}, {47, "VERTA170"}, {52, "VERTA"},
      {53, "VERTA112"}, {54, "VERTA109"}, {55, "VERTA"}, {UINT_MAX, "VERTA"}};
  for (const auto &c : cases)
    EXPECT_EQ(TEXT_OF(std::strlen(c.second) + 2, SignIdx2ModuleName(c.first, o)),
              std::string(c.second) + '\0' + '#') << c.first;
}

TEST(LibrarySignature, SixtyFourUpperCaseHexCharactersWithoutNul) {
  EXPECT_EQ(TEXT_OF(65, GetLibSign(o) == o),
            vl::test::hex_of(vl::secrets::library_signature, 32) + "# -> 1");
}

}  // namespace

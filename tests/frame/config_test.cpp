#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "support/data_file.h"
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
    for (const char *directory : {"here", "elsewhere"}) fs::create_directories(root_ / directory);
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
  fs::create_directory(elsewhere);  // a directory of the name is no match
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
  EXPECT_EQ(search(), "0 " + here) << "nowhere: the current directory's candidate";
  fs::current_path(root_.root_path());  // "/" or "C:\\" already ends with its separator
  EXPECT_EQ(std::string(CurDir()), root_.root_path().string());
}

// The rows of tests/data/frame/modules.tsv; the signature without a NUL.
TEST(ModuleNamesAndSignature, ListedIndicesTheDefaultAndUpperCaseHex) {
  const auto rows = vl::test::data_rows("frame/modules.tsv");
  ASSERT_EQ(rows.size(), 13u);
  for (const auto &row : rows)
    EXPECT_EQ(TEXT_OF(row[1].size() + 2, SignIdx2ModuleName(std::stoul(row[0]), o)), row[1] + '\0' + '#');
  EXPECT_EQ(TEXT_OF(65, GetLibSign(o) == o),
            vl::test::hex_of(vl::secrets::library_signature, 32) + "# -> 1");
}

}  // namespace

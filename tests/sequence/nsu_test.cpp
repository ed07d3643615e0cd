#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>

#include "support/data_file.h"
#include "vertalib/sequence.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
constexpr int kDirectoryRefused = EACCES;  // the runtime's answer for a directory
uint32_t own_id(bool thread) { return thread ? GetCurrentThreadId() : GetCurrentProcessId(); }
#else
constexpr int kDirectoryRefused = EISDIR;
uint32_t own_id(bool thread) { return static_cast<uint32_t>(thread ? gettid() : getpid()); }
#endif

// tests/data/sequence/nsu.tsv: counters stepped by kind, and which legs take a new number.
TEST(Nsu, StepsThroughTheRangeOfItsKindAndNewNumbersGoToTheLegsOfTheRules) {
  const auto rows = vl::test::data_rows("sequence/nsu.tsv", "");
  ASSERT_EQ(rows.size(), 34u);
  for (const auto &r : rows) {
    const auto number = [&r](size_t field) { return std::stoi(r[field]); };
    if (r[0] == "leg") {
      const char *code = r[2] == "-" ? nullptr : r[2].c_str();
      EXPECT_EQ(PernaComIncrementoNSU(r[1].c_str(), code, number(3), number(4), number(5)), number(6))
          << testing::PrintToString(r);
      continue;
    }
    const char kind = static_cast<char>(number(2));
    auto nsu = static_cast<unsigned short>(number(3));
    if (r[1] == "inc") IncNSU(&nsu, kind);
    if (r[1] == "dec") { EXPECT_EQ(DecNSU(&nsu, kind), number(4)); }
    if (r[1] == "one" || r[1] == "max") { EXPECT_EQ(ResetNSU(&nsu, kind, r[1] == "max" ? 7 : 0), &nsu); }
    EXPECT_EQ(nsu, number(4)) << testing::PrintToString(r);
  }
  EXPECT_EQ(DecNSU(nullptr, 2), 0);
  EXPECT_EQ(ResetNSU(nullptr, 3, 1), nullptr);
}

TEST(FileServices, LengthOverwritingAndSecureRemoval) {
  const fs::path dir = fs::temp_directory_path() / ("vl_nsu_" + std::to_string(own_id(false)));
  fs::create_directories(dir / "folder");
  const auto make = [&dir](const char *name, const std::string &content) {
    std::ofstream((dir / name).string(), std::ios::binary) << content;
    return (dir / name).string();
  };
  const auto read = [](const std::string &path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
  };
  std::FILE *file = std::fopen(make("sized", std::string(37, 'x')).c_str(), "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fseek(file, 5, SEEK_SET), 0);
  EXPECT_EQ(filesize(file), 37);
  EXPECT_EQ(std::ftell(file), 5) << "the position is kept";
  std::fclose(file);
  EXPECT_EQ(filesize(nullptr), -1);

  const std::string twenty = make("twenty", "abcdefghijklmnopqrst");
  SobreEscreveArq(twenty.c_str(), '*');
  EXPECT_EQ(read(twenty), std::string(20, '*'));
  SobreEscreveArq(twenty.c_str(), 255);  // ten-digit random numbers, the length kept
  const std::string text = read(twenty);
  EXPECT_TRUE(text.size() == 20 && text.find_first_not_of("0123456789") == std::string::npos) << text;
  SobreEscreveArq((dir / "missing").string().c_str(), '0');
  EXPECT_FALSE(fs::exists(dir / "missing")) << "a missing file is not created";

  const std::string secret = make("card", "4111111111111111=2512"), link = (dir / "link").string();
  fs::create_hard_link(secret, link);
  EXPECT_EQ(RemoveSeguroArq(secret.c_str()), 0);
  EXPECT_FALSE(fs::exists(secret));
  EXPECT_EQ(read(link), std::string(21, '\0')) << "overwritten in place before deletion, zero bytes last";
  EXPECT_EQ(RemoveSeguroArq((dir / "missing").string().c_str()), ENOENT);
  EXPECT_EQ(RemoveSeguroArq((dir / "folder").string().c_str()), kDirectoryRefused);
  EXPECT_TRUE(fs::is_directory(dir / "folder")) << "a directory is never deleted";
  EXPECT_EQ(RemoveSeguroArq(nullptr), EINVAL);
  fs::remove_all(dir);
}

TEST(ThreadCount, CountsTheThreadsOfAProcessOnly) {
  const uint32_t before = getThreadCountByPID(own_id(false));
  std::promise<uint32_t> started;
  std::promise<void> release;
  std::thread worker([&] { started.set_value(own_id(true)); release.get_future().wait(); });
  const uint32_t thread_id = started.get_future().get();
  EXPECT_EQ(getThreadCountByPID(own_id(false)), before + 1);
  EXPECT_EQ(getThreadCountByPID(thread_id), 0u) << "a thread's own id names no process";
  release.set_value();
  worker.join();
  EXPECT_EQ(getThreadCountByPID(UINT32_MAX), 0u) << "no process has this id";
}

}  // namespace

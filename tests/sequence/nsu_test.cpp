#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <future>
#include <random>
#include <string>
#include <thread>

#include "support/data_file.h"
#include "vertalib/sequence.h"

namespace {

namespace fs = std::filesystem;

TEST(Nsu, StepsThroughTheRangeOfItsKind) {
  enum Op { kInc, kDec, kResetToOne, kResetToMaximum };
  struct Row {
    Op op;
    char kind;
    unsigned short start, expected;
  } rows[] = {
      {kInc, 3, 998, 999}, {kInc, 3, 999, 1}, {kInc, 2, 9999, 1}, {kInc, 2, 65535, 0}, {kInc, 3, 5000, 1},
      {kDec, 2, 0, 9999}, {kDec, 3, 0, 999}, {kDec, 2, 1, 0},
      {kResetToOne, 3, 500, 1}, {kResetToMaximum, 3, 5, 999}, {kResetToMaximum, 2, 5, 9999},
      // Kinds without a maximum leave the counter alone.
      {kInc, 4, 999, 999}, {kDec, 0, 0, 0}, {kResetToOne, 9, 77, 77}, {kResetToMaximum, 1, 6, 6},
  };
  for (const Row &row : rows) {
    unsigned short nsu = row.start;
    if (row.op == kInc) IncNSU(&nsu, row.kind);
    if (row.op == kDec) {
      EXPECT_EQ(DecNSU(&nsu, row.kind), row.expected);
    } else if (row.op != kInc) {
      EXPECT_EQ(ResetNSU(&nsu, row.kind, row.op == kResetToMaximum ? 7 : 0), &nsu);
    }
    EXPECT_EQ(nsu, row.expected) << "op " << row.op << " kind " << int(row.kind) << " from "
                                 << row.start;
  }
  EXPECT_EQ(DecNSU(nullptr, 2), 0);
  EXPECT_EQ(ResetNSU(nullptr, 3, 1), nullptr);
}

TEST(Nsu, LegRulesDecideWhichLegsTakeANewNumber) {
  const auto rows = vl::test::data_rows("sequence/nsu_legs.tsv", "leg");
  ASSERT_EQ(rows.size(), 19u);
  for (const auto &r : rows)
    EXPECT_EQ(PernaComIncrementoNSU(r[0].c_str(), r[1] == "-" ? nullptr : r[1].c_str(), std::stoi(r[2]), std::stoi(r[3]),
                                    std::stoi(r[4])),
              std::stoi(r[5]))
        << r[0] << " " << r[1] << " " << r[2] << " v" << r[3] << " o" << r[4];
}

class FileUtilities : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string make(const std::string &name, const std::string &content) {
    std::ofstream((dir_ / name).string(), std::ios::binary) << content;
    return (dir_ / name).string();
  }
  static std::string read(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  const fs::path dir_ =
      fs::temp_directory_path() / ("vl_nsu_" + std::to_string(std::random_device{}()));
};

TEST_F(FileUtilities, FileSizeKeepsTheStreamPosition) {
  std::FILE *file = std::fopen(make("sized", std::string(37, 'x')).c_str(), "rb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fseek(file, 5, SEEK_SET), 0);
  EXPECT_EQ(filesize(file), 37);
  EXPECT_EQ(std::ftell(file), 5);
  std::fclose(file);
#if defined(_WIN32)
  std::FILE *pipe = _popen("rem", "r");
  EXPECT_EQ(filesize(pipe), -1) << "a pipe has no length";
  _pclose(pipe);
#else
  std::FILE *pipe = popen("true", "r");
  EXPECT_EQ(filesize(pipe), -1) << "a pipe has no length";
  pclose(pipe);
#endif
  EXPECT_EQ(filesize(nullptr), -1);
}

TEST_F(FileUtilities, OverwriteKeepsTheLength) {
  const std::string five = make("five", "abcde");
  SobreEscreveArq(five.c_str(), 48);
  EXPECT_EQ(read(five), "00000");

  // 255 asks for random text, the length kept.
  const std::string random = make("random", std::string(25, 'Z'));
  SobreEscreveArq(random.c_str(), 255);
  const std::string text = read(random);
  EXPECT_EQ(text.size(), 25u);
  EXPECT_EQ(text.find('Z'), std::string::npos);

  const std::string missing = (dir_ / "missing").string();
  SobreEscreveArq(missing.c_str(), 48);
  EXPECT_FALSE(fs::exists(missing)) << "a missing file is not created";
}

TEST_F(FileUtilities, SecureRemovalOverwritesBeforeDeleting) {
  const std::string secret = make("card", "4111111111111111=2512");
  const std::string link = (dir_ / "second-link").string();
  fs::create_hard_link(secret, link);
  EXPECT_EQ(RemoveSeguroArq(secret.c_str()), 0);
  EXPECT_FALSE(fs::exists(secret));
  EXPECT_EQ(read(link), std::string(21, '\0')) << "the last pass leaves zero bytes";

  EXPECT_EQ(RemoveSeguroArq((dir_ / "missing").string().c_str()), ENOENT);
  const fs::path folder = dir_ / "folder";
  fs::create_directories(folder);
#if defined(_WIN32)
  constexpr int kDirectoryRefused = EACCES;  // the runtime's answer for a directory
#else
  constexpr int kDirectoryRefused = EISDIR;
#endif
  EXPECT_EQ(RemoveSeguroArq(folder.string().c_str()), kDirectoryRefused);
  EXPECT_TRUE(fs::is_directory(folder)) << "a directory is never deleted";
  EXPECT_EQ(RemoveSeguroArq(nullptr), EINVAL);
}

TEST(ThreadCount, CountsTheThreadsOfAProcess) {
#if defined(_WIN32)
  const auto self = static_cast<uint32_t>(GetCurrentProcessId());
  const auto own_thread_id = [] { return static_cast<uint32_t>(GetCurrentThreadId()); };
  // Process and thread ids are multiples of 4 below this.
  const uint32_t unused_id = 0xFFFFFFFCu;
#else
  const auto self = static_cast<uint32_t>(getpid());
  const auto own_thread_id = [] { return static_cast<uint32_t>(gettid()); };
  uint32_t unused_id = 0;
  std::ifstream("/proc/sys/kernel/pid_max") >> unused_id;
#endif
  const uint32_t before = getThreadCountByPID(self);
  EXPECT_GE(before, 1u);
  std::promise<uint32_t> started;
  std::promise<void> release;
  std::thread worker([&] {
    started.set_value(own_thread_id());
    release.get_future().wait();
  });
  const auto thread_id = static_cast<uint32_t>(started.get_future().get());
  EXPECT_EQ(getThreadCountByPID(self), before + 1);
  EXPECT_EQ(getThreadCountByPID(thread_id), 0u) << "a thread's own id names no process";
  release.set_value();
  worker.join();
  EXPECT_EQ(getThreadCountByPID(unused_id), 0u);
}

}  // namespace

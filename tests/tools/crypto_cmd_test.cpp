#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

struct Expected {
  std::string arguments;
  int status;
  std::string output;
};

void expect_runs(const std::vector<Expected> &rows) {
  for (const Expected &row : rows) {
    const vl::test::CliRun result = run_cli(row.arguments);
    EXPECT_EQ(result.status, row.status) << row.arguments;
    EXPECT_EQ(result.output, row.output) << row.arguments;
  }
}

TEST(CryptoCommands, KeyCheckValueAndOneTripleDesBlock) {
  expect_runs({
      {"kcv 0123456789ABCDEFFEDCBA9876543210", 0, "08D7B4\n"},
      {"kcv 0101010101010101", 0, "8CA64D\n"},
      {"3des encrypt 0123456789abcdeffedcba9876543210 0000000000000000", 0, "08D7B4FB629D0885\n"},
      {"3des decrypt 0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123 A826FD8CE53B855F", 0, "5468652071756663\n"},
  });
}

TEST(CryptoCommands, DigestsOfStandardInputAndOfAFile) {
  const std::string path = testing::TempDir() + "crypto_cmd_input.txt";
  FILE *file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("123456789", file);
  std::fclose(file);
  expect_runs({
      {"sha1 < /dev/null", 0, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709\n"},
      {"md5 < /dev/null", 0, "D41D8CD98F00B204E9800998ECF8427E\n"},
      {"crc32 < /dev/null", 0, "00000000\n"},
      {"crc32 " + path, 0, "CBF43926\n"},
      {"crc32 < " + path, 0, "CBF43926\n"},
      {"sha1 " + path, 0, "F7C3BC1D808E04732ADF679965CCC34CA7AE3441\n"},
      {"md5 " + path, 0, "25F9E794323B453885F5181F1B624D0B\n"},
  });
  std::remove(path.c_str());
  EXPECT_EQ(run_cli("sha1 " + path).status, 1);
}

TEST(CryptoCommands, RefuseBadArgumentsWithoutShowingTheKey) {
  const char *key = "0123456789ABCDEFFEDCBA987654321";  // 31 digits
  for (const std::string &arguments :
       {std::string("kcv ") + key, std::string("kcv 0123456789ABCDEG"), std::string("kcv"),
        std::string("3des encrypt ") + key + " 0000000000000000",
        std::string("3des sign 0123456789ABCDEF 0000000000000000"),
        std::string("3des encrypt 0123456789ABCDEF 00000000000000"), std::string("sha1 a b"),
        std::string("crc32 a b"), std::string("md5 a b")}) {
    const vl::test::CliRun result = run_cli(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.output.find("0123456789"), std::string::npos) << result.output;
  }
}

TEST(CryptoCommands, ExamplesRun) {
  const vl::test::CliRun result = run_cli("example");
  EXPECT_NE(result.output.find("kcv of the double-length test key 0123...3210: 08D7B4\n"), std::string::npos);
  EXPECT_NE(result.output.find("under the double-length test key: 0000000000000000\n"), std::string::npos);
  EXPECT_NE(result.output.find("sha1 of \"abc\": A9993E364706816ABA3E25717850C26C9CD0D89D\n"), std::string::npos);
  EXPECT_NE(result.output.find("crc32 of \"123456789\": CBF43926\n"), std::string::npos);
  EXPECT_NE(result.output.find("md5 of \"abc\": 900150983CD24FB0D6963F7D28E17F72\n"), std::string::npos);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/cli_cases.h"

namespace {

using vl::test::expect_cli_cases;
using vl::test::run_cli;

TEST(CryptoCommands, KeyCheckValueAndOneTripleDesBlock) {
  const std::string key_rule = "KEY takes hexadecimal digits only, 16, 32 or 48 digits\n";
  const std::string kcv_error = "vertalib kcv: ", kcv_hint = "try: vertalib kcv --help\n";
  const std::string des_error = "vertalib 3des: ", des_hint = "try: vertalib 3des --help\n";
  const std::string short_key = kcv_error + "wrong number of digits (31): " + key_rule + kcv_hint;
  const std::string bad_digit = kcv_error + "non-hex character 'G' at position 16: " + key_rule + kcv_hint;
  const std::string no_key = kcv_error + "expects one KEY\n" + kcv_hint;
  const std::string direction = des_error + "the first argument is encrypt or decrypt\n" + des_hint;
  const std::string des_short_key = des_error + "wrong number of digits (18): " + key_rule + des_hint;
  const std::string short_block =
      des_error + "14 digits are too few: BLOCK takes hexadecimal digits only, 16 digits\n" + des_hint;
  const std::string extra = des_error + "too many arguments (4): expects encrypt|decrypt, KEY and BLOCK\n" + des_hint;
  expect_cli_cases({
      {"kcv 0123456789ABCDEFFEDCBA9876543210", 0, "08D7B4\n"},
      {"kcv 0101010101010101", 0, "8CA64D\n"},
      {"3des encrypt 0123456789abcdeffedcba9876543210 0000000000000000", 0, "08D7B4FB629D0885\n"},
      {"3des decrypt 0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123 A826FD8CE53B855F", 0,
       "5468652071756663\n"},
      {"kcv 0123456789ABCDEFFEDCBA987654321", 2, short_key.c_str()},
      {"kcv 0123456789ABCDEG", 2, bad_digit.c_str()},
      {"kcv", 2, no_key.c_str()},
      {"3des sign 0123456789ABCDEF 0000000000000000", 2, direction.c_str()},
      {"3des encrypt 0123456789ABCDEF01 0000000000000000", 2, des_short_key.c_str()},
      {"3des encrypt 0123456789ABCDEF 00000000000000", 2, short_block.c_str()},
      {"3des encrypt 0123456789ABCDEF 0000000000000000 00", 2, extra.c_str()},
  });
}

TEST(CryptoCommands, KeysAreNeverShown) {
  const std::string key = "8E3F5A7C91B2D4E6F0A1C3E5";  // 24 digits: no key length
  for (const std::string &arguments :
       {"kcv " + key, "kcv " + key + "Z0", "kcv " + key + " " + key, "3des encrypt " + key + " 0000000000000000",
        "3des " + key + " encrypt 0000000000000000", "3des decrypt " + key + key + " 00"})
    vl::test::expect_not_shown(arguments, key);
}

TEST(CryptoCommands, DigestsOfStandardInputAndOfAFile) {
  const std::string path = testing::TempDir() + "crypto_cmd_input.txt";
  FILE *file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("123456789", file);
  std::fclose(file);
  const std::string crc_file = "crc32 " + path, crc_input = "crc32 < " + path, sha_file = "sha1 " + path,
                    md5_file = "md5 " + path;
  expect_cli_cases({
      {"sha1 < /dev/null", 0, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709\n"},
      {"md5 < /dev/null", 0, "D41D8CD98F00B204E9800998ECF8427E\n"},
      {"crc32 < /dev/null", 0, "00000000\n"},
      {crc_file.c_str(), 0, "CBF43926\n"},
      {crc_input.c_str(), 0, "CBF43926\n"},
      {sha_file.c_str(), 0, "F7C3BC1D808E04732ADF679965CCC34CA7AE3441\n"},
      {md5_file.c_str(), 0, "25F9E794323B453885F5181F1B624D0B\n"},
      {"md5 a b", 2, "vertalib md5: too many arguments (2): expects at most one FILE\ntry: vertalib md5 --help\n"},
      {"crc32 --x", 2, "vertalib crc32: unknown option '--x'\ntry: vertalib crc32 --help\n"},
  });
  std::remove(path.c_str());
  const std::string missing = "vertalib sha1: cannot open " + path + "\n";
  expect_cli_cases({{sha_file.c_str(), 1, missing.c_str()}});
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

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/cli_cases.h"

using vl::test::expect_cli_cases;
using vl::test::refused;

TEST(CryptoCommands, KeyCheckValueAndOneTripleDesBlock) {
  const std::string key_rule = "KEY takes hexadecimal digits only, 16, 32 or 48 digits";
  expect_cli_cases({
      {"kcv 0123456789ABCDEFFEDCBA9876543210", 0, "08D7B4\n"},
      {"kcv 0101010101010101", 0, "8CA64D\n"},
      {"3des encrypt 0123456789abcdeffedcba9876543210 0000000000000000", 0, "08D7B4FB629D0885\n"},
      {"3des decrypt 0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123 A826FD8CE53B855F", 0, "5468652071756663\n"},
      refused("kcv 0123456789ABCDEFFEDCBA987654321", "wrong number of digits (31): " + key_rule),
      refused("kcv 0123456789ABCDEG", "non-hex character 'G' at position 16: " + key_rule),
      refused("kcv", "expects one KEY"),
      refused("3des sign 0123456789ABCDEF 0000000000000000", "the first argument is encrypt or decrypt"),
      refused("3des encrypt 0123456789ABCDEF01 0000000000000000", "wrong number of digits (18): " + key_rule),
      refused("3des encrypt 0123456789ABCDEF 00000000000000",
              "14 digits are too few: BLOCK takes hexadecimal digits only, 16 digits"),
      refused("3des encrypt 0123456789ABCDEF 0000000000000000 00",
              "too many arguments (4): expects encrypt|decrypt, KEY and BLOCK")});
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
  expect_cli_cases({
      {"sha1 < /dev/null", 0, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709\n"},
      {"md5 < /dev/null", 0, "D41D8CD98F00B204E9800998ECF8427E\n"},
      {"crc32 < /dev/null", 0, "00000000\n"},
      {"crc32 " + path, 0, "CBF43926\n"},
      {"crc32 < " + path, 0, "CBF43926\n"},
      {"sha1 " + path, 0, "F7C3BC1D808E04732ADF679965CCC34CA7AE3441\n"},
      {"md5 " + path, 0, "25F9E794323B453885F5181F1B624D0B\n"},
      refused("md5 a b", "too many arguments (2): expects at most one FILE"),
      refused("crc32 --x", "unknown option '--x'")});
  std::remove(path.c_str());
  expect_cli_cases({{"sha1 " + path, 1, "vertalib sha1: cannot open " + path + "\n"}});
}

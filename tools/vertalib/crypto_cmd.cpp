// Subcommands over the block ciphers and digests: key check values, one triple-DES block,
// SHA-1, CRC-32 and MD5 of a file or of the standard input. Keys given on the command line
// are never printed back, not even in an error message.
#include <mbedtls/md5.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli.h"
#include "vertalib/crypto.h"

namespace {

int run_kcv(int argc, char **argv);
int run_3des(int argc, char **argv);
int run_sha1(int argc, char **argv);
int run_crc32(int argc, char **argv);
int run_md5(int argc, char **argv);

const vl::cli::Command kKcv{
    "kcv", "key check value of a triple-DES key",
    "usage: vertalib kcv KEY\n"
    "KEY is 16, 32 or 48 hexadecimal digits (single, double or triple length). Prints the\n"
    "first 3 bytes of the key's encryption of eight zero bytes (triple DES, EDE), as 6 digits:\n"
    "  vertalib kcv 0123456789ABCDEFFEDCBA9876543210   ->  08D7B4\n",
    run_kcv, [] {
      char a[] = "kcv", b[] = "0123456789ABCDEFFEDCBA9876543210";
      char *args[] = {a, b};
      std::printf("kcv of the double-length test key 0123...3210: ");
      std::fflush(stdout);
      run_kcv(2, args);
    }};

const vl::cli::Command k3des{
    "3des", "encrypt or decrypt one block with triple DES",
    "usage: vertalib 3des encrypt|decrypt KEY BLOCK\n"
    "KEY is 16, 32 or 48 hexadecimal digits, BLOCK 16 (8 bytes). Triple DES in the EDE\n"
    "arrangement; prints the resulting block as 16 digits:\n"
    "  vertalib 3des encrypt 0123456789ABCDEFFEDCBA9876543210 0000000000000000\n"
    "  ->  08D7B4FB629D0885\n",
    run_3des, [] {
      char a[] = "3des", b[] = "decrypt", c[] = "0123456789ABCDEFFEDCBA9876543210", d[] = "08D7B4FB629D0885";
      char *args[] = {a, b, c, d};
      std::printf("decrypting 08D7B4FB629D0885 under the double-length test key: ");
      std::fflush(stdout);
      run_3des(4, args);
    }};

const vl::cli::Command kSha1{
    "sha1", "SHA-1 of a file or of the standard input",
    "usage: vertalib sha1 [FILE]\n"
    "Prints the 40-digit SHA-1 of FILE, or of the standard input when no FILE is given:\n"
    "  printf abc | vertalib sha1   ->  A9993E364706816ABA3E25717850C26C9CD0D89D\n",
    run_sha1, [] {
      sha1_context ctx;
      verta_SHA1_Init(&ctx);
      verta_SHA1_Update(&ctx, reinterpret_cast<const unsigned char *>("abc"), 3);
      unsigned char digest[20];
      verta_SHA1_Final(&ctx, digest);
      std::printf("sha1 of \"abc\": ");
      vl::cli::print_hex(digest, sizeof digest);
    }};

const vl::cli::Command kCrc32{
    "crc32", "CRC-32 of a file or of the standard input",
    "usage: vertalib crc32 [FILE]\n"
    "Prints the CRC-32 (the usual reflected one, as zip and Ethernet use) of FILE, or of the\n"
    "standard input when no FILE is given, as 8 hexadecimal digits:\n"
    "  printf 123456789 | vertalib crc32   ->  CBF43926\n",
    run_crc32, [] {
      std::printf("crc32 of \"123456789\": %08X\n",
                  static_cast<unsigned>(crc32_verta(reinterpret_cast<const unsigned char *>("123456789"), 9)));
    }};

const vl::cli::Command kMd5{
    "md5", "MD5 of a file or of the standard input",
    "usage: vertalib md5 [FILE]\n"
    "Prints the 32-digit MD5 of FILE, or of the standard input when no FILE is given:\n"
    "  printf abc | vertalib md5   ->  900150983CD24FB0D6963F7D28E17F72\n",
    run_md5, [] {
      unsigned char digest[16];
      mbedtls_md5_ret(reinterpret_cast<const unsigned char *>("abc"), 3, digest);
      std::printf("md5 of \"abc\": ");
      vl::cli::print_hex(digest, sizeof digest);
    }};

bool is_key_length(size_t digits) { return digits == 16 || digits == 32 || digits == 48; }

int run_kcv(int argc, char **argv) {
  if (argc != 2) return vl::cli::usage_error(kKcv, "expects one key");
  const size_t digits = std::strlen(argv[1]);
  if (!vl::cli::is_hex_text(argv[1]) || !is_key_length(digits))
    return vl::cli::usage_error(kKcv, "the key must be 16, 32 or 48 hexadecimal digits");
  unsigned char check[8];
  generateKeyCheckValue(1, static_cast<int>(digits), argv[1], check);
  vl::cli::print_hex(check, 3);
  return vl::cli::kOk;
}

int run_3des(int argc, char **argv) {
  if (argc != 4) return vl::cli::usage_error(k3des, "expects encrypt|decrypt, a key and a block");
  const bool encrypt = std::strcmp(argv[1], "encrypt") == 0;
  if (!encrypt && std::strcmp(argv[1], "decrypt") != 0)
    return vl::cli::usage_error(k3des, "the first argument is encrypt or decrypt");
  const size_t digits = std::strlen(argv[2]);
  if (!vl::cli::is_hex_text(argv[2]) || !is_key_length(digits))
    return vl::cli::usage_error(k3des, "the key must be 16, 32 or 48 hexadecimal digits");
  unsigned char block[8];
  size_t count = 0;
  if (!vl::cli::parse_hex(argv[3], block, sizeof block, count) || count != 8)
    return vl::cli::usage_error(k3des, "the block must be 16 hexadecimal digits");
  tripleDES_EDE(encrypt ? 0 : 1, static_cast<int>(digits), argv[2], block, block);
  vl::cli::print_hex(block, sizeof block);
  return vl::cli::kOk;
}

// The whole of FILE (or of the standard input); false with a message when it cannot be read.
bool read_input(const vl::cli::Command &command, int argc, char **argv, std::vector<unsigned char> &data) {
  FILE *in = stdin;
  if (argc == 2) {
    in = std::fopen(argv[1], "rb");
    if (in == nullptr) {
      std::fprintf(stderr, "vertalib %s: cannot open %s\n", command.name, argv[1]);
      return false;
    }
  }
  unsigned char chunk[65536];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) data.insert(data.end(), chunk, chunk + n);
  const bool failed = std::ferror(in) != 0;
  if (in != stdin) std::fclose(in);
  if (failed) std::fprintf(stderr, "vertalib %s: read error\n", command.name);
  return !failed;
}

int run_sha1(int argc, char **argv) {
  if (argc > 2) return vl::cli::usage_error(kSha1, "expects at most one file");
  std::vector<unsigned char> data;
  if (!read_input(kSha1, argc, argv, data)) return vl::cli::kFalse;
  sha1_context ctx;
  verta_SHA1_Init(&ctx);
  // The length argument is 32 bits: feed large inputs in pieces.
  for (size_t at = 0; at < data.size(); at += 1u << 30) {
    const size_t n = std::min(data.size() - at, size_t{1} << 30);
    verta_SHA1_Update(&ctx, data.data() + at, static_cast<uint32_t>(n));
  }
  unsigned char digest[20];
  verta_SHA1_Final(&ctx, digest);
  vl::cli::print_hex(digest, sizeof digest);
  return vl::cli::kOk;
}

int run_crc32(int argc, char **argv) {
  if (argc > 2) return vl::cli::usage_error(kCrc32, "expects at most one file");
  std::vector<unsigned char> data;
  if (!read_input(kCrc32, argc, argv, data)) return vl::cli::kFalse;
  if (data.size() > UINT32_MAX) {
    std::fprintf(stderr, "vertalib crc32: inputs of 4 GiB and more are not supported\n");
    return vl::cli::kFalse;
  }
  std::printf("%08X\n", static_cast<unsigned>(crc32_verta(data.data(), static_cast<uint32_t>(data.size()))));
  return vl::cli::kOk;
}

int run_md5(int argc, char **argv) {
  if (argc > 2) return vl::cli::usage_error(kMd5, "expects at most one file");
  std::vector<unsigned char> data;
  if (!read_input(kMd5, argc, argv, data)) return vl::cli::kFalse;
  unsigned char digest[16];
  mbedtls_md5_ret(data.data(), data.size(), digest);
  vl::cli::print_hex(digest, sizeof digest);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kKcv);
VL_CLI_COMMAND(k3des);
VL_CLI_COMMAND(kSha1);
VL_CLI_COMMAND(kCrc32);
VL_CLI_COMMAND(kMd5);

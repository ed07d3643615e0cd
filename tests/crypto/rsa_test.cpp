#include <gtest/gtest.h>
#include <mbedtls/bignum.h>
#include <mbedtls/md5.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/data_file.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using vl::test::Bytes;
using vl::test::to_hex;

std::vector<vl::test::Row> rows(const char *kind) { return vl::test::data_rows("crypto/rsa.tsv", kind); }

// The records keep their field order with 32-bit integers; only pointers are native.
static_assert(sizeof(mpi) == 8 + sizeof(void *) && offsetof(rsa_key_context, N) == 8 &&
              offsetof(rsa_key_context, padding) == 8 + 11 * sizeof(mpi) &&
              offsetof(rsa_key_context, f_rng) == 16 + 11 * sizeof(mpi));

// Integers are released only through a key context, so loose ones live in one.
struct Integers {
  rsa_key_context ctx{};
  ~Integers() { RSAFree(&ctx); }
};

std::string text_of(const mpi &value, int radix) {
  char out[2048];
  int32_t size = sizeof out;
  const int result = mpi_write_string(&value, radix, out, &size);
  return result == 0 ? std::string(out, static_cast<size_t>(size - 1)) : "error " + std::to_string(result);
}

// An mbed TLS integer, from one of ours (through the text interface) or from bytes.
struct Big {
  mbedtls_mpi v;
  Big() { mbedtls_mpi_init(&v); }
  explicit Big(const mpi &value) : Big() { mbedtls_mpi_read_string(&v, 16, text_of(value, 16).c_str()); }
  Big(const unsigned char *bytes, size_t count) : Big() { mbedtls_mpi_read_binary(&v, bytes, count); }
  ~Big() { mbedtls_mpi_free(&v); }
  Big(const Big &) = delete;
  mbedtls_mpi *operator&() { return &v; }
};

std::string read_all(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void write_all(const fs::path &path, const std::string &content) { std::ofstream(path, std::ios::binary) << content; }

TEST(MpiText, ReadWriteRefusalsAndTheRoomNeeded) {
  Integers x;
  for (const auto &t : rows("text")) {
    ASSERT_EQ(mpi_read_string(&x.ctx.N, std::stoi(t[0]), t[1].c_str()), 0) << t[1];
    EXPECT_EQ(text_of(x.ctx.N, std::stoi(t[0])), t[2]) << t[1];
  }
  // 32-bit limbs, least significant first, the sign apart; a caller's record with zero limbs on top.
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, "-123456789abcdef01"), 0);
  EXPECT_EQ(std::vector<uint32_t>(x.ctx.N.p, x.ctx.N.p + x.ctx.N.n), (std::vector<uint32_t>{0xABCDEF01, 0x23456789, 1}));
  EXPECT_EQ(x.ctx.N.s, -1);
  uint32_t limbs[] = {0, 1, 0, 0};
  EXPECT_EQ(text_of(mpi{-1, 4, limbs}, 10), "-4294967296");

  for (const auto &r : rows("refuse")) EXPECT_EQ(mpi_read_string(&x.ctx.N, std::stoi(r[0]), r[1].c_str()), std::stoi(r[2])) << r[1];
  EXPECT_EQ(mpi_read_string(&x.ctx.N, 16, nullptr), -4);
  EXPECT_EQ(mpi_read_string(&x.ctx.N, 10, std::string(80001, '1').c_str()), -16);
  EXPECT_EQ(text_of(x.ctx.N, 16), "-0123456789ABCDEF01");  // untouched by the refusals

  // The room a written value needs, and what a short one gets.
  for (const auto &w : rows("write")) {
    ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, w[0].c_str()), 0);
    char out[7];
    std::memset(out, '#', sizeof out);
    int32_t size = std::stoi(w[2]);
    EXPECT_EQ(mpi_write_string(&x.ctx.N, std::stoi(w[1]), out, &size), std::stoi(w[3])) << w[0] << " " << w[1] << " " << w[2];
    EXPECT_EQ(size, std::stoi(w[4])) << w[0] << " " << w[1] << " " << w[2];
    std::string buffer = w[5];
    std::replace(buffer.begin(), buffer.end(), '|', '\0');
    EXPECT_EQ(std::string(out, sizeof out), buffer) << w[0] << " " << w[1] << " " << w[2];
  }
  int32_t size = 0;
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -8);  // asking for the room
  EXPECT_EQ(size, 3);
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -4);
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, nullptr), -4);
}

TEST(MpiText, WriteFileAddsPrefixAndLineEnd) {
  Integers x;
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 10, "4095"), 0);
  ASSERT_EQ(mpi_read_string(&x.ctx.E, 2, ("1" + std::string(1020, '0')).c_str()), 0);  // needs 1024
  FILE *stream = std::tmpfile();
  EXPECT_EQ(mpi_write_file("N = ", &x.ctx.N, 16, stream), 0);
  EXPECT_EQ(mpi_write_file(nullptr, &x.ctx.N, 2, stream), 0);
  EXPECT_EQ(mpi_write_file("big", &x.ctx.E, 2, stream), -8);
  std::rewind(stream);
  char back[64] = {};
  EXPECT_EQ(std::fread(back, 1, sizeof back - 1, stream), 24u);
  EXPECT_STREQ(back, "N = 0FFF\r\n111111111111\r\n");
  std::fclose(stream);
  FILE *read_only = std::fopen(VL_SOURCE_DIR "/tests/data/crypto/md5_rfc1321.tsv", "rb");
  EXPECT_EQ(mpi_write_file("p", &x.ctx.N, 16, read_only), -2);
  std::fclose(read_only);
}

// Random sources for key generation: one that fails, one that takes more than a second on
// its first call (xorshift over the caller's state).
int VL_CDECL counter_random(void *state, unsigned char *out, uint32_t length) {
  auto &x = *static_cast<uint64_t *>(state);
  for (uint32_t i = 0; i < length; ++i) x ^= x << 13, x ^= x >> 7, x ^= x << 17, out[i] = static_cast<unsigned char>(x >> 24);
  return 0;
}
int VL_CDECL failing_random(void *, unsigned char *, uint32_t) { return -256; }
struct SlowSource {
  uint64_t x;
  bool slept;
};
int VL_CDECL slow_random(void *state, unsigned char *out, uint32_t length) {
  auto &source = *static_cast<SlowSource *>(state);
  if (!std::exchange(source.slept, true)) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  return counter_random(&source.x, out, length);
}

// One 1024-bit key for the suite, generated once.
class RsaKey : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { generated_ = RSAGenerateKeys(&key_, 1024, 65537); }
  static void TearDownTestSuite() { RSAFree(&key_); }
  void SetUp() override { ASSERT_EQ(generated_, 0); }

  // The unpadded operation of mode on 128 bytes.
  static Bytes raw(int mode, const Bytes &block) {
    Bytes out(128);
    int32_t length = -7;
    EXPECT_EQ(RSADecrypt(&key_, mode, 0, 0, block.data(), 0, out.data(), &length, 0), 0);
    EXPECT_EQ(length, 0);
    return out;
  }

  static inline rsa_key_context key_{};
  static inline int generated_ = -1;
};

TEST_F(RsaKey, GeneratedKeyHoldsConsistentParts) {
  EXPECT_EQ(key_.len, 128);
  EXPECT_EQ(key_.N.n, 32u);
  EXPECT_EQ(text_of(key_.E, 16), "010001");
  Big n(key_.N), e(key_.E), d(key_.D), p(key_.P), q(key_.Q), dp(key_.DP), dq(key_.DQ), qp(key_.QP);
  Big p1, q1, h, t, r, one;
  mbedtls_mpi_sub_int(&p1, &p, 1), mbedtls_mpi_sub_int(&q1, &q, 1), mbedtls_mpi_mul_mpi(&h, &p1, &q1);
  const auto product_mod = [&](mbedtls_mpi *a, mbedtls_mpi *b, mbedtls_mpi *m) {
    mbedtls_mpi_mul_mpi(&t, a, b);
    mbedtls_mpi_mod_mpi(&r, &t, m);
    return &r;
  };
  EXPECT_GT(mbedtls_mpi_cmp_mpi(&p, &q), 0);
  mbedtls_mpi_mul_mpi(&t, &p, &q);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&t, &n), 0);
  // D inverts E modulo (P-1)(Q-1) itself, not only modulo their lcm.
  EXPECT_LT(mbedtls_mpi_cmp_mpi(&d, &h), 0);
  EXPECT_EQ(mbedtls_mpi_cmp_int(product_mod(&d, &e, &h), 1), 0);
  EXPECT_EQ(mbedtls_mpi_cmp_int(product_mod(&qp, &q, &p), 1), 0);
  mbedtls_mpi_lset(&one, 1);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(product_mod(&d, &one, &p1), &dp), 0);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(product_mod(&d, &one, &q1), &dq), 0);
}

TEST_F(RsaKey, PaddedRoundTripsBothWays) {
  for (const int mode : {0, 1}) {
    for (const int length : {0, 1, 117}) {
      Bytes message(static_cast<size_t>(length)), cipher(128), back(128, 0xA5);
      for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<unsigned char>(i * 7 + 1);
      ASSERT_EQ(RSAEncrypt(&key_, mode, 0, 0, message.data(), length, cipher.data()), 0) << length;
      // Under the other half of the key: 00 02, non-zero padding, 00, the message.
      const Bytes block = raw(1 - mode, cipher);
      const auto separator = static_cast<long>(125 - length + 2);
      EXPECT_EQ(to_hex(block.data(), 2), "0002");
      EXPECT_EQ(std::find(block.begin() + 2, block.end(), 0) - block.begin(), separator);
      EXPECT_TRUE(std::equal(message.begin(), message.end(), block.begin() + separator + 1));
      int32_t out_length = -1;
      ASSERT_EQ(RSADecrypt(&key_, 1 - mode, 0, 0, cipher.data(), 999, back.data(), &out_length, 1), 0);
      ASSERT_EQ(out_length, length);
      EXPECT_TRUE(std::equal(message.begin(), message.end(), back.begin()));
      EXPECT_EQ(back[message.size()], 0xA5);
    }
  }
}

TEST_F(RsaKey, RefusedInputAndPadding) {
  Bytes message(118, 0x41), out(128, 0xA5);
  const struct {
    int mode, length;
    unsigned char *output;
    int32_t padding;
  } encrypts[] = {{0, 118, out.data(), 0}, {0, -1, out.data(), 0}, {2, 4, out.data(), 0}, {0, 4, nullptr, 0}, {0, 4, out.data(), 1}};
  for (const auto &e : encrypts) {
    key_.padding = e.padding;
    EXPECT_EQ(RSAEncrypt(&key_, e.mode, 0, 0, message.data(), e.length, e.output), 1) << e.mode << " " << e.length;
  }
  key_.padding = 0;
  EXPECT_EQ(out, Bytes(128, 0xA5));

  // Blocks put under the public key raw, then opened with the private key and the padding.
  const struct {
    std::vector<std::pair<size_t, unsigned char>> bytes;
    int result, length;
  } blocks[] = {
      {{{1, 1}, {100, 0}}, 1, -7},  // type 1
      {{{1, 2}}, 1, -7},             // no zero after the padding
      {{{1, 2}, {127, 0}}, 0, 0},    // a zero in the last byte: an empty message
      {{{1, 2}, {2, 0}}, 0, 125},    // an empty padding: everything after it
  };
  for (const auto &b : blocks) {
    Bytes block(128, 0xFF), back(128);
    block[0] = 0;
    for (const auto &[at, value] : b.bytes) block[at] = value;
    int32_t length = -7;
    EXPECT_EQ(RSADecrypt(&key_, 1, 0, 0, raw(0, block).data(), 0, back.data(), &length, 1), b.result);
    EXPECT_EQ(length, b.length);
  }
  const Bytes above(128, 0xFF);  // not below the modulus
  int32_t length = 0;
  EXPECT_EQ(RSADecrypt(&key_, 1, 0, 0, above.data(), 128, out.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key_, 2, 0, 0, above.data(), 128, out.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key_, 1, 0, 0, above.data(), 128, out.data(), nullptr, 1), 1);
}

TEST(RsaContext, GenerationFirstRefusalsFailuresAndItsRandomSource) {
  Integers fresh, other;
  unsigned char cipher[64], back[64];
  int32_t length = 0;
  ASSERT_EQ(RSAEncrypt(&fresh.ctx, 0, 512, 3, reinterpret_cast<const unsigned char *>("hello"), 5, cipher), 0);
  EXPECT_EQ(fresh.ctx.len, 64);
  EXPECT_EQ(text_of(fresh.ctx.E, 16), "03");
  ASSERT_EQ(RSADecrypt(&fresh.ctx, 1, 512, 3, cipher, 64, back, &length, 1), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(back), static_cast<size_t>(length)), "hello");
  EXPECT_EQ(RSADecrypt(&other.ctx, 2, 512, 65537, cipher, 64, back, &length, 1), 1);  // the key comes first
  EXPECT_EQ(other.ctx.len, 64);

  EXPECT_EQ(RSAGenerateKeysV2(nullptr, 512, 3, 255), -1024);
  for (const auto &[bits, exponent] : {std::pair{64, 3}, {127, 3}, {8194, 3}, {512, 2}, {512, 65536}}) {
    EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, bits, exponent, 255), -1024) << bits << " " << exponent;
  }
  // A context that holds a key keeps its random function. Failures: the function's code
  // OR'd into -1056, or past the time limit (its low 8 bits: 256 is 0) -1025; the integers
  // are released and the length kept.
  other.ctx.f_rng = failing_random;
  EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, 512, 65537, 255), -1056 | -256);
  SlowSource slow{1, false};
  fresh.ctx.f_rng = slow_random, fresh.ctx.p_rng = &slow;
  EXPECT_EQ(RSAGenerateKeysV2(&fresh.ctx, 256, 65537, 256), -1025);
  for (const auto *ctx : {&other.ctx, &fresh.ctx}) {
    EXPECT_EQ(ctx->len, 64);
    for (const mpi *m : {&ctx->N, &ctx->D, &ctx->P, &ctx->QP}) EXPECT_TRUE(m->n == 0 && m->p == nullptr);
  }
  other.ctx.f_rng = nullptr;
  EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, 512, 65537, 255), -1024);
}

// Each test runs in a fresh temporary directory as the working directory (the signing
// module's configuration and logs live there); the previous one is restored afterwards.
class Signing : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("vl_sign_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(dir_);
  }

  // The signature digits opened with the public key: the block over the digest of content.
  static void expect_signature_of(const std::string &digits, const std::string &content) {
    unsigned char expected[128], got[128];
    std::memset(expected, 0xFF, sizeof expected);
    expected[0] = 0x00, expected[1] = 0x01, expected[110] = 0x00, expected[111] = 0x10;
    mbedtls_md5_ret(reinterpret_cast<const unsigned char *>(content.data()), content.size(), expected + 112);
    Big n(vl::secrets::rsa_signing_modulus, 128), s, e, m;
    ASSERT_EQ(mbedtls_mpi_read_string(&s, 16, digits.c_str()), 0);
    mbedtls_mpi_lset(&e, 65537);
    ASSERT_EQ(mbedtls_mpi_exp_mod(&m, &s, &e, &n, nullptr), 0);
    ASSERT_EQ(mbedtls_mpi_write_binary(&m, got, sizeof got), 0);
    EXPECT_EQ(to_hex(got, 128), to_hex(expected, 128));
  }

  // Runs scenario in a new run of the test program for this test alone, so the module's
  // once-per-process set-up and key start from zero whatever ran before. The child re-runs
  // SetUp (its own directory), prints its failures on stderr (the parent shows them) and
  // exits with their verdict.
  template <typename Scenario>
  void in_fresh_process(Scenario scenario) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT((scenario(), finish_child()), ::testing::ExitedWithCode(0), "");
  }
  [[noreturn]] void finish_child() {
    const auto *result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result->total_part_count(); ++i) {
      const auto &part = result->GetTestPartResult(i);
      std::fprintf(stderr, "%s:%d: %s\n", part.file_name(), part.line_number(), part.message());
    }
    const bool failed = HasFailure();
    TearDown();
    std::exit(failed ? 1 : 0);
  }

  const std::string n_ = [] {
    std::string text = to_hex(vl::secrets::rsa_signing_modulus, 128);
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }();
  const std::string d_ = to_hex(vl::secrets::rsa_signing_private_exponent, 128);
  fs::path saved_, dir_;
};

TEST_F(Signing, Md5OfTheRfc1321VectorsAndOfCountedBytes) {
  std::ifstream vectors(VL_SOURCE_DIR "/tests/data/crypto/md5_rfc1321.tsv");
  int count = 0;
  char out[34];
  char *into = out;
  for (std::string line; std::getline(vectors, line); ++count) {
    std::memset(out, '#', sizeof out);
    const auto *message = reinterpret_cast<const unsigned char *>(line.data() + 33);
    ASSERT_EQ(CriptoGeraMD5Buf(message, static_cast<int32_t>(line.size() - 33), &into), 0);
    EXPECT_EQ(std::string(out, sizeof out), line.substr(0, 32) + "\0#"s) << line;
  }
  EXPECT_EQ(count, 7);
  const auto *abc = reinterpret_cast<const unsigned char *>("abc");
  ASSERT_EQ(CriptoGeraMD5Buf(abc, 2, &into), 0);
  EXPECT_STREQ(out, "187ef4436122d1cc2f40dc2b92f0eba0");
  EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
  EXPECT_EQ(CriptoGeraMD5Buf(nullptr, 1, &into), -1);
  EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, nullptr), -1);
  EXPECT_STREQ(out, "187ef4436122d1cc2f40dc2b92f0eba0");
}

TEST_F(Signing, KeysSignaturesAndSignedFiles) {
  // (The refusals the log shows are in the log's test.)
  EXPECT_EQ(CriptoSetaChvPriv(n_.c_str(), (d_ + "0").c_str(), "010001"), -1);
  EXPECT_EQ(CriptoSetaChvPriv(n_.c_str(), d_.c_str(), nullptr), -1);
  EXPECT_EQ(CriptoSetaChvPriv(n_.c_str(), d_.c_str(), "0G"), -1);
  EXPECT_EQ(CriptoSetaChvPriv(nullptr, d_.c_str(), "03"), -1);

  // GeraAssinatura appends EAD, 256 lower-case digits and LF; signing again covers that line.
  const std::string content = "conteudo\0binario\n"s;
  write_all("a.bin", content);
  ASSERT_EQ(GeraAssinatura("a.bin"), 0);
  const std::string once = read_all("a.bin");
  ASSERT_EQ(once.size(), content.size() + 260);
  EXPECT_TRUE(std::regex_match(once.substr(content.size()), std::regex("EAD[0-9a-f]{256}\n")));
  expect_signature_of(once.substr(content.size() + 3, 256), content);
  ASSERT_EQ(GeraAssinatura("a.bin"), 0);
  const std::string twice = read_all("a.bin");
  ASSERT_EQ(twice.size(), once.size() + 260);
  expect_signature_of(twice.substr(once.size() + 3, 256), once);
  EXPECT_EQ(GeraAssinatura("missing.bin"), 2);
  EXPECT_FALSE(fs::exists("missing.bin"));

  // The same key set from its texts signs alike; 256 digits, no NUL.
  char signature[258];
  std::memset(signature, '#', sizeof signature);
  char *into = signature;
  write_all("a.bin", content);
  ASSERT_EQ(CriptoSetaChvPriv(n_.c_str(), d_.c_str(), "010001"), 0);
  ASSERT_EQ(CriptoGeraAss("a.bin", &into), 256);
  EXPECT_EQ(std::string(signature, 257), once.substr(content.size() + 3, 256) + "#");
  EXPECT_EQ(CriptoGeraAss("missing.bin", &into), -1);
  EXPECT_EQ(std::string(signature, 257), std::string(256, '\0') + "#");
  EXPECT_EQ(CriptoGeraAss("a.bin", nullptr), -1);
  // A refusal after the lengths are checked clears the key, which still counts as set.
  EXPECT_EQ(CriptoSetaChvPriv(("G" + n_.substr(1)).c_str(), d_.c_str(), "010001"), -1);
  EXPECT_EQ(CriptoGeraAss("a.bin", &into), -1);
}

// The lines of a log, their time stamps checked and cut off.
std::vector<std::string> log_lines(const char *name) {
  std::vector<std::string> lines;
  std::ifstream in(name, std::ios::binary);
  const std::regex stamp("\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d:\\d\\d\\d");
  for (std::string line; std::getline(in, line);) {
    lines.push_back(std::regex_match(line.substr(0, 18), stamp) ? line.substr(18) : "no stamp: " + line);
  }
  return lines;
}

// The trace configuration is read once per process, so every case below runs in a process
// of its own, and the order of the tests in this program does not matter.
TEST_F(Signing, TraceLogFollowsItsConfigurationAndRotates) {
  const auto *abc = reinterpret_cast<const unsigned char *>("abc");
  // Off without the file (not looked for again later), and off unless line 1 says so.
  for (const char *config : {static_cast<const char *>(nullptr), "TRACE=0\nTRACE=1\n"}) {
    in_fresh_process([&] {
      if (config != nullptr) write_all("CriptCfg.txt", config);
      char out[33], *into = out;
      EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, &into), 0);
      write_all("CriptCfg.txt", "TRACE=1\n");
      EXPECT_EQ(CriptoGeraAss("x", &into), -2);  // no key yet in a new process
      EXPECT_FALSE(fs::exists("Cripto1.log"));
    });
  }

  in_fresh_process([&] {
    write_all("CriptCfg.txt", "trace=1\r\n");
    write_all("a.txt", "abc");
    char out[300], *into = out;
    EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, &into), 0);
    EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
    EXPECT_EQ(CriptoGeraAss("a.txt", &into), -2);
    std::vector<std::string> expected;
    for (const auto &line : rows("log")) expected.push_back(line.at(0));
    const auto key_lines = [&](const std::string &modulus, const std::string &exponent, const std::string &then) {
      for (const std::string &line : {"CriptoSetaChvPriv IN"s, "... ModuloPrivado   = " + modulus + " ...",
                                      "... ExpoentePrivado = " + d_ + " ...", "... ExpoentePublico = " + exponent + " ...", then}) {
        expected.push_back(line);
      }
    };
    const struct {
      std::string modulus, exponent, message;
    } refused[] = {{n_.substr(1), "010001", "... Tamanho Invalido (iTamModulo = 255), (iTamExpoente = 256) ..."},
                   {n_, "123", "... Tamanho Invalido (iTamExpoentePublico = 3) ..."},
                   {"G" + n_.substr(1), "010001", "... Retorno de Mpi_Read_string (RSA_Geral_N) = -6 ..."},
                   {std::string(254, '0') + "01", "010001", "... Tamanho rsa.len = 1 diferente de KEYLEN = 128 ..."}};
    for (const auto &r : refused) {
      EXPECT_EQ(CriptoSetaChvPriv(r.modulus.c_str(), d_.c_str(), r.exponent.c_str()), -1);
      key_lines(r.modulus, r.exponent, r.message);
    }
    for (const std::string file : {"missing.txt", "a.txt"}) {
      EXPECT_EQ(GeraAssinatura(file.c_str()), file == "a.txt" ? 0 : 2);
      key_lines(n_, "010001", "CriptoSetaChvPriv OUT : 0 (Chave Atribuida com Sucesso)");
      expected.push_back("CriptoGeraAss IN (Arquivo = " + file + ")");
    }
    expected.insert(expected.end() - 6, "... Erro Ao Gerar MD5 : 1...");
    expected.push_back("... sAssTrans = " + read_all("a.txt").substr(6, 256) + " ...");
    expected.push_back("CriptoGeraAss OUT : 0 (Gerado com Sucesso)");
    EXPECT_EQ(log_lines("Cripto1.log"), expected);

    // A log of exactly the limit takes one more line; above it, it replaces the old log.
    write_all("Cripto2.log", "older");
    write_all("Cripto1.log", std::string(500000, 'x'));
    EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
    EXPECT_EQ(fs::file_size("Cripto2.log"), 500000u + 18 + 20);
    EXPECT_EQ(log_lines("Cripto1.log"), std::vector<std::string>{"... Fora da Faixa ..."});
  });

  // A second line TAMLOG= raises the limit only without a line end, with digits 1 to 8 only
  // and only upwards.
  for (const auto &l : rows("limit")) {
    in_fresh_process([&] {
      write_all("CriptCfg.txt", std::regex_replace(l[0], std::regex("\\\\n"), "\n"));
      write_all("Cripto1.log", std::string(std::stoul(l[1]), 'x'));
      char out[33], *into = out;
      EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, &into), 0);
      EXPECT_EQ(fs::exists("Cripto2.log"), l[2] == "1") << l[0] << " " << l[1];
    });
  }
}

}  // namespace

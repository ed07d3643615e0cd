#include <gtest/gtest.h>
#include <mbedtls/bignum.h>
#include <mbedtls/md5.h>

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
#include <vector>

#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The records keep their field order with 32-bit integers; only pointers are native.
static_assert(sizeof(mpi) == 8 + sizeof(void *) && offsetof(mpi, p) == 8);
static_assert(offsetof(rsa_key_context, len) == 4 && offsetof(rsa_key_context, N) == 8 &&
              offsetof(rsa_key_context, QP) == 8 + 7 * sizeof(mpi) &&
              offsetof(rsa_key_context, RQ) == 8 + 10 * sizeof(mpi) &&
              offsetof(rsa_key_context, padding) == 8 + 11 * sizeof(mpi) &&
              offsetof(rsa_key_context, hash_id) == 12 + 11 * sizeof(mpi) &&
              offsetof(rsa_key_context, f_rng) == 16 + 11 * sizeof(mpi) &&
              offsetof(rsa_key_context, p_rng) == 16 + 11 * sizeof(mpi) + sizeof(void *));

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

// An mbed TLS integer with the value of one of ours (through the text interface).
struct Big {
  mbedtls_mpi v;
  Big() { mbedtls_mpi_init(&v); }
  explicit Big(const mpi &value) : Big() { mbedtls_mpi_read_string(&v, 16, text_of(value, 16).c_str()); }
  Big(const unsigned char *bytes, size_t count) : Big() { mbedtls_mpi_read_binary(&v, bytes, count); }
  ~Big() { mbedtls_mpi_free(&v); }
  Big(const Big &) = delete;
  mbedtls_mpi *operator&() { return &v; }
};

std::string hex(const unsigned char *bytes, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += "0123456789abcdef"[bytes[i] >> 4], out += "0123456789abcdef"[bytes[i] & 15];
  return out;
}

std::string read_all(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_all(const fs::path &path, const std::string &content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

TEST(MpiText, ReadsAndWritesBackInEveryRadix) {
  const struct {
    int radix;
    const char *in, *out;
  } cases[] = {
      {16, "FF", "FF"}, {16, "fff", "0FFF"}, {16, "0", "00"}, {16, "-1", "-01"}, {16, "-00ab", "-AB"},
      {10, "-12345678901234567890", "-12345678901234567890"}, {10, "-0", "0"}, {10, "", "0"}, {10, "-", "0"},
      {2, "-101", "-101"}, {8, "0777", "777"}, {3, "21", "21"}, {16, "123456789abcdef01", "0123456789ABCDEF01"},
  };
  Integers x;
  for (const auto &c : cases) {
    ASSERT_EQ(mpi_read_string(&x.ctx.N, c.radix, c.in), 0) << c.in;
    EXPECT_EQ(text_of(x.ctx.N, c.radix), c.out) << c.in;
  }
  // 32-bit limbs, least significant first, sign apart.
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, "-123456789abcdef01"), 0);
  ASSERT_EQ(x.ctx.N.n, 3u);
  EXPECT_EQ(x.ctx.N.s, -1);
  EXPECT_EQ(x.ctx.N.p[0], 0xABCDEF01u);
  EXPECT_EQ(x.ctx.N.p[1], 0x23456789u);
  EXPECT_EQ(x.ctx.N.p[2], 1u);
  // A record the caller built, high zero limbs included.
  uint32_t limbs[] = {0, 1, 0, 0};
  const mpi built{-1, 4, limbs};
  EXPECT_EQ(text_of(built, 16), "-0100000000");
  EXPECT_EQ(text_of(built, 10), "-4294967296");
}

TEST(MpiText, RefusalsAndTheRoomTheTextNeeds) {
  Integers x;
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, "5"), 0);
  const struct {
    int radix;
    const char *text;
    int result;
  } reads[] = {{17, "1", -4}, {1, "1", -4}, {16, nullptr, -4}, {16, "12G4", -6}, {8, "19", -6},
               {10, "1-2", -6}, {10, "--1", -6}, {10, " 1", -6}};
  for (const auto &r : reads) EXPECT_EQ(mpi_read_string(&x.ctx.N, r.radix, r.text), r.result) << r.text;
  EXPECT_EQ(mpi_read_string(nullptr, 10, "1"), -4);
  EXPECT_EQ(text_of(x.ctx.N, 10), "5");  // untouched by the refusals
  EXPECT_EQ(mpi_read_string(&x.ctx.N, 10, std::string(80001, '1').c_str()), -16);

  // Room: (bit length, halved from radix 4, halved again at 16) + 3; a negative value in
  // radix 16 counts its sign where the rule has no place for it.
  const struct {
    const char *value;
    int radix, size, result, size_after;
    std::string buffer;
  } writes[] = {
      {"1234", 16, 2, -8, 6, "########"},   {"1234", 16, 5, -8, 6, "########"},
      {"1234", 16, -1, -8, 6, "########"},  {"1234", 16, 6, 0, 5, "1234\0###"s},
      {"-1", 16, 3, -8, 4, "########"},     {"-1", 16, 4, 0, 4, "-01\0####"s},
      {"FF", 10, 6, -8, 7, "########"},     {"FF", 10, 7, 0, 4, "255\0####"s},
      {"-5", 2, 6, 0, 5, "-101\0###"s},     {"-5", 2, 5, -8, 6, "########"},
      {"1234", 17, 99, -4, 99, "########"},
  };
  for (const auto &w : writes) {
    ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, w.value), 0);
    char out[8];
    std::memset(out, '#', sizeof out);
    int32_t size = w.size;
    EXPECT_EQ(mpi_write_string(&x.ctx.N, w.radix, out, &size), w.result) << w.value << " radix " << w.radix;
    EXPECT_EQ(size, w.size_after) << w.value << " radix " << w.radix << " size " << w.size;
    EXPECT_EQ(std::string(out, sizeof out), w.buffer) << w.value << " radix " << w.radix << " size " << w.size;
  }
  int32_t size = 0;
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -8);  // asking for the room
  EXPECT_EQ(size, 6);
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -4);
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, nullptr), -4);
  const mpi broken{1, 2, nullptr};
  EXPECT_EQ(mpi_write_string(&broken, 16, nullptr, &size), -4);
}

TEST(MpiText, WriteFileAddsPrefixAndLineEnd) {
  Integers x;
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 10, "4095"), 0);
  FILE *stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(mpi_write_file("N = ", &x.ctx.N, 16, stream), 0);
  EXPECT_EQ(mpi_write_file(nullptr, &x.ctx.N, 2, stream), 0);
  // Too long for 1022 characters: a code of the text writer, nothing written.
  ASSERT_EQ(mpi_read_string(&x.ctx.E, 2, ("1" + std::string(1020, '0')).c_str()), 0);
  EXPECT_EQ(mpi_write_file("big", &x.ctx.E, 2, stream), -8);
  std::rewind(stream);
  char back[64] = {};
  EXPECT_EQ(std::fread(back, 1, sizeof back - 1, stream), 24u);
  EXPECT_EQ(std::string(back), "N = 0FFF\r\n111111111111\r\n");
  std::fclose(stream);

  testing::internal::CaptureStdout();
  EXPECT_EQ(mpi_write_file("x=", &x.ctx.N, 10, nullptr), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "x=4095\r\n");

  const fs::path path = fs::temp_directory_path() / ("vl_mpi_" + std::to_string(std::random_device{}()));
  write_all(path, "");
  FILE *read_only = std::fopen(path.c_str(), "rb");
  ASSERT_NE(read_only, nullptr);
  EXPECT_EQ(mpi_write_file("p", &x.ctx.N, 16, read_only), -2);
  std::fclose(read_only);
  fs::remove(path);
}

// A deterministic random source for key generation (xorshift over a caller's state).
int VL_CDECL counter_random(void *state, unsigned char *out, uint32_t length) {
  auto &x = *static_cast<uint64_t *>(state);
  for (uint32_t i = 0; i < length; ++i) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    out[i] = static_cast<unsigned char>(x >> 24);
  }
  return 0;
}
int VL_CDECL failing_random(void *, unsigned char *, uint32_t) { return -256; }
// Takes more than a second on its first call only.
struct SlowSource {
  uint64_t x;
  bool slept;
};
int VL_CDECL slow_random(void *state, unsigned char *out, uint32_t length) {
  auto &source = *static_cast<SlowSource *>(state);
  if (!source.slept) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  source.slept = true;
  return counter_random(&source.x, out, length);
}

// One 1024-bit key for the suite, generated once.
class RsaKey : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { generated_ = RSAGenerateKeys(&key_, 1024, 65537); }
  static void TearDownTestSuite() { RSAFree(&key_); }

  // The raw key operation (no padding) of mode on a block of key_.len bytes.
  static std::vector<unsigned char> raw(int mode, const std::vector<unsigned char> &block) {
    std::vector<unsigned char> out(static_cast<size_t>(key_.len));
    int32_t length = -7;
    EXPECT_EQ(RSADecrypt(&key_, mode, 0, 0, block.data(), 0, out.data(), &length, 0), 0);
    EXPECT_EQ(length, 0);
    return out;
  }

  static inline rsa_key_context key_{};
  static inline int generated_ = -1;
};

TEST_F(RsaKey, GeneratedKeyHoldsConsistentParts) {
  ASSERT_EQ(generated_, 0);
  EXPECT_EQ(key_.len, 128);
  EXPECT_EQ(key_.N.n, 32u);
  EXPECT_EQ(text_of(key_.N, 16).size(), 256u);
  EXPECT_EQ(text_of(key_.E, 16), "010001");
  EXPECT_EQ(key_.ver, 0);
  EXPECT_EQ(key_.padding, 0);
  EXPECT_EQ(key_.hash_id, 0);
  EXPECT_NE(key_.f_rng, nullptr);
  EXPECT_EQ(key_.RN.n + key_.RP.n + key_.RQ.n, 0u);

  Big n(key_.N), e(key_.E), d(key_.D), p(key_.P), q(key_.Q), dp(key_.DP), dq(key_.DQ), qp(key_.QP);
  Big p1, q1, h, t, r;
  EXPECT_GT(mbedtls_mpi_cmp_mpi(&p, &q), 0);
  mbedtls_mpi_mul_mpi(&t, &p, &q);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&t, &n), 0);
  mbedtls_mpi_sub_int(&p1, &p, 1);
  mbedtls_mpi_sub_int(&q1, &q, 1);
  mbedtls_mpi_mul_mpi(&h, &p1, &q1);
  // D inverts E modulo (P-1)(Q-1) itself, not only modulo its lcm.
  EXPECT_LT(mbedtls_mpi_cmp_mpi(&d, &h), 0);
  mbedtls_mpi_mul_mpi(&t, &d, &e);
  mbedtls_mpi_mod_mpi(&r, &t, &h);
  EXPECT_EQ(mbedtls_mpi_cmp_int(&r, 1), 0);
  mbedtls_mpi_mod_mpi(&r, &d, &p1);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&r, &dp), 0);
  mbedtls_mpi_mod_mpi(&r, &d, &q1);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&r, &dq), 0);
  mbedtls_mpi_mul_mpi(&t, &qp, &q);
  mbedtls_mpi_mod_mpi(&r, &t, &p);
  EXPECT_EQ(mbedtls_mpi_cmp_int(&r, 1), 0);
}

TEST_F(RsaKey, PaddedRoundTripsBothWays) {
  ASSERT_EQ(generated_, 0);
  for (const int encrypt_mode : {0, 1}) {
    for (const int length : {0, 1, 60, 117}) {
      std::vector<unsigned char> message(static_cast<size_t>(length)), cipher(128), back(128, 0xA5);
      for (int i = 0; i < length; ++i) message[static_cast<size_t>(i)] = static_cast<unsigned char>(i * 7 + 1);
      ASSERT_EQ(RSAEncrypt(&key_, encrypt_mode, 0, 0, message.data(), length, cipher.data()), 0) << length;
      // The block under the key: 00 02, non-zero padding, 00, the message.
      const auto block = raw(1 - encrypt_mode, cipher);
      EXPECT_EQ(block[0], 0x00);
      EXPECT_EQ(block[1], 0x02);
      const size_t padding = static_cast<size_t>(125 - length);
      for (size_t i = 2; i < 2 + padding; ++i) EXPECT_NE(block[i], 0) << i;
      EXPECT_EQ(block[2 + padding], 0x00);
      EXPECT_TRUE(std::equal(message.begin(), message.end(), block.begin() + 3 + static_cast<long>(padding)));

      int32_t out_length = -1;
      ASSERT_EQ(RSADecrypt(&key_, 1 - encrypt_mode, 0, 0, cipher.data(), 999, back.data(), &out_length, 1), 0);
      ASSERT_EQ(out_length, length);
      EXPECT_TRUE(std::equal(message.begin(), message.end(), back.begin()));
      EXPECT_EQ(back[static_cast<size_t>(length)], 0xA5);
    }
  }
}

TEST_F(RsaKey, RefusedInputAndPadding) {
  ASSERT_EQ(generated_, 0);
  std::vector<unsigned char> message(118, 0x41), out(128, 0xA5);
  EXPECT_EQ(RSAEncrypt(&key_, 0, 0, 0, message.data(), 118, out.data()), 1);
  EXPECT_EQ(RSAEncrypt(&key_, 0, 0, 0, message.data(), -1, out.data()), 1);
  EXPECT_EQ(RSAEncrypt(&key_, 2, 0, 0, message.data(), 4, out.data()), 1);
  EXPECT_EQ(RSAEncrypt(&key_, 0, 0, 0, message.data(), 4, nullptr), 1);
  EXPECT_EQ(RSAEncrypt(nullptr, 0, 0, 0, message.data(), 4, out.data()), 1);
  key_.padding = 1;
  EXPECT_EQ(RSAEncrypt(&key_, 0, 0, 0, message.data(), 4, out.data()), 1);
  key_.padding = 0;
  EXPECT_EQ(out, std::vector<unsigned char>(128, 0xA5));

  // Blocks made by the raw public operation, opened with the private key and the padding.
  auto opened = [](std::vector<unsigned char> block, int32_t &length, std::vector<unsigned char> &back) {
    const auto cipher = raw(0, block);
    return RSADecrypt(&key_, 1, 0, 0, cipher.data(), 128, back.data(), &length, 1);
  };
  std::vector<unsigned char> block(128, 0xFF), back(128, 0xA5);
  block[0] = 0x00;
  block[1] = 0x01;
  block[100] = 0x00;
  int32_t length = -7;
  EXPECT_EQ(opened(block, length, back), 1);  // type 1
  block[1] = 0x02;
  block[100] = 0xFF;
  EXPECT_EQ(opened(block, length, back), 1);  // no zero after the padding
  EXPECT_EQ(length, -7);
  block[127] = 0x00;
  EXPECT_EQ(opened(block, length, back), 0);  // zero at the very end: an empty message
  EXPECT_EQ(length, 0);
  block[2] = 0x00;
  EXPECT_EQ(opened(block, length, back), 0);  // an empty padding: everything after it
  EXPECT_EQ(length, 125);
  EXPECT_EQ(back[0], 0xFF);
  EXPECT_EQ(back[124], 0x00);

  const std::vector<unsigned char> above(128, 0xFF);  // not below the modulus
  EXPECT_EQ(RSADecrypt(&key_, 1, 0, 0, above.data(), 128, back.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key_, 2, 0, 0, block.data(), 128, back.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key_, 1, 0, 0, block.data(), 128, back.data(), nullptr, 1), 1);
}

TEST(RsaContext, AKeylessContextGetsAKeyFirst) {
  Integers fresh;
  const unsigned char message[] = "hello";
  unsigned char cipher[64], back[64];
  int32_t length = 0;
  ASSERT_EQ(RSAEncrypt(&fresh.ctx, 0, 512, 3, message, 5, cipher), 0);
  EXPECT_EQ(fresh.ctx.len, 64);
  EXPECT_EQ(text_of(fresh.ctx.E, 16), "03");
  ASSERT_EQ(RSADecrypt(&fresh.ctx, 1, 512, 3, cipher, 64, back, &length, 1), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(back), static_cast<size_t>(length)), "hello");

  // The key comes before the mode is looked at.
  Integers other;
  EXPECT_EQ(RSADecrypt(&other.ctx, 2, 512, 65537, cipher, 64, back, &length, 1), 1);
  EXPECT_EQ(other.ctx.len, 64);
}

TEST(RsaContext, GenerationRefusalsFailuresAndItsRandomSource) {
  Integers ctx;
  EXPECT_EQ(RSAGenerateKeysV2(nullptr, 512, 3, 255), -1024);
  for (const auto &[bits, exponent] : {std::pair{64, 3}, {127, 3}, {8194, 3}, {512, 2}, {512, 65536}}) {
    EXPECT_EQ(RSAGenerateKeysV2(&ctx.ctx, bits, exponent, 255), -1024) << bits << " " << exponent;
  }
  // A context that holds a key keeps its random function: the same source gives the same key.
  uint64_t state_a = 12345, state_b = 12345;
  Integers a, b;
  a.ctx.len = b.ctx.len = 1;
  a.ctx.f_rng = b.ctx.f_rng = counter_random;
  a.ctx.p_rng = &state_a;
  b.ctx.p_rng = &state_b;
  ASSERT_EQ(RSAGenerateKeys(&a.ctx, 512, 65537), 0);
  ASSERT_EQ(RSAGenerateKeys(&b.ctx, 512, 65537), 0);
  EXPECT_EQ(text_of(a.ctx.N, 16), text_of(b.ctx.N, 16));
  EXPECT_EQ(text_of(a.ctx.D, 16), text_of(b.ctx.D, 16));

  // A failing source: its code OR'd into -1056, the integers released, the length kept.
  a.ctx.f_rng = failing_random;
  EXPECT_EQ(RSAGenerateKeysV2(&a.ctx, 512, 65537, 255), -1056 | -256);
  EXPECT_EQ(a.ctx.len, 64);
  for (const mpi *m : {&a.ctx.N, &a.ctx.D, &a.ctx.P, &a.ctx.QP}) EXPECT_TRUE(m->n == 0 && m->p == nullptr);
  a.ctx.f_rng = nullptr;
  EXPECT_EQ(RSAGenerateKeysV2(&a.ctx, 512, 65537, 255), -1024);

  // Past the time limit (only its low 8 bits count: 256 is 0).
  SlowSource slow{1, false};
  b.ctx.f_rng = slow_random;
  b.ctx.p_rng = &slow;
  EXPECT_EQ(RSAGenerateKeysV2(&b.ctx, 256, 65537, 256), -1025);
  EXPECT_TRUE(b.ctx.N.n == 0 && b.ctx.N.p == nullptr);

  RSAFree(&b.ctx);
  RSAFree(nullptr);
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

  // The signing key as the module takes it: modulus upper case, private exponent lower.
  static std::string modulus_text() {
    std::string text = hex(vl::secrets::rsa_signing_modulus, 128);
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }
  static std::string exponent_text() { return hex(vl::secrets::rsa_signing_private_exponent, 128); }

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
    EXPECT_EQ(hex(got, 128), hex(expected, 128));
  }

  // Runs scenario in a new run of the test program (for this test alone), so that the
  // module's once-per-process set-up and key start from zero whatever ran before; the child
  // re-runs SetUp (its own directory), prints its failures on stderr (shown by the parent)
  // and exits with their verdict.
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

  fs::path saved_, dir_;
};

TEST_F(Signing, Md5OfTheRfc1321VectorsAndOfCountedBytes) {
  std::ifstream vectors(VL_SOURCE_DIR "/tests/data/crypto/md5_rfc1321.tsv");
  std::string line;
  int count = 0;
  for (; std::getline(vectors, line); ++count) {
    const std::string digest = line.substr(0, 32), message = line.substr(33);
    char out[34];
    std::memset(out, '#', sizeof out);
    char *into = out;
    ASSERT_EQ(CriptoGeraMD5Buf(reinterpret_cast<const unsigned char *>(message.data()),
                               static_cast<int32_t>(message.size()), &into), 0);
    EXPECT_EQ(std::string(out, sizeof out), digest + "\0#"s) << message;
  }
  EXPECT_EQ(count, 7);
  char out[34] = "untouched";
  char *into = out;
  const auto *abc = reinterpret_cast<const unsigned char *>("abc");
  ASSERT_EQ(CriptoGeraMD5Buf(abc, 2, &into), 0);
  EXPECT_STREQ(out, "187ef4436122d1cc2f40dc2b92f0eba0");
  std::strcpy(out, "untouched");
  EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
  EXPECT_EQ(CriptoGeraMD5Buf(nullptr, 1, &into), -1);
  EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, nullptr), -1);
  EXPECT_STREQ(out, "untouched");
}

TEST_F(Signing, GeraAssinaturaAppendsAVerifiableLineAndSignsTheSignedFileAgain) {
  const std::string content = "linha 1\nlinha 2\n";
  write_all("dados.txt", content);
  ASSERT_EQ(GeraAssinatura("dados.txt"), 0);
  const std::string once = read_all("dados.txt");
  ASSERT_EQ(once.size(), content.size() + 260);
  EXPECT_EQ(once.substr(0, content.size()), content);
  EXPECT_EQ(once.substr(content.size(), 3), "EAD");
  EXPECT_EQ(once.back(), '\n');
  const std::string first = once.substr(content.size() + 3, 256);
  EXPECT_TRUE(std::regex_match(first, std::regex("[0-9a-f]{256}")));
  expect_signature_of(first, content);

  ASSERT_EQ(GeraAssinatura("dados.txt"), 0);
  const std::string twice = read_all("dados.txt");
  ASSERT_EQ(twice.size(), once.size() + 260);
  EXPECT_EQ(twice.substr(0, once.size()), once);
  expect_signature_of(twice.substr(once.size() + 3, 256), once);

  EXPECT_EQ(GeraAssinatura("missing.txt"), 2);
  EXPECT_FALSE(fs::exists("missing.txt"));
}

TEST_F(Signing, KeyRefusalsAndTheSignatureOfAFile) {
  const std::string n = modulus_text(), d = exponent_text();
  const struct {
    std::string modulus, exponent;
    const char *public_exponent;
  } refused[] = {
      {n.substr(1), d, "010001"}, {n, d + "0", "010001"}, {n, d, "123"}, {n, d, nullptr},
      {"G" + n.substr(1), d, "010001"}, {n, d, "0G"}, {std::string(254, '0') + "01", d, "010001"},
  };
  for (const auto &r : refused) {
    EXPECT_EQ(CriptoSetaChvPriv(r.modulus.c_str(), r.exponent.c_str(), r.public_exponent), -1) << r.modulus;
  }
  EXPECT_EQ(CriptoSetaChvPriv(nullptr, d.c_str(), "03"), -1);

  write_all("a.bin", "conteudo\0binario"s);
  char signature[258];
  std::memset(signature, '#', sizeof signature);
  char *into = signature;
  ASSERT_EQ(CriptoSetaChvPriv(n.c_str(), d.c_str(), "010001"), 0);
  ASSERT_EQ(CriptoGeraAss("a.bin", &into), 256);
  EXPECT_EQ(signature[256], '#');
  const std::string digits(signature, 256);
  expect_signature_of(digits, "conteudo\0binario"s);
  ASSERT_EQ(GeraAssinatura("a.bin"), 0);  // the same key writes the same digits
  EXPECT_EQ(read_all("a.bin").substr(19, 256), digits);

  EXPECT_EQ(CriptoGeraAss("missing.bin", &into), -1);
  EXPECT_EQ(std::string(signature, 257), std::string(256, '\0') + "#");
  EXPECT_EQ(CriptoGeraAss("a.bin", nullptr), -1);
  // A refusal after the lengths are checked clears the key but it still counts as set.
  EXPECT_EQ(CriptoSetaChvPriv(("G" + n.substr(1)).c_str(), d.c_str(), "010001"), -1);
  EXPECT_EQ(CriptoGeraAss("a.bin", &into), -1);
}

// The log lines of a file, their time stamps checked and cut off.
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
// of its own and the order of the tests in this program does not matter.
TEST_F(Signing, TraceLogFollowsItsConfigurationAndRotates) {
  // Off without the file (and it is not looked for again), and off unless line 1 says so.
  for (const char *config : {static_cast<const char *>(nullptr), "TRACE=0\nTRACE=1\n"}) {
    in_fresh_process([config] {
      if (config != nullptr) write_all("CriptCfg.txt", config);
      char out[33], *into = out;
      EXPECT_EQ(CriptoGeraMD5Buf(reinterpret_cast<const unsigned char *>("abc"), 3, &into), 0);
      write_all("CriptCfg.txt", "TRACE=1\n");
      EXPECT_EQ(CriptoGeraAss("x", &into), -2);  // no key yet in a new process
      EXPECT_EQ(CriptoSetaChvPriv("1", "2", "03"), -1);
      EXPECT_FALSE(fs::exists("Cripto1.log"));
    });
  }

  in_fresh_process([] {
    write_all("CriptCfg.txt", "trace=1\r\n");
    write_all("dados.txt", "abc");
    const std::string n = modulus_text(), d = exponent_text(), bad = std::string(254, '0') + "01";
    const auto *abc = reinterpret_cast<const unsigned char *>("abc");
    char out[300], *into = out;
    EXPECT_EQ(CriptoGeraMD5Buf(abc, 3, &into), 0);
    EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
    EXPECT_EQ(CriptoGeraAss("dados.txt", &into), -2);
    EXPECT_EQ(CriptoSetaChvPriv(n.substr(1).c_str(), d.c_str(), "010001"), -1);
    EXPECT_EQ(CriptoSetaChvPriv(n.c_str(), d.c_str(), "123"), -1);
    EXPECT_EQ(CriptoSetaChvPriv(("G" + n.substr(1)).c_str(), d.c_str(), "010001"), -1);
    EXPECT_EQ(CriptoSetaChvPriv(bad.c_str(), d.c_str(), "010001"), -1);
    EXPECT_EQ(GeraAssinatura("missing.txt"), 2);
    EXPECT_EQ(GeraAssinatura("dados.txt"), 0);
    const std::string signature = read_all("dados.txt").substr(6, 256);
    const auto keys = [&](const std::string &modulus, const char *exponent) {
      return std::vector<std::string>{"CriptoSetaChvPriv IN", "... ModuloPrivado   = " + modulus + " ...",
                                      "... ExpoentePrivado = " + d + " ...",
                                      "... ExpoentePublico = "s + exponent + " ..."};
    };
    std::vector<std::string> expected = {
        "----------------------------------------------------",
        "- CRIPTO   : Modulo de Criptografia RSA          -",
        "- V1.0.0.1 - 12/02/2008 - Equipe Dev.              -",
        "- Alteracoes : 1 - Funcao _dumplog                 -",
        "-              2 - Parametros de Configuracao      -",
        "----------------------------------------------------",
        "... Tamanho : 3 Buffer : abc ...", "... MD5buf = 900150983cd24fb0d6963f7d28e17f72 ...",
        "CriptoGeraMD5Buf OUT : 0", "CriptoGeraMD5Buf IN", "... Fora da Faixa ...",
        "CriptoGeraAss IN (Arquivo = dados.txt)", "... Erro! Chave Privada Nao Setada..."};
    const auto add = [&](std::vector<std::string> more) { expected.insert(expected.end(), more.begin(), more.end()); };
    add(keys(n.substr(1), "010001"));
    add({"... Tamanho Invalido (iTamModulo = 255), (iTamExpoente = 256) ..."});
    add(keys(n, "123"));
    add({"... Tamanho Invalido (iTamExpoentePublico = 3) ..."});
    add(keys("G" + n.substr(1), "010001"));
    add({"... Retorno de Mpi_Read_string (RSA_Geral_N) = -6 ..."});
    add(keys(bad, "010001"));
    add({"... Tamanho rsa.len = 1 diferente de KEYLEN = 128 ..."});
    add(keys(n, "010001"));
    add({"CriptoSetaChvPriv OUT : 0 (Chave Atribuida com Sucesso)", "CriptoGeraAss IN (Arquivo = missing.txt)",
         "... Erro Ao Gerar MD5 : 1..."});
    add(keys(n, "010001"));
    add({"CriptoSetaChvPriv OUT : 0 (Chave Atribuida com Sucesso)", "CriptoGeraAss IN (Arquivo = dados.txt)",
         "... sAssTrans = " + signature + " ...", "CriptoGeraAss OUT : 0 (Gerado com Sucesso)"});
    EXPECT_EQ(log_lines("Cripto1.log"), expected);

    // Rotation: a log of exactly the limit takes one more line; above it, it becomes the old log.
    write_all("Cripto2.log", "older");
    write_all("Cripto1.log", std::string(500000, 'x'));
    EXPECT_EQ(CriptoGeraMD5Buf(abc, -1, &into), -1);
    EXPECT_EQ(fs::file_size("Cripto2.log"), 500000u + 18 + 20);
    EXPECT_EQ(log_lines("Cripto1.log"), std::vector<std::string>{"... Fora da Faixa ..."});
  });

  // A second line TAMLOG= raises the limit only when it has no line end, only digits 1 to 8
  // and only upwards.
  const struct {
    const char *config;
    size_t log_size;
    bool rotated;
  } limits[] = {
      {"TRACE=1\nTAMLOG=711111", 710000, false},   {"TRACE=1\nTAMLOG=711111", 711112, true},
      {"TRACE=1\nTAMLOG=711111\n", 500001, true},  {"TRACE=1\nTAMLOG=790000", 500001, true},
      {"TRACE=1\nTAMLOG=411111", 500001, true},    {"TRACE=1\nxx tamlog=1234567", 1200000, false},
  };
  for (const auto &l : limits) {
    in_fresh_process([l] {
      write_all("CriptCfg.txt", l.config);
      write_all("Cripto1.log", std::string(l.log_size, 'x'));
      char out[33], *into = out;
      EXPECT_EQ(CriptoGeraMD5Buf(reinterpret_cast<const unsigned char *>("abc"), 3, &into), 0);
      EXPECT_EQ(fs::exists("Cripto2.log"), l.rotated) << l.config << " " << l.log_size;
    });
  }
}

}  // namespace

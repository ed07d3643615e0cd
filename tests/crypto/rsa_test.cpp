#include <gtest/gtest.h>
#include <mbedtls/bignum.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using vl::test::Bytes;
using vl::test::to_hex;

std::vector<vl::test::Row> rows(const char *kind) { return vl::test::data_rows("crypto/rsa.tsv", kind); }

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

std::string read_all(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
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

  for (const auto &w : rows("write")) {
    ASSERT_EQ(mpi_read_string(&x.ctx.N, 16, w[0].c_str()), 0);
    int32_t size = std::stoi(w[2]);
    std::string got = TEXT_OF(7, mpi_write_string(&x.ctx.N, std::stoi(w[1]), o, &size));
    std::replace(got.begin(), got.end(), '\0', '|');
    EXPECT_EQ(got + " " + std::to_string(size), w[5] + " -> " + w[3] + " " + w[4]) << w[0] << " " << w[1] << " " << w[2];
  }
  int32_t size = 0;
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -8);  // asking for the room
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, &size), -4);  // 3, enough but nowhere to write
  EXPECT_EQ(mpi_write_string(&x.ctx.N, 16, nullptr, nullptr), -4);

  // To a stream: the prefix, the text, CR LF; nothing of a text that does not fit.
  ASSERT_EQ(mpi_read_string(&x.ctx.N, 10, "4095"), 0);
  ASSERT_EQ(mpi_read_string(&x.ctx.E, 2, ("1" + std::string(1020, '0')).c_str()), 0);  // needs 1024
  FILE *stream = std::tmpfile(), *read_only = std::fopen(VL_SOURCE_DIR "/tests/data/crypto/rsa.tsv", "rb");
  EXPECT_EQ(mpi_write_file("N = ", &x.ctx.N, 16, stream), 0);
  EXPECT_EQ(mpi_write_file(nullptr, &x.ctx.N, 2, stream), 0);
  EXPECT_EQ(mpi_write_file("big", &x.ctx.E, 2, stream), -8);
  EXPECT_EQ(mpi_write_file("p", &x.ctx.N, 16, read_only), -2);
  char back[64];
  std::rewind(stream);
  EXPECT_EQ(std::string(back, std::fread(back, 1, sizeof back, stream)), "N = 0FFF\r\n111111111111\r\n");
  std::fclose(stream), std::fclose(read_only);
}

// Random sources: xorshift, taking over a second on its first call (a state of 1); one that fails.
int VL_CDECL slow_random(void *state, unsigned char *out, uint32_t length) {
  auto &x = *static_cast<uint64_t *>(state);
  if (x == 1) std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  for (uint32_t i = 0; i < length; ++i) x ^= x << 13, x ^= x >> 7, x ^= x << 17, out[i] = static_cast<unsigned char>(x >> 24);
  return 0;
}
int VL_CDECL failing_random(void *, unsigned char *, uint32_t) { return -256; }

// A 1024-bit key: its parts, padded round trips both ways, refused input and padding.
TEST(RsaKey, GeneratedPartsRoundTripsAndRefusals) {
  Integers generated;
  rsa_key_context &key = generated.ctx;
  ASSERT_EQ(RSAGenerateKeys(&key, 1024, 65537), 0);
  const auto raw = [&key](int mode, const Bytes &block) {  // the unpadded operation of mode
    Bytes out(128);
    int32_t length = -7;
    EXPECT_EQ(RSADecrypt(&key, mode, 0, 0, block.data(), 0, out.data(), &length, 0), 0);
    EXPECT_EQ(length, 0);
    return out;
  };
  EXPECT_EQ(std::to_string(key.len) + " " + std::to_string(key.N.n) + " " + text_of(key.E, 16), "128 32 010001");
  // The parts read into mbed TLS integers through the text interface; then P-1, Q-1, (P-1)(Q-1), 1, two for products.
  mbedtls_mpi v[14];
  auto &[n, e, d, p, q, dp, dq, qp, p1, q1, h, one, t, r] = v;
  const mpi *parts[] = {&key.N, &key.E, &key.D, &key.P, &key.Q, &key.DP, &key.DQ, &key.QP};
  for (auto &x : v) mbedtls_mpi_init(&x);
  for (int i = 0; i < 8; ++i) mbedtls_mpi_read_string(&v[i], 16, text_of(*parts[i], 16).c_str());
  mbedtls_mpi_sub_int(&p1, &p, 1), mbedtls_mpi_sub_int(&q1, &q, 1), mbedtls_mpi_mul_mpi(&h, &p1, &q1);
  mbedtls_mpi_lset(&one, 1);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&p, &q), 1);
  EXPECT_EQ(mbedtls_mpi_cmp_mpi(&d, &h), -1);  // D inverts E modulo (P-1)(Q-1) itself, not only their lcm
  // Each row: a * b (mod m) is the value.
  const std::vector<std::vector<mbedtls_mpi *>> products = {
      {&p, &q, nullptr, &n}, {&d, &e, &h, &one}, {&qp, &q, &p, &one}, {&d, &one, &p1, &dp}, {&d, &one, &q1, &dq}};
  for (const auto &row : products) {
    mbedtls_mpi_mul_mpi(&t, row[0], row[1]), mbedtls_mpi_mod_mpi(&r, &t, row[2] != nullptr ? row[2] : &n);
    EXPECT_EQ(mbedtls_mpi_cmp_mpi(row[2] != nullptr ? &r : &t, row[3]), 0) << &row - products.data();
  }
  for (auto &x : v) mbedtls_mpi_free(&x);
  // Padded both ways, seen raw under the other half of the key: 00 02, non-zero padding, 00, the message.
  for (const int mode : {0, 1}) {
    for (const int length : {0, 1, 117}) {
      Bytes message(static_cast<size_t>(length)), cipher(128), back(128, 0xA5);
      for (size_t i = 0; i < message.size(); ++i) message[i] = static_cast<unsigned char>(i * 7 + 1);
      ASSERT_EQ(RSAEncrypt(&key, mode, 0, 0, message.data(), length, cipher.data()), 0) << length;
      const Bytes block = raw(1 - mode, cipher);
      const auto separator = std::find(block.begin() + 2, block.end(), 0);
      EXPECT_EQ(to_hex(block.data(), 2) + " " + std::to_string(separator - block.begin()), "0002 " + std::to_string(127 - length));
      EXPECT_EQ(Bytes(std::min(separator + 1, block.end()), block.end()), message);
      int32_t out_length = -1;
      ASSERT_EQ(RSADecrypt(&key, 1 - mode, 0, 0, cipher.data(), 999, back.data(), &out_length, 1), 0);
      EXPECT_EQ(to_hex(back.data(), static_cast<size_t>(out_length) + 1), to_hex(message) + "a5");
    }
  }
  Bytes message(118, 0x41), out(128, 0xA5);
  const std::tuple<int, int, unsigned char *, int32_t> encrypts[] = {
      {0, 118, out.data(), 0}, {0, -1, out.data(), 0}, {2, 4, out.data(), 0}, {0, 4, nullptr, 0}, {0, 4, out.data(), 1}};
  for (const auto &[mode, length, output, padding] : encrypts) {
    key.padding = padding;
    EXPECT_EQ(RSAEncrypt(&key, mode, 0, 0, message.data(), length, output), 1) << mode << " " << length;
  }
  key.padding = 0;
  EXPECT_EQ(out, Bytes(128, 0xA5));

  // Blocks 00 TYPE FF.. with a zero at one place, opened with the padding: type 1; no zero after
  // the padding; a zero in the last byte (an empty message); an empty padding (all after it).
  for (const auto &[type, zero_at, result, length] : {std::tuple{1, 100, 1, -7}, {2, 1, 1, -7}, {2, 127, 0, 0}, {2, 2, 0, 125}}) {
    Bytes block(128, 0xFF), back(128);
    block[0] = 0, block[zero_at] = 0, block[1] = static_cast<unsigned char>(type);
    int32_t got = -7;
    EXPECT_EQ(RSADecrypt(&key, 1, 0, 0, raw(0, block).data(), 0, back.data(), &got, 1), result) << zero_at;
    EXPECT_EQ(got, length) << zero_at;
  }
  const Bytes above(128, 0xFF);  // not below the modulus
  int32_t length = 0;
  EXPECT_EQ(RSADecrypt(&key, 1, 0, 0, above.data(), 128, out.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key, 2, 0, 0, above.data(), 128, out.data(), &length, 1), 1);
  EXPECT_EQ(RSADecrypt(&key, 1, 0, 0, above.data(), 128, out.data(), nullptr, 1), 1);
}

TEST(RsaContext, GenerationFirstRefusalsFailuresAndItsRandomSource) {
  Integers fresh, other;
  unsigned char cipher[64], back[64];
  int32_t length = 0;
  ASSERT_EQ(RSAEncrypt(&fresh.ctx, 0, 512, 3, reinterpret_cast<const unsigned char *>("hello"), 5, cipher), 0);
  EXPECT_EQ(std::to_string(fresh.ctx.len) + " " + text_of(fresh.ctx.E, 16), "64 03");
  ASSERT_EQ(RSADecrypt(&fresh.ctx, 1, 512, 3, cipher, 64, back, &length, 1), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char *>(back), static_cast<size_t>(length)), "hello");
  EXPECT_EQ(RSADecrypt(&other.ctx, 2, 512, 65537, cipher, 64, back, &length, 1), 1);  // the key comes first
  EXPECT_EQ(other.ctx.len, 64);

  EXPECT_EQ(RSAGenerateKeysV2(nullptr, 512, 3, 255), -1024);
  for (const auto &[bits, exponent] : {std::pair{64, 3}, {127, 3}, {8194, 3}, {512, 2}, {512, 65536}})
    EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, bits, exponent, 255), -1024) << bits << " " << exponent;
  // A context holding a key keeps its random function. Failures: its code OR'd into -1056, or
  // -1025 past the time limit (256 is 0); the integers are released, the length kept.
  other.ctx.f_rng = failing_random;
  EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, 512, 65537, 255), -1056 | -256);
  uint64_t slow = 1;
  fresh.ctx.f_rng = slow_random, fresh.ctx.p_rng = &slow;
  EXPECT_EQ(RSAGenerateKeysV2(&fresh.ctx, 256, 65537, 256), -1025);
  for (const auto *ctx : {&other.ctx, &fresh.ctx}) {
    EXPECT_EQ(ctx->len, 64);
    for (const mpi *m : {&ctx->N, &ctx->D, &ctx->P, &ctx->QP}) EXPECT_TRUE(m->n == 0 && m->p == nullptr);
  }
  other.ctx.f_rng = nullptr;
  EXPECT_EQ(RSAGenerateKeysV2(&other.ctx, 512, 65537, 255), -1024);
}

// Each test runs in a temporary directory of its own, where the module's configuration and logs live.
class Signing : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path(), dir_ = fs::temp_directory_path() / ("vl_sign_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_), fs::current_path(dir_);
  }
  void TearDown() override { fs::current_path(saved_), fs::remove_all(dir_); }

  // Runs scenario in a new run of this test alone, where the module starts afresh; the child prints its failures.
  template <typename Scenario>
  void in_fresh_process(Scenario scenario) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT((scenario(), finish_child()), ::testing::ExitedWithCode(0), "");
  }
  [[noreturn]] void finish_child() {
    const auto *result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result->total_part_count(); ++i)
      std::fprintf(stderr, "line %d: %s\n", result->GetTestPartResult(i).line_number(), result->GetTestPartResult(i).message());
    const int code = HasFailure() ? 1 : 0;
    TearDown(), std::exit(code);
  }

  const std::string n_ = vl::test::hex_of(vl::secrets::rsa_signing_modulus, 128);  // upper case
  const std::string d_ = to_hex(vl::secrets::rsa_signing_private_exponent, 128);
  const unsigned char *abc_ = reinterpret_cast<const unsigned char *>("abc");
  fs::path saved_, dir_;
};

TEST_F(Signing, Md5OfTheRfc1321VectorsKeysSignaturesAndSignedFiles) {
  const auto vectors = vl::test::data_rows("crypto/md5_rfc1321.tsv");
  ASSERT_EQ(vectors.size(), 7u);
  for (const auto &v : vectors) {
    const std::string message = v.size() > 1 ? v[1] : "";
    const auto *bytes = reinterpret_cast<const unsigned char *>(message.data());
    EXPECT_EQ(written<40>([&](char *o) { return CriptoGeraMD5Buf(bytes, static_cast<int32_t>(message.size()), &o); }),
              "0 " + v[0] + "\0"s);
  }
  char out[33] = "untouched", *into = out, *none = nullptr;
  for (const auto &[buffer, length, digest] : {std::tuple{abc_, -1, &into}, {nullptr, 1, &into}, {abc_, 3, nullptr}, {abc_, 3, &none}})
    EXPECT_EQ(CriptoGeraMD5Buf(buffer, length, digest), -1) << length;
  EXPECT_STREQ(out, "untouched");
  ASSERT_EQ(CriptoGeraMD5Buf(abc_, 2, &into), 0);  // the bytes counted, not the text
  EXPECT_STREQ(out, "187ef4436122d1cc2f40dc2b92f0eba0");

  const std::string long_d = d_ + "0";
  for (const auto &[n, d, e] : {std::tuple{n_.c_str(), long_d.c_str(), "010001"}, {n_.c_str(), d_.c_str(), nullptr},
                                {n_.c_str(), d_.c_str(), "0G"}, {nullptr, d_.c_str(), "03"}})
    EXPECT_EQ(CriptoSetaChvPriv(n, d, e), -1) << (e == nullptr ? "null" : e);

  // GeraAssinatura appends EAD, 256 lower-case digits of the signature of the file before, LF.
  const std::string content = "conteudo\0binario\n"s;
  write_all("a.bin", content);
  ASSERT_EQ(GeraAssinatura("a.bin"), 0);
  const std::string signed_file = read_all("a.bin");
  ASSERT_EQ(signed_file.size(), content.size() + 260);
  EXPECT_TRUE(std::regex_match(signed_file.substr(content.size()), std::regex("EAD[0-9a-f]{256}\n")));
  // Opened with the public key: 00 01 FF..FF 00 10, then the digest of the content.
  const std::string signature = signed_file.substr(content.size() + 3, 256);
  ASSERT_EQ(CriptoGeraMD5Buf(reinterpret_cast<const unsigned char *>(content.data()), static_cast<int32_t>(content.size()), &into), 0);
  Integers pub;
  Bytes block(128);
  int32_t length = 0;
  mpi_read_string(&pub.ctx.N, 16, n_.c_str()), mpi_read_string(&pub.ctx.E, 16, "010001"), pub.ctx.len = 128;
  ASSERT_EQ(RSADecrypt(&pub.ctx, 0, 0, 0, vl::test::from_hex(signature).data(), 0, block.data(), &length, 0), 0);
  EXPECT_EQ(to_hex(block), "0001" + std::string(216, 'f') + "0010" + out);

  // The same key set from its texts signs alike; 256 digits, no NUL.
  write_all("a.bin", content);
  ASSERT_EQ(CriptoSetaChvPriv(n_.c_str(), d_.c_str(), "010001"), 0);
  EXPECT_EQ(written<300>([](char *o) { return CriptoGeraAss("a.bin", &o); }), "256 " + signature);
  EXPECT_EQ(written<300>([](char *o) { return CriptoGeraAss("missing.bin", &o); }), "-1 " + std::string(256, '\0'));
  EXPECT_EQ(CriptoGeraAss("a.bin", nullptr), -1);
  // A refusal after the lengths are checked clears the key, which still counts as set.
  EXPECT_EQ(CriptoSetaChvPriv(("G" + n_.substr(1)).c_str(), d_.c_str(), "010001"), -1);
  EXPECT_EQ(written<300>([](char *o) { return CriptoGeraAss("a.bin", &o); }), "-1 " + std::string(256, '\0'));
}

// The log is text: its lines end as the system's text files do.
#if defined(_WIN32)
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

// A log with each line's time stamp (checked) shown as '@'.
std::string log_of(const char *name) {
  return std::regex_replace(read_all(name), std::regex("(^|\n)\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d:\\d\\d\\d"), "$1@");
}

// The configuration is read once per process, so each case runs in a process of its own.
TEST_F(Signing, TraceLogFollowsItsConfigurationAndRotates) {
  in_fresh_process([&] {
    write_all("CriptCfg.txt", "trace=1\r\n"), write_all("a.txt", "abc");
    char out[300], *into = out;
    EXPECT_EQ(CriptoGeraMD5Buf(abc_, 3, &into), 0);
    EXPECT_EQ(CriptoGeraMD5Buf(abc_, -1, &into), -1);
    EXPECT_EQ(CriptoGeraAss("a.txt", &into), -2);
    for (const auto &[modulus, exponent] : {std::pair{n_.substr(1), "010001"}, {n_, "123"}, {"G" + n_.substr(1), "010001"},
                                            {std::string(254, '0') + "01", "010001"}})
      EXPECT_EQ(CriptoSetaChvPriv(modulus.c_str(), d_.c_str(), exponent), -1);
    EXPECT_EQ(GeraAssinatura("missing.txt"), 2);
    EXPECT_FALSE(fs::exists("missing.txt"));
    EXPECT_EQ(GeraAssinatura("a.txt"), 0);
    const std::pair<std::string, std::string> names[] = {
        {"{N}", n_}, {"{n}", n_.substr(1)}, {"{D}", d_}, {"{0}", std::string(254, '0')}, {"{S}", read_all("a.txt").substr(6, 256)}};
    std::string expected;
    for (auto line : rows("log")) {
      for (const auto &[name, value] : names)
        if (const size_t at = line[0].find(name); at != std::string::npos) line[0].replace(at, name.size(), value);
      expected += "@" + line[0] + kLineEnd;
    }
    EXPECT_EQ(log_of("Cripto1.log"), expected);

    // A log of exactly the limit takes one more line; above it, it replaces the old log.
    write_all("Cripto2.log", "older"), write_all("Cripto1.log", std::string(500000, 'x'));
    EXPECT_EQ(CriptoGeraMD5Buf(abc_, -1, &into), -1);
    EXPECT_EQ(fs::file_size("Cripto2.log"), 500000u + 18 + 19 + kLineEnd.size());
    EXPECT_EQ(log_of("Cripto1.log"), "@... Fora da Faixa ..." + kLineEnd);
  });

  // Tracing is on only when line 1 says so, read once (not when the file appears later); a second
  // line TAMLOG= raises the limit only without a line end, with digits 1 to 8 only, only upwards.
  for (const auto &l : rows("limit")) {
    in_fresh_process([&] {
      if (l[0] != "-") write_all("CriptCfg.txt", std::regex_replace(l[0], std::regex("\\\\n"), "\n"));
      if (l[1] != "0") write_all("Cripto1.log", std::string(std::stoul(l[1]), 'x'));
      char out[33], *into = out;
      EXPECT_EQ(CriptoGeraMD5Buf(abc_, 3, &into), 0);
      write_all("CriptCfg.txt", "TRACE=1\n");
      EXPECT_EQ(CriptoGeraAss("x", &into), -2);  // no key yet in a new process
      EXPECT_EQ(std::to_string(fs::exists("Cripto1.log")) + std::to_string(fs::exists("Cripto2.log")), l[2]) << l[0];
    });
  }
}

}  // namespace

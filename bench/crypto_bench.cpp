// The block ciphers, SHA-1 and CRC-32, each beside its peer (mbed TLS, zlib) in the same run.
// The DES peers set their key up for every block, as desnbs and the triple-DES functions do.
#include <benchmark/benchmark.h>
#include <mbedtls/aes.h>
#include <mbedtls/des.h>
#include <mbedtls/sha1.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "crypto/cipher.h"
#include "vertalib/crypto.h"

namespace {

const unsigned char kAesKey[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                                   0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
const unsigned char kDesKey[8] = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
const char kKeyText32[] = "0123456789ABCDEFFEDCBA9876543210";
const char kKeyText48[] = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123";

const std::vector<unsigned char> &four_kib() {
  static const std::vector<unsigned char> data = [] {
    std::vector<unsigned char> v(4096);
    for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<unsigned char>(i * 7 + 3);
    return v;
  }();
  return data;
}

// ---- AES-128, one 16-byte block, key expanded once ----

void BM_aes_ecb_encrypt(benchmark::State &state) {
  vl::aes_use_instructions(state.range(0) != 0);
  aes_key_context ctx;
  aes_set_key(&ctx, kAesKey, 16, 1);
  unsigned char block[16] = {};
  for (auto _ : state) {
    aes_ecb_encrypt(&ctx, block, 16);
    benchmark::DoNotOptimize(block);
  }
  vl::aes_use_instructions(true);
}
BENCHMARK(BM_aes_ecb_encrypt)->ArgName("instructions")->Arg(1)->Arg(0);

void BM_mbedtls_aes_crypt_ecb(benchmark::State &state) {
  mbedtls_aes_context ctx;
  mbedtls_aes_init(&ctx);
  mbedtls_aes_setkey_enc(&ctx, kAesKey, 128);
  unsigned char block[16] = {};
  for (auto _ : state) {
    mbedtls_aes_crypt_ecb(&ctx, MBEDTLS_AES_ENCRYPT, block, block);
    benchmark::DoNotOptimize(block);
  }
  mbedtls_aes_free(&ctx);
}
BENCHMARK(BM_mbedtls_aes_crypt_ecb);

// ---- DES, one block, key schedule every block ----

void BM_desnbs(benchmark::State &state) {
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  for (auto _ : state) {
    desnbs(0, block, kDesKey, block);
    benchmark::DoNotOptimize(block);
  }
}
BENCHMARK(BM_desnbs);

void BM_mbedtls_des_setkey_crypt(benchmark::State &state) {
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  mbedtls_des_context ctx;
  mbedtls_des_init(&ctx);
  for (auto _ : state) {
    mbedtls_des_setkey_enc(&ctx, kDesKey);
    mbedtls_des_crypt_ecb(&ctx, block, block);
    benchmark::DoNotOptimize(block);
  }
  mbedtls_des_free(&ctx);
}
BENCHMARK(BM_mbedtls_des_setkey_crypt);

// ---- Triple DES (EDE), one block, key set up every block ----
// Ours starts from the hexadecimal key text; the peer from the binary keys.

void BM_tripleDES_EDE_2key(benchmark::State &state) {
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  for (auto _ : state) {
    tripleDES_EDE(0, 32, kKeyText32, block, block);
    benchmark::DoNotOptimize(block);
  }
}
BENCHMARK(BM_tripleDES_EDE_2key);

void BM_mbedtls_des3_set2key_crypt(benchmark::State &state) {
  unsigned char key[16];
  std::memcpy(key, "\x01\x23\x45\x67\x89\xAB\xCD\xEF\xFE\xDC\xBA\x98\x76\x54\x32\x10", 16);
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  mbedtls_des3_context ctx;
  mbedtls_des3_init(&ctx);
  for (auto _ : state) {
    mbedtls_des3_set2key_enc(&ctx, key);
    mbedtls_des3_crypt_ecb(&ctx, block, block);
    benchmark::DoNotOptimize(block);
  }
  mbedtls_des3_free(&ctx);
}
BENCHMARK(BM_mbedtls_des3_set2key_crypt);

void BM_tripleDES_EDE_3key(benchmark::State &state) {
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  for (auto _ : state) {
    tripleDES_EDE(0, 48, kKeyText48, block, block);
    benchmark::DoNotOptimize(block);
  }
}
BENCHMARK(BM_tripleDES_EDE_3key);

void BM_mbedtls_des3_set3key_crypt(benchmark::State &state) {
  unsigned char key[24];
  std::memcpy(key,
              "\x01\x23\x45\x67\x89\xAB\xCD\xEF\x23\x45\x67\x89\xAB\xCD\xEF\x01\x45\x67\x89\xAB\xCD\xEF\x01\x23",
              24);
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  mbedtls_des3_context ctx;
  mbedtls_des3_init(&ctx);
  for (auto _ : state) {
    mbedtls_des3_set3key_enc(&ctx, key);
    mbedtls_des3_crypt_ecb(&ctx, block, block);
    benchmark::DoNotOptimize(block);
  }
  mbedtls_des3_free(&ctx);
}
BENCHMARK(BM_mbedtls_des3_set3key_crypt);

// ---- SHA-1 of 4 KiB ----

void BM_verta_SHA1(benchmark::State &state) {
  const auto &data = four_kib();
  unsigned char digest[20];
  for (auto _ : state) {
    sha1_context ctx;
    verta_SHA1_Init(&ctx);
    verta_SHA1_Update(&ctx, data.data(), static_cast<uint32_t>(data.size()));
    verta_SHA1_Final(&ctx, digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 4096);
}
BENCHMARK(BM_verta_SHA1);

void BM_mbedtls_sha1_ret(benchmark::State &state) {
  const auto &data = four_kib();
  unsigned char digest[20];
  for (auto _ : state) {
    mbedtls_sha1_ret(data.data(), data.size(), digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 4096);
}
BENCHMARK(BM_mbedtls_sha1_ret);

// ---- CRC-32 of 4 KiB and of 9 bytes ----

void BM_crc32_verta(benchmark::State &state) {
  const auto &data = four_kib();
  const auto length = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(crc32_verta(data.data(), length));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * length);
}
BENCHMARK(BM_crc32_verta)->Arg(4096)->Arg(9);

void BM_zlib_crc32(benchmark::State &state) {
  const auto &data = four_kib();
  const auto length = static_cast<uInt>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0L, data.data(), length));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * length);
}
BENCHMARK(BM_zlib_crc32)->Arg(4096)->Arg(9);

}  // namespace

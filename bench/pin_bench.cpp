// Building an encrypted PIN block: the library's format-0 block encrypted under a working key
// with the library's triple DES, beside the same block built with mbed TLS's triple DES (key
// schedule made for every block on both sides, as a terminal does for each transaction).
#include <benchmark/benchmark.h>
#include <mbedtls/des.h>

#include <chrono>
#include <cstring>

#include "vertalib/crypto.h"
#include "vertalib/protect.h"

namespace {

constexpr const char *kPin = "1234";
constexpr const char *kPan = "4111111111111111";
constexpr const char *kKey = "0123456789ABCDEFFEDCBA9876543210";
constexpr unsigned char kKeyBytes[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                         0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

void library_block(unsigned char (&out)[8]) {
  unsigned char clear[8];
  mountPinBlock(kPin, 4, kPan, 16, clear);
  tripleDES_EDE(0, 32, kKey, clear, out);
}

// The same block: PIN field 041234FFFFFFFFFF XOR card field 0000111111111111, then 3DES.
void mbedtls_block(unsigned char (&out)[8]) {
  static constexpr unsigned char kPinField[8] = {0x04, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  static constexpr unsigned char kCardField[8] = {0x00, 0x00, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11};
  unsigned char clear[8];
  for (int i = 0; i < 8; ++i) clear[i] = kPinField[i] ^ kCardField[i];
  mbedtls_des3_context context;
  mbedtls_des3_init(&context);
  mbedtls_des3_set2key_enc(&context, kKeyBytes);
  mbedtls_des3_crypt_ecb(&context, clear, out);
  mbedtls_des3_free(&context);
}

void BM_mountPinBlock_tripleDES(benchmark::State &state) {
  unsigned char out[8], peer[8];
  library_block(out);
  mbedtls_block(peer);
  if (std::memcmp(out, peer, 8) != 0) state.SkipWithError("the two blocks differ");
  for (auto _ : state) {
    library_block(out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_mountPinBlock_tripleDES);

void BM_mbedtls_pin_block(benchmark::State &state) {
  unsigned char out[8];
  for (auto _ : state) {
    mbedtls_block(out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_mbedtls_pin_block);

// Both in alternation, in batches: the library's time per block, mbed TLS's, and their ratio.
void BM_pin_block_ratio(benchmark::State &state) {
  using Clock = std::chrono::steady_clock;
  constexpr int kBatch = 256;
  double library_ns = 0, peer_ns = 0;
  unsigned char out[8];
  for (auto _ : state) {
    const auto start = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      library_block(out);
      benchmark::DoNotOptimize(out);
    }
    const auto middle = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      mbedtls_block(out);
      benchmark::DoNotOptimize(out);
    }
    const auto end = Clock::now();
    library_ns += std::chrono::duration<double, std::nano>(middle - start).count();
    peer_ns += std::chrono::duration<double, std::nano>(end - middle).count();
  }
  const double blocks = static_cast<double>(state.iterations()) * kBatch;
  state.counters["library_ns"] = library_ns / blocks;
  state.counters["mbedtls_ns"] = peer_ns / blocks;
  state.counters["library_per_mbedtls"] = peer_ns > 0 ? library_ns / peer_ns : 0;
}
BENCHMARK(BM_pin_block_ratio);

}  // namespace

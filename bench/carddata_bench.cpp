// The card number of a track 2 encrypted in place, beside its peer: the same DES step (key
// schedule, one block, hexadecimal out) done with mbed TLS. The library rebuilds the DES key
// schedule bit by bit for every block and derives nothing it could keep, so the ratio shows
// what one stored track costs over the bare cipher.
#include <benchmark/benchmark.h>
#include <mbedtls/des.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "vertalib/protect.h"

namespace {

constexpr char kTrack[] = "4111111111111111=25122011234567890000";
constexpr char kKey[] = "0123456789ABCDEF";

void encrypt_track(char *out) {
  int32_t size = 64;
  CriptografaDadosCartao(kTrack, 37, "123456", 6, kKey, 16, out, &size);
}

// The peer: card field XOR caller's field, DES under a fresh key schedule, 16 hex digits.
void peer_des_step(char *out) {
  static const unsigned char key[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  static const unsigned char field[8] = {0x41, 0x11, 0x11, 0x11, 0x11, 0x23, 0x45, 0x47};
  mbedtls_des_context context;
  mbedtls_des_init(&context);
  mbedtls_des_setkey_enc(&context, key);
  unsigned char block[8];
  mbedtls_des_crypt_ecb(&context, field, block);
  mbedtls_des_free(&context);
  for (int i = 0; i < 8; ++i) std::snprintf(out + 2 * i, 3, "%02X", block[i]);
}

// Processor time of calls steps (the machine may be shared: wall time would measure the others).
template <typename Step>
double cpu_seconds_for(Step step, int calls) {
  char out[64];
  const std::clock_t start = std::clock();
  for (int i = 0; i < calls; ++i) {
    step(out);
    benchmark::DoNotOptimize(out);
  }
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void BM_EncryptCardNumberInTrack2(benchmark::State &state) {
  char out[64];
  for (auto _ : state) {
    encrypt_track(out);
    benchmark::DoNotOptimize(out);
  }
  // Both timed again back to back, so the ratio compares like with like in this run.
  constexpr int kCalls = 20000;
  state.counters["x_mbedtls_des"] = cpu_seconds_for(encrypt_track, kCalls) / cpu_seconds_for(peer_des_step, kCalls);
}
BENCHMARK(BM_EncryptCardNumberInTrack2);

void BM_PeerMbedtlsDesStep(benchmark::State &state) {
  char out[64];
  for (auto _ : state) {
    peer_des_step(out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_PeerMbedtlsDesStep);

}  // namespace

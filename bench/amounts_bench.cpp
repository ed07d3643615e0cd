// Amounts are formatted on every receipt and every message: how fast are the common paths?
#include <benchmark/benchmark.h>

#include <cstring>

#include "vertalib/amounts.h"

namespace {

void BM_FormatValor(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatValor("000001234567", 12));
}
BENCHMARK(BM_FormatValor);

void BM_SomaValorTransacao(benchmark::State &state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(SomaValorTransacao("000000012345", "000000000050", "", ""));
}
BENCHMARK(BM_SomaValorTransacao);

void BM_ExtensoWithLines(benchmark::State &state) {
  char out[600];
  for (auto _ : state) benchmark::DoNotOptimize(Extenso(9876543210.0, out, 30));
}
BENCHMARK(BM_ExtensoWithLines);

}  // namespace

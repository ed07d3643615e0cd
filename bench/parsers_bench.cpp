// The parsers that run on every authorisation: BIT 55 into a TLV item list, its masking,
// and the card number out of a track 2.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "vertalib/card.h"
#include "vertalib/tlv.h"

namespace {

// An ARQC request of twenty objects, about 180 bytes, as a terminal sends it.
const std::string kBit55 =
    "9F26081234567890ABCDEF" "9F270180" "9F1012" "0110A04003240000000000000000000000FF"
    "9F3704A1B2C3D4" "9F36020042" "95050000048000" "9A03261206" "9C0100"
    "9F0206000000012345" "5F2A020986" "82025800" "9F1A020076" "9F0306000000000000"
    "9F3303E0F0C8" "9F34031E0300" "9F350122" "8407A0000000041010" "9F09020002"
    "9F1E083132333435363738" "5F340101" "5A084111111111111111";

void BM_ParseBit55(benchmark::State &state) {
  for (auto _ : state) {
    TLVItem *items = AscTLV2Array(kBit55.c_str(), static_cast<int>(kBit55.size()));
    if (GetTLVItem(items, 0x5A) == nullptr) {
      state.SkipWithError("the example did not parse");
      break;
    }
    CleanTLVList(items);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBit55.size()));
}
BENCHMARK(BM_ParseBit55);

void BM_MaskBit55(benchmark::State &state) {
  std::string text = kBit55;
  for (auto _ : state) {
    text = kBit55;
    BufMascaraDadosSensiveisEMV(text.data(), static_cast<int>(text.size()), '0');
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_MaskBit55);

void BM_CardNumberFromTrack2(benchmark::State &state) {
  char pan[23];
  for (auto _ : state) {
    GetPANFromTrilha2(pan, "4111111111111111=25122011234567890000");
    benchmark::DoNotOptimize(pan);
  }
}
BENCHMARK(BM_CardNumberFromTrack2);

}  // namespace

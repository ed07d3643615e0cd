// The card-data openers over arbitrary stored data, lengths and keys. Every input sits in a
// heap block of exactly its size (texts with their NUL), so a read past it shows; every
// output sits in a block of exactly its documented size, and the bytes an opener may not
// write must come back as they were.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "vertalib/protect.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

// A NUL-terminated copy in a block of exactly its length + 1 bytes.
std::unique_ptr<char[]> exact_text(const std::string &text) {
  std::unique_ptr<char[]> block(new char[text.size() + 1]);
  std::memcpy(block.get(), text.c_str(), text.size() + 1);
  return block;
}

bool untouched(const char *bytes, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i)
    if (bytes[i] != '#') return false;
  return true;
}

void open_pan(FuzzedDataProvider &input) {
  const auto encrypted = exact_text(input.ConsumeRandomLengthString(40));
  const auto key = exact_text(input.ConsumeRandomLengthString(20));
  constexpr size_t kLongest = 32;
  std::unique_ptr<char[]> pan(new char[kLongest]);
  std::memset(pan.get(), '#', kLongest);
  Decript_PAN(encrypted.get(), pan.get(), key.get());
  // Only a well-formed text writes, and never more digits than it announces.
  const char *text = encrypted.get();
  const bool formed = std::strlen(text) == 34 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
  const size_t announced = formed ? static_cast<size_t>((text[0] - '0') * 10 + (text[1] - '0')) : 0;
  require(untouched(pan.get(), announced <= kLongest ? announced : 0, kLongest));
}

void open_cvv(FuzzedDataProvider &input) {
  constexpr size_t kBlock = 16;
  std::unique_ptr<char[]> cvv(new char[kBlock]);
  std::memset(cvv.get(), 0, kBlock);
  const std::string bytes = input.ConsumeBytesAsString(kBlock);
  std::memcpy(cvv.get(), bytes.data(), bytes.size());
  const bool empty = cvv[0] == '\0' && cvv[1] == '\0' && cvv[2] == '\0';
  DecryptCvvAES(cvv.get());
  if (!empty) require(std::memchr(cvv.get(), '\0', kBlock) != nullptr);
}

void open_track(FuzzedDataProvider &input, bool track1) {
  const auto length = input.ConsumeIntegral<unsigned char>();
  std::unique_ptr<char[]> track(new char[length == 0 ? 1 : length]);
  const std::string bytes = input.ConsumeBytesAsString(length);
  std::memset(track.get(), 0, length);
  std::memcpy(track.get(), bytes.data(), bytes.size());
  const std::string before(track.get(), length);
  if (track1) DecryptTrack1AES(track.get(), length);
  else DecryptTrack2AES(track.get(), length);
  const size_t tail = length % 16;
  require(std::memcmp(track.get() + length - tail, before.data() + length - tail, tail) == 0);
  if (length < (track1 ? 21 : 20)) require(before == std::string(track.get(), length));
}

void open_card_field(FuzzedDataProvider &input) {
  const int block_length = input.ConsumeIntegral<int>();
  const int field_length = input.ConsumeIntegral<int>();
  const int key_length = input.ConsumeIntegral<int>();
  const int second_length = input.ConsumeIntegralInRange<int>(-2, 24);
  const auto block = exact_text(input.ConsumeRandomLengthString(24));
  const auto field = exact_text(input.ConsumeRandomLengthString(24));
  const auto key = exact_text(input.ConsumeRandomLengthString(24));
  const auto second = exact_text(input.ConsumeRandomLengthString(24));
  constexpr size_t kOut = 16;
  std::unique_ptr<char[]> out(new char[kOut]);
  std::memset(out.get(), '#', kOut);
  int32_t result_length = -1;
  require(DescriptografaDadosCartao(block.get(), block_length, field.get(), field_length, key.get(), key_length,
                                    out.get(), &result_length) == 1);
  require(result_length == -1 ? untouched(out.get(), 0, kOut) : result_length >= 0 && result_length <= 8);
  require(DesmontaCriptografiaDadosCartaoSmartNet(block.get(), block_length, key.get(), key_length, second.get(),
                                                  second_length, field.get(), field_length, out.get(),
                                                  &result_length) == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: open_pan(input); break;
    case 1: open_cvv(input); break;
    case 2: open_track(input, true); break;
    case 3: open_track(input, false); break;
    default: open_card_field(input); break;
  }
  return 0;
}

// Opening PIN blocks and Itau PINs with lengths the fuzzer chooses: every text lies in a
// heap block of exactly its size (a counted text without a NUL when the data has enough
// bytes for its stated length, else the bytes there are and a NUL), every output in a block
// of exactly its stated size, so a read or write past either is caught. The outputs must be
// NUL-terminated texts within their sizes.
#include <cstdint>
#include <cstring>
#include <vector>

#include "vertalib/protect.h"

namespace {

// Takes up to count bytes from the front of the data.
struct Input {
  const uint8_t *data;
  size_t size;
  uint8_t byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::vector<char> text(size_t stated) {
    const size_t available = stated < size ? stated : size;
    std::vector<char> out(data, data + available);
    data += available;
    size -= available;
    if (available < stated || out.empty()) out.push_back('\0');  // never a null pointer
    return out;
  }
};

void require_text_within(const std::vector<char> &out) {
  if (std::memchr(out.data(), '\0', out.size()) == nullptr) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Input in{data, size};
  const int pan_length = static_cast<int8_t>(in.byte());  // negative lengths too
  std::vector<unsigned char> block(8);
  for (auto &b : block) b = in.byte();
  const std::vector<char> pan = in.text(pan_length > 0 ? static_cast<size_t>(pan_length) : 0);
  std::vector<char> pin(16);
  unmountPinBlock(block.data(), pan.data(), pan_length, pin.data());
  require_text_within(pin);

  const uint8_t encrypted_length = in.byte();
  const uint8_t card_length = in.byte();
  uint8_t pin_size = in.byte();
  const uint8_t size_given = pin_size;
  const std::vector<char> encrypted = in.text(encrypted_length);
  const std::vector<char> card = in.text(card_length);
  std::vector<char> des_pin(size_given == 0 ? 1 : size_given, '#');
  DescriptoPINDESItau(encrypted.data(), encrypted_length, card.data(), card_length, des_pin.data(), &pin_size);
  if (size_given != 0 && encrypted_length <= 32) {
    if (pin_size >= size_given || pin_size > 12) __builtin_trap();
    if (des_pin[pin_size] != '\0') __builtin_trap();
  } else if (pin_size != size_given || des_pin[0] != '#') {
    __builtin_trap();
  }

  const std::vector<char> itau_text = in.text(16);
  std::vector<char> itau_pin(13);
  DescriptoPINItau(itau_text.data(), itau_pin.data());
  require_text_within(itau_pin);
  return 0;
}

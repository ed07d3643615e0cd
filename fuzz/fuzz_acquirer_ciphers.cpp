// The acquirer ciphers over arbitrary bytes, each input in a heap block of exactly its
// stated size and each output in a block of exactly its documented size, so that any read
// or write past them stops the run: the block cipher, the opening (and sealing) of Stone and
// Vindi tracks with fuzzer-chosen lengths, the transposition and the digit mixing.
#include <cstdint>
#include <cstring>
#include <vector>

#include "vertalib/protect.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

// Takes bytes off the front of the input; missing bytes read as '0'.
struct Input {
  const uint8_t *data;
  size_t size;
  uint8_t byte() {
    if (size == 0) return '0';
    --size;
    return *data++;
  }
  // count bytes in a block of exactly count bytes (plus a NUL when terminated).
  std::vector<char> take(size_t count, bool terminated) {
    std::vector<char> bytes(count + (terminated ? 1 : 0), '\0');
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(byte());
    return bytes;
  }
};

// A NUL-terminated key text of exactly length characters (no NUL inside).
std::vector<char> key_text(Input &in, size_t length) {
  std::vector<char> text = in.take(length, true);
  for (size_t i = 0; i < length; ++i)
    if (text[i] == '\0') text[i] = '7';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Input in{data, size};

  std::vector<char> block = in.take(8, false);
  std::vector<char> key = in.take(15, false);
  descript(reinterpret_cast<unsigned char *>(block.data()), reinterpret_cast<unsigned char *>(key.data()));
  Cript(reinterpret_cast<unsigned char *>(block.data()), reinterpret_cast<unsigned char *>(key.data()));

  std::vector<char> text1 = key_text(in, 11), text2 = key_text(in, 3), text3 = key_text(in, 6);
  const size_t length = in.byte() % 100;
  std::vector<char> text = in.take(length, false);
  const int32_t stated = static_cast<int32_t>(length);
  int32_t written = -1;

  std::vector<char> out(length > 16 ? length : 16);
  if (DescriptStone(out.data(), &written, text.data(), stated, text1.data(), text2.data(), text3.data()) == 1)
    require(written >= 0 && static_cast<size_t>(written) <= out.size());
  std::vector<char> vindi(64);
  written = -1;
  if (DescriptVindi(vindi.data(), &written, text.data(), stated, text1.data(), text2.data(), text3.data()) == 1)
    require(written >= 0 && written <= 64);

  std::vector<char> sealed(16 + length);
  written = -1;
  if (CriptStone(sealed.data(), &written, text.data(), stated, text1.data(), text2.data(), text3.data()) == 1)
    require(written >= 16 && static_cast<size_t>(written) <= sealed.size());
  written = -1;
  if (CriptVindi(sealed.data(), &written, text.data(), stated, text1.data(), text2.data(), text3.data()) == 1)
    require(written >= 16 && static_cast<size_t>(written) <= sealed.size());

  // The transposition: the text up to its NUL, an output of its length and a NUL.
  std::vector<char> clear(length + 1, '\0');
  if (length > 0) std::memcpy(clear.data(), text.data(), length);
  const size_t clear_length = std::strlen(clear.data());
  std::vector<char> shuffled(clear_length + 1, '#');
  shuffled[clear_length] = '\0';  // an empty text leaves the output as it was
  discramble(clear.data(), shuffled.data());
  std::vector<char> back(clear_length + 1, '#');
  scramble(shuffled.data(), back.data());
  if (clear_length > 0) require(std::memcmp(back.data(), clear.data(), clear_length + 1) == 0);

  // The digit mixing: a 23-character reference and count digits in max(count, 8) bytes.
  std::vector<char> reference = key_text(in, 23);
  const auto count = static_cast<unsigned char>(in.byte() % 40);
  std::vector<char> given = key_text(in, count);
  std::vector<char> digits(given.size() < 8 ? 8 : given.size(), '\0');
  std::memcpy(digits.data(), given.data(), given.size());
  std::vector<unsigned char> second(8);
  algtec(reference.data(), digits.data(), count, second.data());
  return 0;
}

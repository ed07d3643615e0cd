// Integer text from outside: read in a radix, written back, compared with the digits read.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vertalib/crypto.h"

namespace {

// The text as the writer gives it back: upper case, no leading zeros, no sign for zero,
// whole bytes in radix 16 ("00" for zero).
std::string canonical(const std::string &text, int radix) {
  const bool negative = !text.empty() && text[0] == '-';
  std::string digits = text.substr(negative ? 1 : 0);
  for (char &c : digits) c = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
  digits.erase(0, digits.find_first_not_of('0'));
  const bool zero = digits.empty();
  if (radix == 16 && digits.size() % 2 != 0) digits.insert(0, "0");
  if (zero) digits = radix == 16 ? "00" : "0";
  return (negative && !zero ? "-" : "") + digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the radix (a few outside 2..16), the rest is the text.
  const int radix = data[0] % 19;
  const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
  if (text.find('\0') != std::string::npos) return 0;

  rsa_key_context holder{};  // integers are released through a key context
  const int read = mpi_read_string(&holder.N, radix, text.c_str());
  if (radix < 2 || radix > 16) {
    if (read != -4) __builtin_trap();
    return 0;
  }
  if (read != 0) {
    if (read != -6 && read != -16) __builtin_trap();
    if (holder.N.p != nullptr) __builtin_trap();
    return 0;
  }
  // The room asked for, then exactly that room: the text fits, and one less is refused
  // without a byte written (the buffers are exactly as large as the room given).
  int32_t needed = 0;
  if (mpi_write_string(&holder.N, radix, nullptr, &needed) != -8 || needed < 3) __builtin_trap();
  char *out = static_cast<char *>(std::malloc(static_cast<size_t>(needed)));
  int32_t room = needed - 1;
  if (mpi_write_string(&holder.N, radix, out, &room) != -8 || room != needed) __builtin_trap();
  room = needed;
  if (mpi_write_string(&holder.N, radix, out, &room) != 0) __builtin_trap();
  if (room < 2 || room > needed || out[room - 1] != '\0') __builtin_trap();
  if (std::string(out, static_cast<size_t>(room - 1)) != canonical(text, radix)) __builtin_trap();
  std::free(out);
  RSAFree(&holder);
  return 0;
}

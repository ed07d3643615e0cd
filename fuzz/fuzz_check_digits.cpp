// Check digits over arbitrary bytes: length-counted routines read only the counted
// characters (the input is held without a NUL after it), every digit is '0'..'9', a text
// completed with its modulus-10 digit passes the Luhn check, and the display form of a
// CPF or CNPJ stays within its 19 bytes, and so do the digits of a CMC-7 line within 41.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vertalib/checkdigits.h"

namespace {

bool is_digit_code(int c) { return c >= '0' && c <= '9'; }

void check_counted(const std::vector<char> &bytes, int skip, int maxWeight, int mode) {
  const int length = static_cast<int>(bytes.size());
  if (!is_digit_code(MakeDv10(bytes.data(), length, skip))) __builtin_trap();
  if (!is_digit_code(MakeDv11(bytes.data(), length, skip, maxWeight, mode))) __builtin_trap();
  CheckDv10(bytes.data(), length, length - 1);
  if (length > 0) CheckDv11(bytes.data(), length, skip % length, maxWeight, mode);
  chk_cod_autor(bytes.data(), length);
}

void check_text(const std::string &text) {
  chk_cpf(text.c_str());
  chk_cgc(text.c_str());
  verifyDVEAN13(text.c_str());
  calculateDVEAN13(text.c_str());
  const std::string completed =
      text + static_cast<char>(DAC10(text.c_str(), static_cast<int>(text.size())));
  if (ChaveLuhn(completed.c_str()) != 1) __builtin_trap();
  char out[24];
  std::memset(out, 0x5A, sizeof out);
  int isCnpj = -1;
  const int written = FormatCPFCNPJ(out, text.c_str(), &isCnpj);
  if (written != static_cast<int>(std::strlen(out)) || isCnpj != (written == 18 ? 1 : 0))
    __builtin_trap();
  if (written != 0 && written != 14 && written != 18) __builtin_trap();
  for (size_t i = 19; i < sizeof out; ++i)
    if (out[i] != 0x5A) __builtin_trap();
  char digits[48];
  std::memset(digits, 0x5A, sizeof digits);
  StrCpyCMC7(digits, text.c_str());
  const size_t kept = std::strlen(digits);
  if (kept > 40) __builtin_trap();
  for (size_t i = kept + 1; i < sizeof digits; ++i)
    if (digits[i] != 0x5A) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 3) return 0;
  const int skip = static_cast<int8_t>(data[0]);
  const int maxWeight = static_cast<int8_t>(data[1]);
  const int mode = data[2] & 1;
  const std::vector<char> bytes(data + 3, data + size);
  check_counted(bytes, skip, maxWeight, mode);
  const std::string text(bytes.begin(), std::find(bytes.begin(), bytes.end(), '\0'));
  check_text(text);
  return 0;
}

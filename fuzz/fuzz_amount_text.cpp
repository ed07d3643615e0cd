// Amount texts from outside: separator removal and database decimals.
#include <cstdint>
#include <cstring>

#include "vertalib/amounts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  char text[64];
  const size_t length = size < sizeof text - 1 ? size : sizeof text - 1;
  std::memcpy(text, data, length);
  text[length] = '\0';

  char edited[64];
  std::memcpy(edited, text, sizeof text);
  const size_t before = std::strlen(edited);
  const int accepted = RetiraSeparadorMilharDecimal(edited);
  if (accepted == 0 && std::strcmp(edited, text) != 0) __builtin_trap();  // refused: untouched
  if (accepted == 1 && std::strlen(edited) >= before) __builtin_trap();   // separators went

  // The amount is written into exactly 12 characters and nothing after them.
  char amount[13];
  amount[12] = 0x5A;
  ConvertValorFromBD2Bit4(amount, text, static_cast<unsigned short>(length));
  if (amount[12] != 0x5A) __builtin_trap();
  for (int i = 0; i < 12; ++i)
    if (amount[i] < '0' || amount[i] > '9') __builtin_trap();
  return 0;
}

// The track parsers over arbitrary NUL-terminated text, with outputs of their documented
// sizes: every field they return is a piece of the input, and no output grows past its size.
#include <cstdint>
#include <cstring>

#include "vertalib/card.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool is_prefix(const char *piece, const char *text) {
  return std::strncmp(piece, text, std::strlen(piece)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  char track[130] = {};
  std::memcpy(track, data, size < sizeof track - 1 ? size : sizeof track - 1);
  const char *after_code = track[0] != '\0' && (track[0] < '0' || track[0] > '9') ? track + 1 : track;

  char pan[23];
  int no_equals = -1;
  GetPANFromTrilha2Ex(pan, track, &no_equals);
  require(std::strlen(pan) <= 22 && is_prefix(pan, track));
  require(no_equals == (std::strchr(track, '=') == nullptr ? 1 : 0));
  GetPANFromTrilha1(pan, track);
  require(std::strlen(pan) <= 22 && is_prefix(pan, after_code));

  const char *separator = GetTrilha2SepPos(track);
  require(separator == nullptr || (separator > track && separator < track + std::strlen(track)));

  char track2[38];
  GetTrilha2fromTrilha1(track2, track);
  require(track2[37] == '\0');

  char name[40], number[40], expiry[5], code[3], typed[sizeof track];
  if (ObtemNomeTrilha01(track, name) == 1) require(std::strstr(track, name) != nullptr);
  if (ObtemNumCartaoTrilha01(track, number) == 1) require(is_prefix(number, after_code));
  if (ObtemDataVencTrilha01(track, expiry) == 1) require(std::strlen(expiry) <= 4);
  GetDataVencimento(expiry, track);
  GetServiceCode(track, code, 102, 3, 2);
  GetServiceCodeEx(track, code);
  GetServiceCodeEx2(track, code, 103, 0, 1, 1);
  ObtemNumCartao(track, typed);
  require(is_prefix(typed, track));
  ErroTrilha1(track);
  IsDigitado(track);
  StrEhNomeCartao(track);

  char edited[sizeof track];
  std::memcpy(edited, track, sizeof track);
  const int error = ErroTrilha2(edited);
  require(error == 1 || (std::strlen(edited) >= 6 && std::strlen(edited) <= 37));
  require(std::memchr(edited, 'D', std::strlen(edited) < 38 ? std::strlen(edited) : 38) == nullptr);
  std::memcpy(edited, track, sizeof track);
  TrataTrilhaAmex(edited);
  require(std::strlen(edited) <= std::strlen(track));
  return 0;
}

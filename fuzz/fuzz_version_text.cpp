// Version texts from outside: dotted versions, digit runs and the Redecard field.
#include <cstdint>
#include <cstring>

#include "vertalib/frame.h"

namespace {

constexpr char kGuard = 0x5A;

bool digits_and_dots(const char *text) {
  for (; *text != '\0'; ++text)
    if (*text != '.' && (*text < '0' || *text > '9')) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the output room; the rest is the text.
  const int room = data[0] % 24;
  char text[64];
  const size_t length = size - 1 < sizeof text - 1 ? size - 1 : sizeof text - 1;
  std::memcpy(text, data + 1, length);
  text[length] = '\0';

  unsigned short parts[4] = {1, 1, 1, 1};
  const int parsed = SeparaStringVersao(text, &parts[0], &parts[1], &parts[2], &parts[3]);
  if (parsed == 0 && (parts[0] | parts[1] | parts[2] | parts[3]) != 0) __builtin_trap();
  if (parsed == 1 && std::strlen(text) < 7) __builtin_trap();

  // The writers stay inside their room (a text that fills it exactly gets its NUL just past
  // it) and write only digits and dots.
  char out[32];
  std::memset(out, kGuard, sizeof out);
  const int written = ObtemVersaosemBuild(text, out, room);
  // A text of exactly room characters has its NUL at out[room]; nothing else lies past room.
  const bool exactly_filled = written == 1 && std::memchr(out, '\0', static_cast<size_t>(room)) == nullptr;
  if (exactly_filled && out[room] != '\0') __builtin_trap();
  for (size_t i = static_cast<size_t>(room) + (exactly_filled ? 1 : 0); i < sizeof out; ++i)
    if (out[i] != kGuard) __builtin_trap();
  if (written == 1 && !digits_and_dots(out)) __builtin_trap();
  if (written == 0 && room > 0 && out[0] != '\0') __builtin_trap();
  std::memset(out, kGuard, sizeof out);
  if (ObtemBuilddaVersao(text, out, sizeof out) != 1 || !digits_and_dots(out)) __builtin_trap();

  std::memset(out, kGuard, sizeof out);
  GetVersionNumber(out, room, text);
  for (int i = 0; i < room; ++i)
    if (out[i] < '0' || out[i] > '9') __builtin_trap();
  if (out[room] != kGuard) __builtin_trap();

  int version = -1, release = -1;
  const int result = GetVersaoReleaseFromString(text, static_cast<unsigned int>(length),
                                                &version, &release);
  if (result != release || version < 0 || version > 9999 || release < 0 || release > 9999)
    __builtin_trap();

  (void)ConverteVersaoToLong(text);

  char field[96];
  const int n = MontaVersaoRedecardEx(text, field, static_cast<char>(data[0]), text + length / 2);
  if (n < 0 || static_cast<size_t>(n) != std::strlen(field)) __builtin_trap();
  if (MontaVersaoRedecard(text, field) > 27) __builtin_trap();
  return 0;
}

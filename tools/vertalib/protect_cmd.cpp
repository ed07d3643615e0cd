// Subcommand over the card-data protection: encrypts and opens a track under the card-data
// AES key and a card number under a DES key, for checking what a terminal stored. Opened
// card numbers are masked, and opened tracks shown only by their masked card number, unless
// the full data is asked for.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/card.h"
#include "vertalib/protect.h"

namespace {

constexpr size_t kLongestTrack = 128;
constexpr size_t kLongestPan = 32;
constexpr size_t kEncryptedPanLength = 34;
constexpr size_t kKeyDigits = 16;
constexpr int kShortestMaskable = 12;

int run_protect(int argc, char **argv);

const vl::cli::Command kProtect{
    "protect", "encrypt or open a track or card number as the library stores them",
    "usage: vertalib protect track1|track2 encrypt TRACK\n"
    "       vertalib protect track1|track2 decrypt HEX [--show-pan]\n"
    "       vertalib protect pan encrypt PAN KEY\n"
    "       vertalib protect pan decrypt ENCRYPTED KEY [--show-pan]\n"
    "track1, track2: the track text (at most 128 characters) under the card-data AES key,\n"
    "printed as hexadecimal; only whole 16-byte blocks are encrypted, so a track 1 needs 21\n"
    "characters and a track 2 needs 20 (exit code 1 below that). decrypt takes that\n"
    "hexadecimal text and prints the card number masked (first 6 and last 4) and the\n"
    "track's length; --show-pan prints the whole opened track instead.\n"
    "pan: a card number of 1 to 32 digits under KEY (16 or more hexadecimal digits, the\n"
    "first 16 used as a DES key), as 34 characters: the length, then two encrypted halves.\n"
    "decrypt prints the number masked unless --show-pan is given.\n",
    run_protect, [] {
      const char *encrypt[] = {"protect", "pan", "encrypt", "4111111111111111", "0123456789ABCDEF"};
      run_protect(5, const_cast<char **>(encrypt));
      char encrypted[kEncryptedPanLength + 1] = {};
      Encript_PAN(encrypt[3], encrypted, encrypt[4]);
      const char *decrypt[] = {"protect", "pan", "decrypt", encrypted, "0123456789ABCDEF"};
      run_protect(5, const_cast<char **>(decrypt));
    }};

// The card number as the program may show it: all of it on request, else its first 6 and
// last 4 characters with 'X' between ('X' throughout under 12 characters).
void print_card_number(const char *pan, bool show_pan) {
  char shown[kLongestPan + 1] = {};
  std::strncpy(shown, pan, kLongestPan);
  const size_t length = std::strlen(shown);
  if (!show_pan) {
    if (length >= static_cast<size_t>(kShortestMaskable)) MascaraPAN(shown, static_cast<int>(length));
    else std::memset(shown, 'X', length);
  }
  std::printf("card number:  %s\n", shown);
}

int run_track(bool track1, bool encrypt, const char *text, bool show_pan) {
  const size_t shortest = track1 ? 21 : 20;
  unsigned char buffer[kLongestTrack + 1] = {};
  size_t length = 0;
  if (encrypt) {
    length = std::strlen(text);
    if (length > kLongestTrack) return vl::cli::usage_error(kProtect, "a track has at most 128 characters");
    std::memcpy(buffer, text, length);
  } else if (!vl::cli::parse_hex(text, buffer, kLongestTrack, length)) {
    return vl::cli::usage_error(kProtect, "expects the encrypted track as hexadecimal text (at most 256 digits)");
  }
  if (length < shortest) {
    std::printf("too short to encrypt: a %s needs %zu characters\n", track1 ? "track 1" : "track 2", shortest);
    return vl::cli::kFalse;
  }
  char *track = reinterpret_cast<char *>(buffer);
  const int32_t count = static_cast<int32_t>(length);
  if (encrypt) {
    if (track1) EncryptTrack1AES(track, count);
    else EncryptTrack2AES(track, count);
    vl::cli::print_hex(buffer, length);
    return vl::cli::kOk;
  }
  if (track1) DecryptTrack1AES(track, static_cast<unsigned char>(length));
  else DecryptTrack2AES(track, static_cast<unsigned char>(length));
  if (show_pan) {
    std::printf("track:        %s\n", track);
    return vl::cli::kOk;
  }
  char pan[23];
  if (track1) GetPANFromTrilha1(pan, track);
  else GetPANFromTrilha2(pan, track);
  print_card_number(pan, false);
  std::printf("length:       %zu\n", std::strlen(track));
  return vl::cli::kOk;
}

int run_pan(bool encrypt, const char *text, const char *key, bool show_pan) {
  if (std::strlen(key) < kKeyDigits || !vl::cli::is_hex_text(key))
    return vl::cli::usage_error(kProtect, "KEY must be 16 or more hexadecimal digits");
  if (encrypt) {
    if (!vl::cli::is_digit_text(text) || std::strlen(text) > kLongestPan)
      return vl::cli::usage_error(kProtect, "PAN must be 1 to 32 digits");
    char out[kEncryptedPanLength + 1] = {};
    Encript_PAN(text, out, key);
    std::printf("%s\n", out);
    return vl::cli::kOk;
  }
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  if (std::strlen(text) != kEncryptedPanLength || !vl::cli::is_hex_text(text) || !is_digit(text[0]) ||
      !is_digit(text[1]))
    return vl::cli::usage_error(kProtect, "ENCRYPTED must be 34 characters: two length digits and 32 hex digits");
  char pan[kLongestPan + 1] = {};
  Decript_PAN(text, pan, key);
  print_card_number(pan, show_pan);
  return vl::cli::kOk;
}

int run_protect(int argc, char **argv) {
  const char *operands[4] = {};
  int count = 0;
  bool show_pan = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--show-pan") == 0) show_pan = true;
    else if (count < 4 && argv[i][0] != '-') operands[count++] = argv[i];
    else return vl::cli::usage_error(kProtect, "unexpected argument");
  }
  if (count < 3) return vl::cli::usage_error(kProtect, "expects a kind, a direction and the data");
  const bool encrypt = std::strcmp(operands[1], "encrypt") == 0;
  if (!encrypt && std::strcmp(operands[1], "decrypt") != 0)
    return vl::cli::usage_error(kProtect, "the direction is encrypt or decrypt");
  const bool track1 = std::strcmp(operands[0], "track1") == 0;
  if (track1 || std::strcmp(operands[0], "track2") == 0) {
    if (count != 3) return vl::cli::usage_error(kProtect, "a track takes no key");
    return run_track(track1, encrypt, operands[2], show_pan);
  }
  if (std::strcmp(operands[0], "pan") == 0) {
    if (count != 4) return vl::cli::usage_error(kProtect, "pan expects the data and a KEY");
    return run_pan(encrypt, operands[2], operands[3], show_pan);
  }
  return vl::cli::usage_error(kProtect, "the kind is track1, track2 or pan");
}

}  // namespace

VL_CLI_COMMAND(kProtect);

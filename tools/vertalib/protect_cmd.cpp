// Subcommand over the card-data protection: encrypts and opens a track under the card-data
// AES key and a card number under a DES key, for checking what a terminal stored. Opened
// card numbers are masked, and opened tracks shown only by their masked card number, unless
// the full data is asked for.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "frame/heap.h"
#include "vertalib/card.h"
#include "vertalib/protect.h"

namespace {

constexpr size_t kLongestTrack = 128;
constexpr size_t kLongestPan = 32;
constexpr size_t kEncryptedPanLength = 34;
constexpr size_t kKeyDigits = 16;

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
      vl::cli::run_with(run_protect, {"protect", "pan", "encrypt", "4111111111111111", "0123456789ABCDEF"});
      char encrypted[kEncryptedPanLength + 1] = {};
      Encript_PAN("4111111111111111", encrypted, "0123456789ABCDEF");
      vl::cli::run_with(run_protect, {"protect", "pan", "decrypt", encrypted, "0123456789ABCDEF"});
    }};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void print_card_number(const char *pan, bool show_pan) {
  std::printf("card number:  %s\n", show_pan ? pan : vl::cli::masked_card_number(pan).c_str());
}

int run_track(bool track1, bool encrypt, const char *text, bool show_pan) {
  const size_t shortest = track1 ? 21 : 20;
  unsigned char buffer[kLongestTrack + 1] = {};
  const vl::WipeOnExit wipe_buffer(buffer, sizeof buffer);  // a track, clear or decrypted
  size_t length = 0;
  if (encrypt) {
    length = std::strlen(text);
    if (length > kLongestTrack)
      return vl::cli::usage_error(
          kProtect, ("a track has at most 128 characters, not " + std::to_string(length)).c_str());
    std::memcpy(buffer, text, length);
  } else {
    const std::string problem = vl::cli::hex_bytes_problem("HEX", text, 0, kLongestTrack);
    if (!problem.empty()) return vl::cli::usage_error(kProtect, problem.c_str());
    vl::cli::parse_hex(text, buffer, kLongestTrack, length);
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
  const vl::WipeOnExit wipe_pan(pan, sizeof pan);
  if (track1) GetPANFromTrilha1(pan, track);
  else GetPANFromTrilha2(pan, track);
  print_card_number(pan, false);
  std::printf("length:       %zu\n", std::strlen(track));
  return vl::cli::kOk;
}

int run_pan(bool encrypt, const char *text, const char *key, bool show_pan) {
  std::string problem = encrypt ? vl::cli::digit_text_problem("PAN", text, 1, kLongestPan)
                                : vl::cli::hex_text_problem("ENCRYPTED", text, kEncryptedPanLength,
                                                            kEncryptedPanLength);
  if (problem.empty() && !encrypt && !(is_digit(text[0]) && is_digit(text[1])))
    problem = "ENCRYPTED starts with two length digits";
  if (problem.empty()) problem = vl::cli::hex_text_problem("KEY", key, kKeyDigits, vl::cli::kNoLimit);
  if (!problem.empty()) return vl::cli::usage_error(kProtect, problem.c_str());
  if (encrypt) {
    char out[kEncryptedPanLength + 1] = {};
    Encript_PAN(text, out, key);
    std::printf("%s\n", out);
    return vl::cli::kOk;
  }
  char pan[kLongestPan + 1] = {};
  const vl::WipeOnExit wipe_pan(pan, sizeof pan);
  Decript_PAN(text, pan, key);
  print_card_number(pan, show_pan);
  return vl::cli::kOk;
}

int run_protect(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--show-pan", 0}});
  if (!args.expect(3, 4, "a kind, a direction and the data")) return args.fail(kProtect);
  const bool encrypt = std::strcmp(args[1], "encrypt") == 0;
  if (!encrypt && std::strcmp(args[1], "decrypt") != 0)
    return vl::cli::usage_error(kProtect, "the direction is encrypt or decrypt");
  const bool track1 = std::strcmp(args[0], "track1") == 0;
  if (track1 || std::strcmp(args[0], "track2") == 0) {
    if (args.count() != 3) return vl::cli::usage_error(kProtect, "a track takes no key");
    return run_track(track1, encrypt, args[2], args.flag("--show-pan"));
  }
  if (std::strcmp(args[0], "pan") == 0) {
    if (args.count() != 4) return vl::cli::usage_error(kProtect, "pan expects the data and a KEY");
    return run_pan(encrypt, args[2], args[3], args.flag("--show-pan"));
  }
  return vl::cli::usage_error(kProtect, "the kind is track1, track2 or pan");
}

}  // namespace

VL_CLI_COMMAND(kProtect);

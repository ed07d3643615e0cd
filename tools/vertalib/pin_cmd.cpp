// Subcommand over the PIN blocks: builds an ISO 9564 format-0 block encrypted under a working
// key, and opens one. The clear PIN is never printed unless asked for explicitly.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "frame/heap.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"

namespace {

constexpr size_t kShortestPin = 4;
constexpr size_t kLongestPin = 12;
constexpr size_t kShortestPan = 12;
constexpr size_t kLongestPan = 19;
constexpr int kEncrypt = 0;
constexpr int kDecrypt = 1;

int run_pinblock(int argc, char **argv);

const vl::cli::Command kPinBlock{
    "pinblock", "build or open an ISO 9564 format-0 PIN block under a working key",
    "usage: vertalib pinblock build PIN PAN KEY\n"
    "       vertalib pinblock open BLOCK PAN KEY [--show-pin]\n"
    "PIN is 4 to 12 digits, PAN the card number (12 to 19 digits), KEY the working key\n"
    "(triple DES EDE, 16, 32 or 48 hex digits), BLOCK the encrypted block (16 hex digits).\n"
    "build prints the encrypted block. open decrypts the block, takes the PIN out and prints\n"
    "its length and whether the block is a valid format-0 block for that card number; the\n"
    "PIN itself only with --show-pin. Exit code 1 when the block is not valid.\n"
    "  vertalib pinblock build 1234 4111111111111111 0123456789ABCDEFFEDCBA9876543210\n"
    "      ->  2A3D408A1977DDE9\n",
    run_pinblock, [] {
      vl::cli::run_with(run_pinblock,
                        {"pinblock", "build", "1234", "4111111111111111", "0123456789ABCDEFFEDCBA9876543210"});
      vl::cli::run_with(run_pinblock, {"pinblock", "open", "2A3D408A1977DDE9", "4111111111111111",
                                       "0123456789ABCDEFFEDCBA9876543210"});
    }};

int build(const char *pin, const char *pan, const char *key) {
  const int pin_length = static_cast<int>(std::strlen(pin));
  unsigned char block[8];
  mountPinBlock(pin, pin_length, pan, static_cast<int>(std::strlen(pan)), block);
  tripleDES_EDE(kEncrypt, static_cast<int>(std::strlen(key)), key, block, block);
  vl::cli::print_hex(block, sizeof block);
  vl::secure_zero(block, sizeof block);
  return vl::cli::kOk;
}

// A block is valid when it opens to 4 to 12 digits under the card number and building the
// block again from them gives the same bytes (so the padding is all "F").
int open(const unsigned char (&encrypted)[8], const char *pan, const char *key, bool show_pin) {
  const int pan_length = static_cast<int>(std::strlen(pan));
  unsigned char clear[8], rebuilt[8] = {};
  tripleDES_EDE(kDecrypt, static_cast<int>(std::strlen(key)), key, encrypted, clear);
  char pin[17] = {};
  unmountPinBlock(clear, pan, pan_length, pin);
  const bool opened = std::strcmp(pin, "ERRO") != 0;
  const size_t length = opened ? std::strlen(pin) : 0;
  bool valid = opened && vl::cli::is_digit_text(pin) && length >= kShortestPin && length <= kLongestPin;
  if (valid) {
    mountPinBlock(pin, static_cast<int>(length), pan, pan_length, rebuilt);
    valid = std::memcmp(rebuilt, clear, sizeof clear) == 0;
  }
  if (show_pin && valid) std::printf("pin:        %s\n", pin);
  if (opened) std::printf("pin length: %zu\n", length);
  else std::printf("pin length: -\n");
  std::printf("valid:      %s\n", valid ? "yes" : "no");
  vl::secure_zero(pin, sizeof pin);
  vl::secure_zero(clear, sizeof clear);
  vl::secure_zero(rebuilt, sizeof rebuilt);
  return valid ? vl::cli::kOk : vl::cli::kFalse;
}

int run_pinblock(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--show-pin", 0}});
  if (!args.expect(4, 4, "build PIN PAN KEY or open BLOCK PAN KEY")) return args.fail(kPinBlock);
  const bool building = std::strcmp(args[0], "build") == 0;
  if (!building && std::strcmp(args[0], "open") != 0)
    return vl::cli::usage_error(kPinBlock, "the first argument is build or open");
  if (building && args.flag("--show-pin")) return vl::cli::usage_error(kPinBlock, "--show-pin goes with open");
  const char *pan = args[2];
  const char *key = args[3];
  if (!args.check(building ? vl::cli::digit_text_problem("PIN", args[1], kShortestPin, kLongestPin)
                           : vl::cli::hex_text_problem("BLOCK", args[1], 16, 16)) ||
      !args.check(vl::cli::digit_text_problem("PAN", pan, kShortestPan, kLongestPan)) ||
      !args.check(vl::cli::des_key_problem("KEY", key)))
    return args.fail(kPinBlock);
  if (building) return build(args[1], pan, key);
  unsigned char block[8];
  size_t bytes = 0;
  vl::cli::parse_hex(args[1], block, sizeof block, bytes);
  return open(block, pan, key, args.flag("--show-pin"));
}

}  // namespace

VL_CLI_COMMAND(kPinBlock);

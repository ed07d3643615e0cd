// Subcommands over message fields: the data elements an ISO 8583 bitmap announces.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/fields.h"

namespace {

constexpr int kPrimaryBits = 64;
constexpr int kAllBits = 128;

int run_bitmap(int argc, char **argv);

const vl::cli::Command kBitmap{
    "bitmap", "ISO 8583 bitmap to data element numbers and back",
    "usage: vertalib bitmap HEX\n"
    "       vertalib bitmap --elements N [N...]\n"
    "HEX (16 hexadecimal digits, or 32 with the secondary bitmap) prints the numbers of\n"
    "the data elements present, separated by blanks:\n"
    "  vertalib bitmap 7000000000000001   ->  2 3 4 64\n"
    "--elements prints the bitmap of the numbers given (1 to 128): 16 digits when all are\n"
    "64 or below, else 32. Bit 1 (secondary bitmap present) is set only when listed:\n"
    "  vertalib bitmap --elements 1 3 65  ->  A0000000000000008000000000000000\n",
    run_bitmap,
    [] {
      vl::cli::run_with(run_bitmap, {"bitmap", "F23C46C1A8E0A000"});
      vl::cli::run_with(run_bitmap, {"bitmap", "--elements", "2", "55"});
    }};

// A data element number from 1 to 128 in plain decimal digits.
bool read_element(const char *text, int &element) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 3) return false;
  element = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    element = element * 10 + (text[i] - '0');
  }
  return element >= 1 && element <= kAllBits;
}

int list_elements(const char *hex) {
  unsigned char map[kAllBits / 8];
  size_t count = 0;
  if (!vl::cli::parse_hex(hex, map, sizeof map, count) || (count != 8 && count != 16))
    return vl::cli::usage_error(kBitmap, "HEX takes 16 or 32 hexadecimal digits");
  const char *separator = "";
  for (int bit = 1; bit <= static_cast<int>(count) * 8; ++bit) {
    if (isON(map, bit) == 0) continue;
    std::printf("%s%d", separator, bit);
    separator = " ";
  }
  std::printf("\n");
  return vl::cli::kOk;
}

int build_bitmap(const vl::cli::Args &args) {
  if (args.count() == 0) return vl::cli::usage_error(kBitmap, "--elements expects element numbers");
  unsigned char map[kAllBits / 8] = {};
  int highest = 0;
  for (size_t i = 0; i < args.count(); ++i) {
    int element = 0;
    if (!read_element(args[i], element))
      return vl::cli::usage_error(kBitmap, "element numbers go from 1 to 128");
    SetBIT(element, map);
    if (element > highest) highest = element;
  }
  vl::cli::print_hex(map, highest > kPrimaryBits ? 16 : 8);
  return vl::cli::kOk;
}

int run_bitmap(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--elements", 0}});
  if (!args.ok()) return args.fail(kBitmap);
  if (args.flag("--elements")) return build_bitmap(args);
  if (!args.expect(1, 1, "a bitmap or --elements")) return args.fail(kBitmap);
  return list_elements(args[0]);
}

}  // namespace

VL_CLI_COMMAND(kBitmap);

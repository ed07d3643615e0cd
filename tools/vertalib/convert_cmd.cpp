// Subcommands over hexadecimal text and packed BCD.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/convert.h"

namespace {

constexpr size_t kMaxText = 4096;

// Prints bytes as text, escaping what is not printable ASCII.
void print_escaped(const unsigned char *bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] >= 0x20 && bytes[i] < 0x7F && bytes[i] != '\\') {
      std::putchar(bytes[i]);
    } else {
      std::printf("\\x%02X", bytes[i]);
    }
  }
  std::putchar('\n');
}

int run_hex2bin(int argc, char **argv);
int run_bin2hex(int argc, char **argv);
int run_bcd(int argc, char **argv);

const vl::cli::Command kHex2Bin{
    "hex2bin", "hexadecimal text to bytes",
    "usage: vertalib hex2bin HEX\n"
    "Prints the bytes of the hexadecimal text, non-printable ones as \\xNN:\n"
    "  vertalib hex2bin 48656C6C6F0A   ->  Hello\\x0A\n"
    "An odd number of digits leaves the last low nibble 0.\n",
    run_hex2bin,
    [] {
      vl::cli::run_with(run_hex2bin, {"hex2bin", "56657274614C6962"});
    }};

const vl::cli::Command kBin2Hex{
    "bin2hex", "text (or standard input) to hexadecimal",
    "usage: vertalib bin2hex [TEXT]\n"
    "Prints the bytes of TEXT, or of standard input when TEXT is absent, as upper-case\n"
    "hexadecimal:\n"
    "  vertalib bin2hex Hello   ->  48656C6C6F\n",
    run_bin2hex,
    [] {
      vl::cli::run_with(run_bin2hex, {"bin2hex", "VertaLib"});
    }};

const vl::cli::Command kBcd{
    "bcd", "decimal digits to packed BCD and back",
    "usage: vertalib bcd pack DIGITS\n"
    "       vertalib bcd unpack HEX DIGITS\n"
    "pack: the digits (up to 5, right-aligned) as packed BCD in hexadecimal.\n"
    "unpack: the number held by the first DIGITS (up to 6) BCD digits of HEX.\n"
    "  vertalib bcd pack 123        ->  0123\n"
    "  vertalib bcd unpack 0123 4   ->  123\n",
    run_bcd,
    [] {
      vl::cli::run_with(run_bcd, {"bcd", "pack", "1234"});
      vl::cli::run_with(run_bcd, {"bcd", "unpack", "01234F", "5"});
    }};

int run_hex2bin(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one hexadecimal text") || !args.check(vl::cli::hex_text_problem("HEX", args[0], 1, kMaxText)))
    return args.fail(kHex2Bin);
  const size_t length = std::strlen(args[0]);
  unsigned char bytes[kMaxText / 2 + 1];
  ASC2Bin(bytes, args[0], static_cast<int>(length));
  print_escaped(bytes, (length + 1) / 2);
  return vl::cli::kOk;
}

int run_bin2hex(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(0, 1, "at most one text")) return args.fail(kBin2Hex);
  unsigned char bytes[kMaxText];
  size_t count = 0;
  if (args.count() == 1) {
    count = std::strlen(args[0]);
    if (count > kMaxText) return vl::cli::usage_error(kBin2Hex, "text too long");
    std::memcpy(bytes, args[0], count);
  } else {
    count = std::fread(bytes, 1, sizeof bytes, stdin);
  }
  char hex[2 * kMaxText + 1];
  binary2hex(bytes, static_cast<unsigned int>(count), hex);
  hex[2 * count] = '\0';
  std::printf("%s\n", hex);
  return vl::cli::kOk;
}

int run_bcd(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 3, "'pack DIGITS' or 'unpack HEX DIGITS'")) return args.fail(kBcd);
  if (args.count() == 2 && std::strcmp(args[0], "pack") == 0) {
    if (!args.check(vl::cli::digit_text_problem("DIGITS", args[1], 1, 5))) return args.fail(kBcd);
    const size_t digits = std::strlen(args[1]);
    // Right-aligned: an odd count gets a leading 0 digit.
    const int packed = static_cast<int>(digits + digits % 2);
    unsigned char bcd[3];
    int value = 0;
    for (size_t i = 0; i < digits; ++i) value = value * 10 + (args[1][i] - '0');
    int2Bcd(bcd, value, packed);
    char hex[7];
    Bin2ASCz(hex, bcd, static_cast<unsigned int>(packed));
    std::printf("%s\n", hex);
    return vl::cli::kOk;
  }
  if (args.count() == 3 && std::strcmp(args[0], "unpack") == 0) {
    if (!args.check(vl::cli::hex_bytes_problem("HEX", args[1], 1, 8))) return args.fail(kBcd);
    const size_t length = std::strlen(args[1]);
    if (!vl::cli::is_digit_text(args[2]) || std::strlen(args[2]) > 1 || args[2][0] == '0' ||
        args[2][0] > '6' || static_cast<size_t>(args[2][0] - '0') > length)
      return vl::cli::usage_error(kBcd, "DIGITS from 1 to 6, within the text");
    unsigned char bcd[8];
    ASC2Bin(bcd, args[1], static_cast<int>(length));
    std::printf("%d\n", Bcd2int(bcd, static_cast<unsigned int>(args[2][0] - '0')));
    return vl::cli::kOk;
  }
  return vl::cli::usage_error(kBcd, "expects 'pack DIGITS' or 'unpack HEX DIGITS'");
}

}  // namespace

VL_CLI_COMMAND(kHex2Bin);
VL_CLI_COMMAND(kBin2Hex);
VL_CLI_COMMAND(kBcd);

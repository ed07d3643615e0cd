// Subcommands over the compact codes: radix-36 text, the two-character Verta code and the
// run-length coding of bytes.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli.h"
#include "vertalib/convert.h"

namespace {

constexpr size_t kMaxBytes = 4096;
constexpr unsigned kMaxDecoded = 64 * kMaxBytes;

// A decimal number of digits only, within 0..limit.
bool read_number(const char *text, long long limit, long long &value) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 10) return false;
  for (size_t i = 0; i < length; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  value = std::atoll(text);
  return value <= limit;
}

// The number of radix-36 digits of value (at least 1).
int base36_digits(long long value) {
  int digits = 1;
  for (; value >= 36; value /= 36) ++digits;
  return digits;
}

int run_base36(int argc, char **argv);
int run_verta(int argc, char **argv);
int run_rle(int argc, char **argv);

const vl::cli::Command kBase36{
    "base36", "decimal numbers to radix-36 text and back",
    "usage: vertalib base36 encode NUMBER [DIGITS]\n"
    "       vertalib base36 decode TEXT\n"
    "encode: NUMBER (0..2147483647) in radix 36, zero-filled to DIGITS (1..32) characters\n"
    "        (the last DIGITS digits when longer); without DIGITS, as many as it needs.\n"
    "decode: the value of TEXT, digits 0-9 and A-Z (upper case only); exit code 1, after\n"
    "        the line \"Invalid Number\", for a character that is not a radix-36 digit.\n"
    "  vertalib base36 encode 71 3   ->  01Z\n"
    "  vertalib base36 decode 1Z     ->  71\n",
    run_base36,
    [] {
      vl::cli::run_with(run_base36, {"base36", "encode", "123456"});
      vl::cli::run_with(run_base36, {"base36", "decode", "2N9C"});
    }};

const vl::cli::Command kVerta{
    "verta", "numbers to the two-character Verta code and back",
    "usage: vertalib verta encode NUMBER\n"
    "       vertalib verta decode CODE\n"
    "The Verta code writes 10..99 as their digits and 100..333 as a digit 0-8 and a letter\n"
    "(0A = 100, 8Z = 333); other numbers up to 1295 take their two radix-36 digits.\n"
    "encode: the code of NUMBER (0..1295), with its radix-36 text.\n"
    "decode: the number of a two-character CODE.\n"
    "  vertalib verta encode 100   ->  0A (radix 36: 2S)\n"
    "  vertalib verta decode 8Z    ->  333\n",
    run_verta,
    [] {
      vl::cli::run_with(run_verta, {"verta", "encode", "126"});
      vl::cli::run_with(run_verta, {"verta", "decode", "45"});
    }};

const vl::cli::Command kRle{
    "rle", "run-length coding of hexadecimal bytes",
    "usage: vertalib rle encode HEX\n"
    "       vertalib rle decode HEX [SIZE]\n"
    "A count byte 80..BF stands for (count AND 3F) + 1 copies of the byte after it.\n"
    "encode: the coded bytes of HEX in hexadecimal.\n"
    "decode: the bytes HEX stands for, in at most SIZE bytes (default 262144); exit code 1\n"
    "        when they do not fit or the last byte is a count byte.\n"
    "  vertalib rle encode 4141414142   ->  834142\n"
    "  vertalib rle decode 834142       ->  4141414142\n",
    run_rle,
    [] {
      vl::cli::run_with(run_rle, {"rle", "encode", "000000000000F0F0F0F0F08585"});
      vl::cli::run_with(run_rle, {"rle", "decode", "850081F0"});
    }};

int run_base36(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  const bool encode = args.ok() && args.count() >= 1 && std::strcmp(args[0], "encode") == 0;
  const bool decode = args.ok() && args.count() >= 1 && std::strcmp(args[0], "decode") == 0;
  if (!encode && !decode) {
    if (!args.ok()) return args.fail(kBase36);
    return vl::cli::usage_error(kBase36, "expects 'encode NUMBER [DIGITS]' or 'decode TEXT'");
  }
  if (!args.expect(2, encode ? 3 : 2, encode ? "encode NUMBER" : "decode TEXT")) return args.fail(kBase36);
  if (encode) {
    long long value = 0;
    if (!read_number(args[1], INT_MAX, value))
      return vl::cli::usage_error(kBase36, "NUMBER from 0 to 2147483647");
    long long digits = base36_digits(value);
    if (args.count() == 3 && (!read_number(args[2], 32, digits) || digits == 0))
      return vl::cli::usage_error(kBase36, "DIGITS from 1 to 32");
    char text[33];
    std::printf("%s\n", convertDecimaltoBase36(static_cast<int>(value), text,
                                               static_cast<unsigned>(digits + 1)));
    return vl::cli::kOk;
  }
  const int value = convertBase36toDecimal(args[1]);
  if (value < 0) return vl::cli::kFalse;
  std::printf("%d\n", value);
  return vl::cli::kOk;
}

int run_verta(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 2, "'encode NUMBER' or 'decode CODE'")) return args.fail(kVerta);
  if (std::strcmp(args[0], "encode") == 0) {
    long long value = 0;
    if (!read_number(args[1], 36 * 36 - 1, value))
      return vl::cli::usage_error(kVerta, "NUMBER from 0 to 1295");
    char code[2];
    char base36[3];
    convertDecimaltoB36Verta(static_cast<int>(value), code);
    convertDecimaltoBase36(static_cast<int>(value), base36, sizeof base36);
    std::printf("%.2s (radix 36: %s)\n", code, base36);
    return vl::cli::kOk;
  }
  if (std::strcmp(args[0], "decode") == 0) {
    const char *code = args[1];
    if (std::strlen(code) != 2) return vl::cli::usage_error(kVerta, "CODE of two characters");
    const int value = convertB36VertatoDecimal(code);
    if (value < 0) {
      std::fprintf(stderr,
                   "vertalib verta: '%s' is not a code: two digits, a digit 0-8 and a letter,"
                   " or two radix-36 digits 0-9 A-Z\n",
                   code);
      return vl::cli::kFalse;
    }
    std::printf("%d\n", value);
    return vl::cli::kOk;
  }
  return vl::cli::usage_error(kVerta, "expects 'encode NUMBER' or 'decode CODE'");
}

int run_rle(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  const bool encode = args.count() >= 1 && std::strcmp(args[0], "encode") == 0;
  const bool decode = args.count() >= 1 && std::strcmp(args[0], "decode") == 0;
  if (!args.ok()) return args.fail(kRle);
  if (!encode && !decode) return vl::cli::usage_error(kRle, "expects 'encode HEX' or 'decode HEX [SIZE]'");
  if (!args.expect(2, decode ? 3 : 2, "HEX")) return args.fail(kRle);
  static unsigned char in[kMaxBytes];
  size_t count = 0;
  if (!vl::cli::parse_hex(args[1], in, sizeof in, count))
    return vl::cli::usage_error(kRle, "HEX of an even number of digits, at most 4096 bytes");
  static unsigned char out[kMaxDecoded];
  if (encode) {
    vl::cli::print_hex(out, RleEncode(out, in, static_cast<unsigned>(count)));
    return vl::cli::kOk;
  }
  long long size = kMaxDecoded;
  if (args.count() == 3 && !read_number(args[2], kMaxDecoded, size))
    return vl::cli::usage_error(kRle, "SIZE from 0 to 262144");
  const unsigned written = RleDecode(out, in, static_cast<unsigned>(count), static_cast<unsigned>(size));
  if (written == 0) {
    std::fprintf(stderr, "vertalib rle: does not decode within %lld bytes\n", size);
    return vl::cli::kFalse;
  }
  vl::cli::print_hex(out, written);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kBase36);
VL_CLI_COMMAND(kVerta);
VL_CLI_COMMAND(kRle);

// Subcommands over character sets: the library's EBCDIC tables and URI percent-encoding.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/convert.h"

namespace {

// The EBCDIC conversions take 16-bit counts.
constexpr size_t kMaxField = 4096;

int run_ebcdic(int argc, char **argv);
int run_uri(int argc, char **argv);

const vl::cli::Command kEbcdic{
    "ebcdic", "ASCII text to EBCDIC hexadecimal and back",
    "usage: vertalib ebcdic encode TEXT\n"
    "       vertalib ebcdic decode HEX\n"
    "encode: the EBCDIC bytes of TEXT in hexadecimal (bytes outside 0x20..0x7F give 20).\n"
    "decode: the ASCII text of the EBCDIC bytes (bytes without a mapping give '@'); bytes\n"
    "that begin with an ASCII digit are taken as ASCII already and printed unchanged.\n"
    "  vertalib ebcdic encode A1     ->  C1F1\n"
    "  vertalib ebcdic decode C1F1   ->  A1\n",
    run_ebcdic,
    [] {
      vl::cli::run_with(run_ebcdic, {"ebcdic", "encode", "VERTA 123"});
      vl::cli::run_with(run_ebcdic, {"ebcdic", "decode", "E5C5D9E3C140F1F2F3"});
    }};

const vl::cli::Command kUri{
    "uri", "percent-encoding of a text for a URI",
    "usage: vertalib uri TEXT\n"
    "Letters, digits and - _ . ~ stay; every other byte becomes %XX:\n"
    "  vertalib uri 'a b/c'   ->  a%20b%2Fc\n",
    run_uri,
    [] {
      vl::cli::run_with(run_uri, {"uri", "valor=12,50 & parcela=1/3"});
    }};

int run_ebcdic(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(2, 2, "'encode TEXT' or 'decode HEX'")) return args.fail(kEbcdic);
  if (std::strcmp(args[0], "encode") == 0) {
    const size_t length = std::strlen(args[1]);
    if (length > kMaxField) return vl::cli::usage_error(kEbcdic, "text too long");
    unsigned char ebcdic[kMaxField];
    ASC2EBCDIC(ebcdic, args[1], static_cast<unsigned short>(length));
    vl::cli::print_hex(ebcdic, length);
    return vl::cli::kOk;
  }
  if (std::strcmp(args[0], "decode") == 0) {
    unsigned char ebcdic[kMaxField];
    size_t count = 0;
    if (!vl::cli::parse_hex(args[1], ebcdic, sizeof ebcdic, count))
      return vl::cli::usage_error(kEbcdic, "decode takes an even hexadecimal text");
    char ascii[kMaxField];
    if (EBCDIC2ASC(ascii, ebcdic, static_cast<unsigned short>(count)) == 0)
      std::fprintf(stderr, "vertalib ebcdic: begins with an ASCII digit, copied unchanged\n");
    std::printf("%.*s\n", static_cast<int>(count), ascii);
    return vl::cli::kOk;
  }
  return vl::cli::usage_error(kEbcdic, "expects 'encode TEXT' or 'decode HEX'");
}

int run_uri(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one text")) return args.fail(kUri);
  const size_t length = std::strlen(args[0]);
  if (length > kMaxField) return vl::cli::usage_error(kUri, "text too long");
  char encoded[3 * kMaxField + 1];
  URI_Encode(args[0], encoded);
  std::printf("%s\n", encoded);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kEbcdic);
VL_CLI_COMMAND(kUri);

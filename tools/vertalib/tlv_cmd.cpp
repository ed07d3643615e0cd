// Subcommand over BER-TLV text of data element 55: one line per object, sensitive values
// masked.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "vertalib/tlv.h"

namespace {

struct TagName {
  unsigned tag;
  const char *name;
};

constexpr TagName kTagNames[] = {
    {0x4F, "Application Identifier (AID)"},
    {0x50, "Application Label"},
    {0x57, "Track 2 Equivalent Data"},
    {0x5A, "Application PAN"},
    {0x82, "Application Interchange Profile"},
    {0x84, "Dedicated File Name"},
    {0x8A, "Authorisation Response Code"},
    {0x91, "Issuer Authentication Data"},
    {0x95, "Terminal Verification Results"},
    {0x9A, "Transaction Date"},
    {0x9B, "Transaction Status Information"},
    {0x9C, "Transaction Type"},
    {0x5F20, "Cardholder Name"},
    {0x5F24, "Application Expiration Date"},
    {0x5F25, "Application Effective Date"},
    {0x5F28, "Issuer Country Code"},
    {0x5F2A, "Transaction Currency Code"},
    {0x5F30, "Service Code"},
    {0x5F34, "PAN Sequence Number"},
    {0x71, "Issuer Script Template 1"},
    {0x72, "Issuer Script Template 2"},
    {0x9F02, "Amount, Authorised"},
    {0x9F03, "Amount, Other"},
    {0x9F06, "Application Identifier (terminal)"},
    {0x9F07, "Application Usage Control"},
    {0x9F09, "Application Version Number (terminal)"},
    {0x9F10, "Issuer Application Data"},
    {0x9F1A, "Terminal Country Code"},
    {0x9F1E, "Interface Device Serial Number"},
    {0x9F1F, "Track 1 Discretionary Data"},
    {0x9F20, "Track 2 Discretionary Data"},
    {0x9F21, "Transaction Time"},
    {0x9F26, "Application Cryptogram"},
    {0x9F27, "Cryptogram Information Data"},
    {0x9F33, "Terminal Capabilities"},
    {0x9F34, "CVM Results"},
    {0x9F35, "Terminal Type"},
    {0x9F36, "Application Transaction Counter"},
    {0x9F37, "Unpredictable Number"},
    {0x9F41, "Transaction Sequence Counter"},
    {0x9F53, "Transaction Category Code"},
    {0x9F6E, "Form Factor Indicator"},
};

const char *tag_name(unsigned tag) {
  for (const TagName &entry : kTagNames)
    if (entry.tag == tag) return entry.name;
  return nullptr;
}

// The object's characters, masked one object at a time so that padding before a sensitive
// object cannot stop the masking walk short of it.
std::string shown_value(const TLVItem &item, bool masked) {
  const size_t header = static_cast<size_t>(item.header_length);
  std::string object(item.tag_start, header + item.value_length);
  if (masked) BufMascaraDadosSensiveisEMV(object.data(), static_cast<int>(object.size()), '*');
  return object.substr(header);
}

void print_item(const TLVItem &item, bool masked) {
  char tag[8];
  std::snprintf(tag, sizeof tag, item.tag > 0xFF ? "%04X" : "%02X", item.tag);
  const std::string value = shown_value(item, masked);
  std::printf("%-4s %3u %s", tag, item.value_length / 2u, value.c_str());
  if (const char *name = tag_name(item.tag)) std::printf("  (%s)", name);
  std::putchar('\n');
}

int run_tlv(int argc, char **argv);

const vl::cli::Command kTlv{
    "tlv", "decode BER-TLV hexadecimal text of BIT 55",
    "usage: vertalib tlv [--unmasked] HEX\n"
    "Prints one line per object of the BER-TLV text: tag, value length in bytes, value\n"
    "and, for common EMV tags, the tag's name. Padding 00 between objects is skipped.\n"
    "The values of 5A, 57, 9F1F, 9F20, 5F24 and 5F30 (card data) are shown as '*'\n"
    "unless --unmasked is given.\n"
    "  vertalib tlv 9F2701805A084761739001010010\n"
    "  ->  9F27   1 80  (Cryptogram Information Data)\n"
    "      5A     8 ****************  (Application PAN)\n"
    "Exit code 1 when the text is not well-formed BER-TLV or holds no object.\n",
    run_tlv,
    [] {
      char a[] = "tlv", b[] = "9F2608A1B2C3D4E5F60718" "95050000048000" "5A084761739001010010";
      char *args[] = {a, b};
      run_tlv(2, args);
    }};

int run_tlv(int argc, char **argv) {
  bool masked = true;
  const char *text = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--unmasked") == 0) {
      masked = false;
    } else if (text == nullptr && argv[i][0] != '-') {
      text = argv[i];
    } else {
      return vl::cli::usage_error(kTlv, "unexpected argument");
    }
  }
  if (text == nullptr) return vl::cli::usage_error(kTlv, "expects hexadecimal text");
  if (!vl::cli::is_hex_text(text)) return vl::cli::usage_error(kTlv, "the text must be hexadecimal");
  const size_t length = std::strlen(text);
  if (length > 65536) return vl::cli::usage_error(kTlv, "at most 65536 characters");

  TLVItem *list = AscTLV2Array(text, static_cast<int>(length));
  if (list == nullptr) {
    std::fprintf(stderr, "vertalib tlv: not well-formed BER-TLV, or no object\n");
    return vl::cli::kFalse;
  }
  for (const TLVItem *item = list; item != nullptr; item = item->next) print_item(*item, masked);
  CleanTLVList(list);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kTlv);

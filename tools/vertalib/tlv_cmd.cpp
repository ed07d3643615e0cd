// Subcommand over BER-TLV text of data element 55: one line per object with its name, the
// bits and codes of the bit-field objects spelled out, card data masked.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "emv_dictionary.h"
#include "vertalib/tlv.h"

namespace {

namespace emv = vl::cli::emv;

constexpr size_t kLongestText = 65536;
constexpr int kDeepestNesting = 8;
constexpr const char *kDetail = "         ";  // detail lines start under the value

const emv::Tag *find_tag(unsigned tag) {
  for (const emv::Tag &entry : emv::kTags)
    if (entry.tag == tag) return &entry;
  return nullptr;
}

const char *code_meaning(const emv::Code *table, size_t count, unsigned code) {
  for (size_t i = 0; i < count; ++i)
    if (table[i].code == code) return table[i].meaning;
  return "Reserved";
}

template <size_t N>
const char *code_meaning(const emv::Code (&table)[N], unsigned code) {
  return code_meaning(table, N, code);
}

const emv::BitField *find_bit_field(unsigned tag) {
  for (const emv::BitField &field : emv::kBitFields)
    if (field.tag == tag) return &field;
  return nullptr;
}

void print_bits(const std::string &indent, unsigned tag, const unsigned char *bytes, size_t count) {
  for (size_t byte = 0; byte < count; ++byte) {
    for (int bit = 8; bit >= 1; --bit) {
      if ((bytes[byte] & (1u << (bit - 1))) == 0) continue;
      const char *meaning = "Reserved";
      for (const emv::Bit &entry : emv::kBits)
        if (entry.tag == tag && entry.byte == byte + 1 && entry.bit == bit) meaning = entry.meaning;
      std::printf("%s%sbyte %zu bit %d: %s\n", indent.c_str(), kDetail, byte + 1, bit, meaning);
    }
  }
}

// The method and condition of a CV rule, as in a CVM list and in the CVM results.
std::string cv_rule(unsigned char method, unsigned char condition) {
  char codes[8];
  std::snprintf(codes, sizeof codes, "%02X%02X ", method, condition);
  std::string text = codes;
  text += code_meaning(emv::kCvmMethods, method & 0x3Fu);
  text += "; ";
  text += code_meaning(emv::kCvmConditions, condition);
  if ((method & 0x40u) != 0) text += "; next rule if unsuccessful";
  return text;
}

unsigned long big_endian(const unsigned char *bytes) {
  return (static_cast<unsigned long>(bytes[0]) << 24) | (static_cast<unsigned long>(bytes[1]) << 16) |
         (static_cast<unsigned long>(bytes[2]) << 8) | bytes[3];
}

// The lines under the value of a bit-field or coded object; nothing for other objects or
// for a value too short to read.
void print_details(const std::string &indent, unsigned tag, const unsigned char *bytes, size_t count) {
  const char *pad = kDetail;
  if (const emv::BitField *field = find_bit_field(tag)) {
    print_bits(indent, tag, bytes, count < field->bytes ? count : field->bytes);
  } else if (tag == 0x9F27 && count >= 1) {
    const unsigned char cid = bytes[0];
    std::printf("%s%s%s\n", indent.c_str(), pad, code_meaning(emv::kCryptogramTypes, cid & 0xC0u));
    if ((cid & 0x30u) != 0)
      std::printf("%s%sPayment-system-specific cryptogram bits %u\n", indent.c_str(), pad,
                  (cid >> 4) & 3u);
    if ((cid & emv::kAdviceRequired) != 0) std::printf("%s%sAdvice required\n", indent.c_str(), pad);
    if ((cid & 0x07u) != 0)
      std::printf("%s%sReason: %s\n", indent.c_str(), pad,
                  code_meaning(emv::kCryptogramReasons, cid & 0x07u));
  } else if (tag == 0x9F34 && count >= 3) {
    std::printf("%s%sCVM: %s\n", indent.c_str(), pad, cv_rule(bytes[0], bytes[1]).c_str());
    std::printf("%s%sResult: %s\n", indent.c_str(), pad, code_meaning(emv::kCvmResults, bytes[2]));
  } else if (tag == 0x8E && count >= 8) {
    std::printf("%s%sAmount X: %lu\n", indent.c_str(), pad, big_endian(bytes));
    std::printf("%s%sAmount Y: %lu\n", indent.c_str(), pad, big_endian(bytes + 4));
    for (size_t i = 8; i + 1 < count; i += 2)
      std::printf("%s%sRule %zu: %s\n", indent.c_str(), pad, (i - 6) / 2,
                  cv_rule(bytes[i], bytes[i + 1]).c_str());
  }
}

// The characters of a text object when every byte is printable, else empty.
std::string printable(const unsigned char *bytes, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] < 0x20 || bytes[i] > 0x7E) return "";
    text += static_cast<char>(bytes[i]);
  }
  return text;
}

bool print_list(const char *text, size_t length, bool masked, int depth);

void print_item(const TLVItem &item, bool masked, int depth) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  char tag[8];
  std::snprintf(tag, sizeof tag, item.tag > 0xFF ? "%04X" : "%02X", item.tag);
  const emv::Tag *entry = find_tag(item.tag);
  const bool card_data = entry != nullptr && (entry->kind == emv::kCardData || entry->kind == emv::kCardText);
  const std::string value(item.value, item.value_length);
  const unsigned first_byte = item.tag > 0xFF ? item.tag >> 8 : item.tag;
  const bool constructed = (first_byte & 0x20u) != 0;
  std::string name = entry != nullptr ? std::string("  (") + entry->name + ")" : "";

  if (constructed && !value.empty()) {
    std::printf("%s%-4s %3u%s\n", indent.c_str(), tag, item.value_length / 2u, name.c_str());
    if (depth < kDeepestNesting && print_list(value.c_str(), value.size(), masked, depth + 1)) return;
    // Not well-formed inside, or nested too deep: the value itself, masked whole since it
    // may hold anything.
    std::printf("%s%s%s\n", indent.c_str(), kDetail,
                masked ? std::string(value.size(), '*').c_str() : value.c_str());
    return;
  }
  const bool hide = masked && card_data;
  std::string shown = hide ? std::string(value.size(), '*') : value;
  unsigned char bytes[256];
  size_t count = 0;
  const bool readable = !hide && vl::cli::parse_hex(value.c_str(), bytes, sizeof bytes, count);
  if (readable && entry != nullptr && (entry->kind == emv::kText || entry->kind == emv::kCardText)) {
    const std::string characters = printable(bytes, count);
    if (!characters.empty()) shown += " \"" + characters + "\"";
  }
  std::printf("%s%-4s %3u %s%s\n", indent.c_str(), tag, item.value_length / 2u, shown.c_str(), name.c_str());
  if (readable) print_details(indent, item.tag, bytes, count);
}

// Prints the objects of length characters of text; false (nothing printed) when the text
// is not well-formed BER-TLV.
bool print_list(const char *text, size_t length, bool masked, int depth) {
  TLVItem *list = AscTLV2Array(text, static_cast<int>(length));
  if (list == nullptr) return false;
  for (const TLVItem *item = list; item != nullptr; item = item->next) print_item(*item, masked, depth);
  CleanTLVList(list);
  return true;
}

int run_tlv(int argc, char **argv);

const vl::cli::Command kTlv{
    "tlv", "decode BER-TLV hexadecimal text of BIT 55, card data masked",
    "usage: vertalib tlv [--unmasked] HEX\n"
    "Prints one line per object of the BER-TLV text: tag, value length in bytes, value\n"
    "and the tag's name (every tag of the EMV books and the common scheme tags). Text\n"
    "objects (50, 5F20, 9F4E...) also show their characters. Padding 00 between objects is\n"
    "skipped; the objects inside a template (70, 77, 71...) are indented under it.\n"
    "Under TVR (95), TSI (9B), AIP (82), AUC (9F07) and terminal capabilities (9F33): one\n"
    "line per bit set. Under the cryptogram information (9F27), CVM results (9F34) and the\n"
    "CVM list (8E): their codes in words.\n"
    "Card data is shown as '*' unless --unmasked is given: card number (5A), tracks (56,\n"
    "57, 9F6B), discretionary data (9F1F, 9F20), names (5F20, 9F0B), dates (5F24, 5F25),\n"
    "service code (5F30), PIN data (99) and IBAN (5F53).\n"
    "  vertalib tlv 9F2701805A084761739001010010\n"
    "  ->  9F27   1 80  (Cryptogram Information Data)\n"
    "               ARQC (online authorisation requested)\n"
    "      5A     8 ****************  (Application Primary Account Number (PAN))\n"
    "Exit code 1 when the text is not well-formed BER-TLV or holds no object.\n",
    run_tlv,
    [] {
      vl::cli::run_with(run_tlv, {"tlv", "9F2608A1B2C3D4E5F60718" "95050000048000" "9F3403420302"
                                         "5A084761739001010010"});
    }};

int run_tlv(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--unmasked", 0}});
  if (!args.expect(1, 1, "hexadecimal text") ||
      !args.check(vl::cli::hex_text_problem("HEX", args[0], 1, kLongestText)))
    return args.fail(kTlv);
  const char *text = args[0];
  const size_t length = std::strlen(text);
  if (!print_list(text, length, !args.flag("--unmasked"), 0)) {
    std::fprintf(stderr, "vertalib tlv: not well-formed BER-TLV, or no object\n");
    return vl::cli::kFalse;
  }
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kTlv);

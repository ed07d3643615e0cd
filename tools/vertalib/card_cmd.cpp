// Subcommand over the track parsers: the fields of a track 1 or track 2, its validity and
// the Luhn result of its card number, with the card data masked unless asked for.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "vertalib/card.h"
#include "vertalib/checkdigits.h"

namespace {

constexpr size_t kLongestInput = 128;
constexpr int kShortestMaskable = 12;
constexpr size_t kExpiryAndServiceCode = 7;  // YYMM and SSS after the separator

int run_track(int argc, char **argv);

const vl::cli::Command kTrack{
    "track", "fields of a magnetic-stripe track, card data masked",
    "usage: vertalib track [--show-pan] [--unmasked] TRACK\n"
    "TRACK is a track 1 (\"%B4111111111111111^DOE/JOHN^2512201...?\") or a track 2\n"
    "(\";4111111111111111=2512201...?\", 'D' for '=' and an 'F' filler accepted), at most\n"
    "128 characters; the sentinels '%', ';' and '?' and the check character after '?' are\n"
    "taken off. Prints the card number masked (first 6 and last 4; all 'X' under 12\n"
    "characters), its truncated form, the Luhn result of the card number, the expiry YYMM,\n"
    "the service code, the cardholder name (track 1), the discretionary data and whether\n"
    "the track passes the validity tests; '-' marks a field the track lacks.\n"
    "Expiry, service code, name and discretionary data show as '*'. --show-pan prints the\n"
    "card number in full, --unmasked every field in full.\n"
    "Exit code 1 when the track fails the validity tests or its card number the Luhn rule.\n",
    run_track, [] {
      vl::cli::run_with(run_track, {"track", "%B4111111111111111^DOE/JOHN^2512201000000000000?"});
    }};

struct TrackFields {
  char pan[23] = {};
  char expiry[5] = {};
  char service_code[4] = {};
  char name[40] = {};
  std::string discretionary;
  bool valid = false;
};

// Expiry, service code and discretionary data of a track 2 text that uses '=' as its
// separator.
void read_track2_codes(const char *track2, TrackFields &fields) {
  if (GetDataVencimento(fields.expiry, track2) == 0) fields.expiry[0] = '\0';
  if (GetServiceCodeEx(track2, fields.service_code) == 0) fields.service_code[0] = '\0';
  fields.service_code[3] = '\0';
  const char *separator = std::strchr(track2, '=');
  if (separator != nullptr && std::strlen(separator + 1) > kExpiryAndServiceCode)
    fields.discretionary = separator + 1 + kExpiryAndServiceCode;
}

TrackFields read_track1(const char *track) {
  TrackFields fields;
  fields.valid = ErroTrilha1(track) == 0;
  GetPANFromTrilha1(fields.pan, track);
  if (ObtemNomeTrilha01(track, fields.name) == 0) fields.name[0] = '\0';
  char track2[38];
  GetTrilha2fromTrilha1(track2, track);
  track2[sizeof track2 - 1] = '\0';
  read_track2_codes(track2, fields);
  return fields;
}

// The validity test turns a 'D' separator into '=' and cuts at the 'F' filler; the fields
// are read from that edited copy.
TrackFields read_track2(const char *track) {
  TrackFields fields;
  char edited[kLongestInput + 1];
  std::strcpy(edited, track);
  fields.valid = ErroTrilha2(edited) == 0;
  GetPANFromTrilha2(fields.pan, edited);
  read_track2_codes(edited, fields);
  return fields;
}

// The track without its start sentinel, its end sentinel and the check character after it.
std::string without_sentinels(const char *track) {
  std::string text = track;
  if (!text.empty() && (text[0] == '%' || text[0] == ';')) text.erase(0, 1);
  const size_t end = text.find('?');
  if (end != std::string::npos) text.erase(end);
  return text;
}

void print_field(const char *label, const std::string &value, bool masked) {
  const std::string shown = value.empty() ? "-" : masked ? std::string(value.size(), '*') : value;
  std::printf("%-14s %s\n", label, shown.c_str());
}

void print_card_number(const char *pan, bool show_pan) {
  const size_t length = std::strlen(pan);
  print_field("card number:", show_pan ? pan : vl::cli::masked_card_number(pan), false);
  char truncated[23];
  std::strcpy(truncated, pan);
  if (length >= static_cast<size_t>(kShortestMaskable)) TruncaCartao(truncated, static_cast<int>(length));
  else truncated[0] = '\0';
  print_field("truncated:", truncated, false);
}

// The Luhn result of the card number, spaces of a spaced number left out.
bool passes_luhn(const char *pan, std::string &verdict) {
  std::string digits;
  for (const char *c = pan; *c != '\0'; ++c)
    if (*c != ' ') digits += *c;
  if (digits.empty()) {
    verdict = "";
    return false;
  }
  if (!vl::cli::is_digit_text(digits.c_str())) {
    verdict = "fails (not digits only)";
    return false;
  }
  const bool passes = ChaveLuhn(digits.c_str()) == 1;
  verdict = passes ? "passes" : "fails";
  return passes;
}

int run_track(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--show-pan", 0}, {"--unmasked", 0}});
  if (!args.expect(1, 1, "a track")) return args.fail(kTrack);
  if (std::strlen(args[0]) > kLongestInput) return vl::cli::usage_error(kTrack, "at most 128 characters");
  const std::string track = without_sentinels(args[0]);
  if (track.empty()) return vl::cli::usage_error(kTrack, "the track is empty once its sentinels are off");
  const bool unmasked = args.flag("--unmasked");

  const bool is_track1 = track.find('^') != std::string::npos;
  const TrackFields fields = is_track1 ? read_track1(track.c_str()) : read_track2(track.c_str());
  print_card_number(fields.pan, unmasked || args.flag("--show-pan"));
  std::string verdict;
  const bool luhn = passes_luhn(fields.pan, verdict);
  print_field("luhn:", verdict, false);
  print_field("expiry:", fields.expiry, !unmasked);
  print_field("service code:", fields.service_code, !unmasked);
  print_field("name:", fields.name, !unmasked);
  print_field("discretionary:", fields.discretionary, !unmasked);
  print_field("valid:", fields.valid ? "yes" : "no", false);
  return fields.valid && luhn ? vl::cli::kOk : vl::cli::kFalse;
}

}  // namespace

VL_CLI_COMMAND(kTrack);

// Subcommand over the track parsers: the fields of a track 1 or track 2, with the card
// number masked unless the full number is asked for.
#include <cstdio>
#include <cstring>

#include "cli.h"
#include "vertalib/card.h"

namespace {

constexpr size_t kLongestInput = 128;
constexpr int kShortestMaskable = 12;

int run_track(int argc, char **argv);

const vl::cli::Command kTrack{
    "track", "fields of a magnetic-stripe track, card number masked",
    "usage: vertalib track TRACK [--show-pan]\n"
    "TRACK is a track 1 (\"B4111111111111111^DOE/JOHN^2512201...\", the 'B' optional)\n"
    "or a track 2 (\"4111111111111111=2512201...\", 'D' for '=' and an 'F' filler\n"
    "accepted), without sentinels, at most 128 characters. Prints the card number masked\n"
    "(first 6 and last 4; all 'X' under 12 characters), its truncated form, the expiry\n"
    "YYMM, the service code, the cardholder name (track 1) and whether the track passes\n"
    "the validity tests; '-' marks a field the track lacks. --show-pan prints the card\n"
    "number in full. Exit code 1 when the track fails the validity tests.\n",
    run_track, [] {
      const char *args[] = {"track", "B4111111111111111^DOE/JOHN^2512201000000000000"};
      run_track(2, const_cast<char **>(args));
    }};

struct TrackFields {
  char pan[23] = {};
  char expiry[5] = {};
  char service_code[4] = {};
  char name[40] = {};
  bool valid = false;
};

// Expiry and service code of a track 2 text that uses '=' as its separator.
void read_track2_codes(const char *track2, TrackFields &fields) {
  if (GetDataVencimento(fields.expiry, track2) == 0) fields.expiry[0] = '\0';
  if (GetServiceCodeEx(track2, fields.service_code) == 0) fields.service_code[0] = '\0';
}

TrackFields read_track1(const char *track) {
  TrackFields fields;
  fields.valid = ErroTrilha1(track) == 0;
  GetPANFromTrilha1(fields.pan, track);
  if (ObtemNomeTrilha01(track, fields.name) == 0) fields.name[0] = '\0';
  char track2[38];
  GetTrilha2fromTrilha1(track2, track);
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

void print_field(const char *label, const char *value) {
  std::printf("%-13s %s\n", label, value[0] != '\0' ? value : "-");
}

void print_card_number(const char *pan, bool show_pan) {
  const size_t length = std::strlen(pan);
  char masked[23];
  std::strcpy(masked, pan);
  if (!show_pan) {
    if (length >= static_cast<size_t>(kShortestMaskable)) MascaraPAN(masked, static_cast<int>(length));
    else std::memset(masked, 'X', length);
  }
  print_field("card number:", masked);
  char truncated[23];
  std::strcpy(truncated, pan);
  if (length >= static_cast<size_t>(kShortestMaskable)) TruncaCartao(truncated, static_cast<int>(length));
  else truncated[0] = '\0';
  print_field("truncated:", truncated);
}

int run_track(int argc, char **argv) {
  const char *track = nullptr;
  bool show_pan = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--show-pan") == 0) show_pan = true;
    else if (track == nullptr && argv[i][0] != '-') track = argv[i];
    else return vl::cli::usage_error(kTrack, "unexpected argument");
  }
  if (track == nullptr || track[0] == '\0') return vl::cli::usage_error(kTrack, "expects a track");
  if (std::strlen(track) > kLongestInput) return vl::cli::usage_error(kTrack, "at most 128 characters");

  const bool is_track1 = std::strchr(track, '^') != nullptr;
  const TrackFields fields = is_track1 ? read_track1(track) : read_track2(track);
  print_card_number(fields.pan, show_pan);
  print_field("expiry:", fields.expiry);
  char code[4] = {};
  std::memcpy(code, fields.service_code, 3);
  print_field("service code:", code);
  print_field("name:", fields.name);
  print_field("valid:", fields.valid ? "yes" : "no");
  return fields.valid ? vl::cli::kOk : vl::cli::kFalse;
}

}  // namespace

VL_CLI_COMMAND(kTrack);

// Configuration path and module table: the search for an INI file, the current directory,
// module names by index and the library's signature.
#include <array>
#include <cstring>

#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/frame.h"
#include "vertalib_secrets.h"

namespace {

using vl::platform::path_separator;

// The system's path limit, NUL included.
constexpr size_t kPathBuffer = 260;
constexpr char kIniExtension[] = ".INI";
constexpr char kIniPathVariable[] = "VertaIniPath";

// Where the program's path ends its directory part: either separator, as Windows accepts
// both there.
bool ends_directory_part(char c) { return c == path_separator || c == '/'; }

enum class Candidate { kFound, kMissing, kTooLong };

// Writes directory, an optional separator, name and ".INI" into out and asks whether that
// file exists. A path that does not fit in room leaves out empty.
Candidate try_candidate(char *out, size_t room, const char *directory, size_t directory_length,
                        bool add_separator, const char *name) {
  const size_t name_length = std::strlen(name);
  const size_t separator_length = add_separator ? 1 : 0;
  const size_t total =
      directory_length + separator_length + name_length + sizeof kIniExtension - 1;
  if (total + 1 > room) {
    out[0] = '\0';
    return Candidate::kTooLong;
  }
  char *at = out;
  std::memcpy(at, directory, directory_length);
  at += directory_length;
  if (add_separator) *at++ = path_separator;
  std::memcpy(at, name, name_length);
  at += name_length;
  std::memcpy(at, kIniExtension, sizeof kIniExtension);
  return vl::platform::file_exists(out) ? Candidate::kFound : Candidate::kMissing;
}

// The directory named by the environment: the separator is added when missing, and a
// value that would then reach the path limit is given up. Returns its length or -1.
int environment_directory(char *directory) {
  int length = vl::platform::environment_variable(kIniPathVariable, directory, kPathBuffer);
  if (length <= 0) return -1;
  if (directory[length - 1] == path_separator) return length;
  if (static_cast<size_t>(length) + 1 >= kPathBuffer) return -1;
  directory[length++] = path_separator;
  directory[length] = '\0';
  return length;
}

// The directory of the running program, its last separator included. Returns its length
// or -1.
int executable_directory(char *directory) {
  const int length = vl::platform::executable_path(directory, kPathBuffer);
  if (length < 0) return -1;
  int kept = length;
  while (kept > 0 && !ends_directory_part(directory[kept - 1])) --kept;
  directory[kept] = '\0';
  return kept;
}

int find_ini_file(char *out, size_t room, const char *name) {
  char directory[kPathBuffer];
  // Each directory that can be read gives one candidate; a step whose directory is missing
  // is skipped, and the current directory's candidate decides when none before it did.
  const auto decide = [&](int length, bool add_separator) {
    return try_candidate(out, room, directory, static_cast<size_t>(length), add_separator,
                         name);
  };
  int length = environment_directory(directory);
  if (length > 0) {
    const Candidate c = decide(length, false);
    if (c != Candidate::kMissing) return c == Candidate::kFound ? 1 : 0;
  }
  length = vl::platform::library_search_directory(directory, kPathBuffer);
  if (length > 0) {
    const Candidate c = decide(length, true);
    if (c != Candidate::kMissing) return c == Candidate::kFound ? 1 : 0;
  }
  length = executable_directory(directory);
  if (length >= 0) {
    const Candidate c = decide(length, false);
    if (c != Candidate::kMissing) return c == Candidate::kFound ? 1 : 0;
  }
  length = vl::platform::current_directory(directory, kPathBuffer);
  if (length < 0) return 0;
  return decide(length, true) == Candidate::kFound ? 1 : 0;
}

// The module names by index; unlisted indices (37, 48 to 52, above 54) are "VERTA".
constexpr const char *kModuleNames[] = {
    "VERTASRV",       "VERTAGW",    "VERTATCP",     "VERTALNK", "VERTAIVC", "VERTAREG",
    "VERTALIB",       "VERTAISO",   "VERTASRVREST", "VERTAGWREST",
    "VERTAACQUIRERS", "VERTAXINFO", "VERTAGWXINFO", "VERTAALC", "VERTA028", "VERTA092",
    "VERTA069",       "VERTA070",   "VERTA075",     "VERTA102", "VERTA103", "VERTA108",
    "VERTA128",       "VERTA129",   "VERTA135",     "VERTA100", "VERTA047", "VERTA139",
    "VERTA140",       "VERTA057",   "VERTA073",     "VERTA144", "VERTA063", "VERTA145",
    "VERTA025",       "VERTA086",   "VERTA149",     "VERTA",    "VERTA099", "VERTA105",
    "VERTA153",       "VERTA152",   "VERTA155",     "VERTA157", "VERTA159", "VERTA161",
    "VERTA162",       "VERTA170",   "VERTA",        "VERTA",    "VERTA",    "VERTA",
    "VERTA",          "VERTA112",   "VERTA109",
};
constexpr unsigned int kModuleCount = sizeof kModuleNames / sizeof kModuleNames[0];
static_assert(kModuleCount == 55);
constexpr const char kDefaultModuleName[] = "VERTA";

// The signature bytes of the build as upper-case hexadecimal text, made at compile time.
constexpr size_t kSignatureBytes = sizeof vl::secrets::library_signature;
static_assert(kSignatureBytes == 32, "the library signature is 256 bits");
constexpr std::array<char, 2 * kSignatureBytes> kSignatureText = [] {
  std::array<char, 2 * kSignatureBytes> text{};
  for (size_t i = 0; i < kSignatureBytes; ++i) {
    text[2 * i] = vl::hex_digit(vl::secrets::library_signature[i] >> 4);
    text[2 * i + 1] = vl::hex_digit(vl::secrets::library_signature[i]);
  }
  return text;
}();

// The one buffer CurDir hands out.
constexpr size_t kCurrentDirectoryBuffer = 256;
char g_current_directory[kCurrentDirectoryBuffer];

}  // namespace

extern "C" {

VL_API int VL_CDECL vrtlib_ini_pathname(char *out, int size, const char *name) {
  if (out == nullptr || size <= 0) return 0;
  out[0] = '\0';
  if (name == nullptr) return 0;
  return find_ini_file(out, static_cast<size_t>(size), name);
}

VL_API char *VL_CDECL CurDir(void) {
  // At most 255 bytes are asked for, so a separator still fits after the text.
  const int length =
      vl::platform::current_directory(g_current_directory, kCurrentDirectoryBuffer - 1);
  if (length < 0) {
    g_current_directory[0] = '\0';
    return g_current_directory;
  }
  if (length == 0 || g_current_directory[length - 1] != path_separator) {
    g_current_directory[length] = path_separator;
    g_current_directory[length + 1] = '\0';
  }
  return g_current_directory;
}

VL_API void VL_CDECL SignIdx2ModuleName(unsigned int index, char *out) {
  if (out == nullptr) return;
  const char *name = index < kModuleCount ? kModuleNames[index] : kDefaultModuleName;
  std::memcpy(out, name, std::strlen(name) + 1);
}

VL_API char *VL_CDECL GetLibSign(char *out) {
  if (out == nullptr) return nullptr;
  std::memcpy(out, kSignatureText.data(), kSignatureText.size());
  return out;
}

}  // extern "C"

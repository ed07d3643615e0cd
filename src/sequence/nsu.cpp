// Transaction sequence numbers (NSU) and the small file services the modules share:
// stepping an NSU through its range, whether a leg of a transaction takes a new NSU, a
// stream's file length, overwriting a file in place, secure removal and the thread count of
// a process.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "convert/number.h"
#include "crypto/runtime_random.h"
#include "frame/heap.h"
#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/sequence.h"

namespace {

// The largest NSU of kind; 0 for a kind that has none.
unsigned short nsu_maximum(char kind) {
  switch (kind) {
    case 2: return 9999;
    case 3: return 999;
    default: return 0;
  }
}

// Message types and networks of the leg rules.
constexpr int kAuthorisationConfirmation = 202;
constexpr int kReversalConfirmation = 402;
constexpr int kReversalAdvice = 420;
constexpr int kConfirmingNetwork = 159;
constexpr int kReversalNetworks[] = {3, 31, 47, 70, 90, 126, 149, 155, 159};
constexpr int kOptionNetworks[] = {39, 73};
constexpr int kReversalOptions[] = {56, 196};
constexpr int kCodeNetwork = 103;
constexpr int kCodeNetworkVersion = 5;
constexpr size_t kCodeLength = 6;
constexpr const char *kCodesWithoutNewNsu[] = {"933910", "932900"};
constexpr size_t kMessageTypeLength = 4;

template <size_t N>
bool listed(const int (&values)[N], int value) {
  for (int v : values)
    if (v == value) return true;
  return false;
}

// The message type read as a decimal number from its first four characters.
int message_type_number(const char *message_type) {
  char digits[kMessageTypeLength + 1] = {};
  std::memcpy(digits, message_type, vl::bounded_length(message_type, kMessageTypeLength));
  return vl::strtol32(digits);
}

bool code_without_new_nsu(const char *code) {
  if (code == nullptr) return false;
  for (const char *listed_code : kCodesWithoutNewNsu)
    if (std::strncmp(code, listed_code, kCodeLength) == 0) return true;
  return false;
}

// The length of the file behind stream, its position left where it was; -1 when a position
// cannot be read or set, or the length does not fit in 32 bits.
int32_t stream_length(std::FILE *stream) {
  const long here = std::ftell(stream);
  if (here < 0 || std::fseek(stream, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(stream);
  if (std::fseek(stream, here, SEEK_SET) != 0) return -1;
  return end < 0 || end > INT32_MAX ? -1 : static_cast<int32_t>(end);
}

// The random filler: cleared, then ten-digit numbers from the runtime generator seeded with
// the time in seconds, and a raw low byte of a number for each of the last length % 10
// bytes.
constexpr unsigned char kRandomFill = 255;
constexpr size_t kChunkDigits = 10;

void fill_random_text(unsigned char *block, size_t length) {
  std::memset(block, 0, length);
  vl::runtime_srand(static_cast<uint32_t>(vl::platform::epoch_now()));
  size_t at = 0;
  for (; length - at >= kChunkDigits; at += kChunkDigits) {
    char digits[24];  // room for any long, though the numbers stay below 32768
    std::snprintf(digits, sizeof digits, "%010ld", static_cast<long>(vl::runtime_rand()));
    std::memcpy(block + at, digits, kChunkDigits);
  }
  for (; at < length; ++at) block[at] = static_cast<unsigned char>(vl::runtime_rand());
}

// Overwrites every byte of the file at path in place with fill (the random filler when fill
// is 255), through one write of a block of the file's length, and closes it, which hands the
// bytes to the system. A file that cannot be opened for update, measured or given a block
// is left alone.
void overwrite_file(const char *path, unsigned char fill) {
  std::FILE *file = std::fopen(path, "r+b");
  if (file == nullptr) return;
  const int32_t length = stream_length(file);
  const size_t size = length >= 0 ? static_cast<size_t>(length) : 0;
  auto *block = length >= 0 ? static_cast<unsigned char *>(vl::heap_alloc(size + 1)) : nullptr;
  if (block != nullptr) {
    if (fill == kRandomFill) fill_random_text(block, size);
    else std::memset(block, fill, size);
    if (size > 0) std::fwrite(block, size, 1, file);
  }
  std::fclose(file);
  vl::heap_free_wiped(block, size + 1);
}

constexpr unsigned char kSecurePasses[] = {' ', kRandomFill, 0x00};

}  // namespace

extern "C" {

VL_API void VL_CDECL IncNSU(unsigned short *nsu, char kind) {
  const unsigned short maximum = nsu_maximum(kind);
  if (nsu == nullptr || maximum == 0) return;
  *nsu = static_cast<unsigned short>(*nsu + 1);
  if (*nsu > maximum) *nsu = 1;
}

VL_API unsigned short VL_CDECL DecNSU(unsigned short *nsu, char kind) {
  if (nsu == nullptr) return 0;
  const unsigned short maximum = nsu_maximum(kind);
  if (maximum == 0) return *nsu;
  *nsu = *nsu == 0 ? maximum : static_cast<unsigned short>(*nsu - 1);
  return *nsu;
}

VL_API unsigned short *VL_CDECL ResetNSU(unsigned short *nsu, char kind, int toMaximum) {
  const unsigned short maximum = nsu_maximum(kind);
  if (nsu != nullptr && maximum != 0) *nsu = toMaximum != 0 ? maximum : 1;
  return nsu;
}

VL_API int VL_CDECL PernaComIncrementoNSU(const char *messageType, const char *code, int network,
                                          int version, int option) {
  if (messageType == nullptr) return 0;
  const int type = message_type_number(messageType);
  if (type == kAuthorisationConfirmation || type == kReversalConfirmation)
    return network == kConfirmingNetwork ? 1 : 0;
  if (type != kReversalAdvice) return 0;
  if (listed(kReversalNetworks, network)) return 1;
  if (listed(kOptionNetworks, network)) return listed(kReversalOptions, option) ? 1 : 0;
  if (network == kCodeNetwork)
    return version < kCodeNetworkVersion || !code_without_new_nsu(code) ? 1 : 0;
  return 0;
}

VL_API int32_t VL_CDECL filesize(FILE *stream) {
  if (stream == nullptr) return -1;
  return stream_length(stream);
}

VL_API void VL_CDECL SobreEscreveArq(const char *path, unsigned char fill) {
  if (path == nullptr) return;
  overwrite_file(path, fill);
}

VL_API int VL_CDECL RemoveSeguroArq(const char *path) {
  if (path == nullptr) return EINVAL;
  for (unsigned char fill : kSecurePasses) overwrite_file(path, fill);
  return vl::platform::remove_file(path);
}

VL_API uint32_t VL_CDECL getThreadCountByPID(uint32_t processId) {
  return vl::platform::process_thread_count(processId);
}

}  // extern "C"

// Process-wide settings: library mode, current card, payment type, window messages; and
// the small memory helpers every caller of the library uses.
#include <cstring>

#include "frame/heap.h"
#include "frame/state.h"
#include "platform/platform.h"
#include "vertalib/frame.h"

namespace {

constexpr unsigned int kCardCapacity = 41;

struct CurrentCard {
  unsigned char data[kCardCapacity];
  unsigned char length;
};

// Plain variables without locks: callers serialise the setters themselves.
int g_library_mode = 0;
CurrentCard g_card = {};
int g_payment_type = 0;

constexpr const char *kMessageNames[] = {
    "Msg_Verta_Accept",     "Msg_Verta_ShutDown",   "Msg_Verta_Init_Kernel",
    "Msg_Verta_TaskBar",    "Msg_Verta_Accept_Pre", "Msg_Verta_Accept_Sdc",
};
constexpr unsigned int kMessageCount = sizeof kMessageNames / sizeof kMessageNames[0];

struct WindowMessage {
  char name[32];
  unsigned int code;
};
WindowMessage g_messages[kMessageCount] = {};

}  // namespace

namespace vl {
int library_mode() { return g_library_mode; }
}  // namespace vl

extern "C" {

VL_API int VL_CDECL SetLibMode(int mode) {
  g_library_mode = mode & 1;
  return 1;
}

VL_API int VL_CDECL GetLibMode(int *out) {
  if (out == nullptr) return 0;
  *out = g_library_mode;
  return 1;
}

VL_API void VL_CDECL SetCartao(const unsigned char *data, unsigned char length) {
  if (data == nullptr && length > 0) return;  // refused: the stored card stays as it was
  // A length above the store's 41 bytes keeps only the first 41.
  if (length > kCardCapacity) length = kCardCapacity;
  std::memset(g_card.data, 0, sizeof g_card.data);
  if (length > 0) std::memcpy(g_card.data, data, length);
  g_card.length = length;
}

VL_API unsigned char VL_CDECL GetCartao(unsigned char *out) {
  if (out == nullptr) return 0;
  if (g_card.length > 0) std::memcpy(out, g_card.data, g_card.length);
  return g_card.length;
}

VL_API void VL_CDECL LimpaCartao(void) { vl::secure_zero(g_card.data, sizeof g_card.data); }

VL_API void VL_CDECL SetTipoPagto(int type) { g_payment_type = type; }

VL_API int VL_CDECL GetTipoPagto(void) { return g_payment_type; }

VL_API void VL_CDECL RegisterVertaMessages(void) {
  for (unsigned int i = 0; i < kMessageCount; ++i) {
    std::strncpy(g_messages[i].name, kMessageNames[i], sizeof g_messages[i].name - 1);
    g_messages[i].code = vl::platform::register_window_message(kMessageNames[i]);
  }
}

VL_API unsigned int VL_CDECL GetMessageCode(unsigned int index) {
  return index < kMessageCount ? g_messages[index].code : 0;
}

VL_API void *VL_CDECL memcpyz(void *dst, const void *src, int count) {
  auto *out = static_cast<unsigned char *>(dst);
  if (out == nullptr || count < 0) return dst;  // count + 1 bytes: none for a negative count
  if (count > 0) std::memcpy(out, src, static_cast<size_t>(count));
  out[count] = 0;
  return dst;
}

VL_API void *VL_CDECL memsetz(void *dst, char value, int count) {
  auto *out = static_cast<unsigned char *>(dst);
  if (out == nullptr || count < 0) return dst;  // count + 1 bytes: none for a negative count
  std::memset(out, static_cast<unsigned char>(value), static_cast<size_t>(count));
  out[count] = 0;
  return dst;
}

VL_API void VL_CDECL CleaningFree(void **block, int size) {
  if (block == nullptr || *block == nullptr) return;
  vl::heap_free_wiped(*block, size > 0 ? static_cast<size_t>(size) : 0);
  *block = nullptr;
}

VL_API void VL_CDECL Esperar(unsigned int milliseconds) { vl::platform::sleep_ms(milliseconds); }

}  // extern "C"

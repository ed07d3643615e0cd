// The interface layer: a separate library through which the system publishes its counters.
// InicializaCamada loads it when the configuration beside the program allows it and starts
// it, FinalizaCamada stops and unloads it, and the seven reader and counter entry points
// jump straight into the layer's function of the same name, so the caller's arguments, its
// frame and the layer's result pass untouched whatever the layer's argument lists are.
#include <cstddef>
#include <cstring>

#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/iface.h"

namespace {

// The layer's functions in the order they are looked up; the forwarding entry points below
// reach theirs by these positions.
enum Slot : size_t {
  kColetaContadorInteiro,
  kColetaContadorAbsoluto,
  kColetaContadorMedia,
  kColetaContadorPorcentagem,
  kColetaContadorTaxa,
  kInicializaCamada,
  kFinalizaCamada,
  kInicializaLeitor,
  kFinalizaLeitor,
  kSlotCount,
};

constexpr const char *kFunctionNames[kSlotCount] = {
    "ColetaContadorINTEIRO", "ColetaContadorABSOLUTO", "ColetaContadorMEDIA",
    "ColetaContadorPORCENTAGEM", "ColetaContadorTAXA", "InicializaCamada",
    "FinalizaCamada", "InicializaLeitor", "FinalizaLeitor",
};

}  // namespace

#if defined(_WIN32)
#define VL_LAYER_STATE __attribute__((used))
#else
#define VL_LAYER_STATE __attribute__((used, visibility("hidden")))
#endif

// Read by the assembly entry points, hence plain C names; never exported.
extern "C" {
VL_LAYER_STATE int vl_layer_loaded = 0;
VL_LAYER_STATE void *vl_layer_functions[kSlotCount] = {};
}

namespace {

void *g_layer_library = nullptr;

// The program's path is read into this room; a longer path is not read at all.
constexpr size_t kProgramPathRoom = 256;
constexpr char kConfigurationFile[] = "VERTA.INI";
constexpr char kServerSection[] = "VERTASRV";
constexpr char kGatewaySection[] = "VERTAGW";
constexpr char kCountersKey[] = "HabilitaContadores";
constexpr char kCountersDefault[] = "S";
constexpr size_t kCountersValueRoom = 10;

// Whether the configuration of the program at path lets the counters run. A path naming
// VERTASRV (first) or VERTAGW anywhere, in any case, reads that section of VERTA.INI beside
// the program; a path naming neither enables them without reading anything.
bool counters_enabled(const char *path, size_t length) {
  char upper[kProgramPathRoom];
  for (size_t i = 0; i <= length; ++i) upper[i] = vl::to_upper(path[i]);
  const char *section = std::strstr(upper, kServerSection) != nullptr    ? kServerSection
                        : std::strstr(upper, kGatewaySection) != nullptr ? kGatewaySection
                                                                         : nullptr;
  if (section == nullptr) return true;

  // The directory keeps its own case, so a case-sensitive file system finds the file too.
  size_t directory = length;
  while (directory > 0 && path[directory - 1] != vl::platform::path_separator) --directory;
  char file[kProgramPathRoom + sizeof kConfigurationFile];
  std::memcpy(file, path, directory);
  std::memcpy(file + directory, kConfigurationFile, sizeof kConfigurationFile);

  char value[kCountersValueRoom];
  vl::platform::profile_string(file, section, kCountersKey, kCountersDefault, value,
                               sizeof value);
  return value[0] == 'S';
}

void clear_functions() {
  for (void *&function : vl_layer_functions) function = nullptr;
}

// Loads the layer once; a layer missing any of the functions is released again.
void load_layer() {
  if (vl_layer_loaded != 0) return;
  void *library = vl::platform::load_library(vl::platform::interface_layer_library);
  if (library == nullptr) return;
  clear_functions();
  for (size_t slot = 0; slot < kSlotCount; ++slot) {
    vl_layer_functions[slot] = vl::platform::library_function(library, kFunctionNames[slot]);
    if (vl_layer_functions[slot] == nullptr) {
      vl::platform::unload_library(library);
      clear_functions();
      return;
    }
  }
  g_layer_library = library;
  vl_layer_loaded = 1;
}

int call_without_arguments(Slot slot) {
  return reinterpret_cast<int (*)()>(vl_layer_functions[slot])();
}

}  // namespace

extern "C" {

VL_API int VL_CDECL InicializaCamada(void) {
  char path[kProgramPathRoom];
  const int length = vl::platform::executable_path(path, sizeof path);
  if (length >= 0 && counters_enabled(path, static_cast<size_t>(length))) load_layer();
  return vl_layer_loaded != 0 ? call_without_arguments(kInicializaCamada) : 0;
}

VL_API int VL_CDECL FinalizaCamada(void) {
  if (vl_layer_loaded == 0) return 0;
  const int result = call_without_arguments(kFinalizaCamada);
  // Not loaded before the code goes, so no forwarding call jumps into a released library.
  vl_layer_loaded = 0;
  vl::platform::unload_library(g_layer_library);
  g_layer_library = nullptr;
  return result;
}

}  // extern "C"

// The forwarding entry points: with the layer loaded, a jump through its function's pointer
// (the caller's return address and arguments stay where the caller put them, and the layer
// returns straight to the caller); otherwise 0 in the result registers.
static_assert(kColetaContadorInteiro == 0 && kColetaContadorAbsoluto == 1 &&
                  kColetaContadorMedia == 2 && kColetaContadorPorcentagem == 3 &&
                  kColetaContadorTaxa == 4 && kInicializaLeitor == 7 && kFinalizaLeitor == 8,
              "the slot numbers written in the entry points below");

// Each forwarding export by its slot; VL_FORWARD gives one entry point per processor.
#define VL_FORWARDING_ENTRY_POINTS              \
  VL_FORWARD(ColetaContadorINTEIRO, 0)          \
  VL_FORWARD(ColetaContadorABSOLUTO, 1)         \
  VL_FORWARD(ColetaContadorMEDIA, 2)            \
  VL_FORWARD(ColetaContadorPORCENTAGEM, 3)      \
  VL_FORWARD(ColetaContadorTAXA, 4)             \
  VL_FORWARD(InicializaLeitor, 7)               \
  VL_FORWARD(FinalizaLeitor, 8)

#if defined(_WIN32) && defined(__i386__)

// i386 cdecl on Windows: arguments on the stack above the return address, results in
// eax/edx (and st(0), which is left alone); the caller removes the arguments, so a jump keeps
// its frame. COFF has no section stack for top-level assembly, so each entry point is a
// function without prologue or epilogue whose body is the jump.
#define VL_FORWARD(name, slot)                                    \
  extern "C" VL_API __attribute__((naked)) int VL_CDECL name(...) { \
    asm("  cmpl $0, _vl_layer_loaded\n"                           \
        "  je 1f\n"                                               \
        "  jmp *_vl_layer_functions+4*" #slot "\n"                \
        "1:\n"                                                    \
        "  xorl %eax, %eax\n"                                     \
        "  xorl %edx, %edx\n"                                     \
        "  ret\n");                                               \
  }

VL_FORWARDING_ENTRY_POINTS

#else

#if defined(__x86_64__) && !defined(_WIN32)

// System V x86-64: arguments in rdi, rsi, rdx, rcx, r8, r9, xmm0-7 (al counts the vector
// registers of a variadic call) and on the stack; results in rax/rdx and xmm0/xmm1. The
// entry point touches none of them on the way in.
#define VL_FORWARD(name, slot)                     \
  ".globl " #name "\n"                             \
  ".type " #name ", @function\n"                   \
  ".p2align 4\n" #name ":\n"                       \
  "  endbr64\n"                                    \
  "  cmpl $0, vl_layer_loaded(%rip)\n"             \
  "  je 1f\n"                                      \
  "  jmpq *vl_layer_functions+8*" #slot "(%rip)\n" \
  "1:\n"                                           \
  "  xorl %eax, %eax\n"                            \
  "  xorl %edx, %edx\n"                            \
  "  pxor %xmm0, %xmm0\n"                          \
  "  ret\n"                                        \
  ".size " #name ", .-" #name "\n"

#elif defined(__i386__)

// i386 cdecl (ELF): as on Windows above, position-independent: ecx (free in cdecl) gets the
// global offset table's address.
#define VL_FORWARD(name, slot)                                   \
  ".globl " #name "\n"                                           \
  ".type " #name ", @function\n"                                 \
  ".p2align 4\n" #name ":\n"                                     \
  "  call 2f\n"                                                  \
  "2:\n"                                                         \
  "  popl %ecx\n"                                                \
  "  addl $_GLOBAL_OFFSET_TABLE_+[.-2b], %ecx\n"                 \
  "  cmpl $0, vl_layer_loaded@GOTOFF(%ecx)\n"                    \
  "  je 1f\n"                                                    \
  "  jmp *vl_layer_functions@GOTOFF+4*" #slot "(%ecx)\n"         \
  "1:\n"                                                         \
  "  xorl %eax, %eax\n"                                          \
  "  xorl %edx, %edx\n"                                          \
  "  ret\n"                                                      \
  ".size " #name ", .-" #name "\n"

#else
#error "the interface layer's forwarding entry points are written for x86-64 and i386"
#endif

asm(".pushsection .text\n"
    VL_FORWARDING_ENTRY_POINTS
    ".popsection\n");

#endif

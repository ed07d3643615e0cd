/* A caller's view of VERTALIB.dll: load it by name, find exports by the names the payment
 * system's modules use, call them and check both the results and how many argument bytes
 * each function removed from the stack (0 for cdecl, all of them for stdcall).
 *
 * Each call goes through vl_call_measured, which pushes the arguments itself, calls, and
 * measures the stack pointer afterwards, so a function built with the wrong convention is
 * caught instead of silently unbalancing the caller. */
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* Calls fn with count 32-bit arguments (args[0] pushed last, as C does), returns its EAX
 * and stores in *removed the number of argument bytes the callee removed. */
uint32_t vl_call_measured(FARPROC fn, const uint32_t *args, uint32_t count, uint32_t *removed);
__asm__(
    ".text\n"
    ".globl _vl_call_measured\n"
    "_vl_call_measured:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  movl 12(%ebp), %esi\n" /* args */
    "  movl 16(%ebp), %ecx\n" /* count */
    "  movl %esp, %ebx\n"     /* the stack pointer before the arguments */
    "1:\n"
    "  testl %ecx, %ecx\n"
    "  jz 2f\n"
    "  pushl -4(%esi,%ecx,4)\n"
    "  decl %ecx\n"
    "  jmp 1b\n"
    "2:\n"
    "  call *8(%ebp)\n"
    "  movl %ebx, %ecx\n"
    "  subl %esp, %ecx\n" /* bytes still on the stack */
    "  movl %ebx, %esp\n"
    "  movl 16(%ebp), %edx\n"
    "  shll $2, %edx\n"
    "  subl %ecx, %edx\n" /* bytes the callee removed */
    "  movl 20(%ebp), %ecx\n"
    "  movl %edx, (%ecx)\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret\n");

#include "support/check.h"

static uint32_t arg(const void *pointer) { return (uint32_t)(uintptr_t)pointer; }

/* Looks name up and calls it, checking the bytes it removed; returns its result. */
static uint32_t call(HMODULE dll, const char *name, const uint32_t *args, uint32_t count,
                     uint32_t expected_removed) {
  FARPROC fn = GetProcAddress(dll, name);
  uint32_t removed = 0xFFFFFFFFu, result;
  if (fn == NULL) {
    fprintf(stderr, "caller: %s is not exported\n", name);
    failures++;
    return 0;
  }
  result = vl_call_measured(fn, args, count, &removed);
  if (removed != expected_removed) {
    fprintf(stderr, "caller: %s removed %u argument bytes, expected %u\n", name,
            (unsigned)removed, (unsigned)expected_removed);
    failures++;
  }
  return result;
}

int main(void) {
  HMODULE dll = LoadLibraryA("VERTALIB.dll");
  char out[16];
  unsigned char ebcdic[4];

  if (dll == NULL) {
    fprintf(stderr, "caller: cannot load VERTALIB.dll (error %lu)\n", GetLastError());
    return 1;
  }

  /* cdecl, undecorated: the caller removes the arguments. */
  {
    const uint32_t args[] = {arg(out), arg("123"), arg("45"), arg("6")};
    memset(out, '#', sizeof out);
    CHECK(call(dll, "ControleDAC", args, 4, 0) == 4);
    CHECK(memcmp(out, "1236\0###", 8) == 0);
  }
  /* The _StdCall twins: the callee removes them. */
  {
    const uint32_t args[] = {arg(out), arg("123"), arg("45"), arg("6")};
    memset(out, '#', sizeof out);
    CHECK(call(dll, "ControleDAC_StdCall", args, 4, 16) == 4);
    CHECK(memcmp(out, "1236\0###", 8) == 0);
  }
  {
    const uint32_t args[] = {arg(ebcdic), arg("A1 z"), 4};
    memset(ebcdic, 0, sizeof ebcdic);
    call(dll, "ASC2EBCDIC_StdCall", args, 3, 12);
    CHECK(memcmp(ebcdic, "\xC1\xF1\x40\xA9", 4) == 0);
  }
  /* No export carries a name the callers do not use. */
  CHECK(GetProcAddress(dll, "ControleDAC_StdCall@16") == NULL);
  CHECK(GetProcAddress(dll, "_ControleDAC@16") == NULL);

  /* The decorated stdcall exports: a number read from text and written back, through
   * _mpi_read_string@12 and _mpi_write_string@16. */
  {
    uint32_t number[3] = {0, 0, 0}; /* sign, limb count, limbs */
    int32_t size = sizeof out;
    const uint32_t read_args[] = {arg(number), 16, arg("1A2B")};
    const uint32_t write_args[] = {arg(number), 16, arg(out), arg(&size)};
    CHECK(call(dll, "_mpi_read_string@12", read_args, 3, 12) == 0);
    CHECK(number[0] == 1 && number[1] >= 1 && number[2] != 0);
    memset(out, '#', sizeof out);
    CHECK(call(dll, "_mpi_write_string@16", write_args, 4, 16) == 0);
    CHECK(strcmp(out, "1A2B") == 0);
    CHECK(GetProcAddress(dll, "mpi_read_string") == NULL);
  }

  CHECK(FreeLibrary(dll));
  if (failures == 0) printf("caller: every call returned what it should, stack balanced\n");
  return failures == 0 ? 0 : 1;
}

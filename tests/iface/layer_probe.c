/* Runs the interface-layer exports of the shared library in the order its arguments name
 * them and prints each result, for the layer tests, which copy it into folders of chosen
 * names. Steps: init (InicializaCamada), fini (FinalizaCamada), calls (the seven reader and
 * counter calls, through the argument lists of the stand-in layer), enable and disable
 * (HabilitaContadores=S or N in VERTA.INI of the current directory, the program's own). */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* The seven forwarding exports, declared with the stand-in layer's argument lists. */
#define VL_LAYER_OWN_PROTOTYPES
#include "vertalib/iface.h"

VL_API int VL_CDECL InicializaLeitor(const char *name, int id, char *reply);
VL_API void *VL_CDECL FinalizaLeitor(void *reader);
VL_API int VL_CDECL ColetaContadorTAXA(int counter, double rate);
VL_API int VL_CDECL ColetaContadorINTEIRO(int a, long long b, unsigned char c, short d, int e,
                                          int f, int g, int h);
VL_API int VL_CDECL ColetaContadorMEDIA(int count, float first, double d1, double d2, double d3,
                                        double d4, double d5, double d6, double d7,
                                        const char *tag, double d8, double d9);
VL_API double VL_CDECL ColetaContadorPORCENTAGEM(float part, float whole);
VL_API int64_t VL_CDECL ColetaContadorABSOLUTO(int64_t value, const char *label, double weight,
                                               int64_t *out);

static void calls(void) {
  char reply[16] = "";
  int reader = 0;
  int64_t written = -1;
  const int result = InicializaLeitor("PINPAD", 42, reply);
  const void *same;
  int64_t total;
  printf("InicializaLeitor -> %d reply '%s'\n", result, reply);
  same = FinalizaLeitor(&reader);
  printf("FinalizaLeitor -> %s\n",
         same == &reader ? "the caller's pointer" : same ? "other" : "null");
  printf("ColetaContadorTAXA -> %d\n", ColetaContadorTAXA(7, 2.5));
  printf("ColetaContadorINTEIRO -> %d\n",
         ColetaContadorINTEIRO(-1, 0x123456789ALL, 200, -300, 5, 6, 7, 8));
  printf("ColetaContadorMEDIA -> %d\n",
         ColetaContadorMEDIA(10, 0.1f, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, "tag", 8.5, -9.25));
  printf("ColetaContadorPORCENTAGEM -> %.17g\n", ColetaContadorPORCENTAGEM(1.0f, 8.0f));
  total = ColetaContadorABSOLUTO(INT64_C(-5000000000), "abs", 0.5, &written);
  printf("ColetaContadorABSOLUTO -> %llx written %lld\n", (unsigned long long)total,
         (long long)written);
}

/* VERTA.INI of the current directory with the key set to value in both sections. */
static int configure(char value) {
  FILE *file = fopen("VERTA.INI", "w");
  return file != NULL &&
         fprintf(file, "[VERTASRV]\nHabilitaContadores=%c\n[VERTAGW]\nHabilitaContadores=%c\n",
                 value, value) > 0 &&
         fclose(file) == 0;
}

int main(int argc, char **argv) {
  int i;
  for (i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "init") == 0) {
      printf("InicializaCamada -> %d\n", InicializaCamada());
    } else if (strcmp(argv[i], "fini") == 0) {
      printf("FinalizaCamada -> %d\n", FinalizaCamada());
    } else if (strcmp(argv[i], "calls") == 0) {
      calls();
    } else if (strcmp(argv[i], "enable") == 0 || strcmp(argv[i], "disable") == 0) {
      if (!configure(argv[i][0] == 'e' ? 'S' : 'N')) return 3;
    } else {
      fprintf(stderr, "unknown step %s\n", argv[i]);
      return 2;
    }
  }
  return 0;
}

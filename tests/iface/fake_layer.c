/* A stand-in for the interface layer: each function prints what reached it and returns a
 * result the caller can recognise. Built once complete and once without FinalizaLeitor. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

static int starts = 0;

__attribute__((constructor)) static void loaded(void) { printf("layer: loaded\n"); }
__attribute__((destructor)) static void unloaded(void) { printf("layer: unloaded\n"); }

int InicializaCamada(void) {
  printf("layer: InicializaCamada start %d\n", ++starts);
  return 100 + starts;
}

int FinalizaCamada(void) {
  printf("layer: FinalizaCamada\n");
  return 77;
}

int InicializaLeitor(const char *name, int id, char *reply) {
  printf("layer: InicializaLeitor %s %d\n", name, id);
  strcpy(reply, "reader ok");
  return 2 * id;
}

#ifndef VL_FAKE_LAYER_WITHOUT_FINALIZA_LEITOR
void *FinalizaLeitor(void *reader) {
  printf("layer: FinalizaLeitor\n");
  return reader;
}
#endif

int ColetaContadorTAXA(int counter, double rate) {
  printf("layer: TAXA %d %.17g\n", counter, rate);
  return 11;
}

/* Eight integers of mixed widths: the last two travel on the stack. */
int ColetaContadorINTEIRO(int a, long long b, unsigned char c, short d, int e, int f, int g,
                          int h) {
  printf("layer: INTEIRO %d %lld %u %d %d %d %d %d\n", a, b, c, d, e, f, g, h);
  return a + (int)(b % 1000) + c + d + e + f + g + h;
}

/* A float and nine doubles (the last two on the stack) among an integer and a pointer. */
int ColetaContadorMEDIA(int count, float first, double d1, double d2, double d3, double d4,
                        double d5, double d6, double d7, const char *tag, double d8,
                        double d9) {
  printf("layer: MEDIA %d %.9g %g %g %g %g %g %g %g %s %g %g\n", count, first, d1, d2, d3, d4,
         d5, d6, d7, tag, d8, d9);
  return count;
}

double ColetaContadorPORCENTAGEM(float part, float whole) {
  printf("layer: PORCENTAGEM %.9g %.9g\n", part, whole);
  return 100.0 * part / whole;
}

int64_t ColetaContadorABSOLUTO(int64_t value, const char *label, double weight, int64_t *out) {
  printf("layer: ABSOLUTO %lld %s %g\n", (long long)value, label, weight);
  *out = value;
  return value ^ INT64_C(0x1122334455667788);
}

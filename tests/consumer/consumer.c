/* A program that uses an installed VertaLib as any other project would. */
#include <stdio.h>
#include <string.h>

#include <vertalib/vertalib.h>

int main(void) {
  unsigned char card[41];
  char text[8];
  SetCartao((const unsigned char *)"4111", 4);
  if (GetCartao(card) != 4 || memcmp(card, "4111", 4) != 0) {
    fprintf(stderr, "card store: wrong bytes\n");
    return 1;
  }
  memset(text, '#', sizeof text);
  memcpyz(text, "XYZ", 3);
  if (strcmp(text, "XYZ") != 0) {
    fprintf(stderr, "memcpyz: wrong bytes\n");
    return 1;
  }
  printf("consumer ok\n");
  return 0;
}

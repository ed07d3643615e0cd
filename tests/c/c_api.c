/* A C program over the public header and the shared library. */
#include <stdio.h>
#include <string.h>

#include "vertalib/vertalib.h"

#include "support/check.h"

int main(void) {
  int mode = -1;
  char buffer[8];
  unsigned char card[41];

  CHECK(SetLibMode(5) == 1);
  CHECK(GetLibMode(&mode) == 1 && mode == 1);
  SetLibMode(0);

  SetCartao((const unsigned char *)"6011", 4);
  CHECK(GetCartao(card) == 4 && memcmp(card, "6011", 4) == 0);

  memset(buffer, '#', sizeof buffer);
  CHECK(memcpyz(buffer, "XYZ", 3) == buffer);
  CHECK(memcmp(buffer, "XYZ\0####", 8) == 0);

  if (failures == 0) printf("c_api: every check held\n");
  return failures == 0 ? 0 : 1;
}

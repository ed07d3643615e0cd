/* CHECK for the plain C test programs: reports a failed condition with its place and counts
 * it in the program's `failures`, which main turns into the exit status. */
#ifndef VL_TEST_CHECK_H
#define VL_TEST_CHECK_H

#include <stdio.h>

static int failures = 0;

#define CHECK(cond)                                                              \
  do {                                                                           \
    if (!(cond)) {                                                               \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);   \
      failures++;                                                                \
    }                                                                            \
  } while (0)

#endif

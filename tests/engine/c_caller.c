/* A C99 program of its own, built with the installed header's view only.
 * It also plays callers built against other versions of the header: one
 * whose struct is the first TarvexOptions, in a block of just that size, and
 * one with trailing fields this engine does not know and ignores.
 *   c_caller INPUT OUTPUT    (run in a folder that holds naca.dat) */
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tarvex.h"
typedef struct {
  TarvexOptions known;
  int32_t later;
  float more;
} Newer;
static void svg(const char* out, const TarvexOptions* options) {
  char reason[100];
  printf("%d %s\n",
         (int)tarvex_convert("naca.dat", out, 18, options, NULL, NULL, NULL, NULL, reason, 100),
         reason);
}
int main(int argc, char** argv) {
  TarvexOptions options = TARVEX_OPTIONS_INIT;
  TarvexOptions* old = malloc(TARVEX_OPTIONS_SIZE_V1);
  Newer newer;
  TarvexFigures figures;
  char reason[100];
  int32_t status;
  const int32_t tooSmall = TARVEX_OPTIONS_SIZE_V1 - 4;
  (void)argc;
  options.farfieldChords = 10.0f;
  status = tarvex_convert(argv[1], argv[2], 19, &options, NULL, NULL, NULL, &figures, reason, 100);
  printf("%d %.3f %s\n", (int)status, figures.maxThickness, reason);
  options.farfieldChords = 0.0f;
  options.chordMm = 250.0f;
  options.size = TARVEX_OPTIONS_SIZE_V1;
  memcpy(old, &options, TARVEX_OPTIONS_SIZE_V1);
  svg("old.svg", old);
  newer.known = options;
  newer.known.size = (int32_t)sizeof newer;
  newer.later = -1;
  newer.more = 1e30f;
  svg("new.svg", &newer.known);
  /* The block is smaller than the struct: its size field is set bytewise. */
  memcpy((unsigned char*)old + offsetof(TarvexOptions, size), &tooSmall, sizeof tooSmall);
  svg("none.svg", old);
  free(old);
  return status;
}

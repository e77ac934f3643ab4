/* Tarvex - airfoil coordinate conversion engine.
 *
 * C interface of the shared library. Every argument is passed by address,
 * except the declared length that follows each character argument by value.
 * Arrays are indexed from 1 in the engine's terms: element 0 in C is point 1.
 * Integers are 32 bits, coordinates single precision.
 */
#ifndef TARVEX_H
#define TARVEX_H

#include <stdint.h>

#if defined(_WIN32)
#  define TARVEX_CALL __stdcall
#  if defined(TARVEX_BUILDING)
#    define TARVEX_API __declspec(dllexport)
#  else
#    define TARVEX_API __declspec(dllimport)
#  endif
#else
#  define TARVEX_CALL
#  define TARVEX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Status codes returned by INORM. */
enum {
  TARVEX_OK = 0,
  TARVEX_INPUT_NOT_FOUND = 1,
  TARVEX_OUTPUT_NOT_WRITABLE = 2,
  TARVEX_UNKNOWN_FORMAT = 3, /* reserved, never returned */
  TARVEX_READ_FAILED = 4,
  TARVEX_NO_AREA = 5,
  TARVEX_WRITE_FAILED = 6,
  TARVEX_NO_THREE_COLUMNS = 7,
  TARVEX_FIELD_OVERFLOW = 8,       /* a number does not fit its field; nothing written */
  TARVEX_REDISTRIBUTION_FAILED = 9 /* the standard stations cannot be applied */
};

/* Converts one coordinate file.
 *  inName/inDecl, outName/outDecl: file names and their buffer sizes.
 *  inLen, outLen: significant lengths of the names.
 *  x, y: work arrays of *count points; on return the points written.
 *  count: in capacity, out number of points written.
 *  format: 1..17; negative for the same format without comments; any other
 *          number writes no data and returns 0.
 *  append, redistribute, keepSize: flags (nonzero / 1).
 *  xmin, xmax: out, x-range of the input before normalisation.
 *  xFactor, yFactor: distortion applied before writing.
 * The output file changes only when the whole conversion succeeds: a new
 * file appears then, an existing one is replaced or appended to as a whole,
 * and after any failure it is as it was. An output that is the input file
 * (under any name) is refused with 2. A null pointer is answered with 1 for
 * the names, their lengths, x, y and count, with 2 for the other arguments.
 * A number too wide for its field gives 8 and a redistribution onto the
 * standard stations that cannot be done gives 9; nothing is written then. */
TARVEX_API int32_t TARVEX_CALL INORM(const char *inName, int32_t inDecl,
                                     const char *outName, int32_t outDecl,
                                     const int32_t *inLen,
                                     const int32_t *outLen, float *x, float *y,
                                     int32_t *count, int32_t *format,
                                     const int32_t *append,
                                     const int32_t *redistribute,
                                     const int32_t *keepSize, float *xmin,
                                     float *xmax, const float *xFactor,
                                     const float *yFactor);

/* Sets the standard x-stations used by redistribution. A list whose last
 * station exceeds 1 is in per cent of the chord.
 * Returns 0 when stored, 1 for more than 1000 stations, 2 for fewer than two,
 * for stations that do not increase strictly, or for a station that is not
 * a finite number; the stations stored before then stay in force. */
TARVEX_API int32_t TARVEX_CALL ISETXS(const float *stations,
                                      const int32_t *count);

#ifdef __cplusplus
}
#endif

#endif

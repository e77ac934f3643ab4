/* Tarvex - airfoil coordinate conversion engine.
 *
 * C interface of the shared library. Every argument is passed by address,
 * except the declared length that follows each character argument by value.
 * Arrays are indexed from 1 in the engine's terms: element 0 in C is point 1.
 * Integers are 32 bits, coordinates single precision. File names are
 * UTF-8; on Windows a name that is not valid UTF-8 is read in the ANSI code
 * page.
 */
#ifndef TARVEX_H
#define TARVEX_H

#include <stdint.h>

/* TARVEX_ENTRY marks the C entries. On Windows the library's module
 * definition exports them, under the same names on 32 bits (where
 * __stdcall adds @ and the argument bytes to a name) as on 64 bits. */
#if defined(_WIN32)
#define TARVEX_CALL __stdcall
#if defined(TARVEX_BUILDING)
#define TARVEX_API __declspec(dllexport)
#define TARVEX_ENTRY
#else
#define TARVEX_API __declspec(dllimport)
#define TARVEX_ENTRY __declspec(dllimport)
#endif
#else
#define TARVEX_CALL
#define TARVEX_API __attribute__((visibility("default")))
#define TARVEX_ENTRY TARVEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Status codes returned by INORM and tarvex_convert. */
enum {
  TARVEX_OK = 0,
  TARVEX_INPUT_NOT_FOUND = 1,
  TARVEX_OUTPUT_NOT_WRITABLE = 2,
  TARVEX_UNKNOWN_FORMAT = 3, /* reserved, never returned */
  TARVEX_READ_FAILED = 4,
  TARVEX_NO_AREA = 5,
  TARVEX_WRITE_FAILED = 6,
  TARVEX_NO_THREE_COLUMNS = 7,
  TARVEX_FIELD_OVERFLOW = 8,        /* a number does not fit its field; nothing written */
  TARVEX_REDISTRIBUTION_FAILED = 9, /* the standard stations cannot be applied */
  TARVEX_BAD_OPTIONS = 10           /* tarvex_convert: options that make no sense */
};

/* Converts one coordinate file.
 *  inName/inDecl, outName/outDecl: file names and their buffer sizes.
 *  inLen, outLen: significant lengths of the names; a zero byte ends a
 *          name before them, as in C.
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
TARVEX_ENTRY int32_t TARVEX_CALL INORM(const char* inName, int32_t inDecl, const char* outName,
                                       int32_t outDecl, const int32_t* inLen, const int32_t* outLen,
                                       float* x, float* y, int32_t* count, int32_t* format,
                                       const int32_t* append, const int32_t* redistribute,
                                       const int32_t* keepSize, float* xmin, float* xmax,
                                       const float* xFactor, const float* yFactor);

/* Sets the standard x-stations used by redistribution. A list whose last
 * station exceeds 1 is in per cent of the chord.
 * Returns 0 when stored, 1 for more than 1000 stations, 2 for fewer than two,
 * for stations that do not increase strictly, or for a station that is not
 * a finite number; the stations stored before then stay in force. */
TARVEX_ENTRY int32_t TARVEX_CALL ISETXS(const float* stations, const int32_t* count);

/* The options of tarvex_convert. Start from TARVEX_OPTIONS_INIT and keep
 * size at sizeof(TarvexOptions) as this header declares it. Fields are only
 * ever added at the end, and every engine takes any size from
 * TARVEX_OPTIONS_SIZE_V1 (the first struct) upward: it reads the fields that
 * size holds, ignores those it does not know, and takes 0 for fields added
 * after the caller's struct, so that 0 keeps the behaviour of before. Fields
 * without a default below are 0. */
#define TARVEX_OPTIONS_SIZE_V1 60
typedef struct TarvexOptions {
  int32_t size;         /* sizeof(TarvexOptions) */
  int32_t comments;     /* nonzero: the input's comment lines and the property
                           header, in the format's own comment syntax where it
                           has one */
  int32_t append;       /* nonzero: append to an existing output file */
  int32_t redistribute; /* nonzero: onto the standard x-stations of ISETXS */
  int32_t keepSize;     /* nonzero: the input's own x-range, not unit chord */
  float xFactor;        /* every x multiplied by it; default 1 */
  float yFactor;        /* every y multiplied by it; default 1 */
  /* The drawing and mesh formats (SVG 18, Gmsh 19, DXF R2000 20): */
  float chordMm;        /* the unit chord drawn this long in millimetres; 0:
                           with keepSize the input's units as millimetres,
                           else 100 mm (SVG, DXF) or unit chord (Gmsh); a
                           chord together with keepSize is refused */
  float skinMm;         /* SVG: the rib inside a skin this thick; 0: outline */
  float strokeMm;       /* SVG: line width; default 0.1 */
  int32_t label;        /* SVG: nonzero: the section's name below it */
  int32_t chordLine;    /* SVG: nonzero: the chord from nose to trailing edge */
  float farfieldChords; /* Gmsh: radius of a far-field circle in chords, at
                           least 1; 0: none */
  float meshSizeChords; /* Gmsh: element size at the section; default 0.02 */
  int32_t spline;       /* Gmsh, DXF: nonzero: splines through the points */
  /* Added in version 2: shaping, after reading and before any
   * redistribution, in this order: blend, thickness and camber, leading-edge
   * radius, trailing-edge gap, flap, repanel. A step is taken only when its
   * TARVEX_STEP_ bit is in steps (0, as for older callers: none). Lengths in
   * chords of the section. */
  int32_t steps;
  float teGap;           /* TARVEX_STEP_TE_GAP: the gap (0 closes) ... */
  float teBlend;         /* ... blended over this distance; default 0.8 */
  float thickness;       /* TARVEX_STEP_THICKNESS: the maximum thickness */
  float thicknessX;      /* TARVEX_STEP_THICKNESS_X: moved to this x */
  float camber;          /* TARVEX_STEP_CAMBER: the maximum camber */
  float camberX;         /* TARVEX_STEP_CAMBER_X: moved to this x */
  float leRadiusFactor;  /* TARVEX_STEP_LE_RADIUS: the radius times this ... */
  float leRadiusBlend;   /* ... blended over this distance; default 0.2 */
  float flapHingeX;      /* TARVEX_STEP_FLAP: hinge x; default 0.75 */
  float flapDegrees;     /* deflection, positive down */
  float flapHingeY;      /* hinge height in the local thickness; 0.5 */
  float blendFraction;   /* TARVEX_STEP_BLEND: 0 this section, 1 blendWith */
  int32_t repanelPoints; /* TARVEX_STEP_REPANEL: exactly this many points */
  float repanelBunching; /* the curvature's weight; default 1 */
  float repanelTeRatio;  /* TE panel over LE panel; default 0.15 */
  const char* blendWith; /* TARVEX_STEP_BLEND: null-terminated file name */
} TarvexOptions;

#define TARVEX_STEP_TE_GAP 0x1
#define TARVEX_STEP_THICKNESS 0x2
#define TARVEX_STEP_THICKNESS_X 0x4
#define TARVEX_STEP_CAMBER 0x8
#define TARVEX_STEP_CAMBER_X 0x10
#define TARVEX_STEP_LE_RADIUS 0x20
#define TARVEX_STEP_FLAP 0x40
#define TARVEX_STEP_BLEND 0x80
#define TARVEX_STEP_REPANEL 0x100

#define TARVEX_OPTIONS_INIT                                                                       \
  {                                                                                               \
    (int32_t)sizeof(TarvexOptions), 0, 0, 0, 0, 1.0f, 1.0f, 0.0f, 0.0f, 0.1f, 0, 0, 0.0f, 0.02f,  \
        0, 0, 0.0f, 0.8f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.2f, 0.75f, 0.0f, 0.5f, 0.0f, 160, 1.0f, \
        0.15f, 0                                                                                  \
  }

/* The figures of the section as read, in chords: maximum thickness and
 * camber (that farthest from zero, with its sign) with their x, both from
 * the surfaces on common x-stations as format 16 lists them; the gap at the
 * trailing edge; the leading-edge radius, of a round nose fitted to the
 * points nearest the one of smallest x. A figure that cannot be found is NaN. */
typedef struct TarvexFigures {
  float maxThickness;
  float maxThicknessX;
  float maxCamber;
  float maxCamberX;
  float trailingEdgeThickness;
  float leadingEdgeRadius;
} TarvexFigures;

/* Converts one coordinate file into any format of the table, 1 to 20.
 *  input: null-terminated file name.
 *  output: null-terminated file name; NULL writes nothing, and only the
 *    points and figures come back. The file changes as a whole or not at all.
 *  format: the format number; comments are an option here, not a sign.
 *  options: NULL for the defaults (TARVEX_OPTIONS_INIT); a size below
 *    TARVEX_OPTIONS_SIZE_V1 gives 10.
 *  x, y, count: may all be NULL; otherwise arrays of *count points (at
 *    least 3, else 4): the most points read, and on return the points
 *    handed to the writer (unit chord, or as keepSize and the factors left
 *    them, not in millimetres), *count their number (0 on failure).
 *  figures: may be NULL; filled whenever the input could be read.
 *  reason, reasonSize: may be NULL/0; receives why the conversion failed,
 *    in English, cut to reasonSize - 1 bytes and null-terminated; "" on
 *    success.
 * Returns a status code. Like INORM it uses the library's standard stations
 * and is not reentrant. */
TARVEX_ENTRY int32_t TARVEX_CALL tarvex_convert(const char* input, const char* output,
                                                int32_t format, const TarvexOptions* options,
                                                float* x, float* y, int32_t* count,
                                                TarvexFigures* figures, char* reason,
                                                int32_t reasonSize);

/* The options of tarvex_naca, with the size rules of TarvexOptions: start
 * from TARVEX_NACA_OPTIONS_INIT, keep size at sizeof(TarvexNacaOptions);
 * fields are only ever added at the end, and a size from
 * TARVEX_NACA_OPTIONS_SIZE_V1 upward is taken. */
#define TARVEX_NACA_OPTIONS_SIZE_V1 16
typedef struct TarvexNacaOptions {
  int32_t size;               /* sizeof(TarvexNacaOptions) */
  int32_t points;             /* points of the whole section, one on the nose:
                                 5 to 100001, an even count rounded up to the
                                 next odd one; default 161 */
  int32_t spacing;            /* stations along the chord: 0 cosine (close at
                                 both edges), 1 equal steps in x */
  int32_t closedTrailingEdge; /* nonzero: the four-digit, modified and
                                 6A-series forms end in a point instead of
                                 their own thickness */
} TarvexNacaOptions;

#define TARVEX_NACA_OPTIONS_INIT \
  { (int32_t)sizeof(TarvexNacaOptions), 161, 0, 0 }

/* Writes the NACA section of a designation into a file in the Selig layout
 * (format 21): the name line ("NACA 2412"), then x and y of every point from
 * the trailing edge over the upper surface to the leading edge and back, in
 * chords. Any coordinate reader, INORM and tarvex_convert among them, takes
 * the file as input.
 *  designation: null-terminated, as people type it: four-digit (2412),
 *    modified four-digit (0012-64), five-digit (23012, reflexed 23112),
 *    16-series (16-212), six-series (63-206, 63(2)-615, 65(4)-421 a=0.5)
 *    and 6A-series (64A210).
 *  options: NULL for the defaults (TARVEX_NACA_OPTIONS_INIT).
 *  output: null-terminated file name; the file changes as a whole or not at
 *    all, as with tarvex_convert.
 *  reason, reasonSize: as for tarvex_convert.
 * Returns TARVEX_OK, TARVEX_BAD_OPTIONS for a designation the engine does
 * not know or options that make no sense (also a size below
 * TARVEX_NACA_OPTIONS_SIZE_V1), TARVEX_OUTPUT_NOT_WRITABLE or
 * TARVEX_WRITE_FAILED; the reason says why. Reentrant. */
TARVEX_ENTRY int32_t TARVEX_CALL tarvex_naca(const char* designation,
                                             const TarvexNacaOptions* options, const char* output,
                                             char* reason, int32_t reasonSize);

/* Removes the temporary files of the conversions in progress, so that a
 * program ending on a signal leaves none behind. Async-signal-safe: call it
 * from a handler of SIGINT or SIGTERM. */
TARVEX_ENTRY void TARVEX_CALL tarvex_remove_temporary_files(void);

#ifdef __cplusplus
}
#endif

#endif

// Tarvex - airfoil coordinate conversion engine, C++ interface.
//
// Read a section from text or a file (the layout is recognised by itself),
// look at its properties, redistribute it, and write it in any format to a
// string or a file:
//
//   auto section = tarvex::readFile("naca2412.dat");
//   if (!section) return fail(section.error().message);
//   std::cout << section->properties.area << '\n';
//   tarvex::WriteOptions options;
//   options.format = 11;  // DXF
//   auto written = tarvex::writeFile(*section, "naca2412.dxf", options);
//
// Every function is reentrant: different threads may convert different
// sections at the same time. Nothing is thrown for bad input; failures come
// back as an Error with the reason.
#ifndef TARVEX_HPP
#define TARVEX_HPP

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvex.h"
#include "tarvex_formats.hpp"

namespace tarvex {

// The status codes of INORM, with the ones only the C++ side returns.
enum class Status : int {
  ok = TARVEX_OK,
  inputNotFound = TARVEX_INPUT_NOT_FOUND,          // the input cannot be opened or read
  outputNotWritable = TARVEX_OUTPUT_NOT_WRITABLE,  // the output cannot be created or replaced
  readFailed = TARVEX_READ_FAILED,                 // no coordinates in a known layout
  noArea = TARVEX_NO_AREA,                         // the points enclose no area
  writeFailed = TARVEX_WRITE_FAILED,               // writing failed (a full disk)
  noThreeColumns = TARVEX_NO_THREE_COLUMNS,        // the surfaces cannot be paired
  fieldOverflow = TARVEX_FIELD_OVERFLOW,           // a number does not fit its field
  redistributionFailed = TARVEX_REDISTRIBUTION_FAILED,
  badOptions = TARVEX_BAD_OPTIONS,  // options that make no sense
};

// Why an operation failed: a status, a sentence saying why in English, the
// file concerned (if any) and the system's error number for file errors.
struct Error {
  Status status = Status::ok;
  std::string message;
  std::string file;
  int systemError = 0;

  explicit operator bool() const { return status != Status::ok; }
};

// A file name as the engine's messages show it: as it is, or in single
// quotes with C escapes ('a\nb', '\033[2J') when it holds a control
// character, so that no name can end a message line or drive the terminal.
TARVEX_API std::string nameForMessage(std::string_view name);

// A value or the error that prevented it.
template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : error_(std::move(error)) {}  // NOLINT

  explicit operator bool() const { return value_.has_value(); }
  bool ok() const { return value_.has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  const Error& error() const { return error_; }

 private:
  std::optional<T> value_;
  Error error_;
};

// How the input file laid out its points.
enum class Layout {
  unknown,
  twoColumns,    // x y, one point per line around the section
  threeColumns,  // x, y upper, y lower
  counted,       // a line with the two surface counts, then both surfaces
  fourColumns,   // index, x, y upper, y lower
  cef,           // coordinate exchange file
  dxf,           // drawing: a polyline or the control points of a spline
  xml,           // XML airfoil document
  points,        // not read from a file: made from points or generated
};
TARVEX_API std::string_view layoutName(Layout layout);
// The number the C interface and the comment header use: 1 to 4 (the
// CEF, DXF and XML files count as 3), 0 when unknown.
TARVEX_API int layoutKind(Layout layout);

// Section properties in chord units: area (c^2), centroid (c), second
// moments of area about the centroid (c^4), and the contour line taken as a
// thin shell: its length (c), its centroid (c) and the second moments of the
// area about that point (c^4).
struct Properties {
  float area = 0, xs = 0, ys = 0, ixs = 0, iys = 0;
  float circumference = 0, x0 = 0, y0 = 0, ix0 = 0, iy0 = 0;
};

// One airfoil section, normalised to unit chord: x from 0 at the leading
// edge to 1, y from the mean of the trailing-edge points. The points run
// counter-clockwise from the trailing edge over the upper surface to the
// leading edge and back over the lower surface.
struct Section {
  std::string name = "alvane";  // the first input line when it is not numbers
  std::vector<float> x, y;
  Layout layout = Layout::unknown;
  int pointsRead = 0;        // before a redistribution
  float xmin = 0, xmax = 0;  // the input's x-range before normalising
  Properties properties;     // of the section as read and normalised
  // The input's non-number lines as a conversion with comments repeats
  // them, each without its leading "; ".
  std::vector<std::string> comments;
  // Lines a reader writes ahead of everything else, comments or not (the
  // DXF reader's note on spline control points), each with its "; ".
  std::vector<std::string> notices;

  int size() const { return static_cast<int>(x.size()); }
};

struct ReadOptions {
  // The most points a reading may hold (the layouts fill up to it as their
  // rules say; two columns hold one fewer).
  int capacity = 1000;
};

// Reads a section from text (Latin-1 or UTF-8) or from a file ("-" is not
// special here). Fails with readFailed and the reason when no section can
// be made of it, with noArea when its points enclose no area.
TARVEX_API Result<Section> readText(std::string_view text, const ReadOptions& options = {});
TARVEX_API Result<Section> readFile(const std::filesystem::path& path,
                                    const ReadOptions& options = {});

// The text of an open file descriptor (0 for the standard input) to its end,
// within the engine's input limits: at most 256 MiB, and no more than 1 MiB
// without a line end. name is what a message calls it.
TARVEX_API Result<std::string> readStream(int descriptor, const std::string& name);

// The 18 standard x-stations: 0, 0.0125, 0.025, 0.05, ..., 0.95, 1.
TARVEX_API std::span<const float> defaultStations();
// Checks a station list as the C entry ISETXS does: 2 to 1000 finite,
// strictly increasing values; a list ending beyond 1 is in per cent and is
// returned scaled. Fails with badOptions and the reason.
TARVEX_API Result<std::vector<float>> checkStations(std::span<const float> stations);

// A section made from points instead of read from a file, checked as a read
// one is: the points from the trailing edge over one surface and back (either
// way round), repeated points removed, at least two distinct points with
// different x, an area enclosed; then turned counter-clockwise, with its
// properties. Normalised, it has unit chord as a read section; otherwise the
// points stay as given (and keepSize changes nothing).
struct PointsOptions {
  bool normalise = true;
  int capacity = 1000;  // the most points taken
};
TARVEX_API Result<Section> sectionFromPoints(std::string name, std::span<const double> x,
                                             std::span<const double> y,
                                             const PointsOptions& options = {});

// A NACA section by its designation as people type it: four-digit (2412),
// modified four-digit (0012-64), five-digit (23012, reflexed 23112),
// 16-series (16-212), six-series (63-206, 63(2)-615, 65(4)-421 a=0.5) and
// 6A-series (64A210, 63(2)A-015). The thickness is laid off normal to the
// mean line at stations from the leading to the trailing edge; the section
// keeps the reports' coordinates, chord from (0, 0) to (1, 0), and is not
// renormalised to the x-range of its points.
enum class Spacing {
  cosine,   // x = (1 - cos(pi s)) / 2: close at both edges
  uniform,  // equal steps in x
};
struct NacaOptions {
  // Points of the whole section, a point on the nose: an even count is
  // rounded up to the next odd one. 5 to kMaxNacaPoints.
  int points = 161;
  Spacing spacing = Spacing::cosine;
  // The four-digit forms end in a thickness of their own; closed, the last
  // coefficient of the four-digit form is -0.1036 instead of -0.1015, and the
  // modified forms end in 0 instead of 0.01 t. The 6-series forms end in a
  // point either way; the 6A-series forms end in the thickness their straight
  // sides run out to, and closed lose x times that thickness.
  bool closedTrailingEdge = false;
};
inline constexpr int kMaxNacaPoints = 100001;
TARVEX_API Result<Section> nacaSection(std::string_view designation,
                                       const NacaOptions& options = {});

// The figures of a section in units of its chord (a section as read has
// unit chord). Thickness and camber are those the thickness and camber
// format (16) lists: both surfaces on common x-stations (cosine-spaced when
// they do not share theirs), thickness u - l and camber (u + l) / 2 at each.
struct Figures {
  float maxThickness = 0.0f;
  float maxThicknessX = 0.0f;
  float maxCamber = 0.0f;  // the camber farthest from zero, with its sign
  float maxCamberX = 0.0f;
  float trailingEdgeThickness = 0.0f;  // the gap between the first and the last point
  // The radius of curvature at the point of smallest x: the round nose
  // y = sqrt(2 r x) + ... fitted in powers of sqrt(x) to the nearest four
  // points on each side; NaN when they form none.
  float leadingEdgeRadius = 0.0f;
};
// Fails when the section has fewer than 3 points or its surfaces cannot be
// brought onto common stations (more than 1000 points that do not share them).
TARVEX_API Result<Figures> figuresOf(const Section& section);

// Both surfaces on the stations the figures come from (those of format 16),
// from the leading edge to the trailing edge: upper[i] and lower[i] at x[i].
// The same failures as figuresOf.
struct Surfaces {
  std::vector<float> x, upper, lower;
};
TARVEX_API Result<Surfaces> surfacesOf(const Section& section);

// The section on the given x-stations (their first one stands for the
// leading edge), upper and lower surface at the same x: 2 * stations - 1
// points. The properties stay those of the section as read.
TARVEX_API Result<Section> redistribute(const Section& section, std::span<const float> stations,
                                        int capacity = 1000);
// The same on cosine-spaced stations: count points, an even count rounded up
// to the next odd one.
TARVEX_API Result<Section> redistributeCosine(const Section& section, int count);

// How the drawing and mesh formats (SVG, Gmsh, DXF R2000) lay out the
// section; the seventeen classic formats ignore it. Lengths are millimetres
// unless they say chords.
struct DrawingOptions {
  // The unit chord drawn this long. 0: with keepSize the section's own
  // units taken as millimetres, else 100 mm in SVG and DXF and the unit
  // chord itself in Gmsh. Excludes keepSize.
  float chordMm = 0.0f;
  // SVG and DXF R2000: the rib inside a skin this thick (the outline moved
  // inward along its normals) instead of the outline; 0: the outline.
  float skinMm = 0.0f;
  float strokeMm = 0.1f;   // SVG: width of the lines
  bool label = false;      // SVG: the section's name below the outline
  bool chordLine = false;  // SVG: the chord from the leading to the trailing edge
  // Gmsh: a circle of this radius in chords around the section, the
  // section a hole in the surface between; 0: the section's own surface.
  float farfieldChords = 0.0f;
  float meshSizeChords = 0.02f;  // Gmsh: element size at the section
  // Gmsh: every point's element size its local spacing (the mean of its two
  // sides), so that the points' clustering carries into the mesh; instead
  // of meshSizeChords at the section.
  bool meshSizeFromSpacing = false;
  // Gmsh, with a far field: a boundary-layer field of quadrangles on the
  // section, the first layer this thick (chords), each next one ratio times
  // thicker, up to a total thickness; 0: none.
  float boundaryLayerFirst = 0.0f;
  float boundaryLayerRatio = 1.2f;
  float boundaryLayerThickness = 0.0f;
  // Gmsh and DXF: a spline through the points instead of straight lines
  // (the trailing edge stays a corner).
  bool spline = false;
};

// A length as people write it: a number of 0 or more with an optional unit,
// mm (also without a unit), cm, m or in, such as "250mm", "10in" or
// "0.3 m", in millimetres; nothing for any other text.
TARVEX_API std::optional<float> parseLength(std::string_view text);

struct WriteOptions {
  int format = 1;         // a number of tarvex::kFormats
  bool comments = false;  // the input's comment lines and the 42-line header
  bool keepSize = false;  // back at the input's own x-range instead of unit chord
  float xFactor = 1.0f;   // every x multiplied by it
  float yFactor = 1.0f;   // every y multiplied by it
  // The date the formats that carry one write, as MM/DD/YY; empty: today.
  std::string date;
  DrawingOptions drawing;
};

// The output text of one section, or the failure (a number that does not
// fit its field, surfaces that cannot be paired).
TARVEX_API Result<std::string> writeText(const Section& section, const WriteOptions& options);

// Writes one section into a file: created, replaced as a whole, or appended
// to. The old file stays as it was unless the whole output could be written.
TARVEX_API Error writeFile(const Section& section, const std::filesystem::path& path,
                           const WriteOptions& options, bool append = false);

// A file known by its device and inode, under whatever name it is given.
struct FileKey {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileKey&) const = default;
};
TARVEX_API std::optional<FileKey> fileKey(const std::filesystem::path& path);

// An output file that takes several sections one after the other and is put
// in place only by commit(); until then (and after a failed commit) the old
// file stays as it was. Destroying an uncommitted one leaves nothing behind.
class TARVEX_API OutputFile {
 public:
  // Refused (outputNotWritable) when the output is one of the inputs, under
  // whatever name: the same device and inode.
  static Result<OutputFile> open(const std::filesystem::path& path, bool append = false,
                                 std::span<const FileKey> inputs = {});
  OutputFile(OutputFile&&) noexcept;
  OutputFile& operator=(OutputFile&&) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Adds one section's output; a failed one adds nothing.
  Error write(const Section& section, const WriteOptions& options);
  // Adds text as it stands.
  Error writeText(std::string_view text);
  Error commit();

  class Transaction;

 private:
  explicit OutputFile(std::unique_ptr<Transaction> transaction);
  std::unique_ptr<Transaction> transaction_;
};

// Many inputs in one output format, one after the other, each failing on
// its own: into one output file put in place at the end, into a file of its
// own per input in a folder, or into text.
struct BatchSettings {
  // At most one of the two; neither gives each output as text.
  std::optional<std::filesystem::path> outputFile;
  std::optional<std::filesystem::path> outputFolder;
  WriteOptions options;
  bool redistribute = false;
  std::vector<float> stations;  // checked; empty: the standard stations
  // Instead: cosine-spaced redistribution onto this many points (an even
  // count gives one more, as the nose takes a point); 0: none.
  int cosinePoints = 0;
  // Applied to every section first, before any redistribution (the shaping
  // steps of tarvex_shape.hpp, for instance); empty: none.
  std::function<Result<Section>(const Section&)> shape;
  bool append = false;
  bool noClobber = false;  // existing outputs are left alone
};

struct BatchOutcome {
  enum class Kind { converted, failed, skipped };
  Kind kind = Kind::failed;
  Error error;                   // why it failed
  std::filesystem::path target;  // the output it went (or would have gone) to
  std::string text;              // the output itself when no output is named
};

class TARVEX_API Batch {
 public:
  static constexpr int kCapacity = 1000;  // points read from each input

  // No output replaces one of the inputs, under whatever name.
  Batch(BatchSettings settings, std::span<const std::filesystem::path> inputs);

  // Makes the output folder or opens the single output file. A failure
  // means nothing can be converted (several inputs, or an appending to a
  // file that is not empty, in a format of one section per file, among
  // them); an existing single output under noClobber skips every input.
  Error start();
  bool skipsEverything() const { return skipEverything_; }

  BatchOutcome convertFile(const std::filesystem::path& input);
  // Coordinate text read elsewhere (the standard input); stem names its
  // output in the folder.
  BatchOutcome convertText(std::string_view text, const std::string& stem);
  // A section made rather than read (a NACA section, one from points).
  BatchOutcome convertSection(Result<Section> section, const std::string& stem);

  // Puts the single output file in place, once it holds anything; until
  // then it is not there.
  Error finish();

 private:
  std::filesystem::path targetFor(const std::string& stem) const;
  BatchOutcome skipped(const std::string& stem) const;
  BatchOutcome convert(Result<Section> section, const std::string& stem);

  BatchSettings settings_;
  std::vector<FileKey> inputKeys_;
  std::size_t inputCount_ = 0;
  std::optional<OutputFile> singleFile_;
  std::set<std::filesystem::path> written_;
  bool skipEverything_ = false;
  bool wroteSingle_ = false;
};

// One conversion from a file to a file, as the C entry INORM makes it, with
// the reason on failure.
struct ConvertOptions : WriteOptions {
  bool redistribute = false;
  std::vector<float> stations;  // empty: the standard stations
  int capacity = 1000;
  bool append = false;
};
struct Conversion {
  Section section;          // as read
  std::vector<float> x, y;  // the points as written
};
TARVEX_API Result<Conversion> convertFile(const std::filesystem::path& input,
                                          const std::filesystem::path& output,
                                          const ConvertOptions& options);

// Removes the temporary files of the conversions in progress. Safe to call
// from a signal handler, for programs that end on SIGINT or SIGTERM.
TARVEX_API void removeTemporaryFiles() noexcept;

}  // namespace tarvex

#endif

// Shared fixtures of the engine tests: in-memory line streams, temporary
// folders, sample sections and running a whole conversion through files.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion.h"
#include "io/file_names.h"
#include "io/line_io.h"
#include "io/line_scan.h"

namespace tarvex {

// The conversion of the C entry, by file names, with the engine's default
// stations, its status codes and what it hands back.
enum ConversionStatus : int {
  kDone = 0,
  kInputNotFound = 1,
  kOutputNotWritable = 2,
  kReadFailed = 4,
  kNoArea = 5,
  kWriteError = 6,
  kNoThreeColumns = 7,
  kFieldOverflow = 8,
  kRedistributionFailed = 9,
};

struct ConversionOptions {
  int format = 1;  // negative: without comments
  bool append = false;
  bool redistribute = false;
  bool keepSize = false;
  float xFactor = 1.0f;
  float yFactor = 1.0f;
};

struct ConversionResult {
  int status = kDone;
  int count = 0;  // points written (status 0)
  int layoutKind = 0;
  int pointsRead = 0;
  float xmin = 0, xmax = 0;
  std::string reason;
  std::string name;  // the section name
};

// x and y are the work arrays (their size is the capacity) and hold the
// written points afterwards.
ConversionResult INORM(std::string_view inName, std::string_view outName, std::span<float> x,
                       std::span<float> y, const ConversionOptions& options);

}  // namespace tarvex

namespace tarvex::test {

// A LineInput over a fixed text.
class TextInput {
 public:
  explicit TextInput(std::string text) : text_(std::move(text)), input_(text_) {}
  LineInput& in() { return input_; }

 private:
  std::string text_;
  LineInput input_;
};

// A LineOutput, and the comment lines a reader keeps, as the text they
// make in an output: the comments first.
class TextOutput {
 public:
  LineOutput& out() { return output_; }
  CommentLines* comments() { return &comments_; }
  std::string text() const;
  std::vector<std::string> lines() const;

 private:
  LineOutput output_;
  CommentLines comments_;
};

std::vector<std::string> splitLines(std::string_view text);

// A fresh folder removed at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // name is UTF-8, as the engine takes names.
  std::filesystem::path file(std::string_view name) const { return path_ / pathOf(name); }
  std::filesystem::path write(std::string_view name, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view content);

struct Point {
  float x, y;
};
// NACA four-digit section (e.g. 2412), n points per surface, trailing edge
// first over the upper surface: 2n - 1 points, sharing x on both surfaces.
std::vector<Point> nacaSection(int digits, int pointsPerSurface);
// Two-column text of the points, one per line, preceded by a name line.
std::string twoColumnText(const std::vector<Point>& points, std::string_view name = "TEST SECTION");

// One conversion of the given input text through real files.
struct Converted {
  ConversionResult result;
  std::string output;       // the output file's content ("" if absent)
  std::vector<float> x, y;  // the points left in the work arrays
};
Converted convertText(std::string_view inputText, const ConversionOptions& options,
                      int capacity = 1000);

// The real airfoil files of the folder TARVEX_CORPUS, sorted; empty when the
// variable is not set (the corpus tests then skip).
std::vector<std::filesystem::path> corpusFiles();

// A client program found on PATH, or nothing.
std::optional<std::filesystem::path> findProgram(std::string_view name);
// Runs a shell command, returns its exit status and its standard output.
// The commands are POSIX shell lines: on Windows none is run (-1).
int runCommand(const std::string& command, std::string* output = nullptr);

#if defined(_WIN32)
// The words of a shell command line without operators, quotes removed;
// nothing when it needs a shell (redirections, pipes, patterns).
std::optional<std::vector<std::string>> shellWords(std::string_view line);

struct ProgramRun {
  int status = -1;
  std::string out, err;  // err is empty when it went to out
};
// Runs a program with its arguments (UTF-8) in the folder, without a shell:
// its standard input from the file (none: the null device), its standard
// error into err or, when merged, into out.
ProgramRun runProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder, const std::filesystem::path& input = {},
                      bool mergeErrors = false);
#endif

// A file name in UTF-8, as the engine's C entries take it.
std::string utf8(const std::filesystem::path& path);

}  // namespace tarvex::test

// Skips a test that needs what Windows lacks (a POSIX shell, permission
// bits, signals, devices such as /dev/full), saying what.
#if defined(_WIN32)
#define TARVEX_SKIP_ON_WINDOWS(what) GTEST_SKIP() << "not on Windows: " << what
#else
#define TARVEX_SKIP_ON_WINDOWS(what) static_cast<void>(0)
#endif

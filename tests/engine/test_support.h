// Shared fixtures of the engine tests: in-memory line streams, temporary
// folders, sample sections and running a whole conversion through files.
#pragma once

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "conversion.h"
#include "text_io.h"

namespace tarvex::test {

// A LineInput over a fixed text.
class TextInput {
public:
  explicit TextInput(std::string text) : stream_(std::move(text)), input_(stream_) {}
  LineInput& in() { return input_; }

private:
  std::istringstream stream_;
  LineInput input_;
};

// A LineOutput collecting its lines.
class TextOutput {
public:
  TextOutput() : output_(stream_) {}
  LineOutput& out() { return output_; }
  std::string text() const { return stream_.str(); }
  std::vector<std::string> lines() const;

private:
  std::ostringstream stream_;
  LineOutput output_;
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
  std::filesystem::path file(std::string_view name) const { return path_ / name; }
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
  std::string output;               // the output file's content ("" if absent)
  std::vector<float> x, y;          // the points left in the work arrays
};
Converted convertText(std::string_view inputText, const ConversionOptions& options,
                      int capacity = 1000);

// The real airfoil files of the folder TARVEX_CORPUS, sorted; empty when the
// variable is not set (the corpus tests then skip).
std::vector<std::filesystem::path> corpusFiles();

// A client program found on PATH, or nothing.
std::optional<std::filesystem::path> findProgram(std::string_view name);
// Runs a shell command, returns its exit status and its standard output.
int runCommand(const std::string& command, std::string* output = nullptr);

}  // namespace tarvex::test

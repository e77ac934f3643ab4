#include "test_support.h"

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace tarvex::test {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string TextOutput::text() const {
  std::string text;
  for (const auto& line : comments_) text.append("; ").append(line).append("\n");
  return text + output_.buffer();
}

std::vector<std::string> TextOutput::lines() const { return splitLines(text()); }

TempDir::TempDir() {
  std::random_device device;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("tarvex-test-" + std::to_string(device()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(std::string_view name, std::string_view content) const {
  const auto target = file(name);
  writeFile(target, content);
  return target;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return {};
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

void writeFile(const std::filesystem::path& path, std::string_view content) {
  std::ofstream stream(path, std::ios::binary);
  stream.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::vector<Point> nacaSection(int digits, int pointsPerSurface) {
  const double m = (digits / 1000) / 100.0;
  const double p = ((digits / 100) % 10) / 10.0;
  const double t = (digits % 100) / 100.0;
  auto surface = [&](double x, double sign) {
    const double yt = 5 * t *
                      (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                       0.1036 * x * x * x * x);
    double yc = 0, dyc = 0;
    if (m > 0) {
      if (x < p) {
        yc = m / (p * p) * (2 * p * x - x * x);
        dyc = 2 * m / (p * p) * (p - x);
      } else {
        yc = m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
        dyc = 2 * m / ((1 - p) * (1 - p)) * (p - x);
      }
    }
    const double theta = std::atan(dyc);
    return Point{static_cast<float>(x - sign * yt * std::sin(theta)),
                 static_cast<float>(yc + sign * yt * std::cos(theta))};
  };
  std::vector<Point> points;
  const int n = pointsPerSurface;
  const double pi = std::acos(-1.0);
  for (int i = 0; i < n; ++i) {  // trailing edge to leading edge, upper
    const double x = 0.5 * (1 + std::cos(pi * i / (n - 1)));
    points.push_back(surface(x, +1));
  }
  for (int i = n - 2; i >= 0; --i) {  // leading edge to trailing edge, lower
    const double x = 0.5 * (1 + std::cos(pi * i / (n - 1)));
    points.push_back(surface(x, -1));
  }
  return points;
}

std::string twoColumnText(const std::vector<Point>& points, std::string_view name) {
  std::string text(name);
  text += '\n';
  char line[64];
  for (const auto& point : points) {
    std::snprintf(line, sizeof line, " %10.7f %10.7f\n", point.x, point.y);
    text += line;
  }
  return text;
}

Converted convertText(std::string_view inputText, const ConversionOptions& options, int capacity) {
  TempDir dir;
  const auto input = dir.write("input.dat", inputText);
  const auto output = dir.file("output.txt");
  Converted converted;
  converted.x.assign(static_cast<std::size_t>(capacity), 0.0f);
  converted.y.assign(static_cast<std::size_t>(capacity), 0.0f);
  converted.result =
      tarvex::INORM(input.string(), output.string(), converted.x, converted.y, options);
  converted.output = readFile(output);
  converted.x.resize(static_cast<std::size_t>(converted.result.count));
  converted.y.resize(static_cast<std::size_t>(converted.result.count));
  return converted;
}

std::vector<std::filesystem::path> corpusFiles() {
  std::vector<std::filesystem::path> files;
  const char* corpus = std::getenv("TARVEX_CORPUS");
  std::error_code error;
  if (corpus == nullptr || !std::filesystem::is_directory(corpus, error)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::filesystem::path> findProgram(std::string_view name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::string_view rest(path);
  while (!rest.empty()) {
    const auto colon = rest.find(':');
    const auto dir = rest.substr(0, colon);
    const auto candidate = std::filesystem::path(dir) / name;
    std::error_code error;
    if (!dir.empty() && std::filesystem::is_regular_file(candidate, error)) return candidate;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

int runCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    if (output != nullptr) output->append(buffer.data(), got);
  }
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarvex::test

namespace tarvex {

ConversionResult INORM(std::string_view inName, std::string_view outName, std::span<float> x,
                       std::span<float> y, const ConversionOptions& options) {
  if (inName.empty()) return {.status = kInputNotFound, .reason = {}, .name = {}};
  if (outName.empty()) return {.status = kOutputNotWritable, .reason = {}, .name = {}};
  ConversionSettings settings;
  settings.format = options.format == INT_MIN ? 0 : std::abs(options.format);
  settings.comments = options.format > 0;
  settings.redistribute = options.redistribute;
  settings.keepSize = options.keepSize;
  settings.xFactor = options.xFactor;
  settings.yFactor = options.yFactor;
  settings.capacity = static_cast<int>(std::min(x.size(), y.size()));
  settings.classicFormatsOnly = true;
  const ConversionOutcome outcome =
      convertFiles(std::string(inName), std::string(outName), options.append, settings);
  ConversionResult result;
  result.status = static_cast<int>(outcome.error.status);
  result.reason = outcome.error.message;
  result.xmin = outcome.xmin;
  result.xmax = outcome.xmax;
  result.layoutKind = layoutKind(outcome.section.layout);
  result.pointsRead = outcome.section.pointsRead;
  result.name = outcome.section.name;
  if (result.status == kDone) {
    result.count = static_cast<int>(outcome.x.size());
    std::copy(outcome.x.begin(), outcome.x.end(), x.begin());
    std::copy(outcome.y.begin(), outcome.y.end(), y.begin());
  }
  return result;
}

}  // namespace tarvex

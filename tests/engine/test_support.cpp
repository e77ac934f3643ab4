#include "test_support.h"

#if defined(_WIN32)
#include <windows.h>

#include "io/file_names.h"
#else
#include <sys/wait.h>
#endif

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
#if defined(_WIN32)
  constexpr char kSeparator = ';';
  const std::string file = std::string(name) + ".exe";
#else
  constexpr char kSeparator = ':';
  const std::string file(name);
#endif
  std::string_view rest(path);
  while (!rest.empty()) {
    const auto separator = rest.find(kSeparator);
    const auto dir = rest.substr(0, separator);
    const auto candidate = std::filesystem::path(dir) / file;
    std::error_code error;
    if (!dir.empty() && std::filesystem::is_regular_file(candidate, error)) return candidate;
    if (separator == std::string_view::npos) break;
    rest.remove_prefix(separator + 1);
  }
  return std::nullopt;
}

#if defined(_WIN32)

int runCommand(const std::string&, std::string*) { return -1; }

std::optional<std::vector<std::string>> shellWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\'' || c == '"') {
      const auto end = line.find(c, i + 1);
      if (end == std::string_view::npos) return std::nullopt;
      word.append(line.substr(i + 1, end - i - 1));
      inWord = true;
      i = end;
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else if (std::string_view("<>|&;$`*?(){}[]~\\").find(c) != std::string_view::npos) {
      return std::nullopt;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

namespace {

// One argument as the C run-time splits the command line: quoted when it
// holds a blank, a quote or a wildcard (which the program would expand).
std::wstring quotedArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"*?") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

HANDLE inheritedFile(const std::wstring& name, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun runProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder, const std::filesystem::path& input,
                      bool mergeErrors) {
  TempDir captures;
  std::wstring line = quotedArgument(program.native());
  for (const std::string& argument : arguments) line += L" " + quotedArgument(wideName(argument));
  const HANDLE in = inheritedFile(input.empty() ? std::wstring(L"NUL") : input.native(),
                                  GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = inheritedFile(captures.file("out").native(), GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE err =
      mergeErrors ? out
                  : inheritedFile(captures.file("err").native(), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  ProgramRun run;
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                     folder.native().c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    if (GetExitCodeProcess(process.hProcess, &status)) run.status = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (const HANDLE handle : {in, out, mergeErrors ? INVALID_HANDLE_VALUE : err}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  run.out = readFile(captures.file("out"));
  if (!mergeErrors) run.err = readFile(captures.file("err"));
  return run;
}

std::string utf8(const std::filesystem::path& path) { return utf8Name(path.native()); }

#else

std::string utf8(const std::filesystem::path& path) { return path.string(); }

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

#endif

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

// The C++ interface of the engine (tarvex.hpp) on top of the pipeline.
#include <algorithm>

#include "conversion.h"
#include "geometry/redistribution.h"
#include "geometry/section_figures.h"
#include "io/file_names.h"
#include "io/input_file.h"
#include "io/output_file.h"
#include "io/temporary_files.h"
#include "one_document.h"
#include "tarvex.hpp"

namespace tarvex {
namespace {

Error badOptions(std::string message) { return {Status::badOptions, std::move(message), {}, 0}; }

// A section built by hand must hold as many y as x before a writer walks it.
Error checkSection(const Section& section) {
  if (section.x.size() != section.y.size()) {
    return badOptions("the section holds " + std::to_string(section.x.size()) + " x but " +
                      std::to_string(section.y.size()) + " y values");
  }
  return {};
}

// Format 0, which INORM knows as "no output", is allowed only where it says so.
Result<ConversionSettings> settingsOf(const WriteOptions& options, bool noFormatAllowed = false) {
  if (!(noFormatAllowed && options.format == 0) && formatByNumber(options.format) == nullptr) {
    return badOptions("there is no output format " + std::to_string(options.format));
  }
  if (Error error = checkDrawingOptions(options.drawing, options.keepSize)) return error;
  ConversionSettings settings;
  settings.format = options.format;
  settings.drawing = options.drawing;
  settings.comments = options.comments;
  settings.keepSize = options.keepSize;
  settings.xFactor = options.xFactor;
  settings.yFactor = options.yFactor;
  settings.date = options.date;
  return settings;
}

Result<ConversionSettings> settingsFor(const Section& section, const WriteOptions& options) {
  auto settings = settingsOf(options);
  if (!settings) return settings;
  if (Error error = checkSection(section)) return error;
  settings->capacity = section.size() + 1;  // room for the same-x preparation
  return settings;
}

Result<Section> redistributed(const Section& section, int mode, int m,
                              std::span<const float> stations, int capacity) {
  if (Error error = checkSection(section)) return error;
  Section result = section;
  int n = section.size();
  result.x.resize(static_cast<std::size_t>(std::max(capacity, n)));
  result.y.resize(result.x.size());
  const int status = IRESPL(result.x, result.y, n, m, 1.0f, mode, stations);
  if (status != 0) {
    const int points =
        mode == kCosineStations ? 2 * (m / 2) + 1 : 2 * static_cast<int>(stations.size()) - 1;
    return Error{Status::redistributionFailed,
                 status == 2 ? "the leading edge cannot be found"
                 : n > kMaxStations
                     ? "redistribution takes at most 1000 points"
                     : "the redistributed section of " + std::to_string(points) +
                           " points exceeds the capacity of " + std::to_string(capacity),
                 {},
                 0};
  }
  result.x.resize(static_cast<std::size_t>(n));
  result.y.resize(static_cast<std::size_t>(n));
  return result;
}

}  // namespace

std::string_view layoutName(Layout layout) {
  switch (layout) {
    case Layout::twoColumns:
      return "two columns";
    case Layout::threeColumns:
      return "three columns";
    case Layout::counted:
      return "counted two columns";
    case Layout::fourColumns:
      return "four columns";
    case Layout::cef:
      return "CEF";
    case Layout::dxf:
      return "DXF";
    case Layout::xml:
      return "XML";
    case Layout::points:
      return "points";
    case Layout::unknown:
      break;
  }
  return "unknown";
}

int layoutKind(Layout layout) {
  switch (layout) {
    case Layout::twoColumns:
      return 1;
    case Layout::threeColumns:
      return 2;
    case Layout::counted:
    case Layout::cef:
    case Layout::dxf:
    case Layout::xml:
      return 3;
    case Layout::fourColumns:
      return 4;
    case Layout::points:
      return 1;
    case Layout::unknown:
      break;
  }
  return 0;
}

Result<Section> readText(std::string_view text, const ReadOptions& options) {
  Section section;
  if (Error error = readSection(text, options.capacity, section)) return error;
  return section;
}

Result<Section> readFile(const std::filesystem::path& path, const ReadOptions& options) {
  InputText input;
  if (Error error = readInputFile(textOf(path), input)) return error;
  return readText(input.text, options);
}

Result<std::string> readStream(int descriptor, const std::string& name) {
  InputText input;
  if (Error error = readInputDescriptor(descriptor, name, input)) return error;
  return std::move(input.text);
}

std::span<const float> defaultStations() { return kDefaultStations; }

Result<std::vector<float>> checkStations(std::span<const float> stations) {
  std::string reason;
  auto scaled = standardStations(stations, &reason);
  if (!scaled) return badOptions(std::move(reason));
  return std::move(*scaled);
}

Result<Section> redistribute(const Section& section, std::span<const float> stations,
                             int capacity) {
  auto checked = checkStations(stations);
  if (!checked) return checked.error();
  return redistributed(section, kStandardStations, 0, *checked, capacity);
}

Result<Section> redistributeCosine(const Section& section, int count) {
  if (count < 3) return badOptions("a cosine redistribution needs at least 3 points");
  const int odd = 2 * (count / 2) + 1;
  return redistributed(section, kCosineStations, count, {}, std::max(odd, section.size()));
}

Result<Figures> figuresOf(const Section& section) {
  if (Error error = checkSection(section)) return error;
  return sectionFigures(section.x, section.y);
}

Result<Surfaces> surfacesOf(const Section& section) {
  if (Error error = checkSection(section)) return error;
  return sectionSurfaces(section.x, section.y);
}

Result<std::string> writeText(const Section& section, const WriteOptions& options) {
  auto settings = settingsFor(section, options);
  if (!settings) return settings.error();
  LineOutput out;
  std::vector<float> x, y;
  if (Error error = writeSection(section, *settings, out, x, y)) return error;
  return std::move(out.buffer());
}

Error writeFile(const Section& section, const std::filesystem::path& path,
                const WriteOptions& options, bool append) {
  auto file = OutputFile::open(path, append);
  if (!file) return file.error();
  if (Error error = file->write(section, options)) return error;
  return file->commit();
}

class OutputFile::Transaction {
 public:
  std::unique_ptr<OutputTransaction> output;
  bool appendsToContent = false;  // an existing file's content comes first
  bool holdsText = false;         // a section (or text) was added
};

Result<OutputFile> OutputFile::open(const std::filesystem::path& path, bool append,
                                    std::span<const FileKey> inputs) {
  Error error;
  auto transaction = std::make_unique<Transaction>();
  transaction->output = OutputTransaction::open(textOf(path), append, inputs, error);
  if (!transaction->output) return error;
  transaction->appendsToContent = append && holdsContent(path);
  return OutputFile(std::move(transaction));
}

OutputFile::OutputFile(std::unique_ptr<Transaction> transaction)
    : transaction_(std::move(transaction)) {}
OutputFile::OutputFile(OutputFile&&) noexcept = default;
OutputFile& OutputFile::operator=(OutputFile&&) noexcept = default;
OutputFile::~OutputFile() = default;

Error OutputFile::write(const Section& section, const WriteOptions& options) {
  if (!transaction_) return badOptions("the output file was moved away");
  if (const auto format = oneSectionFormat(options.format)) {
    if (transaction_->appendsToContent) return oneSectionPerFile(*format, kNoAppending);
    if (transaction_->holdsText) {
      return oneSectionPerFile(*format,
                               "a second section cannot follow the first in the same file");
    }
  }
  auto text = tarvex::writeText(section, options);
  if (!text) return text.error();
  return writeText(*text);
}

Error OutputFile::writeText(std::string_view text) {
  if (!transaction_) return badOptions("the output file was moved away");
  Error error = transaction_->output->write(text);
  if (!error && !text.empty()) transaction_->holdsText = true;
  return error;
}

Error OutputFile::commit() {
  if (!transaction_) return badOptions("the output file was moved away");
  return transaction_->output->commit();
}

Result<Conversion> convertFile(const std::filesystem::path& input,
                               const std::filesystem::path& output, const ConvertOptions& options) {
  auto settings = settingsOf(options, true);
  if (!settings) return settings.error();
  std::vector<float> stations;
  if (!options.stations.empty()) {
    auto checked = checkStations(options.stations);
    if (!checked) return checked.error();
    stations = std::move(*checked);
  }
  settings->redistribute = options.redistribute;
  if (!stations.empty()) settings->stations = stations;
  settings->capacity = options.capacity;
  ConversionOutcome outcome =
      convertFiles(textOf(input), textOf(output), options.append, *settings);
  if (outcome.error) return outcome.error;
  return Conversion{std::move(outcome.section), std::move(outcome.x), std::move(outcome.y)};
}

std::optional<FileKey> fileKey(const std::filesystem::path& path) { return keyOf(textOf(path)); }

void removeTemporaryFiles() noexcept { temporaries::removeAll(); }

}  // namespace tarvex

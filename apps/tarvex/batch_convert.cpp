#include "batch_convert.h"

#include <cctype>
#include <filesystem>

#include "io/file_names.h"
#include "progress_line.h"
#include "standard_streams.h"

namespace tarvex::console {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kStdinName = "<stdin>";

bool isStandardStream(std::string_view name) { return name == kStandardStream; }

std::string_view displayName(std::string_view input) {
  return isStandardStream(input) ? kStdinName : input;
}

BatchSettings settingsOf(const ConvertRequest& request, bool toStandardOutput) {
  BatchSettings settings;
  if (!toStandardOutput) {
    if (request.outputFile) settings.outputFile = pathOf(*request.outputFile);
    if (request.outputFolder) settings.outputFolder = pathOf(*request.outputFolder);
  }
  settings.options.format = request.format->number;
  settings.options.comments = request.comments;
  settings.options.keepSize = request.keepSize;
  settings.options.xFactor = request.xFactor;
  settings.options.yFactor = request.yFactor;
  settings.options.drawing = request.drawing;
  settings.redistribute = request.redistribute;
  settings.stations = request.stations;
  settings.cosinePoints = request.cosinePoints;
  if (request.shape.any()) {
    settings.shape = [steps = request.shape](const Section& section) {
      return shapeSection(section, steps);
    };
  }
  settings.append = request.append;
  settings.noClobber = request.noClobber;
  return settings;
}

std::vector<fs::path> fileInputs(const ConvertRequest& request) {
  std::vector<fs::path> files;
  if (request.inputsAreDesignations) return files;
  for (const std::string& input : request.inputs) {
    if (!isStandardStream(input)) files.push_back(pathOf(input));
  }
  return files;
}

// The batch with its messages: a failed file is reported and the others
// are still converted; a summary at the end.
class BatchRun {
 public:
  BatchRun(const ConvertRequest& request, std::ostream& err)
      : request_(request),
        err_(err),
        progress_(err, standardErrorIsTerminal() && !request.quiet),
        stdin_(err, request.quiet),
        toStandardOutput_(!request.outputFolder &&
                          (!request.outputFile || isStandardStream(*request.outputFile))),
        batch_(settingsOf(request, toStandardOutput_), fileInputs(request)) {}

  int run() {
    const int total = static_cast<int>(request_.inputs.size());
    if (Error error = batch_.start()) {
      err_ << failureLine(request_.outputFile.value_or(""), error) << '\n';
      return 1;
    }
    if (batch_.skipsEverything()) {
      skip(*request_.outputFile);
      return 1;
    }

    for (int i = 0; i < total; ++i) {
      const std::string& input = request_.inputs[static_cast<std::size_t>(i)];
      progress_.update(i, total, input);
      convertOne(input);
    }
    progress_.clear();
    if (Error error = batch_.finish()) {
      // Nothing of the single output file was put in place.
      err_ << failureLine(*request_.outputFile, error) << '\n';
      failed_ += converted_;
      converted_ = 0;
    } else if (request_.verbose && request_.outputFile && !toStandardOutput_ && converted_ > 0) {
      err_ << "tarvex: wrote " << nameForMessage(*request_.outputFile) << '\n';
    }
    if (toStandardOutput_ && !stdout_.finish()) {
      err_ << "tarvex: " << stdout_.failure() << '\n';
      failed_ += converted_;
      converted_ = 0;
    }
    if (!request_.quiet && (total > 1 || request_.verbose)) {
      err_ << converted_ << " converted, " << failed_ << " failed";
      if (skipped_ > 0) err_ << ", " << skipped_ << " left alone";
      err_ << '\n';
    }
    err_.flush();
    return failed_ == 0 && skipped_ == 0 ? 0 : 1;
  }

 private:
  void skip(const fs::path& target) {
    progress_.clear();
    err_ << "tarvex: " << nameForMessage(textOf(target)) << ": exists, left alone (--no-clobber)\n";
    ++skipped_;
  }

  BatchOutcome convert(const std::string& input) {
    if (request_.inputsAreDesignations) {
      return batch_.convertSection(nacaSection(input, request_.naca), designationStem(input));
    }
    if (!isStandardStream(input)) return batch_.convertFile(pathOf(input));
    const Result<std::string>& text = stdin_.text();
    if (!text) return {BatchOutcome::Kind::failed, text.error(), {}, {}};
    return batch_.convertText(*text, "stdin");
  }

  void convertOne(const std::string& input) {
    const BatchOutcome outcome = convert(input);
    switch (outcome.kind) {
      case BatchOutcome::Kind::failed:
        progress_.clear();
        err_ << failureLine(displayName(input), outcome.error) << '\n';
        ++failed_;
        return;
      case BatchOutcome::Kind::skipped:
        return skip(outcome.target);
      case BatchOutcome::Kind::converted:
        break;
    }
    ++converted_;
    if (toStandardOutput_) {
      stdout_.write(outcome.text);
    } else if (request_.verbose && request_.outputFolder) {
      progress_.clear();
      err_ << "tarvex: " << nameForMessage(displayName(input)) << " -> "
           << nameForMessage(textOf(outcome.target)) << '\n';
    }
  }

  const ConvertRequest& request_;
  std::ostream& err_;
  ProgressLine progress_;
  StandardInput stdin_;
  StandardOutput stdout_;
  const bool toStandardOutput_;
  Batch batch_;
  int converted_ = 0;
  int failed_ = 0;
  int skipped_ = 0;
};

}  // namespace

const Result<std::string>& StandardInput::text() {
  if (!text_) {
    if (!quiet_ && standardInputIsTerminal()) {
      err_ << "tarvex: reading coordinates from the terminal; end with Ctrl-D\n";
      err_.flush();
    }
    text_.emplace(readStream(0, std::string(kStdinName)));
  }
  return *text_;
}

std::string designationStem(std::string_view designation) {
  std::string stem;
  for (const char c : designation) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) != 0 || c == '-' || c == '.') {
      stem += static_cast<char>(std::tolower(u));
    } else if ((c == ' ' || c == '(' || c == '_') && !stem.empty() && stem.back() != '_') {
      stem += '_';
    }
  }
  if (stem.starts_with("naca_")) stem.erase(4, 1);
  if (!stem.starts_with("naca")) stem.insert(0, "naca");
  return stem;
}

std::string failureLine(std::string_view input, const Error& error) {
  if (!error.file.empty()) return "tarvex: " + error.message;
  return "tarvex: " + nameForMessage(input) + ": " + error.message;
}

int convertFiles(const ConvertRequest& request, std::ostream& err) {
  return BatchRun(request, err).run();
}

}  // namespace tarvex::console

#include "batch_convert.h"

#include <array>
#include <filesystem>
#include <set>

#include "batch_files.h"
#include "conversion.h"
#include "failure_text.h"
#include "progress_line.h"

namespace tarvex::console {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kStdinName = "<stdin>";
constexpr std::string_view kStdoutName = "<stdout>";

bool isStandardStream(std::string_view name) { return name == kStandardStream; }

// The points of every conversion; the engine's work space.
struct WorkArrays {
  std::array<float, kBatchCapacity> x{};
  std::array<float, kBatchCapacity> y{};
};

class Batch {
 public:
  Batch(const ConvertRequest& request, StandardStreams streams)
      : request_(request),
        streams_(streams),
        progress_(streams.err, streams.errIsTerminal),
        toStandardOutput_(!request.outputFolder &&
                          (!request.outputFile || isStandardStream(*request.outputFile))) {}

  int run() {
    if (request_.outputFolder) {
      std::error_code ignored;  // a folder that cannot be made shows at the first output
      fs::create_directories(*request_.outputFolder, ignored);
    }
    const int total = static_cast<int>(request_.inputs.size());
    for (int i = 0; i < total; ++i) {
      const std::string& input = request_.inputs[static_cast<std::size_t>(i)];
      progress_.update(i, total, input);
      if (convertOne(input)) {
        ++converted_;
      } else {
        ++failed_;
      }
    }
    progress_.clear();
    streams_.err << converted_ << " converted, " << failed_ << " failed\n";
    streams_.err.flush();
    return failed_ == 0 ? 0 : 1;
  }

 private:
  bool fail(std::string_view input, std::string_view text) {
    progress_.clear();
    streams_.err << "tarvex: " << displayName(input) << ":" << text << '\n';
    return false;
  }

  // Where a name leads, links and dot folders resolved, so that an output
  // never replaces an input given under another spelling.
  static std::string canonicalName(const fs::path& name) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(name, error);
    return (error ? name.lexically_normal() : canonical).string();
  }

  // True when the target is one of the inputs. Only a target that exists
  // can be one, so a batch into a new folder never resolves a name.
  bool isInputFile(const fs::path& target) {
    std::error_code error;
    if (!fs::exists(target, error)) return false;
    if (!inputFilesKnown_) {
      inputFilesKnown_ = true;
      for (const std::string& input : request_.inputs) {
        if (!isStandardStream(input)) inputFiles_.insert(canonicalName(input));
      }
    }
    return inputFiles_.contains(canonicalName(target));
  }

  static std::string_view displayName(std::string_view input) {
    return isStandardStream(input) ? kStdinName : input;
  }

  // The standard input is read once; a second "-" reads the same text again.
  const TemporaryFile* standardInput() {
    if (!stdinRead_) {
      stdinRead_ = true;
      stdinCopy_ = captureStream(streams_.in, "in");
    }
    return stdinCopy_ ? &*stdinCopy_ : nullptr;
  }

  fs::path folderTarget(std::string_view input) const {
    const std::string stem =
        isStandardStream(input) ? std::string("stdin") : fs::path(input).stem().string();
    return fs::path(*request_.outputFolder) /
           (stem + "." + std::string(request_.format->extension));
  }

  bool convertOne(const std::string& input) {
    fs::path inputPath = input;
    if (isStandardStream(input)) {
      const TemporaryFile* copy = standardInput();
      if (!copy) return fail(input, " cannot read the standard input.");
      inputPath = copy->path();
    }
    if (toStandardOutput_) return convertToStandardOutput(input, inputPath);

    const fs::path target =
        request_.outputFolder ? folderTarget(input) : fs::path(*request_.outputFile);
    if (isInputFile(target)) {
      return fail(input, " the output \"" + target.string() + "\" is one of the input files.");
    }
    // Several inputs into one file follow one another; with -d every input
    // has a file of its own, and a second input of the same name must not
    // replace the first one's result.
    const std::string targetName = target.lexically_normal().string();
    const bool written = written_.contains(targetName);
    if (written && request_.outputFolder) {
      return fail(input, " the output \"" + target.string() +
                             "\" was already written from another input of the same name.");
    }
    if (!convert(input, inputPath, target, request_.append || written)) return false;
    written_.insert(targetName);
    return true;
  }

  bool convertToStandardOutput(std::string_view input, const fs::path& inputPath) {
    auto result = TemporaryFile::create("out");
    if (!result) return fail(input, failureText(kOutputNotWritable, kStdoutName, kBatchCapacity));
    if (!convert(input, inputPath, result->path(), false)) return false;
    if (!copyFileTo(result->path(), streams_.out)) {
      return fail(input, failureText(kWriteError, kStdoutName, kBatchCapacity));
    }
    return true;
  }

  bool convert(std::string_view input, const fs::path& inputPath, const fs::path& outputPath,
               bool append) {
    ConversionOptions options;
    options.format = request_.comments ? request_.format->number : -request_.format->number;
    options.append = append;
    options.redistribute = request_.redistribute;
    options.keepSize = request_.keepSize;
    options.xFactor = request_.xFactor;
    options.yFactor = request_.yFactor;
    const ConversionResult result =
        guardedINORM(inputPath.string(), outputPath.string(), work_.x, work_.y, options);
    if (result.status == kDone) return true;
    std::string failedName;
    if (result.status == kInputNotFound) failedName = displayName(input);
    if (result.status == kOutputNotWritable) {
      failedName = toStandardOutput_ ? std::string(kStdoutName) : outputPath.string();
    }
    return fail(input, failureText(result.status, failedName, kBatchCapacity));
  }

  const ConvertRequest& request_;
  StandardStreams streams_;
  ProgressLine progress_;
  const bool toStandardOutput_;
  WorkArrays work_;
  bool stdinRead_ = false;
  std::optional<TemporaryFile> stdinCopy_;
  bool inputFilesKnown_ = false;
  std::set<std::string> inputFiles_;
  std::set<std::string> written_;
  int converted_ = 0;
  int failed_ = 0;
};

}  // namespace

ConversionResult guardedINORM(std::string_view inName, std::string_view outName, std::span<float> x,
                              std::span<float> y, const ConversionOptions& options) {
  try {
    return INORM(inName, outName, x, y, options);
  } catch (const std::exception&) {
    return {.status = kWriteError};
  }
}

int convertFiles(const ConvertRequest& request, StandardStreams streams) {
  useBinaryStandardStreams();
  return Batch(request, streams).run();
}

}  // namespace tarvex::console

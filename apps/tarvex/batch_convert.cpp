#include "batch_convert.h"

#include <filesystem>
#include <set>

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

class Batch {
 public:
  Batch(const ConvertRequest& request, std::ostream& err)
      : request_(request),
        err_(err),
        progress_(err, standardErrorIsTerminal() && !request.quiet),
        stdin_(err, request.quiet),
        toStandardOutput_(!request.outputFolder &&
                          (!request.outputFile || isStandardStream(*request.outputFile))) {
    options_.format = request.format->number;
    options_.comments = request.comments;
    options_.keepSize = request.keepSize;
    options_.xFactor = request.xFactor;
    options_.yFactor = request.yFactor;
    options_.drawing = request.drawing;
    // Known once by device and inode, so no output replaces an input.
    for (const std::string& input : request.inputs) {
      if (isStandardStream(input)) continue;
      if (const auto key = fileKey(input)) inputKeys_.push_back(*key);
    }
  }

  int run() {
    if (request_.outputFolder) {
      std::error_code error;
      fs::create_directories(*request_.outputFolder, error);
      if (error) {
        err_ << "tarvex: " << *request_.outputFolder << ": " << error.message() << '\n';
        return 1;
      }
    }
    if (!toStandardOutput_ && request_.outputFile && !openSingleFile()) return 1;

    const int total = static_cast<int>(request_.inputs.size());
    for (int i = 0; i < total; ++i) {
      const std::string& input = request_.inputs[static_cast<std::size_t>(i)];
      progress_.update(i, total, input);
      convertOne(input);
    }
    progress_.clear();
    if (singleFile_ && converted_ > 0) {
      // Everything goes in place at once, or (on failure) nothing.
      if (Error error = singleFile_->commit()) {
        err_ << failureLine(*request_.outputFile, error) << '\n';
        failed_ += converted_;
        converted_ = 0;
      } else if (request_.verbose) {
        err_ << "tarvex: wrote " << *request_.outputFile << '\n';
      }
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
  void fail(std::string_view input, const Error& error) {
    progress_.clear();
    err_ << failureLine(displayName(input), error) << '\n';
    ++failed_;
  }

  void skip(const std::string& target) {
    progress_.clear();
    err_ << "tarvex: " << target << ": exists, left alone (--no-clobber)\n";
    ++skipped_;
  }

  bool exists(const std::string& target) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(target, error));
  }

  bool openSingleFile() {
    if (request_.noClobber && exists(*request_.outputFile)) {
      skip(*request_.outputFile);
      skipped_ = static_cast<int>(request_.inputs.size());
      return false;
    }
    auto file = OutputFile::open(*request_.outputFile, request_.append, inputKeys_);
    if (!file) {
      err_ << failureLine(*request_.outputFile, file.error()) << '\n';
      failed_ = static_cast<int>(request_.inputs.size());
      return false;
    }
    singleFile_.emplace(std::move(*file));
    return true;
  }

  Result<Section> read(const std::string& input) {
    ReadOptions options;
    options.capacity = kBatchCapacity;
    Result<Section> section = isStandardStream(input)
                                  ? (stdin_.text() ? readText(*stdin_.text(), options)
                                                   : Result<Section>(stdin_.text().error()))
                                  : readFile(input, options);
    if (!section || !request_.redistribute) return section;
    return redistribute(
        *section,
        request_.stations.empty() ? defaultStations() : std::span<const float>(request_.stations),
        kBatchCapacity);
  }

  std::string folderTarget(std::string_view input) const {
    const std::string stem =
        isStandardStream(input) ? std::string("stdin") : fs::path(input).stem().string();
    return (fs::path(*request_.outputFolder) /
            (stem + "." + std::string(request_.format->extension)))
        .string();
  }

  void convertOne(const std::string& input) {
    auto section = read(input);
    if (!section) return fail(input, section.error());

    if (toStandardOutput_) {
      auto text = writeText(*section, options_);
      if (!text) return fail(input, text.error());
      stdout_.write(*text);
      ++converted_;
      return;
    }
    if (singleFile_) {
      if (Error error = singleFile_->write(*section, options_)) return fail(input, error);
      ++converted_;
      return;
    }

    // With -d every input has a file of its own, and a second input of the
    // same name must not replace the first one's result.
    const std::string target = folderTarget(input);
    const std::string key = fs::path(target).lexically_normal().string();
    if (written_.contains(key)) {
      return fail(input, {Status::outputNotWritable,
                          target + " was already written from another input of the same name",
                          {},
                          0});
    }
    if (request_.noClobber && exists(target)) return skip(target);
    auto file = OutputFile::open(target, request_.append, inputKeys_);
    if (!file) return fail(input, file.error());
    if (Error error = file->write(*section, options_)) return fail(input, error);
    if (Error error = file->commit()) return fail(input, error);
    written_.insert(key);
    ++converted_;
    if (request_.verbose) {
      progress_.clear();
      err_ << "tarvex: " << displayName(input) << " -> " << target << '\n';
    }
  }

  const ConvertRequest& request_;
  std::ostream& err_;
  ProgressLine progress_;
  StandardInput stdin_;
  StandardOutput stdout_;
  const bool toStandardOutput_;
  WriteOptions options_;
  std::vector<FileKey> inputKeys_;
  std::optional<OutputFile> singleFile_;
  std::set<std::string> written_;
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

std::string failureLine(std::string_view input, const Error& error) {
  if (!error.file.empty()) return "tarvex: " + error.message;
  return "tarvex: " + std::string(input) + ": " + error.message;
}

int convertFiles(const ConvertRequest& request, std::ostream& err) {
  useBinaryStandardStreams();
  return Batch(request, err).run();
}

}  // namespace tarvex::console

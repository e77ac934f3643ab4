#include "batch.h"

#include <cerrno>

namespace tarvex::python {
namespace fs = std::filesystem;
namespace {

bool isThere(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

Error leftAlone(const fs::path& target) {
  // An OSError like the one opening with O_EXCL would give.
  return {Status::outputNotWritable, target.string() + ": exists, left alone (no_clobber)",
          target.string(), EEXIST};
}

}  // namespace

Batch::Batch(const BatchRequest& request) : request_(request) {
  // Known once by device and inode, so no output replaces an input.
  for (const fs::path& input : request.inputs) {
    if (const auto key = fileKey(input)) inputKeys_.push_back(*key);
  }
}

Error Batch::start() {
  if (request_.outputFolder) {
    std::error_code error;
    fs::create_directories(*request_.outputFolder, error);
    if (error) {
      const std::string folder = request_.outputFolder->string();
      return {Status::outputNotWritable, folder + ": " + error.message(), folder, error.value()};
    }
  }
  if (!request_.outputFile) return {};
  if (request_.noClobber && isThere(*request_.outputFile)) {
    skipEverything_ = true;
    return {};
  }
  auto file = OutputFile::open(*request_.outputFile, request_.append, inputKeys_);
  if (!file) return file.error();
  singleFile_.emplace(std::move(*file));
  return {};
}

Result<Section> Batch::read(const fs::path& input) const {
  ReadOptions options;
  options.capacity = kBatchCapacity;
  auto section = readFile(input, options);
  if (!section || !request_.redistribute) return section;
  return redistribute(
      *section,
      request_.stations.empty() ? defaultStations() : std::span<const float>(request_.stations),
      kBatchCapacity);
}

fs::path Batch::folderTarget(const fs::path& input) const {
  const auto row = formatByNumber(request_.options.format);
  const std::string extension = row != nullptr ? std::string(row->extension) : "txt";
  return *request_.outputFolder / (input.stem().string() + "." + extension);
}

FileOutcome Batch::convert(std::size_t index) {
  FileOutcome outcome;
  if (index >= request_.inputs.size()) {
    outcome.error = {Status::badOptions, "no input " + std::to_string(index), {}, 0};
    return outcome;
  }
  if (request_.outputFolder) outcome.target = folderTarget(request_.inputs[index]);
  if (request_.outputFile) outcome.target = *request_.outputFile;
  if (skipEverything_) {
    outcome.kind = FileOutcome::Kind::skipped;
    outcome.error = leftAlone(outcome.target);
    return outcome;
  }

  auto section = read(request_.inputs[index]);
  if (!section) {
    outcome.error = section.error();
    return outcome;
  }
  if (!request_.outputFolder && !request_.outputFile) {
    auto text = writeText(*section, request_.options);
    if (!text) {
      outcome.error = text.error();
      return outcome;
    }
    outcome.text = std::move(*text);
    outcome.kind = FileOutcome::Kind::converted;
    return outcome;
  }
  if (singleFile_) {
    outcome.error = singleFile_->write(*section, request_.options);
    if (!outcome.error) {
      outcome.kind = FileOutcome::Kind::converted;
      wroteSingle_ = true;
    }
    return outcome;
  }

  // Each input has a file of its own in the folder, and a second input of
  // the same name must not replace the first one's result.
  const fs::path key = outcome.target.lexically_normal();
  if (written_.contains(key)) {
    const std::string target = outcome.target.string();
    outcome.error = {Status::outputNotWritable,
                     target + ": was already written from another input of the same name", target,
                     EEXIST};
    return outcome;
  }
  if (request_.noClobber && isThere(outcome.target)) {
    outcome.kind = FileOutcome::Kind::skipped;
    outcome.error = leftAlone(outcome.target);
    return outcome;
  }
  auto file = OutputFile::open(outcome.target, request_.append, inputKeys_);
  if (!file) {
    outcome.error = file.error();
    return outcome;
  }
  outcome.error = file->write(*section, request_.options);
  if (!outcome.error) outcome.error = file->commit();
  if (outcome.error) return outcome;
  written_.insert(key);
  outcome.kind = FileOutcome::Kind::converted;
  return outcome;
}

Error Batch::finish() {
  // Like the console program, an output file that received nothing is not
  // created.
  if (!singleFile_ || !wroteSingle_) return {};
  Error error = singleFile_->commit();
  singleFile_.reset();
  return error;
}

}  // namespace tarvex::python

// Many inputs in one output format: the batch behind `tarvex convert` and
// tarvex.convert().
#include <cerrno>

#include "io/file_names.h"
#include "one_document.h"
#include "tarvex.hpp"

namespace tarvex {
namespace fs = std::filesystem;
namespace {

bool isThere(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// Refused before anything is written: several inputs, or an appending to a
// file with content, into a format whose files hold one section.
Error oneSectionRefusal(const BatchSettings& settings, std::size_t inputs) {
  const auto format = oneSectionFormat(settings.options.format);
  if (!format) return {};
  if (inputs > 1) {
    return oneSectionPerFile(*format, std::to_string(inputs) +
                                          " inputs cannot go into one file; convert them into a "
                                          "folder, one file each");
  }
  if (settings.append && holdsContent(*settings.outputFile)) {
    return oneSectionPerFile(*format, kNoAppending);
  }
  return {};
}

}  // namespace

Batch::Batch(BatchSettings settings, std::span<const fs::path> inputs)
    : settings_(std::move(settings)), inputCount_(inputs.size()) {
  // Known once by device and inode, so no output replaces an input.
  for (const fs::path& input : inputs) {
    if (const auto key = fileKey(input)) inputKeys_.push_back(*key);
  }
}

Error Batch::start() {
  if (settings_.outputFolder) {
    std::error_code error;
    fs::create_directories(*settings_.outputFolder, error);
    if (error) {
      const std::string folder = textOf(*settings_.outputFolder);
      return {Status::outputNotWritable, nameForMessage(folder) + ": " + error.message(), folder,
              error.value()};
    }
  }
  if (!settings_.outputFile) return {};
  if (settings_.noClobber && isThere(*settings_.outputFile)) {
    skipEverything_ = true;
    return {};
  }
  if (Error error = oneSectionRefusal(settings_, inputCount_)) return error;
  auto file = OutputFile::open(*settings_.outputFile, settings_.append, inputKeys_);
  if (!file) return file.error();
  singleFile_.emplace(std::move(*file));
  return {};
}

fs::path Batch::targetFor(const std::string& stem) const {
  if (settings_.outputFolder) {
    // An unknown format fails on writing; its name is never made.
    const FormatRow* row = formatByNumber(settings_.options.format);
    const std::string extension = row != nullptr ? std::string(row->extension) : "txt";
    return *settings_.outputFolder / pathOf(stem + "." + extension);
  }
  return settings_.outputFile.value_or(fs::path());
}

BatchOutcome Batch::skipped(const std::string& stem) const {
  return {BatchOutcome::Kind::skipped, {}, targetFor(stem), {}};
}

BatchOutcome Batch::convertFile(const fs::path& input) {
  const std::string stem = textOf(input.stem());
  if (skipEverything_) return skipped(stem);
  return convert(readFile(input, {.capacity = kCapacity}), stem);
}

BatchOutcome Batch::convertText(std::string_view text, const std::string& stem) {
  if (skipEverything_) return skipped(stem);
  return convert(readText(text, {.capacity = kCapacity}), stem);
}

BatchOutcome Batch::convertSection(Result<Section> section, const std::string& stem) {
  if (skipEverything_) return skipped(stem);
  return convert(std::move(section), stem);
}

BatchOutcome Batch::convert(Result<Section> section, const std::string& stem) {
  BatchOutcome outcome;
  outcome.target = targetFor(stem);
  if (section && settings_.shape) section = settings_.shape(*section);
  if (section && settings_.cosinePoints > 0) {
    section = redistributeCosine(*section, settings_.cosinePoints);
  } else if (section && settings_.redistribute) {
    section = redistribute(
        *section,
        settings_.stations.empty() ? defaultStations() : std::span<const float>(settings_.stations),
        kCapacity);
  }
  if (!section) {
    outcome.error = section.error();
    return outcome;
  }

  if (!settings_.outputFolder && !settings_.outputFile) {
    auto text = writeText(*section, settings_.options);
    if (!text) {
      outcome.error = text.error();
      return outcome;
    }
    outcome.text = std::move(*text);
    outcome.kind = BatchOutcome::Kind::converted;
    return outcome;
  }
  if (settings_.outputFile) {
    if (!singleFile_) {
      outcome.error = {
          Status::badOptions, "the output file was not opened: start() comes first", {}, 0};
      return outcome;
    }
    outcome.error = singleFile_->write(*section, settings_.options);
    if (outcome.error) return outcome;
    wroteSingle_ = true;
    outcome.kind = BatchOutcome::Kind::converted;
    return outcome;
  }

  // Each input has a file of its own in the folder, and a second input of
  // the same name must not replace the first one's result.
  const fs::path key = outcome.target.lexically_normal();
  if (written_.contains(key)) {
    outcome.error = {Status::outputNotWritable,
                     nameForMessage(textOf(outcome.target)) +
                         " was already written from another input of the same name",
                     {},
                     EEXIST};
    return outcome;
  }
  if (settings_.noClobber && isThere(outcome.target)) return skipped(stem);
  auto file = OutputFile::open(outcome.target, settings_.append, inputKeys_);
  if (!file) {
    outcome.error = file.error();
    return outcome;
  }
  outcome.error = file->write(*section, settings_.options);
  if (!outcome.error) outcome.error = file->commit();
  if (outcome.error) return outcome;
  written_.insert(key);
  outcome.kind = BatchOutcome::Kind::converted;
  return outcome;
}

Error Batch::finish() {
  if (!singleFile_ || !wroteSingle_) return {};
  Error error = singleFile_->commit();
  singleFile_.reset();
  return error;
}

}  // namespace tarvex

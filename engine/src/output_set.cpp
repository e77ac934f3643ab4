// Several outputs of one run written together, so that a refusal or a full
// disk leaves none of them half made.
#include <filesystem>
#include <system_error>

#include "tarvex_ribs.hpp"

namespace tarvex {

Error writeOutputs(std::span<const OutputText> outputs) {
  namespace fs = std::filesystem;
  std::vector<OutputFile> files;
  std::vector<bool> existed;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t k = 0; k < i; ++k) {
      if (outputs[k].path == outputs[i].path) {
        const std::string name = nameForMessage(outputs[i].path.string());
        return {Status::badOptions, "two outputs would go to the same file " + name, name, 0};
      }
    }
    std::error_code error;
    existed.push_back(fs::exists(fs::symlink_status(outputs[i].path, error)));
    auto file = OutputFile::open(outputs[i].path);
    if (!file) return file.error();
    files.push_back(std::move(*file));
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (Error error = files[i].writeText(outputs[i].text)) return error;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    Error error = files[i].commit();
    if (!error) continue;
    // Take back what this run added; what it replaced is gone.
    std::string replaced;
    for (std::size_t k = 0; k < i; ++k) {
      std::error_code ignored;
      if (!existed[k]) {
        fs::remove(outputs[k].path, ignored);
      } else {
        replaced += (replaced.empty() ? "" : ", ") + nameForMessage(outputs[k].path.string());
      }
    }
    error.message += replaced.empty() ? "; nothing was written"
                                      : "; the new files were removed again, but " + replaced +
                                            " had already replaced the old ones";
    return error;
  }
  return {};
}

}  // namespace tarvex

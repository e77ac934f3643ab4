// What every corpus file gives today (tests/corpus_manifest.tsv): the
// corpus tests compare each file with it, so a reading that changes fails
// them instead of being skipped.
#pragma once

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

namespace tarvex::test {

struct CorpusEntry {
  int status = 0;  // of the conversion into format 1: 0 done, 4 no section read
  std::string layout;
  int points = 0;
  bool operator==(const CorpusEntry&) const = default;
};
using CorpusManifest = std::map<std::string, CorpusEntry, std::less<>>;

// The head of the file, as a fresh one is written with it.
inline constexpr const char* kManifestHead =
    "# Every file of the airfoil corpus (TARVEX_CORPUS) as the engine reads it: name, status of\n"
    "# the conversion into format 1 (0 done, 4 no section read), layout, points of the section.\n"
    "# The corpus tests fail on any difference. After a change meant, write a fresh one with\n"
    "#   TARVEX_CORPUS_MANIFEST=tests/corpus_manifest.tsv build/dev/bin/conversion_corpus_test\n"
    "# and name every changed file, with the reason, in the commit.\n";

inline std::string manifestLine(const std::string& name, const CorpusEntry& entry) {
  return name + '\t' + std::to_string(entry.status) + '\t' + entry.layout + '\t' +
         std::to_string(entry.points);
}

inline CorpusManifest corpusManifest() {
  CorpusManifest manifest;
  std::ifstream file(TARVEX_SOURCE_DIR "/tests/corpus_manifest.tsv");
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name, status, points;
    CorpusEntry entry;
    std::getline(fields, name, '\t');
    std::getline(fields, status, '\t');
    std::getline(fields, entry.layout, '\t');
    std::getline(fields, points, '\t');
    entry.status = std::stoi(status);
    entry.points = std::stoi(points);
    manifest.emplace(name, entry);
  }
  return manifest;
}

// The manifest's entry of a corpus file; status -1 when it has none.
inline CorpusEntry expectedOf(const CorpusManifest& manifest, const std::string& name) {
  const auto found = manifest.find(name);
  return found != manifest.end() ? found->second : CorpusEntry{-1, "not in the manifest", 0};
}

}  // namespace tarvex::test

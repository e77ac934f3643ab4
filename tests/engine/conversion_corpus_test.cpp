// Every real airfoil file of the corpus (TARVEX_CORPUS) through the whole
// conversion into two columns with comments, each as tests/corpus_manifest.tsv
// says it reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "conversion.h"
#include "corpus_manifest.h"
#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

TEST(ConversionCorpus, EveryFileToTwoColumns) {
  const auto files = test::corpusFiles();
  if (files.empty()) GTEST_SKIP() << "TARVEX_CORPUS is not set";
  const auto manifest = test::corpusManifest();
  ASSERT_FALSE(manifest.empty()) << "tests/corpus_manifest.tsv is missing";

  test::TempDir dir;
  const auto output = dir.file("out.geo");
  std::string fresh = test::kManifestHead;
  std::set<std::string, std::less<>> seen;
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    seen.insert(name);
    std::vector<float> x(1000), y(1000);
    ConversionOptions options;
    options.format = 1;
    const auto result = INORM(file.string(), output.string(), x, y, options);
    const auto section = tarvex::readFile(file);
    const test::CorpusEntry found{
        result.status, std::string(layoutName(section ? section->layout : Layout::unknown)),
        result.status == kDone ? result.count : 0};
    fresh += test::manifestLine(name, found) + '\n';
    EXPECT_EQ(test::manifestLine(name, found),
              test::manifestLine(name, test::expectedOf(manifest, name)));
    if (result.status != kDone) continue;

    const auto [low, high] = std::minmax_element(x.begin(), x.begin() + result.count);
    EXPECT_EQ(*low, 0.0f) << file;
    EXPECT_EQ(*high, 1.0f) << file;
    ASSERT_TRUE(section) << file;
    EXPECT_GT(section->properties.area, 0.0f) << file;
    for (const auto& line : test::splitLines(test::readFile(output))) {
      if (!line.starts_with(";")) {
        EXPECT_EQ(line.find('*'), std::string::npos) << file;
      }
    }
  }
  for (const auto& [name, entry] : manifest) {
    EXPECT_TRUE(seen.contains(name)) << name << " is in the manifest but not in the corpus";
  }
  if (const char* path = std::getenv("TARVEX_CORPUS_MANIFEST")) test::writeFile(path, fresh);
}

}  // namespace
}  // namespace tarvex

// Every real airfoil file of the corpus (TARVEX_CORPUS) through the whole
// conversion into two columns with comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "conversion.h"
#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

TEST(ConversionCorpus, EveryFileToTwoColumns) {
  const auto files = test::corpusFiles();
  if (files.empty()) GTEST_SKIP() << "TARVEX_CORPUS is not set";

  test::TempDir dir;
  const auto output = dir.file("out.geo");
  std::map<int, std::vector<std::string>> failures;
  int converted = 0;
  for (const auto& file : files) {
    std::vector<float> x(1000), y(1000);
    ConversionOptions options;
    options.format = 1;
    const auto result = INORM(file.string(), output.string(), x, y, options);
    if (result.status != kDone) {
      failures[result.status].push_back(file.filename().string());
      continue;
    }
    ++converted;
    const auto [low, high] = std::minmax_element(x.begin(), x.begin() + result.count);
    EXPECT_EQ(*low, 0.0f) << file;
    EXPECT_EQ(*high, 1.0f) << file;
    EXPECT_GT(tarvex::readFile(file)->properties.area, 0.0f) << file;
    for (const auto& line : test::splitLines(test::readFile(output))) {
      if (!line.starts_with(";")) {
        EXPECT_EQ(line.find('*'), std::string::npos) << file;
      }
    }
  }
  std::cout << converted << " of " << files.size() << " files converted\n";
  for (const auto& [status, names] : failures) {
    std::cout << "status " << status << ": " << names.size() << " files";
    for (const auto& name : names) std::cout << ' ' << name;
    std::cout << '\n';
  }
}

}  // namespace
}  // namespace tarvex

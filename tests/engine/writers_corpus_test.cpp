// Every corpus file converted to all seventeen formats through the whole
// pipeline, with comments on and the console's capacity of 1000 points.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "conversion.h"
#include "corpus_manifest.h"
#include "test_support.h"
#include "writers/output_writer.h"

namespace tarvex::test {
namespace {

// Lines that may hold asterisks without an overflow: those carrying the
// section name (which may hold any character), the source-code TODO line,
// and the counted fields of formats 5 and 6 beyond 999 points.
bool asterisksExpected(int format, const std::string& line, int count) {
  auto startsWith = [&](std::string_view head) { return line.rfind(head, 0) == 0; };
  switch (format) {
    case 5:
      return startsWith("REMO1") || count > 999;
    case 6:
      return startsWith("Name=") || count > 999;
    case 8:
    case 17:
      return startsWith("# Airfoil ");
    case 10:
      return startsWith("  0.000  ");
    case 13:
      return startsWith("<name>");
    case 14:
    case 15:
      return startsWith("***") || startsWith("   NAME = ");
    default:
      return false;
  }
}

TEST(WritersCorpus, EveryFileConvertsToEveryFormat) {
  const auto files = test::corpusFiles();
  if (files.empty()) GTEST_SKIP() << "TARVEX_CORPUS is not set";

  TempDir dir;
  const auto output = dir.file("out.txt");
  std::vector<float> x(1000), y(1000);
  std::map<int, int> statuses;
  int conversions = 0;
  const auto start = std::chrono::steady_clock::now();
  const auto manifest = corpusManifest();
  ASSERT_FALSE(manifest.empty()) << "tests/corpus_manifest.tsv is missing";
  for (const auto& file : files) {
    // Every format converts what format 1 converts, and refuses what it refuses.
    const int expected = expectedOf(manifest, file.filename().string()).status;
    for (int format = 1; format <= kClassicFormatCount; ++format) {
      std::filesystem::remove(output);
      const auto result = INORM(file.string(), output.string(), x, y, {.format = format});
      ++conversions;
      ++statuses[result.status];
      EXPECT_EQ(result.status, expected) << file.filename() << " format " << format;
      if (result.status != kDone) continue;
      for (const auto& line : splitLines(readFile(output))) {
        if (line.empty() || line[0] == ';' || line.find('*') == std::string::npos) continue;
        if (asterisksExpected(format, line, result.count)) continue;
        ADD_FAILURE() << file.filename() << " format " << format << ": " << line;
        break;
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu files, %d conversions in %.2f s (%.3f ms each)\n", files.size(), conversions,
              seconds, 1000.0 * seconds / conversions);
  for (const auto& [status, count] : statuses) std::printf("  status %d: %d\n", status, count);
}

}  // namespace
}  // namespace tarvex::test

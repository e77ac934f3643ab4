// Whole conversions of a 200-point section into each of the seventeen
// formats, with the comment header; items_per_second is conversions per
// second. The surfaces do not share their x-stations, as in most real files,
// so the pairing writers pay for their same-x preparation.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "tarvex.hpp"

namespace {

namespace fs = std::filesystem;

void ConvertToFormat(benchmark::State& state) {
  const int number = static_cast<int>(state.range(0));
  const tarvex::FormatRow* format = tarvex::formatByNumber(number);
  state.SetLabel(std::string(format->shortName));
  const fs::path dir = tarvex::bench::benchFolder("tarvex-formats-bench");
  const fs::path input = dir / "section.dat";
  const fs::path output = dir / ("section." + std::string(format->extension));
  std::ofstream(input) << tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200, false),
                                                   "NACA 2412");
  tarvex::ConvertOptions options;
  options.format = number;
  options.comments = true;
  for (auto _ : state) {
    const auto result = tarvex::convertFile(input, output, options);
    if (!result) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
  fs::remove_all(dir);
}
BENCHMARK(ConvertToFormat)
    ->DenseRange(1, static_cast<int>(tarvex::kFormats.size()))
    ->Unit(benchmark::kMicrosecond);

}  // namespace

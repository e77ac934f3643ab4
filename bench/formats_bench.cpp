// Whole conversions of a 200-point section into each of the seventeen
// formats, with the comment header; items_per_second is conversions per
// second. The surfaces do not share their x-stations, as in most real files,
// so the pairing writers pay for their same-x preparation.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "conversion.h"
#include "output_writer.h"

namespace {

namespace fs = std::filesystem;

// In memory where there is /dev/shm, as for the other conversion benchmarks.
fs::path formatsFolder() {
  const fs::path shm = "/dev/shm";
  std::error_code error;
  return (fs::is_directory(shm, error) ? shm : fs::temp_directory_path()) / "tarvex-formats-bench";
}

void ConvertToFormat(benchmark::State& state) {
  const int number = static_cast<int>(state.range(0));
  const tarvex::OutputFormat* format = tarvex::formatByNumber(number);
  state.SetLabel(std::string(format->shortName));
  const fs::path dir = formatsFolder();
  fs::create_directories(dir);
  const fs::path input = dir / "section.dat";
  const fs::path output = dir / ("section." + std::string(format->extension));
  std::ofstream(input) << tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200, false),
                                                   "NACA 2412");
  std::vector<float> x(1000), y(1000);
  tarvex::ConversionOptions options;
  options.format = number;
  for (auto _ : state) {
    const auto result = tarvex::INORM(input.string(), output.string(), x, y, options);
    if (result.status != 0) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
  fs::remove_all(dir);
}
BENCHMARK(ConvertToFormat)->DenseRange(1, tarvex::kFormatCount)->Unit(benchmark::kMicrosecond);

}  // namespace

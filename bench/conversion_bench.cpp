// One whole conversion, file input and output included.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench_support.h"
#include "conversion.h"

namespace {

namespace fs = std::filesystem;

// The files live in memory (/dev/shm where there is one): the figure is the
// engine's own cost with real file calls, not the disk's write-back policy.
fs::path benchFolder() {
  const fs::path shm = "/dev/shm";
  std::error_code error;
  return (fs::is_directory(shm, error) ? shm : fs::temp_directory_path()) / "tarvex-bench";
}

void convertRepeatedly(benchmark::State& state, int format, bool replaceExisting) {
  const fs::path dir = benchFolder();
  fs::create_directories(dir);
  const fs::path input = dir / "section.dat", output = dir / "section.geo";
  std::ofstream(input) << tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200),
                                                   "NACA 2412");
  std::vector<float> x(1000), y(1000);
  tarvex::ConversionOptions options;
  options.format = format;
  for (auto _ : state) {
    if (!replaceExisting) {
      state.PauseTiming();
      fs::remove(output);
      state.ResumeTiming();
    }
    const auto result = tarvex::INORM(input.string(), output.string(), x, y, options);
    if (result.status != 0) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(result);
  }
  fs::remove_all(dir);
}
// The target: a 200-point file to two columns with the comment header.
// into a new file, and over an existing one (written beside it and renamed).
void ConvertSeligFileToTwoColumns(benchmark::State& state) { convertRepeatedly(state, 1, false); }
void ConvertSeligFileReplacingOutput(benchmark::State& state) { convertRepeatedly(state, 1, true); }
// Reading alone: format 0 writes no data and no header.
void ReadSeligFileOnly(benchmark::State& state) { convertRepeatedly(state, 0, false); }

BENCHMARK(ReadSeligFileOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertSeligFileReplacingOutput)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertSeligFileToTwoColumns)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// One whole conversion through the C entry INORM, file input and output
// included, into a new file and over an existing one.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "tarvex.h"

namespace {

namespace fs = std::filesystem;

void convertRepeatedly(benchmark::State& state, int32_t format, bool replaceExisting) {
  const fs::path dir = tarvex::bench::benchFolder("tarvex-bench");
  const fs::path input = dir / "section.dat", output = dir / "section.geo";
  std::ofstream(input) << tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200),
                                                   "NACA 2412");
  const std::string in = input.string(), out = output.string();
  std::vector<float> x(1000), y(1000);
  const auto inLength = static_cast<int32_t>(in.size());
  const auto outLength = static_cast<int32_t>(out.size());
  const int32_t zero = 0;
  const float one = 1.0f;
  for (auto _ : state) {
    if (!replaceExisting) {
      state.PauseTiming();
      fs::remove(output);
      state.ResumeTiming();
    }
    int32_t count = 1000;
    int32_t number = format;
    float xmin = 0, xmax = 0;
    const int32_t status =
        INORM(in.data(), inLength, out.data(), outLength, &inLength, &outLength, x.data(), y.data(),
              &count, &number, &zero, &zero, &zero, &xmin, &xmax, &one, &one);
    if (status != 0) state.SkipWithError("conversion failed");
    benchmark::DoNotOptimize(count);
  }
  fs::remove_all(dir);
}

// The target: a 200-point file to two columns with the comment header,
// into a new file and over an existing one.
void ConvertSeligFileToTwoColumns(benchmark::State& state) { convertRepeatedly(state, 1, false); }
void ConvertSeligFileReplacingOutput(benchmark::State& state) { convertRepeatedly(state, 1, true); }
// Reading alone: format 0 writes no data and no header.
void ReadSeligFileOnly(benchmark::State& state) { convertRepeatedly(state, -0, false); }

BENCHMARK(ReadSeligFileOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertSeligFileReplacingOutput)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertSeligFileToTwoColumns)->Unit(benchmark::kMicrosecond);

}  // namespace

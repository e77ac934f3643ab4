// One whole conversion through the C entry INORM, file input and output
// included, against the minimal plain conversion of the same file, each
// iteration running both one after the other: the ratio is measured in the
// same run, whatever else the machine is doing. Into a new file, and over an
// existing one (the minimal conversion then writes a temporary file and
// renames it over the old one).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "minimal_conversion.h"
#include "tarvex.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void againstMinimal(benchmark::State& state, bool replaceExisting) {
  const fs::path dir = tarvex::bench::benchFolder("tarvex-bench");
  const fs::path input = dir / "section.dat", output = dir / "section.geo";
  const fs::path minimal = dir / "minimal.geo";
  std::ofstream(input) << tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200),
                                                   "NACA 2412");
  const std::string in = input.string(), out = output.string();
  std::vector<float> x(1000), y(1000);
  const auto inLength = static_cast<int32_t>(in.size());
  const auto outLength = static_cast<int32_t>(out.size());
  const int32_t zero = 0;
  const float one = 1.0f;
  double engineSeconds = 0, minimalSeconds = 0;
  for (auto _ : state) {
    if (!replaceExisting) {
      fs::remove(output);
      fs::remove(minimal);
    }
    int32_t count = 1000;
    int32_t format = 1;
    float xmin = 0, xmax = 0;
    const auto t0 = Clock::now();
    const int32_t status = INORM(in.data(), inLength, out.data(), outLength, &inLength, &outLength,
                                 x.data(), y.data(), &count, &format, &zero, &zero, &zero, &xmin,
                                 &xmax, &one, &one);
    const auto t1 = Clock::now();
    const bool done = tarvex::bench::minimalConversion(in, minimal.string(), replaceExisting);
    const auto t2 = Clock::now();
    if (status != 0 || !done) state.SkipWithError("conversion failed");
    engineSeconds += std::chrono::duration<double>(t1 - t0).count();
    minimalSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["INORM_us"] = 1e6 * engineSeconds / n;
  state.counters["minimal_us"] = 1e6 * minimalSeconds / n;
  state.counters["ratio"] = engineSeconds / minimalSeconds;
  fs::remove_all(dir);
}

// The target: a 200-point file to two columns with the comment header.
void INORMAgainstMinimalNewFile(benchmark::State& state) { againstMinimal(state, false); }
void INORMAgainstMinimalReplacedFile(benchmark::State& state) { againstMinimal(state, true); }

BENCHMARK(INORMAgainstMinimalNewFile)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2);
BENCHMARK(INORMAgainstMinimalReplacedFile)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2);

}  // namespace

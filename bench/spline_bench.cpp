// Redistribution of a section onto cosine stations (the same-x preparation of
// the paired writers) and onto the standard stations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "geometry/redistribution.h"

namespace {

void Redistribute(benchmark::State& state, int points, int mode) {
  const auto section = tarvex::bench::nacaSection(2412, points, false);
  std::vector<float> x(1000), y(1000);
  const int m = 2 * (points / 2) + 1;
  for (auto _ : state) {
    std::copy(section.x.begin(), section.x.end(), x.begin());
    std::copy(section.y.begin(), section.y.end(), y.begin());
    int n = points;
    const int status =
        tarvex::IRESPL(x, y, n, mode == tarvex::kCosineStations ? m : n + 1, 1.0f, mode);
    if (status != 0) state.SkipWithError("redistribution refused");
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
  }
}

// Cosine mode (the same-x preparation of the paired writers) should grow
// linearly with the point count.
void RedistributeCosine(benchmark::State& state) {
  Redistribute(state, static_cast<int>(state.range(0)), tarvex::kCosineStations);
  state.SetComplexityN(state.range(0));
}
void RedistributeStations200(benchmark::State& state) {
  Redistribute(state, 200, tarvex::kStandardStations);
}

BENCHMARK(RedistributeCosine)->Arg(50)->Arg(200)->Arg(999)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(RedistributeStations200)->Unit(benchmark::kMicrosecond);

}  // namespace

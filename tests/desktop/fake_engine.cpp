// A stand-in for libtarvex with the same two entries, for driving the desktop program
// without the real engine.
#include "fake_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#define TARVEX_BUILDING
#include "tarvex.h"

namespace {

struct State {
  FakeConvertCall convert{};
  FakeStationsCall stations{};
  int32_t status = 0;
  // A small closed section of unit chord.
  std::vector<float> x{1.0f, 0.5f, 0.0f, 0.5f, 1.0f};
  std::vector<float> y{0.0f, 0.06f, 0.0f, -0.04f, 0.0f};
};

State& state() {
  static State s;
  return s;
}

}  // namespace

FAKE_ENGINE_API void fakeReset() { state() = State{}; }

FAKE_ENGINE_API void fakeSetConvertResult(int32_t status, int32_t count, const float* x,
                                          const float* y) {
  state().status = status;
  state().x.assign(x, x + count);
  state().y.assign(y, y + count);
}

FAKE_ENGINE_API const FakeConvertCall* fakeLastConvert() { return &state().convert; }

FAKE_ENGINE_API const FakeStationsCall* fakeLastStations() { return &state().stations; }

#ifndef FAKE_ENGINE_WITHOUT_INORM
namespace {

void copyName(char* to, const char* from, int32_t length) {
  const auto n = static_cast<std::size_t>(std::clamp(length, 0, 1023));
  std::memcpy(to, from, n);
  to[n] = '\0';
}

}  // namespace

TARVEX_API int32_t TARVEX_CALL INORM(const char* inName, int32_t inDecl, const char* outName,
                                     int32_t outDecl, const int32_t* inLen, const int32_t* outLen,
                                     float* x, float* y, int32_t* count, int32_t* format,
                                     const int32_t* append, const int32_t* redistribute,
                                     const int32_t* keepSize, float* xmin, float* xmax,
                                     const float* xFactor, const float* yFactor) {
  FakeConvertCall& call = state().convert;
  ++call.calls;
  copyName(call.inName, inName, *inLen);
  copyName(call.outName, outName, *outLen);
  call.inDeclared = inDecl;
  call.outDeclared = outDecl;
  call.inLength = *inLen;
  call.outLength = *outLen;
  call.capacity = *count;
  call.format = *format;
  call.append = *append;
  call.redistribute = *redistribute;
  call.keepSize = *keepSize;
  call.xminIn = *xmin;
  call.xmaxIn = *xmax;
  call.xFactor = *xFactor;
  call.yFactor = *yFactor;

  if (*inLen <= 0) return 1;
  std::ifstream input(call.inName, std::ios::binary);
  if (!input) return 1;
  if (*outLen <= 0) return 2;
  if (state().status != 0) return state().status;

  const std::string content{std::istreambuf_iterator<char>(input), {}};
  std::ofstream output(call.outName, *append ? std::ios::binary | std::ios::app : std::ios::binary);
  if (!output) return 2;
  output << content;
  const auto n = static_cast<int32_t>(std::min<std::size_t>(state().x.size(), *count));
  std::copy_n(state().x.begin(), n, x);
  std::copy_n(state().y.begin(), n, y);
  *count = n;
  return 0;
}
#endif

TARVEX_API int32_t TARVEX_CALL ISETXS(const float* stations, const int32_t* count) {
  FakeStationsCall& call = state().stations;
  ++call.calls;
  if (*count > 1000) return 1;
  if (*count < 1) return 2;
  // As the engine: stations strictly increasing and finite.
  for (int32_t i = 0; i < *count; ++i) {
    if (!std::isfinite(stations[i]) || (i > 0 && !(stations[i] > stations[i - 1]))) return 2;
  }
  call.count = *count;
  std::copy_n(stations, *count, call.stations);
  return 0;
}

// A stand-in for libtarvex with the same entries, for driving the desktop program without
// the real engine.
// The entries are this library's own exports.
#define TARVEX_BUILDING
#include "fake_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tarvex.h"

namespace {

struct State {
  FakeConvertCall convert{};
  FakeAnyFormatCall anyFormat{};
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

#ifndef FAKE_ENGINE_WITHOUT_SECOND_ENTRY
FAKE_ENGINE_API const FakeAnyFormatCall* fakeLastAnyFormat() { return &state().anyFormat; }

// Copies the input to the output as INORM does, and hands back the points and figures of
// a 12 % section with 2 % camber.
TARVEX_API int32_t TARVEX_CALL tarvex_convert(const char* input, const char* output, int32_t format,
                                              const TarvexOptions* options, float* x, float* y,
                                              int32_t* count, TarvexFigures* figures, char* reason,
                                              int32_t reasonSize) {
  FakeAnyFormatCall& call = state().anyFormat;
  ++call.calls;
  std::snprintf(call.inName, sizeof call.inName, "%s", input);
  call.hasOutput = output != nullptr;
  std::snprintf(call.outName, sizeof call.outName, "%s", output != nullptr ? output : "");
  call.format = format;
  call.hasOptions = options != nullptr;
  if (options != nullptr) call.options = *options;
  call.capacity = count != nullptr ? *count : -1;
  if (reason != nullptr && reasonSize > 0) reason[0] = '\0';

  std::ifstream in(call.inName, std::ios::binary);
  if (!in) return 1;
  if (figures != nullptr) *figures = {0.12f, 0.3f, 0.02f, 0.4f, 0.0025f, 0.0158f};
  if (state().status != 0) {
    if (reason != nullptr && reasonSize > 0) {
      std::snprintf(reason, static_cast<std::size_t>(reasonSize), "%s", "the fake refuses");
    }
    return state().status;
  }
  if (output != nullptr) {
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    std::ofstream out(output, options != nullptr && options->append
                                  ? std::ios::binary | std::ios::app
                                  : std::ios::binary);
    if (!out) return 2;
    out << content;
  }
  if (x != nullptr && y != nullptr && count != nullptr) {
    const auto n = static_cast<int32_t>(std::min<std::size_t>(state().x.size(), *count));
    std::copy_n(state().x.begin(), n, x);
    std::copy_n(state().y.begin(), n, y);
    *count = n;
  }
  return 0;
}
#endif

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

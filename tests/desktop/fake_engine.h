// Control of the stand-in engine library the desktop tests load instead of libtarvex:
// it records the arguments of every call and answers as it is told.
#pragma once

#include <cstdint>

#include "tarvex.h"

#if defined(_WIN32)
#define FAKE_ENGINE_API extern "C" __declspec(dllexport)
#else
#define FAKE_ENGINE_API extern "C" __attribute__((visibility("default")))
#endif

struct FakeConvertCall {
  int calls;
  char inName[1024];
  int32_t inDeclared;
  int32_t inLength;
  char outName[1024];
  int32_t outDeclared;
  int32_t outLength;
  int32_t capacity;
  int32_t format;
  int32_t append;
  int32_t redistribute;
  int32_t keepSize;
  float xminIn;
  float xmaxIn;
  float xFactor;
  float yFactor;
};

// A call of the second entry, tarvex_convert.
struct FakeAnyFormatCall {
  int calls;
  char inName[1024];
  bool hasOutput;
  char outName[1024];
  int32_t format;
  bool hasOptions;
  TarvexOptions options;
  int32_t capacity;  // -1 without points
};

struct FakeStationsCall {
  int calls;
  int32_t count;
  float stations[1000];
};

// Answer of the next conversions: a status, and for status 0 the points to hand back.
// A missing input file always answers 1, an unnamed output 2, as the engine does.
// With status 0 the input file's bytes are copied to the output file.
using FakeSetConvertResult = void (*)(int32_t status, int32_t count, const float* x,
                                      const float* y);
using FakeLastConvert = const FakeConvertCall* (*)();
using FakeLastStations = const FakeStationsCall* (*)();
// Null in the variant built without the second entry.
using FakeLastAnyFormat = const FakeAnyFormatCall* (*)();
using FakeReset = void (*)();

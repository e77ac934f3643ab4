// The shared library as the desktop program uses it: loaded by name at run
// time, its entries found by name and called with the documented arguments.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tarvex.h"
#include "test_support.h"

namespace {

using tarvex::test::utf8;
using InormEntry = decltype(&INORM);
using IsetxsEntry = decltype(&ISETXS);
using ConvertEntry = decltype(&tarvex_convert);

class LoadedEngine : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    handle_ = LoadLibraryW((std::filesystem::path(TARVEX_BIN_DIR) / "tarvex.dll").c_str());
    ASSERT_NE(handle_, nullptr) << "error " << GetLastError();
#else
    handle_ = dlopen(TARVEX_BIN_DIR "/libtarvex.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
#endif
    inorm_ = entry<InormEntry>("INORM");
    isetxs_ = entry<IsetxsEntry>("ISETXS");
    convert_ = entry<ConvertEntry>("tarvex_convert");
    ASSERT_NE(inorm_, nullptr);
    ASSERT_NE(isetxs_, nullptr);
    ASSERT_NE(convert_, nullptr);
  }
  void TearDown() override {
#if defined(_WIN32)
    if (handle_ != nullptr) FreeLibrary(handle_);
#else
    if (handle_ != nullptr) dlclose(handle_);
#endif
  }

  template <typename Entry>
  Entry entry(const char* name) const {
#if defined(_WIN32)
    // GetProcAddress gives every entry one type; void (*)() stands for any.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(handle_, name)));
#else
    return reinterpret_cast<Entry>(dlsym(handle_, name));
#endif
  }

  // Calls INORM the way the desktop program does: names in fixed buffers.
  int32_t convert(const std::string& in, const std::string& out, int32_t& count, int32_t& format,
                  int32_t inLength = -1, int32_t redistribute = 0) {
    char inBuffer[255], outBuffer[255];
    std::memset(inBuffer, ' ', sizeof inBuffer);
    std::memset(outBuffer, ' ', sizeof outBuffer);
    std::memcpy(inBuffer, in.data(), in.size());
    std::memcpy(outBuffer, out.data(), out.size());
    const int32_t inLen = inLength >= 0 ? inLength : 255;
    const int32_t outLen = 255;
    x_.assign(static_cast<std::size_t>(count), 0.0f);
    y_.assign(static_cast<std::size_t>(count), 0.0f);
    const int32_t append = 0, keepSize = 0;
    const float one = 1.0f;
    return inorm_(inBuffer, 255, outBuffer, 255, &inLen, &outLen, x_.data(), y_.data(), &count,
                  &format, &append, &redistribute, &keepSize, &xmin_, &xmax_, &one, &one);
  }

#if defined(_WIN32)
  HMODULE handle_ = nullptr;
#else
  void* handle_ = nullptr;
#endif
  InormEntry inorm_ = nullptr;
  IsetxsEntry isetxs_ = nullptr;
  ConvertEntry convert_ = nullptr;
  std::vector<float> x_, y_;
  float xmin_ = 0, xmax_ = 0;
};

TEST_F(LoadedEngine, ConvertsThroughTheCInterface) {
  tarvex::test::TempDir dir;
  const auto input =
      dir.write("naca.dat", tarvex::test::twoColumnText(tarvex::test::nacaSection(2412, 31)));
  const auto output = dir.file("naca.geo");
  int32_t count = 500, format = -1;
  ASSERT_EQ(convert(input.string(), output.string(), count, format), TARVEX_OK);
  EXPECT_EQ(count, 61);
  EXPECT_EQ(format, 1);  // the format without comments is stored back positive
  EXPECT_FLOAT_EQ(x_[0], 1.0f);
  EXPECT_FLOAT_EQ(xmax_, 1.0f);
  EXPECT_EQ(tarvex::test::splitLines(tarvex::test::readFile(output)).size(), 62u);
}

TEST_F(LoadedEngine, NameLengthsAndFailures) {
  tarvex::test::TempDir dir;
  const auto output = dir.file("out.txt");
  int32_t count = 500, format = 1;
  EXPECT_EQ(convert("", output.string(), count, format, 0), TARVEX_INPUT_NOT_FOUND);
  EXPECT_EQ(convert("x", output.string(), count, format, 256), TARVEX_INPUT_NOT_FOUND);
  EXPECT_EQ(convert((dir.path() / "missing").string(), output.string(), count, format),
            TARVEX_INPUT_NOT_FOUND);
  EXPECT_EQ(count, 500);  // unchanged on failure
  EXPECT_EQ(format, 1);
  EXPECT_FALSE(std::filesystem::exists(output));

  // A missing argument is the caller's error, answered like a missing name:
  // 1 for what the reading needs, 2 for the rest.
  const auto input = dir.write("in.dat", "NAME\n1 0\n0 0\n1 0.1\n");
  const std::string in = input.string(), out = output.string();
  const auto inLen = static_cast<int32_t>(in.size()), outLen = static_cast<int32_t>(out.size());
  float x[10], y[10], xmin = 0, xmax = 0;
  const float one = 1.0f;
  const int32_t zero = 0;
  int32_t capacity = 10, number = 1;
  EXPECT_EQ(inorm_(in.data(), inLen, out.data(), outLen, &inLen, &outLen, nullptr, y, &capacity,
                   &number, &zero, &zero, &zero, &xmin, &xmax, &one, &one),
            TARVEX_INPUT_NOT_FOUND);
  EXPECT_EQ(inorm_(in.data(), inLen, out.data(), outLen, &inLen, &outLen, x, y, &capacity, &number,
                   nullptr, &zero, &zero, &xmin, &xmax, &one, &one),
            TARVEX_OUTPUT_NOT_WRITABLE);
  EXPECT_EQ(inorm_(in.data(), inLen, out.data(), outLen, &inLen, &outLen, x, y, &capacity, &number,
                   &zero, &zero, &zero, &xmin, &xmax, &one, nullptr),
            TARVEX_OUTPUT_NOT_WRITABLE);
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(LoadedEngine, StationTable) {
  const std::vector<float> stations{0.0f, 0.5f, 1.0f};
  int32_t n = 3;
  EXPECT_EQ(isetxs_(stations.data(), &n), 0);
  n = 0;
  EXPECT_EQ(isetxs_(stations.data(), &n), 2);
  std::vector<float> many(1001, 0.5f);
  n = 1001;
  EXPECT_EQ(isetxs_(many.data(), &n), 1);
  // Stations out of order or not finite would make sections that double back.
  n = 3;
  for (const auto& bad : {std::vector<float>{1.0f, 0.5f, 0.0f}, std::vector<float>{0, 0, 0},
                          std::vector<float>{0.0f, NAN, 1.0f}}) {
    EXPECT_EQ(isetxs_(bad.data(), &n), 2);
  }
}

// The entry for every format: plain names, the options in a struct that
// knows its size, the points and figures handed back, the reason as text.
TEST_F(LoadedEngine, SecondEntryWritesTheNewFormatsWithPointsFiguresAndReasons) {
  tarvex::test::TempDir dir;
  const auto input =
      dir.write("naca.dat", tarvex::test::twoColumnText(tarvex::test::nacaSection(2412, 81)));
  const auto output = dir.file("naca.svg");
  TarvexOptions options = TARVEX_OPTIONS_INIT;
  options.chordMm = 250;
  options.label = 1;
  std::vector<float> x(500), y(500);
  int32_t count = 500;
  TarvexFigures figures{};
  char reason[200] = "untouched";
  ASSERT_EQ(convert_(utf8(input).c_str(), utf8(output).c_str(), 18, &options, x.data(), y.data(),
                     &count, &figures, reason, sizeof reason),
            TARVEX_OK)
      << reason;
  EXPECT_STREQ(reason, "");
  EXPECT_EQ(count, 161);
  EXPECT_FLOAT_EQ(x[0], 1.0f);  // in chords, as handed to the writer
  EXPECT_NE(tarvex::test::readFile(output).find("width=\"260.0000mm\""), std::string::npos);
  EXPECT_NEAR(figures.maxThickness, 0.12, 0.001);
  EXPECT_NEAR(figures.maxCamber, 0.02, 0.001);

  // Shaping steps come before the writing, their figures back; a classic
  // format through this entry takes them too, a first-version size none.
  TarvexOptions shaped = TARVEX_OPTIONS_INIT;
  shaped.steps = TARVEX_STEP_THICKNESS | TARVEX_STEP_TE_GAP | TARVEX_STEP_REPANEL;
  shaped.thickness = 0.15f;
  shaped.teGap = 0.004f;
  shaped.repanelPoints = 120;
  count = 500;
  ASSERT_EQ(convert_(utf8(input).c_str(), utf8(dir.file("shaped.dat")).c_str(), 1, &shaped,
                     x.data(), y.data(), &count, &figures, reason, sizeof reason),
            TARVEX_OK)
      << reason;
  EXPECT_EQ(count, 120);
  EXPECT_NEAR(figures.maxThickness, 0.15, 2e-4);
  EXPECT_NEAR(figures.trailingEdgeThickness, 0.004, 1e-5);
  shaped.size = TARVEX_OPTIONS_SIZE_V1;
  count = 500;
  ASSERT_EQ(convert_(utf8(input).c_str(), nullptr, 1, &shaped, x.data(), y.data(), &count, &figures,
                     nullptr, 0),
            TARVEX_OK);
  EXPECT_EQ(count, 161);
  shaped = TARVEX_OPTIONS_INIT;
  shaped.steps = TARVEX_STEP_BLEND;
  shaped.blendWith = "missing.dat";
  EXPECT_EQ(convert_(utf8(input).c_str(), nullptr, 1, &shaped, nullptr, nullptr, nullptr, nullptr,
                     reason, sizeof reason),
            TARVEX_INPUT_NOT_FOUND);
  EXPECT_NE(std::string(reason).find("the section to blend with: missing.dat"), std::string::npos)
      << reason;

  // Without an output nothing is written, and the figures still come back;
  // without options the defaults hold.
  figures = {};
  ASSERT_EQ(convert_(utf8(input).c_str(), nullptr, 16, nullptr, nullptr, nullptr, nullptr, &figures,
                     nullptr, 0),
            TARVEX_OK);
  EXPECT_NEAR(figures.maxThickness, 0.12, 0.001);

  // Refusals say why, cut to the buffer.
  count = 500;
  options.keepSize = 1;
  EXPECT_EQ(convert_(utf8(input).c_str(), utf8(output).c_str(), 18, &options, x.data(), y.data(),
                     &count, &figures, reason, sizeof reason),
            TARVEX_BAD_OPTIONS);
  EXPECT_NE(std::string(reason).find("exclude"), std::string::npos) << reason;
  EXPECT_EQ(count, 0);
  options = TARVEX_OPTIONS_INIT;
  options.size = 8;
  EXPECT_EQ(convert_(utf8(input).c_str(), utf8(output).c_str(), 1, &options, nullptr, nullptr,
                     nullptr, nullptr, reason, 6),
            TARVEX_BAD_OPTIONS);
  EXPECT_STREQ(reason, "the o");
  EXPECT_EQ(convert_(utf8(input).c_str(), utf8(output).c_str(), 99, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, 0),
            TARVEX_BAD_OPTIONS);
  EXPECT_EQ(convert_(utf8(dir.path() / "missing").c_str(), utf8(output).c_str(), 1, nullptr,
                     nullptr, nullptr, nullptr, &figures, reason, sizeof reason),
            TARVEX_INPUT_NOT_FOUND);
  EXPECT_TRUE(std::isnan(figures.maxThickness));
  EXPECT_EQ(convert_(nullptr, utf8(output).c_str(), 1, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, 0),
            TARVEX_INPUT_NOT_FOUND);
  // Arrays too small for any section say so, not that the input is too long.
  count = 0;
  EXPECT_EQ(convert_(utf8(input).c_str(), nullptr, 1, nullptr, x.data(), y.data(), &count, nullptr,
                     reason, sizeof reason),
            TARVEX_READ_FAILED);
  EXPECT_STREQ(reason,
               "the point arrays hold 0 points (*count), fewer than the 3 a section needs; pass "
               "NULL for x, y and count to get no points back");
}

// A NACA section as a Selig file that the conversion entries read back; a
// refusal says why and leaves the file as it was.
TEST_F(LoadedEngine, NacaEntryWritesASeligFile) {
  const auto naca = entry<decltype(&tarvex_naca)>("tarvex_naca");
  ASSERT_NE(naca, nullptr);
  tarvex::test::TempDir dir;
  const auto file = dir.file("naca.dat");
  char reason[300] = "untouched";
  ASSERT_EQ(naca("2412", nullptr, utf8(file).c_str(), reason, sizeof reason), TARVEX_OK) << reason;
  EXPECT_STREQ(reason, "");
  const std::string written = tarvex::test::readFile(file);
  EXPECT_EQ(tarvex::test::splitLines(written).size(), 162u);
  EXPECT_TRUE(written.starts_with("NACA 2412\n")) << written.substr(0, 40);
  std::vector<float> x(500), y(500);
  TarvexNacaOptions options = TARVEX_NACA_OPTIONS_INIT;
  options.points = 60;
  options.closedTrailingEdge = 1;
  ASSERT_EQ(naca("0012", &options, utf8(file).c_str(), reason, sizeof reason), TARVEX_OK) << reason;
  int32_t count = 500;
  ASSERT_EQ(convert_(utf8(file).c_str(), nullptr, 1, nullptr, x.data(), y.data(), &count, nullptr,
                     nullptr, 0),
            TARVEX_OK);
  EXPECT_EQ(count, 61);
  EXPECT_EQ(y[0], 0.0f);

  const std::string kept = tarvex::test::readFile(file);
  EXPECT_EQ(naca("2412x", nullptr, utf8(file).c_str(), reason, sizeof reason), TARVEX_BAD_OPTIONS);
  EXPECT_NE(std::string(reason).find("\"2412x\" is no NACA designation"), std::string::npos)
      << reason;
  options.points = 3;
  EXPECT_EQ(naca("2412", &options, utf8(file).c_str(), reason, sizeof reason), TARVEX_BAD_OPTIONS);
  options = TARVEX_NACA_OPTIONS_INIT;
  options.spacing = 2;
  EXPECT_EQ(naca("2412", &options, utf8(file).c_str(), nullptr, 0), TARVEX_BAD_OPTIONS);
  options.size = 12;
  EXPECT_EQ(naca("2412", &options, utf8(file).c_str(), nullptr, 0), TARVEX_BAD_OPTIONS);
  EXPECT_EQ(naca(nullptr, nullptr, utf8(file).c_str(), nullptr, 0), TARVEX_BAD_OPTIONS);
  EXPECT_EQ(naca("2412", nullptr, "", nullptr, 0), TARVEX_OUTPUT_NOT_WRITABLE);
  EXPECT_EQ(naca("2412", nullptr, utf8(dir.path() / "no" / "such.dat").c_str(), nullptr, 0),
            TARVEX_OUTPUT_NOT_WRITABLE);
  EXPECT_EQ(tarvex::test::readFile(file), kept);
}

// A C99 program of its own (c_caller.c), built with the installed header's
// view only and linked against the library as any C program is: by gcc here,
// by the Windows build itself against the import library.
TEST(CProgram, CallsTheSecondEntryWithOptionsOfEverySize) {
  tarvex::test::TempDir dir;
  dir.write("naca.dat", tarvex::test::twoColumnText(tarvex::test::nacaSection(12, 41)));
  std::string output;
#if defined(_WIN32)
  auto run = tarvex::test::runProgram(std::filesystem::path(TARVEX_BIN_DIR) / "c_caller.exe",
                                      {"naca.dat", "naca.geo"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  std::erase(run.out, '\r');
  output = run.out;
#else
  if (!tarvex::test::findProgram("gcc")) GTEST_SKIP() << "gcc not installed";
  const std::string folder = "'" + dir.path().string() + "'";
  // A library built with the sanitizers loads only into a program built with them.
  std::string sanitizers;
  tarvex::test::runCommand("ldd " TARVEX_BIN_DIR "/libtarvex.so", &output);
  if (output.find("libasan") != std::string::npos) sanitizers += " -fsanitize=address";
  if (output.find("libubsan") != std::string::npos) sanitizers += " -fsanitize=undefined";
  output.clear();
  ASSERT_EQ(
      tarvex::test::runCommand(
          "gcc -std=c99 -pedantic -Wall -Wextra -Werror" + sanitizers +
              " -I " TARVEX_SOURCE_DIR "/engine/include " TARVEX_SOURCE_DIR
              "/tests/engine/c_caller.c -o " +
              folder + "/caller " TARVEX_BIN_DIR "/libtarvex.so -Wl,-rpath," TARVEX_BIN_DIR " 2>&1",
          &output),
      0)
      << output;
  output.clear();
  ASSERT_EQ(tarvex::test::runCommand("cd " + folder + " && ./caller naca.dat naca.geo", &output), 0)
      << output;
#endif
  EXPECT_EQ(output,
            "0 0.120 \n0 \n0 \n10 the options' size field holds 56, less than the 60 bytes of "
            "the first TarvexOptions\n");
  EXPECT_NE(tarvex::test::readFile(dir.file("naca.geo")).find("Physical Curve(\"farfield\")"),
            std::string::npos);
  const std::string drawn = tarvex::test::readFile(dir.file("old.svg"));
  EXPECT_NE(drawn.find("width=\"260.0000mm\""), std::string::npos);
  EXPECT_EQ(tarvex::test::readFile(dir.file("new.svg")), drawn);
}

// The C entries, and of the C++ side only the interface of tarvex.hpp: no
// internal routine is visible.
TEST(LibrarySymbols, OnlyTheEntriesAndTheInterfaceAreExported) {
  TARVEX_SKIP_ON_WINDOWS(
      "nm reads ELF libraries; the build checks tarvex.dll's exports itself "
      "(WindowsExports)");
  if (!tarvex::test::findProgram("nm")) GTEST_SKIP() << "nm not installed";
  std::string c, cpp;
  // Reserved names other than the C++ ones (_edata, __bss_start) are the
  // linker's, whichever of them it adds.
  const std::string listing = "nm -D --defined-only " TARVEX_BIN_DIR
                              "/libtarvex.so | awk '$2 ~ /^[TD]$/ && $3 !~ /^_[^Z]/ {print $3}'";
  ASSERT_EQ(tarvex::test::runCommand(listing + " | grep -v '^_Z'", &c), 0);
  EXPECT_EQ(c, "INORM\nISETXS\ntarvex_convert\ntarvex_naca\ntarvex_remove_temporary_files\n");
  ASSERT_EQ(tarvex::test::runCommand(listing + " | grep '^_Z' | c++filt", &cpp), 0);
  for (const auto& symbol : tarvex::test::splitLines(cpp)) {
    EXPECT_TRUE(symbol.starts_with("tarvex::")) << symbol;
    for (const char* internal : {"INKOO", "OUTKOO", "IRESPL", "PROGEO", "Transaction::State"}) {
      EXPECT_EQ(symbol.find(internal), std::string::npos) << symbol;
    }
  }
}

}  // namespace

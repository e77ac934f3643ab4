// libFuzzer target: arbitrary bytes as the input file of one conversion.
// The last byte also picks the output format and the options, so that every
// writer and the redistribution see what the readers make of odd input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "conversion.h"
#include "output_writer.h"

#if defined(_WIN32)
#include <process.h>
#define TARVEX_PID _getpid()
#else
#include <unistd.h>
#define TARVEX_PID getpid()
#endif

namespace {

namespace fs = std::filesystem;

// In memory where there is /dev/shm: a fuzzing run writes millions of files.
// The folder is removed when the run ends normally.
class WorkFolder {
 public:
  WorkFolder() {
    std::error_code error;
    const fs::path shm = "/dev/shm";
    const fs::path base = fs::is_directory(shm, error) ? shm : fs::temp_directory_path();
    path_ = base / ("tarvex-fuzz-" + std::to_string(TARVEX_PID));
    fs::create_directories(path_);
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& workFolder() {
  static const WorkFolder folder;
  return folder.path();
}

struct Choice {
  tarvex::ConversionOptions options;
  std::size_t capacity;
};

Choice choose(std::uint8_t selector) {
  Choice choice;
  const int format = 1 + selector % tarvex::kFormatCount;
  const int rest = selector / tarvex::kFormatCount;  // 0..14
  choice.options.format = (rest & 1) ? -format : format;
  choice.options.redistribute = (rest & 2) != 0;
  choice.options.keepSize = (rest & 4) != 0;
  // A small capacity reaches the too-many-points paths of every reader.
  choice.capacity = (rest & 8) ? 40 : 1000;
  choice.options.append = false;
  return choice;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path input = workFolder() / "input.dat";
  const fs::path output = workFolder() / "output.txt";
  {
    std::ofstream file(input, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const Choice choice = choose(size > 0 ? data[size - 1] : 0);
  std::array<float, 1000> x{}, y{};
  const auto result =
      tarvex::INORM(input.string(), output.string(), std::span<float>(x.data(), choice.capacity),
                    std::span<float>(y.data(), choice.capacity), choice.options);
  // Whatever the input, a conversion reports a known status and stays
  // within its arrays.
  if (result.status < 0 || result.status > tarvex::kNoThreeColumns) __builtin_trap();
  if (result.count < 0 || static_cast<std::size_t>(result.count) > choice.capacity) {
    __builtin_trap();
  }
  return 0;
}

// The input of a conversion, read whole into memory: a file by name or an
// open stream such as the standard input. Reading is bounded: no input may
// exceed kInputLimit, and a stream that goes on for kLineEndLimit bytes
// without a line end is not coordinate text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "tarvex.hpp"

namespace tarvex {

inline constexpr std::size_t kInputLimit = std::size_t{256} << 20;
inline constexpr std::size_t kLineEndLimit = std::size_t{1} << 20;

struct InputText {
  std::string text;
  std::optional<FileKey> key;  // for a file read by name
};

// Reads the file at path (a null-terminated name). Fails with inputNotFound
// and the system's reason, naming the file.
Error readInputFile(const std::string& path, InputText& input);

// The device and inode of the file at path, when it exists.
std::optional<FileKey> keyOf(const std::string& path);

// Reads an open file descriptor to its end; name is what messages call it.
Error readInputDescriptor(int descriptor, const std::string& name, InputText& input);

}  // namespace tarvex

// What the io layer needs of Windows beyond the C library: the system's
// errors as errno values with their reasons, and the identity of a file.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>

#include "io/file_names.h"
#include "tarvex.hpp"

namespace tarvex::windows {

using Handle = void*;  // a HANDLE, without <windows.h> in every file that holds one

struct SystemError {
  int code = 0;        // the errno value closest to it
  std::string reason;  // as strerror says it, or the system's own case
};

// The error of GetLastError() after a call on the file name failed. A folder
// that cannot be opened as a file is said to be a folder.
SystemError lastError(const std::wstring& name = {});
SystemError errorOf(unsigned long code, const std::wstring& name = {});

// The volume serial number and the file index: what the device and the
// inode are elsewhere (MinGW's stat gives inode 0 for every file).
std::optional<FileKey> keyOf(Handle file);
// Of the file the name leads to, links followed; nothing when there is none.
std::optional<FileKey> keyOfName(const std::wstring& name);

}  // namespace tarvex::windows

#endif

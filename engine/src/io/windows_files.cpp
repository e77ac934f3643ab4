#if defined(_WIN32)

#include "io/windows_files.h"

#include <windows.h>

#include <cerrno>
#include <cstring>

namespace tarvex {

std::wstring wideName(std::string_view name) {
  if (name.empty()) return {};
  const auto length = static_cast<int>(name.size());
  for (const UINT page : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
    const DWORD flags = page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int wide = MultiByteToWideChar(page, flags, name.data(), length, nullptr, 0);
    if (wide <= 0) continue;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(page, flags, name.data(), length, text.data(), wide);
    return text;
  }
  return {};
}

std::string utf8Name(std::wstring_view name) {
  if (name.empty()) return {};
  const auto length = static_cast<int>(name.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, name.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_UTF8, 0, name.data(), length, text.data(), bytes, nullptr, nullptr);
  }
  return text;
}

}  // namespace tarvex

namespace tarvex::windows {
namespace {

int errnoOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
      return EINVAL;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return EPIPE;
    default:
      return EIO;
  }
}

bool isFolder(const std::wstring& name) {
  if (name.empty()) return false;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

SystemError errorOf(unsigned long code, const std::wstring& name) {
  if (code == ERROR_ACCESS_DENIED && isFolder(name)) return {EISDIR, std::strerror(EISDIR)};
  switch (code) {
    // The C library's words for these would mislead.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return {EBUSY, "the file is in use by another program"};
    case ERROR_INVALID_NAME:
      return {EINVAL, "not a valid file name on Windows"};
    default:
      break;
  }
  const int value = errnoOf(code);
  if (value == EIO) return {EIO, "Windows error " + std::to_string(code)};
  return {value, std::strerror(value)};
}

SystemError lastError(const std::wstring& name) { return errorOf(GetLastError(), name); }

std::optional<FileKey> keyOf(Handle file) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
  return FileKey{
      information.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<FileKey> keyOfName(const std::wstring& name) {
  // Opened for nothing but its attributes, beside any other user of it; a
  // folder opens only with backup semantics.
  const HANDLE file =
      CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  auto key = keyOf(file);
  CloseHandle(file);
  return key;
}

}  // namespace tarvex::windows

#endif

// The output transaction on Windows. The text goes into a temporary file in
// the target's folder, and commit() puts it in place: a new file by a move
// that fails when the name has appeared meanwhile (the file is then taken
// as an existing one), an existing file by a move over it, and an appended
// file rebuilt beside the old one from the old content and the new text,
// then moved over it the same way.
// Replacing and appending hold a lock named after the file's identity, so
// runs into the same file follow one another. A link is followed to the file
// it leads to, which is the one replaced. Consoles, pipes and the null device
// are written straight through. A transaction that is not committed leaves
// nothing behind.
#if defined(_WIN32)

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "io/message_name.h"
#include "io/output_file.h"
#include "io/temporary_files.h"
#include "io/windows_files.h"

namespace tarvex {
namespace {

Error outputError(const std::string& path, const windows::SystemError& failure,
                  Status status = Status::outputNotWritable) {
  return {status, nameForMessage(path) + ": " + failure.reason, path, failure.code};
}

// An open file, closed with its owner.
class File {
 public:
  File() = default;
  explicit File(HANDLE handle) : handle_(handle) {}
  File(File&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  File& operator=(File&& other) noexcept {
    if (this != &other) {
      close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { close(); }

  HANDLE get() const { return handle_; }
  bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  void close() {
    if (isOpen()) CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool writeAll(HANDLE file, std::string_view text) {
  while (!text.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), DWORD{1} << 30));
    DWORD written = 0;
    if (!WriteFile(file, text.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

// Copies the whole of one open file, from its start, to where the other
// stands; last is its last byte ('\n' for an empty file).
bool copyAll(HANDLE from, HANDLE to, char& last) {
  if (!SetFilePointerEx(from, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return false;
  char block[64 * 1024];
  last = '\n';
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(from, block, sizeof block, &got, nullptr)) return false;
    if (got == 0) return true;
    if (!writeAll(to, std::string_view(block, got))) return false;
    last = block[got - 1];
  }
}

std::wstring fullPath(const std::wstring& name) {
  DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
  full.resize(size);
  return full;
}

// Where an open file is, links resolved; empty when the system cannot say.
std::wstring finalPath(HANDLE file) {
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, kFlags);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  size = GetFinalPathNameByHandleW(file, path.data(), size, kFlags);
  if (size == 0 || size >= path.size()) return {};
  path.resize(size);
  return path;
}

std::wstring folderOf(const std::wstring& path) {
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

// Runs into the same file follow one another: each holds a mutex named
// after the file's volume serial number and index, as flock locks the inode
// elsewhere. The system releases it however a run ends.
class FileLock {
 public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock() { release(); }

  bool acquire(const FileKey& key) {
    const std::wstring name =
        L"Local\\tarvex-output-" + std::to_wstring(key.device) + L"-" + std::to_wstring(key.inode);
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex_ == nullptr) return false;
    // An abandoned mutex is held as well: its run ended without a commit.
    const DWORD waited = WaitForSingleObject(mutex_, INFINITE);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held_;
  }

  void release() {
    if (held_) ReleaseMutex(mutex_);
    held_ = false;
    if (mutex_ != nullptr) CloseHandle(std::exchange(mutex_, nullptr));
  }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};

// A new temporary file in the folder, readable and writable; it may be
// removed while open (by the signal handler, say). Its name is remembered
// for a signal handler before the file is made.
struct Temporary {
  File file;
  std::wstring name;
  int slot = -1;

  bool make(const std::wstring& folder) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string own = temporaries::newName();
      name = folder + L"\\" + wideName(own);
      slot = temporaries::add(-1, utf8Name(name));
      const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        file = File(handle);
        return true;
      }
      const DWORD code = GetLastError();
      forget();
      if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
        SetLastError(code);
        return false;
      }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return false;
  }

  // Its name now belongs to the file put in place (or to nothing).
  void forget() {
    temporaries::forget(slot);
    slot = -1;
    name.clear();
  }

  void drop() {
    file.close();
    if (!name.empty()) DeleteFileW(name.c_str());
    forget();
  }
};

}  // namespace

class OutputTransaction::State {
 public:
  enum Kind { kNew, kReplace, kAppend, kThrough };

  std::string path;  // as the caller named it
  bool append = false;
  std::vector<FileKey> inputs;
  Kind kind = kNew;

  std::wstring target;  // the full path of the file to make, replace or append to
  File through;
  Temporary temp;
  Error failure;
  bool committed = false;
  int newAttempts = 0;

  ~State() { temp.drop(); }

  Error notWritable(const windows::SystemError& reason) const { return outputError(path, reason); }
  Error writeError(const windows::SystemError& reason) const {
    return outputError(path, reason, Status::writeFailed);
  }
  Error isInput() const {
    return {Status::outputNotWritable, nameForMessage(path) + ": is the input file", path, 0};
  }

  // What the name leads to now: nothing yet (the folder must exist), a
  // file (never an input), or a device to write through.
  Error examine() {
    const std::wstring name = wideName(path);
    const HANDLE handle =
        CreateFileW(name.c_str(), GENERIC_WRITE | (append ? GENERIC_READ : 0), kShareAll, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      if (code != ERROR_FILE_NOT_FOUND) return notWritable(windows::errorOf(code, name));
      kind = kNew;
      target = fullPath(name);
      return {};
    }
    File opened(handle);
    if (GetFileType(handle) != FILE_TYPE_DISK) {
      kind = kThrough;
      through = std::move(opened);
      return {};
    }
    const auto key = windows::keyOf(handle);
    if (key && std::find(inputs.begin(), inputs.end(), *key) != inputs.end()) return isInput();
    target = finalPath(handle);
    if (target.empty()) target = fullPath(name);
    kind = append ? kAppend : kReplace;
    return {};
  }

  Error prepare() {
    if (Error error = examine()) return error;
    if (kind != kThrough && !temp.make(folderOf(target))) return notWritable(windows::lastError());
    return {};
  }

  // Waits for the lock on the file that is at the target's name now; when
  // another run put a new file there meanwhile, the lock is taken on that.
  Error lockTarget(FileLock& lock) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const auto key = windows::keyOfName(target);
      if (!key) return notWritable(windows::lastError(target));
      if (!lock.acquire(*key)) return notWritable(windows::lastError());
      if (windows::keyOfName(target) == key) return {};
      lock.release();
    }
    return notWritable({EAGAIN, "the file is replaced again and again by others"});
  }

  // Puts the temporary file in the target's place in one step (ReplaceFileW
  // would leave a moment without the name, in which another run finds no
  // file), with the target's hidden and system attributes. A program that
  // holds the target open keeps the system from replacing it; that is tried
  // again for a while, as such a program mostly closes it soon.
  Error replaceTarget() {
    temp.file.close();
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD old = GetFileAttributesW(target.c_str());
    const DWORD made = GetFileAttributesW(temp.name.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && made != INVALID_FILE_ATTRIBUTES && (old & kKept) != 0) {
      SetFileAttributesW(temp.name.c_str(), made | (old & kKept));
    }
    for (int attempt = 0;; ++attempt) {
      if (MoveFileExW(temp.name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        temp.forget();
        return {};
      }
      const DWORD code = GetLastError();
      if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attempt == 40) {
        return writeError(windows::errorOf(code, target));
      }
      Sleep(50);
    }
  }

  Error commitNew() {
    // A target that keeps appearing and vanishing again is given up on.
    if (++newAttempts > 10) return notWritable({EEXIST, std::strerror(EEXIST)});
    temp.file.close();
    if (MoveFileExW(temp.name.c_str(), target.c_str(), 0)) {
      temp.forget();
      return {};
    }
    const DWORD code = GetLastError();
    if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) {
      return notWritable(windows::errorOf(code, target));
    }
    // Another run made the file meanwhile: it is examined again and replaced
    // or appended to, with the text written so far.
    const HANDLE reopened = CreateFileW(temp.name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reopened == INVALID_HANDLE_VALUE) return writeError(windows::lastError());
    temp.file = File(reopened);
    if (Error error = examine()) return error;
    if (kind == kThrough) {
      char last = '\n';
      if (!copyAll(temp.file.get(), through.get(), last)) return writeError(windows::lastError());
      temp.drop();
      return {};
    }
    if (!SetFilePointerEx(temp.file.get(), LARGE_INTEGER{}, nullptr, FILE_END)) {
      return writeError(windows::lastError());
    }
    return commitPrepared();
  }

  Error commitReplace() {
    FileLock lock;
    if (Error error = lockTarget(lock)) return error;
    return replaceTarget();
  }

  Error commitAppend() {
    FileLock lock;
    if (Error error = lockTarget(lock)) return error;
    // The old content, its last line ended, then the new text.
    const HANDLE handle = CreateFileW(target.c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return notWritable(windows::lastError(target));
    File old(handle);
    Temporary joined;
    if (!joined.make(folderOf(target))) return notWritable(windows::lastError());
    char last = '\n';
    bool copied = copyAll(old.get(), joined.file.get(), last);
    if (copied && last != '\n') copied = writeAll(joined.file.get(), "\n");
    if (copied) copied = copyAll(temp.file.get(), joined.file.get(), last);
    if (!copied) {
      const auto reason = windows::lastError();
      joined.drop();
      return writeError(reason);
    }
    old.close();
    temp.drop();
    temp = std::move(joined);
    return replaceTarget();
  }

  Error commitPrepared() {
    switch (kind) {
      case kNew:
        return commitNew();
      case kReplace:
        return commitReplace();
      case kAppend:
        return commitAppend();
      case kThrough:
        return {};
    }
    return {};
  }
};

std::unique_ptr<OutputTransaction> OutputTransaction::open(const std::string& path, bool append,
                                                           std::span<const FileKey> inputs,
                                                           Error& error) {
  if (path.find('\0') != std::string::npos) {
    error = nullByteInName(path, Status::outputNotWritable);
    return nullptr;
  }
  auto state = std::make_unique<State>();
  state->path = path;
  state->append = append;
  state->inputs.assign(inputs.begin(), inputs.end());
  // The target is looked at before anything is made: a device, an existing
  // file or the input itself is known at once, and a failure touches nothing.
  error = state->prepare();
  if (error) return nullptr;
  return std::make_unique<OutputTransaction>(std::move(state));
}

Error OutputTransaction::write(std::string_view text) {
  State& s = *state_;
  if (s.failure) return s.failure;
  const HANDLE file = s.kind == State::kThrough ? s.through.get() : s.temp.file.get();
  if (!writeAll(file, text)) {
    s.failure = s.writeError(windows::lastError());
    return s.failure;
  }
  return {};
}

Error OutputTransaction::commit() {
  State& s = *state_;
  if (s.failure) return s.failure;
  if (s.committed) return {};
  Error error = s.commitPrepared();
  if (!error) s.committed = true;
  return error;
}

OutputTransaction::OutputTransaction(std::unique_ptr<State> state) : state_(std::move(state)) {}

OutputTransaction::~OutputTransaction() = default;

}  // namespace tarvex

#endif

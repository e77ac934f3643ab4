// The output transaction on systems with POSIX files and folders; Windows
// has its own in output_file_windows.cpp.
#if !defined(_WIN32)

#include "io/output_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "io/message_name.h"
#include "io/temporary_files.h"

namespace tarvex {
namespace {

Error outputError(const std::string& path, int code, Status status = Status::outputNotWritable) {
  return {status, nameForMessage(path) + ": " + std::strerror(code), path, code};
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void closeQuietly(int& fd) {
  if (fd >= 0) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    fd = -1;
  }
}

// An open folder, closed with its owner.
class Folder {
 public:
  Folder() = default;
  explicit Folder(int fd) : fd_(fd) {}
  Folder(Folder&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Folder& operator=(Folder&& other) noexcept {
    if (this != &other) {
      closeQuietly(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() { closeQuietly(fd_); }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// A folder is opened only to work in it: no read permission is needed.
#if defined(O_PATH)
constexpr int kFolderAccess = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderAccess = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// Opens the folder of path (relative to base) and gives the name of the last
// part in it. A path that ends in a slash, "." or ".." names a folder: it is
// opened itself and named ".".
Folder openFolderOf(int base, const std::string& path, std::string& name) {
  const auto slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string(".")
                       : slash == 0               ? "/"
                                                  : path.substr(0, slash);
  name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") {
    folder = path;
    name = ".";
  }
  return Folder(::openat(base, folder.c_str(), kFolderAccess));
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const auto written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Copies length bytes from offset of one file to the current end of the other.
bool copyRange(int from, off_t offset, off_t length, int to) {
#if defined(__linux__)
  while (length > 0) {
    const auto copied =
        ::copy_file_range(from, &offset, to, nullptr, static_cast<std::size_t>(length), 0);
    if (copied < 0) {
      if (errno == EINTR) continue;
      if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) break;
      return false;
    }
    if (copied == 0) return false;  // the source is shorter than it was
    length -= copied;
  }
  if (length == 0) return true;
#endif
  char block[64 * 1024];
  while (length > 0) {
    const auto want = static_cast<std::size_t>(std::min<off_t>(length, sizeof block));
    const auto got = ::pread(from, block, want, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    if (!writeAll(to, std::string_view(block, static_cast<std::size_t>(got)))) return false;
    offset += got;
    length -= got;
  }
  return true;
}

// The process's file mode mask, read without changing it (umask() would,
// for a moment, for every thread); -1 when it cannot be known.
int processUmask() {
  static const int mask = [] {
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (status == nullptr) return -1;
    char line[256];
    int value = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
      unsigned int parsed = 0;
      if (std::sscanf(line, "Umask: %o", &parsed) == 1) {
        value = static_cast<int>(parsed);
        break;
      }
    }
    std::fclose(status);
    return value;
  }();
  return mask;
}

// A new temporary file in the folder, made here and now (never an existing
// file or a planted link), readable and writable. Its name is remembered for
// a signal handler before the file is made: a signal arrives most often while
// the program waits for the file system, that is, on the return from making
// it, and removing a name not made yet does no harm.
int createNamedTemporary(int folder, mode_t mode, std::string& name, int& slot) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = temporaries::newName();
    slot = temporaries::add(folder, name);
    const int fd =
        ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) return fd;
    const int code = errno;
    temporaries::forget(slot);
    slot = -1;
    if (code != EEXIST) {
      errno = code;
      return -1;
    }
  }
  errno = EEXIST;
  return -1;
}

// A temporary file without a name, gone by itself however the run ends.
int createUnnamedTemporary(int folder) {
#if defined(O_TMPFILE)
  return ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
#else
  (void)folder;
  errno = EOPNOTSUPP;
  return -1;
#endif
}

// Gives an unnamed temporary file the name in the folder, which must not exist.
int linkIntoPlace(int fd, int folder, const std::string& name) {
  char procPath[64];
  std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", fd);
  if (::linkat(AT_FDCWD, procPath, folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
#if defined(AT_EMPTY_PATH)
  if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
#endif
  return errno;
}

// The standard streams and the program's open descriptors under their file
// names: written through the descriptor, never replaced.
std::optional<int> descriptorAlias(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  if (!path.starts_with("/dev/fd/") && !path.starts_with("/proc/")) return std::nullopt;
  std::string_view rest(path);
  const std::string ownProc = "/proc/" + std::to_string(::getpid()) + "/fd/";
  bool matched = false;
  for (const std::string_view prefix :
       {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
        std::string_view("/proc/thread-self/fd/"), std::string_view(ownProc)}) {
    if (rest.starts_with(prefix)) {
      rest.remove_prefix(prefix.size());
      matched = true;
      break;
    }
  }
  if (!matched || rest.empty() || rest.size() > 9) return std::nullopt;
  int fd = 0;
  for (const char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    fd = fd * 10 + (c - '0');
  }
  return fd;
}

struct Probe {
  enum Kind { kMissing, kRegular, kThrough, kFailed } kind = kFailed;
  Folder folder;      // where the links lead: this folder
  std::string name;   // and this name in it
  std::string shown;  // the path that leads there, as the links spell it
  int fd = -1;
  bool ownsFd = true;
  struct stat status {};
  int error = 0;
};

// What path, taken from base (a folder, or none for the working folder),
// leads to. Links are followed to their end, so a replaced file stays where
// the link points. Each step opens the folder it names once and works in it,
// so a link on the way that is turned elsewhere meanwhile cannot split one
// run between two folders. A regular file is opened (without changing it)
// for the lock, readable as well when it is appended to; a device or a pipe
// is opened to be written through.
Probe probe(Folder base, std::string path, std::string shown, bool readable) {
  Probe result;
  for (int hop = 0; hop < 40; ++hop) {
    result.shown = shown;
    if (const auto alias = descriptorAlias(shown)) {
      if (::fcntl(*alias, F_GETFD) < 0) {
        result.error = errno;
        return result;
      }
      result.kind = Probe::kThrough;
      result.fd = *alias;
      result.ownsFd = false;
      return result;
    }
    result.folder = openFolderOf(base.fd() >= 0 ? base.fd() : AT_FDCWD, path, result.name);
    if (result.folder.fd() < 0) {
      result.error = errno;
      return result;
    }
    const int folder = result.folder.fd();
    const char* name = result.name.c_str();
    const int access = readable ? O_RDWR : O_WRONLY;
    const int fd = ::openat(folder, name, access | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd >= 0) {
      result.fd = fd;
      if (::fstat(fd, &result.status) != 0) {
        result.error = errno;
        closeQuietly(result.fd);
        return result;
      }
      if (S_ISREG(result.status.st_mode)) {
        result.kind = Probe::kRegular;
      } else {
        // A pipe or a device takes the text as it comes, waiting when full.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        result.kind = Probe::kThrough;
      }
      return result;
    }
    const int code = errno;
    if (code == ELOOP) {
      char target[4096];
      const auto length = ::readlinkat(folder, name, target, sizeof target - 1);
      if (length < 0) {
        result.error = errno == EINVAL ? ELOOP : errno;
        return result;
      }
      path.assign(target, static_cast<std::size_t>(length));
      shown = path.starts_with('/') ? path : folderOf(shown) + "/" + path;
      base = std::move(result.folder);
      continue;
    }
    if (code == ENOENT) {
      result.kind = Probe::kMissing;
      return result;
    }
    struct stat status {};
    if (code == ENXIO && ::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISFIFO(status.st_mode)) {
      // A pipe nobody reads yet: wait for its reader, as pipes do.
      const int blocking = ::openat(folder, name, O_WRONLY | O_CLOEXEC | O_NOCTTY);
      if (blocking >= 0) {
        result.kind = Probe::kThrough;
        result.fd = blocking;
        return result;
      }
    }
    result.error = code;
    return result;
  }
  result.error = ELOOP;
  return result;
}

// Gives a replacing file the permissions and, where the process may, the
// owner and group of the file it replaces.
void takeIdentity(int fd, const struct stat& old, mode_t created) {
  static const uid_t user = ::geteuid();
  static const gid_t group = ::getegid();
  if (old.st_uid != user || old.st_gid != group) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Not allowed to give the file away: it stays the process's own.
    }
  }
  const mode_t wanted = old.st_mode & 07777;
  const int mask = processUmask();
  if (mask < 0 || wanted != (created & ~static_cast<mode_t>(mask)) || (wanted & 07000) != 0) {
    ::fchmod(fd, wanted);
  }
}

}  // namespace

class OutputTransaction::State {
 public:
  enum Kind { kNew, kReplace, kAppend, kThrough };

  std::string path;  // as the caller named it
  bool append = false;
  std::vector<FileKey> inputs;
  Kind kind = kNew;

  // Where the target is: every step of the commit works in this folder.
  Folder folder;
  std::string targetName;
  std::string shownTarget;  // the path that led there

  int tempFd = -1;
  std::string tempName;  // in the folder; empty for an unnamed temporary file
  int tempSlot = -1;
  mode_t tempMode = 0;

  int targetFd = -1;
  struct stat targetStatus {};
  int throughFd = -1;
  bool ownsThrough = false;

  std::size_t written = 0;
  Error failure;
  bool committed = false;
  int newAttempts = 0;

  // The folder closes after this, when the temporary name is gone.
  ~State() {
    dropTemporary();
    closeQuietly(targetFd);
    if (ownsThrough) closeQuietly(throughFd);
  }

  void dropTemporary() {
    closeQuietly(tempFd);
    removeTemporaryName();
  }

  void removeTemporaryName() {
    if (!tempName.empty()) ::unlinkat(folder.fd(), tempName.c_str(), 0);
    forgetTemporaryName();
  }

  void forgetTemporaryName() {
    temporaries::forget(tempSlot);
    tempSlot = -1;
    tempName.clear();
  }

  bool isAnInput(const struct stat& status) const {
    const FileKey key{static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
    return std::find(inputs.begin(), inputs.end(), key) != inputs.end();
  }

  Error notWritable(int code) const { return outputError(path, code); }
  Error writeError(int code) const { return outputError(path, code, Status::writeFailed); }
  Error isInput() const {
    return {Status::outputNotWritable, nameForMessage(path) + ": is the input file", path, 0};
  }

  bool makeNamedTemporary(mode_t mode) {
    tempMode = mode;
    tempFd = createNamedTemporary(folder.fd(), mode, tempName, tempSlot);
    if (tempFd < 0) {
      tempName.clear();
      return false;
    }
    return true;
  }

  bool makeTemporary() {
    tempFd = createUnnamedTemporary(folder.fd());
    if (tempFd >= 0) return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOSYS) {
      return false;
    }
    return makeNamedTemporary(0666);
  }

  // Examines what the path, taken from base, leads to and makes the
  // temporary file for what it is.
  Error prepare(Folder base, std::string from, std::string shown) {
    Probe found = probe(std::move(base), std::move(from), std::move(shown), append);
    folder = std::move(found.folder);
    targetName = std::move(found.name);
    shownTarget = std::move(found.shown);
    switch (found.kind) {
      case Probe::kFailed:
        return notWritable(found.error);
      case Probe::kThrough:
        kind = kThrough;
        throughFd = found.fd;
        ownsThrough = found.ownsFd;
        return {};
      case Probe::kMissing:
        kind = kNew;
        if (!makeTemporary()) return notWritable(errno);
        return {};
      case Probe::kRegular:
        break;
    }
    targetFd = found.fd;
    targetStatus = found.status;
    if (isAnInput(targetStatus)) return isInput();
    if (append) {
      kind = kAppend;
      if (!makeTemporary()) return notWritable(errno);
    } else {
      kind = kReplace;
      if (!makeNamedTemporary(targetStatus.st_mode & 07777)) return notWritable(errno);
    }
    return {};
  }

  // A new file was expected, but the target exists after all (another run
  // made it meanwhile, or a link was put there): examine it, in the same
  // folder, and go on with what it is, carrying the text written so far.
  Error prepareAgain() {
    const int oldFd = tempFd;
    const std::size_t oldLength = written;
    tempFd = -1;
    removeTemporaryName();  // the open file keeps the text
    Error error = prepare(std::move(folder), targetName, shownTarget);
    if (!error && kind == kThrough) {
      const bool copied = copyRange(oldFd, 0, static_cast<off_t>(oldLength), throughFd);
      int fd = oldFd;
      closeQuietly(fd);
      return copied ? Error{} : writeError(errno);
    }
    if (!error && !copyRange(oldFd, 0, static_cast<off_t>(oldLength), tempFd)) {
      error = writeError(errno);
    }
    int fd = oldFd;
    closeQuietly(fd);
    return error;
  }

  Error commitNew() {
    // A target that keeps appearing and vanishing again is given up on.
    if (++newAttempts > 10) return notWritable(EEXIST);
    int code = 0;
    if (tempName.empty()) {
      code = linkIntoPlace(tempFd, folder.fd(), targetName);
    } else if (::linkat(folder.fd(), tempName.c_str(), folder.fd(), targetName.c_str(), 0) != 0) {
      code = errno;
    }
    if (code == 0) {
      dropTemporary();  // the name in place holds the file now
      return {};
    }
    if (code != EEXIST) return notWritable(code);
    if (Error error = prepareAgain()) return error;
    return commitPrepared();
  }

  // Waits for the lock on the target. When the file was replaced while this
  // run waited, the lock is taken on the new one.
  Error lockTarget() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      while (::flock(targetFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
          if (::flock(targetFd, LOCK_EX) == 0) break;
        }
        if (errno != EINTR) return notWritable(errno);
      }
      struct stat now {};
      struct stat locked {};
      if (::fstat(targetFd, &locked) != 0) return notWritable(errno);
      if (::fstatat(folder.fd(), targetName.c_str(), &now, 0) == 0 && now.st_dev == locked.st_dev &&
          now.st_ino == locked.st_ino) {
        targetStatus = locked;
        return {};
      }
      closeQuietly(targetFd);
      targetFd =
          ::openat(folder.fd(), targetName.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
      if (targetFd < 0) return notWritable(errno);
    }
    return notWritable(EAGAIN);
  }

  Error commitReplace() {
    takeIdentity(tempFd, targetStatus, tempMode);
    // Runs into the same file follow one another; the file is current
    // enough for a replacement even when another run renamed its own over it.
    while (::flock(targetFd, LOCK_EX) != 0) {
      if (errno != EINTR) return notWritable(errno);
    }
    // Until the name is forgotten a signal may remove it again: it is gone
    // by then, and the target has a name of its own.
    if (::renameat(folder.fd(), tempName.c_str(), folder.fd(), targetName.c_str()) != 0) {
      return writeError(errno);
    }
    forgetTemporaryName();
    closeQuietly(tempFd);
    return {};
  }

  Error commitAppend() {
    if (Error error = lockTarget()) return error;
    const int newFd = tempFd;
    const std::string newName = tempName;
    const int newSlot = tempSlot;
    tempFd = -1;
    tempName.clear();
    tempSlot = -1;
    const auto dropNew = [&] {
      int fd = newFd;
      closeQuietly(fd);
      if (!newName.empty()) ::unlinkat(folder.fd(), newName.c_str(), 0);
      temporaries::forget(newSlot);
    };
    if (!makeNamedTemporary(targetStatus.st_mode & 07777)) {
      const Error error = notWritable(errno);
      dropNew();
      return error;
    }
    // The old content, its last line ended, then the new text.
    const off_t oldSize = targetStatus.st_size;
    char last = '\n';
    bool copied = copyRange(targetFd, 0, oldSize, tempFd);
    if (copied && oldSize > 0 && ::pread(targetFd, &last, 1, oldSize - 1) != 1) copied = false;
    if (copied && last != '\n') copied = writeAll(tempFd, "\n");
    if (copied) copied = copyRange(newFd, 0, static_cast<off_t>(written), tempFd);
    const int code = errno;
    dropNew();
    if (!copied) return writeError(code);
    return commitReplace();
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
  // The target is looked at before anything is made: a device, a link, an
  // existing file or the input itself is known at once, and a failure
  // touches nothing.
  error = state->prepare(Folder(), path, path);
  if (error) return nullptr;
  return std::make_unique<OutputTransaction>(std::move(state));
}

Error OutputTransaction::write(std::string_view text) {
  State& s = *state_;
  if (s.failure) return s.failure;
  const int fd = s.kind == State::kThrough ? s.throughFd : s.tempFd;
  if (!writeAll(fd, text)) {
    s.failure = s.writeError(errno);
    return s.failure;
  }
  s.written += text.size();
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

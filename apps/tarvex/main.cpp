// The console program: without arguments it runs the conversion dialogue,
// with arguments it is the batch command line.
#include <atomic>
#include <csignal>
#include <iostream>

#include "command_line.h"
#include "dialogue.h"
#include "engine_binding.h"
#include "standard_streams.h"
#include "tarvex.hpp"

#if defined(_WIN32)
#include <windows.h>

#include <string>
#include <vector>

#include "io/file_names.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// The cleanup of the library the dialogue converts with, beside that of the
// engine linked in for the command line. Set before the handlers are
// installed; atomic, so that a handler may read it whenever it runs.
std::atomic<tarvex::console::CleanupEntry> libraryCleanup{nullptr};
static_assert(std::atomic<tarvex::console::CleanupEntry>::is_always_lock_free,
              "the signal handler reads the cleanup entry");

// Removes the temporary files, then ends the way the signal ends a program,
// so the caller sees the usual 128 + signal status.
extern "C" void endOnSignal(int signal) {
  tarvex::removeTemporaryFiles();
  if (const auto cleanup = libraryCleanup.load()) cleanup();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// A standard stream the program was started without is held by the null
// device, so that no file opened later takes its number and receives what
// was meant for it; writing to a closed standard output still fails.
void holdClosedStandardStreams() {
#if !defined(_WIN32)
  for (const int fd : {0, 1, 2}) {
    if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    if (fd == 1) tarvex::console::StandardOutput::markClosed();
    const int held = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (held >= 0 && held != fd) ::close(held);
  }
#endif
}

void handleSignals() {
  for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, endOnSignal);
#if !defined(_WIN32)
  std::signal(SIGHUP, endOnSignal);
  // A file-size limit then shows as a write error, not as a killed program.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int run(int argc, char** argv) {
#if defined(_WIN32)
  // The dialogue's texts and the file names are UTF-8, typed ones as well.
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
#endif
  holdClosedStandardStreams();
  if (argc > 1) {
    handleSignals();
    return tarvex::console::runCommandLine(argc, argv);
  }
  // A missing library shows before the first question.
  std::string error;
  const auto engine = tarvex::console::bindEngine(error);
  if (!engine) {
    std::cerr << "tarvex: " << error << '\n';
    return 1;
  }
  libraryCleanup.store(engine->removeTemporaries);
  handleSignals();
  return tarvex::console::MAIN(std::cin, std::cout, engine->convert) ? 0 : 1;
}

}  // namespace

#if defined(_WIN32)
// The C run-time expands wildcards in the arguments, as Windows programs do
// for cmd.exe, which leaves that to them; quoted arguments stay as typed.
extern "C" {
int _dowildcard = -1;
}

// The arguments in UTF-16, as typed, given on in UTF-8: the program's names
// are UTF-8 throughout (the ANSI code page cannot hold most of them).
int wmain(int argc, wchar_t** wideArguments) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(tarvex::utf8Name(wideArguments[i]));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return run(argc, argv); }
#endif

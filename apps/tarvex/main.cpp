// The console program: without arguments it runs the conversion dialogue,
// with arguments it is the batch command line.
#include <csignal>
#include <iostream>

#include "command_line.h"
#include "dialogue.h"
#include "engine_binding.h"
#include "standard_streams.h"
#include "tarvex.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// The engine whose temporary files a signal must remove: the one linked in
// for the command line, the library's for the dialogue.
void (*removeTemporaries)() noexcept = tarvex::removeTemporaryFiles;

// Removes the temporary files, then ends the way the signal ends a program,
// so the caller sees the usual 128 + signal status.
extern "C" void endOnSignal(int signal) {
  removeTemporaries();
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

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // The dialogue's texts are UTF-8.
  SetConsoleOutputCP(CP_UTF8);
#endif
  holdClosedStandardStreams();
  handleSignals();
  if (argc > 1) return tarvex::console::runCommandLine(argc, argv);
  // A missing library shows before the first question.
  std::string error;
  const auto engine = tarvex::console::bindEngine(error);
  if (!engine) {
    std::cerr << "tarvex: " << error << '\n';
    return 1;
  }
  if (engine->removeTemporaries != nullptr) removeTemporaries = engine->removeTemporaries;
  return tarvex::console::MAIN(std::cin, std::cout, engine->convert) ? 0 : 1;
}

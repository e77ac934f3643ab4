// The console program: without arguments it runs the conversion dialogue,
// with arguments it is the batch command line.
#include <iostream>

#include "command_line.h"
#include "dialogue.h"
#include "engine_binding.h"

#if defined(_WIN32)
#include <windows.h>
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
  // The dialogue's texts are UTF-8.
  SetConsoleOutputCP(CP_UTF8);
#endif
  if (argc > 1) return tarvex::console::runCommandLine(argc, argv);
  // A missing library shows before the first question.
  std::string error;
  const auto engine = tarvex::console::bindEngine(error);
  if (!engine) {
    std::cerr << "tarvex: " << error << '\n';
    return 1;
  }
  tarvex::console::MAIN(std::cin, std::cout, engine->convert);
  return 0;
}

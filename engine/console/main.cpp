// The console program: without arguments it runs the conversion dialogue.
#include <iostream>

#include "dialogue.h"

#if defined(_WIN32)
#include <windows.h>
#endif

int main(int argc, char** /*argv*/) {
#if defined(_WIN32)
  // The dialogue's texts are UTF-8.
  SetConsoleOutputCP(CP_UTF8);
#endif
  if (argc > 1) {
    std::cerr << "tarvex: run without arguments for the conversion dialogue\n";
    return 2;
  }
  tarvex::console::MAIN(std::cin, std::cout);
  return 0;
}

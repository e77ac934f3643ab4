// The batch command line of the console program: convert, info, formats.
#pragma once

namespace tarvex::console {

// Returns the exit status: 0 done, 1 some file failed, 2 a usage error.
int runCommandLine(int argc, char** argv);

}  // namespace tarvex::console

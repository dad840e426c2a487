#pragma once

namespace quellin {

// The process entry of the program's own logic: the start routine, then the
// event loop until the main window is unloaded. Returns the exit code.
int runProgram(int argc, char* argv[]);

}  // namespace quellin

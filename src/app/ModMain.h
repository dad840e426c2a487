#pragma once
// The start routine and the objects that live for the whole run of the program.

#include <QStringList>
#include <memory>

namespace quellin {

// The process entry of the program's own logic: the start routine, then the
// event loop until the main window is unloaded. Returns the exit code.
int runProgram(int argc, char* argv[]);

class Program;
struct ServiceOverrides;

// Builds the program's objects, runs the start routine (splash, settings, port,
// version, main window) and hands back the running program; the caller runs the
// event loop. Used by main() and by the end-to-end tests.
std::unique_ptr<Program> startProgram(const QStringList& arguments, ServiceOverrides overrides);

} // namespace quellin

#pragma once
// quellin-cli's entry: the command line read, the command run, its exit code.

#include "cli/CliOptions.h"

#include <QStringList>
#include <cstdio>

namespace quellin {

// args without the program name; help and usage go to out and err. language:
// the one installed (cliLanguage), the help's unless --lang names another.
int runCli(const QStringList& args, Language language, std::FILE* out, std::FILE* err);

} // namespace quellin

#pragma once
// quellin-cli's entry: the command line read, the command run, its exit code.

#include "cli/CliOptions.h"

#include <QStringList>
#include <cstdio>

namespace quellin {

// The language of the locale: LC_ALL, LC_MESSAGES or LANG, the first that is set.
CliLang localeLang();

// args without the program name; help and usage go to out and err.
int runCli(const QStringList& args, std::FILE* out, std::FILE* err);

} // namespace quellin

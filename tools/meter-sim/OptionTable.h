#pragma once
// The options of quellin-meter-sim with their help texts: the single list
// behind both the parser and --help, so they cannot drift apart.

#include <QString>

namespace quellin::sim {

struct OptionHelp {
    const char* name;
    const char* value; // nullptr: a flag
    const char* text;
};

// The option of that name (without "--"), or nullptr.
const OptionHelp* findOption(const QString& name);

} // namespace quellin::sim

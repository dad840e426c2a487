#pragma once
// The version option of the command line: "/v" and a digit forces the hardware
// version, so the meter is not asked for it.

#include <QString>
#include <optional>

namespace quellin {

struct Context;

// The command line's arguments joined by blanks, as the program saw its line.
QString commandLineText(const QStringList& arguments);

// The forced version, if the line (compared in lower case) has a field after a
// "/" beginning with "v". A "v" not followed by a digit ends the search without
// forcing anything (the option is ignored).
std::optional<int> versionOption(Context& ctx, const QString& commandLine);

} // namespace quellin

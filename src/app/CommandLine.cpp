#include "app/CommandLine.h"

#include "base/TextFields.h"

#include <QStringList>

namespace quellin {

QString commandLineText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

std::optional<int> versionOption(Context& ctx, const QString& commandLine)
{
    const QString line = commandLine.toLower();
    const QString slash = QStringLiteral("/");
    const int fields = ifNthFilds(ctx, line, slash);
    // Field 1 is the text before the first slash; it is tested like the others.
    for (int i = 1; i <= fields; ++i) {
        const QString field = sfNthFild(ctx, line, slash, i).trimmed();
        if (!field.startsWith(QLatin1Char('v')))
            continue;
        if (field.size() >= 2 && field[1].isDigit() && field[1].unicode() < 128)
            return field[1].digitValue();
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace quellin

#include "platform/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace quellin {

QString resolveAppFolder()
{
    QString folder = qEnvironmentVariable("QUELLIN_HOME");
    if (folder.isEmpty())
        folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                     .filePath(QStringLiteral("Quellin"));
    QDir().mkpath(folder);
    folder = QDir::toNativeSeparators(QDir(folder).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

static qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

QString folderOf(const QString& path)
{
    const qsizetype i = lastSeparator(path);
    if (i < 0)
        return {};
    QString folder = path.left(i);
    // A root keeps its separator: "/" and "C:\".
    if (folder.isEmpty() || (folder.size() == 2 && folder[1] == QLatin1Char(':')))
        folder += path[i];
    return folder;
}

QString fileNameOf(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

} // namespace quellin

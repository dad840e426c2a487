#include "main/PcLogging.h"

#include "platform/AppPaths.h"
#include "platform/Tx.h"
#include "platform/VbError.h"
#include "store/CsvFile.h"
#include "store/DataSet.h"

#include <QFile>
#include <QStringEncoder>

namespace quellin {

namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QStringList pcLogHeader(const Context& ctx, int wiringMode, const QString& fileName)
{
    QStringList lines;
    lines << QStringLiteral("FILE=") + quoted(fileName);
    // The same wiring line as a data file's.
    const QString wiring = wiringLineText(wiringMode);
    if (!wiring.isEmpty())
        lines << quoted(wiring);
    QStringList titles;
    for (int c = 0; c <= ctx.cat.ColumnLast && c < kMaxColumns; ++c)
        if (columnShown(ctx, c))
            titles << quoted(c < ctx.cat.ColumnTitles.size() ? ctx.cat.ColumnTitles[c] : QString());
    lines << titles.join(QLatin1Char(','));
    return lines;
}

std::unique_ptr<QFile> openPcLogFile(const Context& ctx, const QString& path, int wiringMode,
                                     PcLogOpen mode)
{
    QStringEncoder encoder("Shift_JIS");
    if (!encoder.isValid())
        throw VbError(ErrorNumber::FileIo, TX("Shift_JIS で書き込めません。"));
    QByteArray bytes;
    for (const QString& line : pcLogHeader(ctx, wiringMode, fileNameOf(path))) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    if (encoder.hasError())
        throw VbError(ErrorNumber::FileIo, TX("見出しを Shift_JIS に変換できません。"));

    auto file = std::make_unique<QFile>(path);
    const QIODevice::OpenMode how = mode == PcLogOpen::Replace ? QIODevice::Truncate
                                    : mode == PcLogOpen::New   ? QIODevice::NewOnly
                                                               : QIODevice::Append;
    // Unbuffered: a line the disk cuts short can be taken back (PcLogWriter).
    if (!file->open(QIODevice::WriteOnly | how | QIODevice::Unbuffered))
        throw VbError(ErrorNumber::PathNotFound, file->errorString());
    if (mode == PcLogOpen::Continue && file->size() > 0) {
        // A log cut short by a crash may end within a line: the new head starts
        // on a line of its own.
        QFile last(path);
        if (last.open(QIODevice::ReadOnly) && last.seek(last.size() - 1) &&
            last.read(1) != "\n")
            bytes.prepend("\r\n");
    }
    if (file->write(bytes) != bytes.size() || !file->flush()) {
        const QString reason = file->errorString();
        file->close();
        throw VbError(ErrorNumber::FileIo, reason);
    }
    return file;
}

} // namespace quellin

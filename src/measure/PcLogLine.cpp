#include "measure/PcLogLine.h"

#include "base/MeasuredItems.h"
#include "measure/MeasuredRecord.h"
#include "platform/Format.h"
#include "platform/SafeSave.h"
#include "platform/Tx.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace quellin {

void appendPcLogLine(const PcLogLineInput& in, QString& out)
{
    const DataRecord& sums = *in.sums;
    const DataRecord& current = *in.current;
    const double lines = in.lines > 0 ? in.lines : 1;
    const auto mean = [&](int c) { return sums.column(c) / lines; };
    const double meanS = apparentPower(in.wiringMode, mean(2), mean(4), mean(3), mean(5));
    const int last = std::min(in.columnLast, kMaxColumns - 1);

    out.reserve(16 * (last + 1));
    bool first = true;
    for (int c = 0; c <= last; ++c) {
        if (!in.logged[static_cast<size_t>(c)])
            continue;
        if (!first)
            out.append(QLatin1Char(','));
        first = false;
        const MeasuredItem& item = measuredItem(c);
        double value = 0;
        switch (c) {
        case column::kNumber:
            value = in.lineNumber;
            break;
        case column::kTime:
            out.append(QLatin1Char('"'));
            out.append(Format(current.time(), fieldPattern(item.fileFormat)));
            out.append(QLatin1Char('"'));
            continue;
        case column::kReactivePower:
            value = reactivePower(meanS, mean(column::kActivePower));
            break;
        case column::kApparentPower:
            value = meanS;
            break;
        case column::kPowerFactor:
            value = mean(column::kApparentPower) == 0
                        ? 0.0
                        : 100 * mean(column::kActivePower) / mean(column::kApparentPower);
            break;
        default:
            // Leakage currents and temperatures are logged as they are, not averaged.
            value = (item.kind == SeriesKind::Leakage || item.kind == SeriesKind::Temperature)
                        ? current.column(c)
                        : mean(c);
            break;
        }
        out.append(Format(value, fieldPattern(item.fileFormat)));
    }
}

QString pcLogLine(const PcLogLineInput& in)
{
    QString out;
    appendPcLogLine(in, out);
    return out;
}

void PcLogWriter::write(QFile* file, const QString& line)
{
    // The line is ASCII (digits, signs, quotes); it goes out as it is, with CR LF.
    const qsizetype n = line.size();
    bytes_.resize(n + 2);
    const QChar* from = line.constData();
    char* to = bytes_.data();
    for (qsizetype i = 0; i < n; ++i)
        to[i] = from[i].unicode() < 0x80 ? static_cast<char>(from[i].unicode()) : '?';
    to[n] = '\r';
    to[n + 1] = '\n';
    if (!file || !file->isOpen())
        throw VbError(ErrorNumber::FileIo, TX("ロギングファイルが開かれていません。"));
    const qint64 before = file->pos();
    errno = 0;
    if (file->write(bytes_) == bytes_.size() && file->flush())
        return;
    const int cause = errno;
    const QString reason = writeFailureReason(cause, QFileInfo(file->fileName()).absolutePath(),
                                              file->errorString());
    // A full disk may have taken part of the line: it is taken back, so that the
    // log ends on its last whole line (an unbuffered file has nothing left to
    // flush first).
    file->resize(before);
    throw VbError(ErrorNumber::FileIo, reason);
}

} // namespace quellin

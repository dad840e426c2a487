#include "store/TmpDatReader.h"

#include "base/DataRecord.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"

#include <cstring>

namespace quellin {

TmpDatReader::TmpDatReader(const Context& ctx) : file_(ctx.tmpDatPath())
{
    // A writer that buffers (a handle opened elsewhere) must hand its records to
    // the file before we read behind it.
    if (ctx.store.TmpFileNo && ctx.store.TmpFileNo->isOpen())
        ctx.store.TmpFileNo->flush();
    if (!file_.exists())
        throw VbError(ErrorNumber::FileNotFound,
                      QStringLiteral("一時データファイル (TMP.DAT) が見つかりません。"));
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw VbError(ErrorNumber::PathFileAccess,
                      QStringLiteral("一時データファイル (TMP.DAT) を開けません。"));
}

long long TmpDatReader::timeSeconds(int index)
{
    double t = 0;
    const qint64 pos = static_cast<qint64>(index) * kRecordBytes + 4;
    if (!file_.seek(pos) ||
        file_.read(reinterpret_cast<char*>(&t), sizeof t) != static_cast<qint64>(sizeof t))
        throwShort(index);
    return vbdate::secondsBetween(0.0, t);
}

void TmpDatReader::readRecords(int index, int count, char* dst)
{
    if (count <= 0)
        return;
    const qint64 bytes = static_cast<qint64>(count) * kRecordBytes;
    if (!file_.seek(static_cast<qint64>(index) * kRecordBytes) || file_.read(dst, bytes) != bytes)
        throwShort(index);
}

void TmpDatReader::throwShort(int index) const
{
    throw VbError(
        ErrorNumber::InputPastEnd,
        QStringLiteral("一時データファイル (TMP.DAT) にレコード %1 以降のデータがありません。")
            .arg(index + 1));
}

} // namespace quellin

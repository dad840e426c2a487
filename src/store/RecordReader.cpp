#include "store/RecordReader.h"

#include "base/DataRecord.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/DataSet.h"

#include <cstring>

namespace quellin {

RecordReader::RecordReader(const DataSet& data) : data_(data)
{
    if (data_.inMemory_)
        return;
    file_.setFileName(data_.tmpDatPath());
    // A writer that buffers (a handle opened elsewhere) must hand its records to
    // the file before we read behind it.
    if (data_.TmpFileNo && data_.TmpFileNo->isOpen())
        data_.TmpFileNo->flush();
    if (!file_.exists())
        throw VbError(ErrorNumber::FileNotFound,
                      TX("一時データファイル (TMP.DAT) が見つかりません。"));
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw VbError(ErrorNumber::PathFileAccess,
                      TX("一時データファイル (TMP.DAT) を開けません。"));
}

const char* RecordReader::recordsInMemory(int index, int count) const
{
    const auto& memory = data_.memory_;
    if (!data_.inMemory_)
        return nullptr;
    if (index < 0 || count < 0 ||
        static_cast<size_t>(index) + static_cast<size_t>(count) > memory.size())
        throwShort(index);
    return reinterpret_cast<const char*>(memory.data() + index);
}

long long RecordReader::timeSeconds(int index)
{
    double t = 0;
    if (data_.inMemory_) {
        std::memcpy(&t, recordsInMemory(index, 1) + 4, sizeof t);
    } else {
        const qint64 pos = static_cast<qint64>(index) * kRecordBytes + 4;
        if (!file_.seek(pos) ||
            file_.read(reinterpret_cast<char*>(&t), sizeof t) != static_cast<qint64>(sizeof t))
            throwShort(index);
    }
    return vbdate::secondsBetween(0.0, t);
}

void RecordReader::readRecords(int index, int count, char* dst)
{
    if (count <= 0)
        return;
    const qint64 bytes = static_cast<qint64>(count) * kRecordBytes;
    if (data_.inMemory_) {
        std::memcpy(dst, recordsInMemory(index, count), static_cast<size_t>(bytes));
        return;
    }
    if (!file_.seek(static_cast<qint64>(index) * kRecordBytes) || file_.read(dst, bytes) != bytes)
        throwShort(index);
}

void RecordReader::throwShort(int index) const
{
    if (data_.inMemory_)
        throw VbError(ErrorNumber::InputPastEnd,
                      TX("データにレコード %1 以降がありません。").arg(index + 1));
    throw VbError(
        ErrorNumber::InputPastEnd,
        TX("一時データファイル (TMP.DAT) にレコード %1 以降のデータがありません。")
            .arg(index + 1));
}

} // namespace quellin

// Saving the data set as a CSV data file.

#include "store/CsvSave.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/AppPaths.h"
#include "platform/SafeSave.h"
#include "platform/Tx.h"
#include "platform/VbError.h"
#include "store/CsvFields.h"
#include "store/CsvFile.h"
#include "store/CsvText.h"
#include "store/DataSet.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace quellin {

namespace {

constexpr int kRecordsPerRead = 4096;            // about 570 KB of TMP.DAT per read
constexpr qsizetype kBytesPerWrite = 256 * 1024; // text collected before each write
const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QByteArray encodeShiftJisLine(const QString& text)
{
    return csv::encodeShiftJis(text) + kCrLf;
}

// The columns to save, in column order: present in the data set and switched on.
std::vector<int> savedColumns(const Context& ctx)
{
    std::vector<int> cols;
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = 0; c <= last; ++c)
        if (columnShown(ctx, c))
            cols.push_back(c);
    return cols;
}

QByteArray quotedLine(const QString& text)
{
    return encodeShiftJisLine(QLatin1Char('"') + text + QLatin1Char('"'));
}

class DataFileWriter {
public:
    explicit DataFileWriter(const QString& path) : path_(path), file_(path)
    {
        // A folder that allows no new files still lets an existing file be replaced.
        file_.setDirectWriteFallback(true);
        if (!file_.open()) {
            const bool noFolder = !QFileInfo(QFileInfo(path).absolutePath()).isDir();
            throw VbError(noFolder ? ErrorNumber::PathNotFound : ErrorNumber::PathFileAccess,
                          TX("ファイル「%1」を作成できません。（%2）")
                              .arg(QDir::toNativeSeparators(path), file_.reason()));
        }
    }

    void write(QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return;
        if (!file_.write(bytes))
            fail();
        written_ += bytes.size();
        bytes.clear();
    }

    // Committed, and the file that now stands under the name holds every byte:
    // only then may the caller drop the records it came from.
    void commit()
    {
        if (!file_.commit())
            fail();
        if (QFileInfo(path_).size() != written_)
            throw VbError(ErrorNumber::FileIo,
                          TX("ファイル「%1」を確かめたところ、書き込んだ内容と"
                                         "大きさが違います。")
                              .arg(QDir::toNativeSeparators(path_)));
    }

private:
    [[noreturn]] void fail()
    {
        throw VbError(ErrorNumber::FileIo,
                      TX("ファイル「%1」に書き込めません。（%2）")
                          .arg(QDir::toNativeSeparators(path_), file_.reason()));
    }

    QString path_;
    CheckedSaveFile file_;
    qint64 written_ = 0;
};

} // namespace

bool SaveDataFile(Context& ctx, const QString& path)
{
    return trapped(ctx, "SaveDataFile", false, [&] {
        const std::vector<int> cols = savedColumns(ctx);
        DataFileWriter writer(path);

        QByteArray text;
        text.reserve(kBytesPerWrite + 4096);
        text += encodeShiftJisLine(QStringLiteral("ファイル名=\"") + fileNameOf(path) +
                                   QLatin1Char('"'));
        const DataSet& data = ctx.dataSet();
        const QString wiring = wiringLineText(data.DataWiring());
        if (!wiring.isEmpty())
            text += quotedLine(wiring);
        QStringList titles;
        for (int c : cols)
            titles << QLatin1Char('"') + columnTitle(c) + QLatin1Char('"');
        text += encodeShiftJisLine(titles.join(QLatin1Char(',')));

        std::vector<DataRecord> records;
        const int count = data.RecordCount();
        for (int first = 1; first <= count; first += kRecordsPerRead) {
            const int n = std::min(kRecordsPerRead, count - first + 1);
            data.ReadRecordsInto(first, n, records);
            for (const DataRecord& rec : records) {
                csv::appendDataLine(text, rec, cols.data(), static_cast<int>(cols.size()));
                if (text.size() >= kBytesPerWrite)
                    writer.write(text);
            }
        }
        writer.write(text);
        writer.commit();
        return true;
    });
}

} // namespace quellin

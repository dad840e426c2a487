// Loading a CSV data file into the store.
//
// The file is read line by line (never whole) and checked as it is read; a file
// that is not a data file is refused as a whole, so that no half-loaded data set
// is ever shown. What a data line must hold:
//   - at least as many fields as the title line has known columns (more are
//     ignored); a line that is entirely empty is skipped;
//   - the record number a number within 32 bits, the time a date, each measured
//     value a number within single precision; an empty measured value reads as 0;
//   - times that never go back (the graph's scan relies on time order).

#include "store/CsvLoad.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/CsvFields.h"
#include "store/CsvFile.h"
#include "store/CsvLineReader.h"
#include "store/CsvText.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace quellin {

namespace {

constexpr int kActivePowerColumn = 6;
constexpr int kEnergyColumn = 11;
constexpr int kFirstVersion2Column = 13;
constexpr int kShownFieldChars = 24;

// A refusal that the user is told with a critical box of its own text.
struct Refusal {
    QString message;
};

class Loader {
public:
    Loader(Context& ctx, const QString& path) : ctx_(ctx), path_(path), file_(path) {}

    void run()
    {
        if (!file_.open(QIODevice::ReadOnly))
            throw VbError(file_.exists() ? ErrorNumber::PathFileAccess : ErrorNumber::FileNotFound,
                          QStringLiteral("ファイル「%1」を開けません。（%2）")
                              .arg(QDir::toNativeSeparators(path_), file_.errorString()));
        csv::CsvLineReader reader(file_);
        std::optional<QByteArray> firstDataLine;
        readHeader(reader, firstDataLine);

        StoreGlobals& st = ctx_.store;
        st.SampleInterval = 0; // stays 0 unless two records are read
        OpenTmpForAppend(ctx_);
        if (firstDataLine)
            readDataLine(*firstDataLine, 3);
        QByteArrayView line;
        while (true) {
            const auto status = reader.next(line);
            if (status == csv::CsvLineReader::Status::End)
                break;
            checkStatus(status, reader);
            readDataLine(line, reader.lineNumber());
        }
        CloseTmp(ctx_);

        if (st.RecordCount == 0)
            throw Refusal{kNoDataRecorded};
        if (st.SampleInterval == 0)
            throw Refusal{kInvalidDataFile};
        st.LastTime = lastTime_;
        st.GraphStart = st.FirstTime;
        st.GraphEnd = st.LastTime;
        st.TotalEnergy = lastEnergy_;
        ctx_.app.DataPresent = true;
        LoadListPage(ctx_, 0);
        SetGraphWindow(ctx_, 0);
        LoadGraphWindow(ctx_);
    }

private:
    void checkStatus(csv::CsvLineReader::Status status, const csv::CsvLineReader& reader)
    {
        if (status == csv::CsvLineReader::Status::TooLong)
            throw VbError(ErrorNumber::BadFileFormat,
                          QStringLiteral("%1行目が長すぎます（%2バイトを超えています）。")
                              .arg(reader.lineNumber())
                              .arg(csv::kMaxLineBytes));
        if (status == csv::CsvLineReader::Status::ReadError)
            throw VbError(ErrorNumber::FileIo,
                          QStringLiteral("ファイル「%1」を読み込めません。（%2）")
                              .arg(QDir::toNativeSeparators(path_), file_.errorString()));
    }

    // Lines 1 to 3: the file name, the wiring and the column titles. A file
    // written without a wiring line has its titles on line 2.
    void readHeader(csv::CsvLineReader& reader, std::optional<QByteArray>& firstDataLine)
    {
        QList<QByteArray> head;
        QByteArrayView line;
        while (head.size() < 3) {
            const auto status = reader.next(line);
            if (status == csv::CsvLineReader::Status::End)
                break;
            checkStatus(status, reader);
            head.append(line.toByteArray());
        }
        if (head.isEmpty())
            throw Refusal{kInvalidDataFile};
        encoding_ = csv::detectEncoding(head);
        ctx_.store.TitleLine = csv::decodeText(head[0], encoding_);

        const QString second = head.size() > 1 ? csv::decodeText(head[1], encoding_) : QString();
        const QString wiringMark = QStringLiteral("結線＝");
        const qsizetype mark = second.indexOf(wiringMark);
        int titleIndex = 2;
        if (mark >= 0) {
            const QString kind = second.mid(mark + wiringMark.size(), 5);
            for (int w = 0; w <= 2 && kind.size() == 5; ++w)
                if (wiringLineText(w).endsWith(kind))
                    ctx_.store.DataWiring = w;
        } else if (head.size() > 1 && !matchTitles(second).empty()) {
            titleIndex = 1;
        }
        if (titleIndex >= head.size())
            throw Refusal{kInvalidDataFile};
        columns_ = matchTitles(csv::decodeText(head[titleIndex], encoding_));
        if (columns_.empty())
            throw Refusal{kInvalidDataFile};
        auto& present = ctx_.store.ColumnPresent;
        for (int c : columns_) {
            if (static_cast<size_t>(c) >= present.size())
                present.resize(kMaxColumns, false);
            present[static_cast<size_t>(c)] = true;
        }
        if (titleIndex == 1 && head.size() > 2)
            firstDataLine = head[2];
    }

    // The known columns a title line names, in column order (the order in which
    // a data line's fields are taken, whatever the order of the titles). The
    // line is split into as many fields as a version-2 file has columns, so that
    // a version-1 catalogue still sees, and marks present, all of its titles.
    std::vector<int> matchTitles(const QString& titleLine) const
    {
        QStringList fields;
        SplitLine(titleLine, fields, kMaxColumns);
        bool taken[kMaxColumns] = {};
        std::vector<int> cols;
        for (const QString& field : fields) {
            for (int c = 0; c < kMaxColumns; ++c) {
                const QString title = columnTitle(c);
                if (field == title || field == QLatin1Char('"') + title + QLatin1Char('"')) {
                    if (!taken[c])
                        cols.push_back(c);
                    taken[c] = true;
                    break;
                }
            }
        }
        std::sort(cols.begin(), cols.end());
        return cols;
    }

    QString shown(QByteArrayView field) const
    {
        QString text =
            csv::decodeText(field.first(std::min<qsizetype>(field.size(), 64)), encoding_);
        for (QChar& ch : text)
            if (!ch.isPrint())
                ch = QLatin1Char('?');
        if (text.size() > kShownFieldChars || field.size() > 64)
            text = text.left(kShownFieldChars) + QStringLiteral("…");
        return text;
    }

    [[noreturn]] void badField(qint64 lineNo, int c, QByteArrayView field, csv::Conversion why)
    {
        const QString title = columnTitle(c);
        if (why == csv::Conversion::Overflow)
            throw VbError(ErrorNumber::Overflow,
                          QStringLiteral("%1行目の「%2」の値が範囲を超えています（%3）。")
                              .arg(lineNo)
                              .arg(title, shown(field)));
        const QString kind = c == 1 ? QStringLiteral("日付") : QStringLiteral("数値");
        throw VbError(ErrorNumber::TypeMismatch,
                      QStringLiteral("%1行目の「%2」が%3ではありません（\"%4\"）。")
                          .arg(lineNo)
                          .arg(title, kind, shown(field)));
    }

    void readDataLine(QByteArrayView line, qint64 lineNo)
    {
        if (line.trimmed().isEmpty())
            return; // an empty line (a tool's extra line ending) carries no record
        StoreGlobals& st = ctx_.store;
        if (st.RecordCount >= kMaxStoredRecords)
            throw VbError(ErrorNumber::BadFileFormat,
                          QStringLiteral("%1行目: 読み込めるデータは%2件までです。")
                              .arg(lineNo)
                              .arg(kMaxStoredRecords));
        QByteArrayView fields[kMaxColumns];
        const int n = csv::splitFields(line, fields, kMaxColumns);
        const int needed = static_cast<int>(columns_.size());
        if (n < needed)
            throw VbError(ErrorNumber::BadFileFormat,
                          QStringLiteral("%1行目の項目が足りません（%2項目のところ%3項目です）。")
                              .arg(lineNo)
                              .arg(needed)
                              .arg(n));
        DataRecord rec;
        const bool version2 = ctx_.app.HardVersion >= 2;
        for (int k = 0; k < needed; ++k) {
            const int c = columns_[static_cast<size_t>(k)];
            const QByteArrayView field = fields[k];
            if (c == 0) {
                const csv::Converted v = csv::toLong(field);
                if (v.status != csv::Conversion::Ok)
                    badField(lineNo, c, field, v.status);
                rec.number = static_cast<std::int32_t>(v.value);
            } else if (c == 1) {
                const std::optional<double> t = csv::toDate(field);
                if (!t)
                    badField(lineNo, c, field, csv::Conversion::NotConvertible);
                rec.setTime(*t);
            } else if (c < kFirstVersion2Column || version2) {
                if (field.trimmed().isEmpty())
                    continue; // an empty measured value reads as 0
                const csv::Converted v = csv::toSingle(field);
                if (v.status != csv::Conversion::Ok)
                    badField(lineNo, c, field, v.status);
                rec.setColumn(c, v.value);
            }
        }
        const double t = rec.time();
        if (st.RecordCount > 0 && vbdate::secondsBetween(lastTime_, t) < 0)
            throw VbError(ErrorNumber::BadFileFormat,
                          QStringLiteral("%1行目の時刻が前の行の時刻より前です。").arg(lineNo));
        const long long interval =
            st.RecordCount == 1 ? vbdate::secondsBetween(st.FirstTime, t) : 0;
        if (interval > INT_MAX)
            throw VbError(
                ErrorNumber::Overflow,
                QStringLiteral("%1行目: 最初の2件の時刻の間隔が長すぎます。").arg(lineNo));

        AppendRecord(ctx_, rec);
        const double watts = rec.column(kActivePowerColumn);
        if (st.RecordCount == 1) {
            st.PeakWatts = watts;
            st.PeakTime = t;
            st.FirstTime = t;
        } else {
            if (st.RecordCount == 2)
                st.SampleInterval = static_cast<int>(interval);
            if (st.PeakWatts < watts) {
                st.PeakWatts = watts;
                st.PeakTime = t;
            }
        }
        lastTime_ = t;
        lastEnergy_ = rec.column(kEnergyColumn);
    }

    Context& ctx_;
    QString path_;
    QFile file_;
    csv::TextEncoding encoding_ = csv::TextEncoding::ShiftJis;
    std::vector<int> columns_; // present columns in column order, as the fields follow them
    double lastTime_ = 0;
    double lastEnergy_ = 0;
};

} // namespace

bool LoadDataFile(Context& ctx, const QString& path)
{
    const int wiringBefore = ctx.store.DataWiring;
    const QString titleBefore = ctx.store.TitleLine;
    std::optional<QString> refusal;
    const bool loaded = trapped(ctx, "LoadDataFile", false, [&] {
        DeleteTmpFile(ctx);
        ResetStore(ctx);
        ctx.app.DataPresent = false;
        try {
            Loader(ctx, path).run();
            return true;
        } catch (const Refusal& r) {
            refusal = r.message;
            return false;
        }
    });
    if (loaded) {
        writeDataSetInfo(ctx, DataSetKind::File);
        return true;
    }
    if (refusal)
        ctx.svc.msg.info(*refusal, MsgIcon::Critical);
    // Nothing of the refused file stays behind.
    CloseTmp(ctx);
    DeleteTmpFile(ctx);
    ResetStore(ctx);
    ctx.app.DataPresent = false;
    ctx.store.DataWiring = wiringBefore;
    ctx.store.TitleLine = titleBefore;
    return false;
}

} // namespace quellin

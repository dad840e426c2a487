// Loading a CSV data file into the store.
//
// The file is read line by line (never whole) and checked as it is read; a file
// that is not a data file is refused as a whole, so that no half-loaded data set
// is ever shown, and the refusal says which line is wrong and how. What a data
// line must hold:
//   - a field under each known title (fields under other titles, and fields
//     beyond the last title, are ignored); a line of nothing but blanks and
//     commas is skipped;
//   - the record number a number within 32 bits, the time in the form
//     yyyy/mm/dd hh:mm:ss, each measured value a number within single
//     precision (an empty one too: a made-up 0 V or 0 W must not enter the data);
//   - times that never go back (the graph's scan relies on time order), the
//     first two a second or more apart. The sample interval is the distance
//     between neighbouring records that occurs most often.

#include "store/CsvLoad.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/CsvFields.h"
#include "store/CsvFile.h"
#include "store/CsvHead.h"
#include "store/CsvLineReader.h"
#include "store/CsvParse.h"
#include "store/CsvText.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "store/RecordSpacing.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace quellin {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kTimeColumn = 1;
constexpr int kActivePowerColumn = 6;
constexpr int kEnergyColumn = 11;
constexpr int kFirstVersion2Column = 13;
constexpr int kShownFieldChars = 24;
constexpr int kBatchRecords = 512; // records written to TMP.DAT at a time

// A refusal that the user is told with a critical box of its own text.
struct Refusal {
    QString message;
};

[[noreturn]] void refuse(const QString& reason)
{
    throw Refusal{invalidDataFileText() + QStringLiteral("\r\n") + reason};
}

QString timeForm()
{
    return fieldPattern(FieldFormat::Time);
}

QString timeText(double t)
{
    QByteArray text;
    csv::appendTime(text, t);
    return QString::fromLatin1(text);
}

// Reads a data file's records into an emptied data set and collects its
// properties, which the caller gives the data set in one step once every record
// is in.
class Loader {
public:
    Loader(DataSet& data, int hardVersion, const QString& path)
        : data_(data), version2_(hardVersion >= 2), path_(path), file_(path)
    {
    }

    // Appends the file's records to the data set; returns its properties.
    DataFileProperties run()
    {
        if (!file_.open(QIODevice::ReadOnly))
            throw VbError(file_.exists() ? ErrorNumber::PathFileAccess : ErrorNumber::FileNotFound,
                          TX("ファイル「%1」を開けません。（%2）")
                              .arg(QDir::toNativeSeparators(path_), file_.errorString()));
        csv::CsvLineReader reader(file_);
        QList<QByteArray> head;
        readHead(reader, head);

        data_.OpenTmpForAppend();
        batch_.reserve(kBatchRecords);
        for (int i = titleLine_ + 1; i < head.size(); ++i)
            readDataLine(head[i], i + 1);
        QByteArrayView line;
        while (next(reader, line))
            readDataLine(line, reader.lineNumber());
        flush();
        data_.CloseTmp();

        if (count_ == 0)
            throw Refusal{noDataRecordedText()};
        if (count_ == 1)
            refuse(TX("データが1件しかありません。2件以上必要です。"));
        loaded_.sampleInterval = static_cast<int>(spacing_.mostCommon());
        loaded_.lastTime = lastTime_;
        loaded_.totalEnergy = lastEnergy_;
        return loaded_;
    }

private:
    // The next line, false at the end of the file.
    bool next(csv::CsvLineReader& reader, QByteArrayView& line)
    {
        const auto status = reader.next(line);
        if (status == csv::CsvLineReader::Status::End)
            return false;
        if (status == csv::CsvLineReader::Status::TooLong)
            throw VbError(ErrorNumber::BadFileFormat,
                          TX("%1行目が長すぎます（%2バイトを超えています）。")
                              .arg(reader.lineNumber())
                              .arg(csv::kMaxLineBytes));
        if (status == csv::CsvLineReader::Status::ReadError)
            throw VbError(ErrorNumber::FileIo,
                          TX("ファイル「%1」を読み込めません。（%2）")
                              .arg(QDir::toNativeSeparators(path_), file_.errorString()));
        return true;
    }

    // The first lines, up to the title line: where the titles stand, the wiring
    // and the data set's title (the file-name line).
    void readHead(csv::CsvLineReader& reader, QList<QByteArray>& head)
    {
        QByteArrayView line;
        while (head.size() < csv::kHeadLines && next(reader, line))
            head.append(line.toByteArray());
        if (head.isEmpty())
            refuse(TX("ファイルが空です。"));
        encoding_ = csv::detectEncoding(head);
        if (head[0].startsWith(csv::kUtf8Bom))
            head[0].remove(0, csv::kUtf8Bom.size());
        const csv::FileHead fileHead = csv::readFileHead(head, encoding_);
        if (fileHead.titleLine < 0) {
            // Three head lines and nothing after them is a file without data,
            // whatever its titles say.
            bool dataFollows = false;
            while (!dataFollows && next(reader, line))
                dataFollows = !csv::isEmptyRow(line);
            if (head.size() == csv::kHeadLines && !dataFollows)
                throw Refusal{noDataRecordedText()};
            refuse(TX("1～3行目に見出しの行（\"番号\",\"時刻\",…）がありません。"));
        }
        titleLine_ = fileHead.titleLine;
        loaded_.wiring = fileHead.wiring;
        loaded_.titleLine = titleLine_ > 0 ? csv::decodeText(head[0], encoding_) : QString();
        auto& present = loaded_.columnPresent;
        present = data_.ColumnPresent(); // none, for the catalogue's columns
        for (const csv::TitleField& t : fileHead.titles) {
            if (static_cast<size_t>(t.column) >= present.size())
                present.resize(kMaxColumns, false);
            present[static_cast<size_t>(t.column)] = true;
            // Under a version-1 catalogue the later columns are known, not read.
            if (t.column < kFirstVersion2Column || version2_)
                read_.push_back(t);
        }
        hasTime_ = fileHead.has(kTimeColumn);
        fieldsNeeded_ = fileHead.fieldsNeeded;
        fields_.resize(static_cast<size_t>(fieldsNeeded_));
    }

    QString shown(QByteArrayView field) const
    {
        if (field.trimmed().isEmpty())
            return TX("空欄");
        QString text =
            csv::decodeText(field.first(std::min<qsizetype>(field.size(), 64)), encoding_);
        for (QChar& ch : text)
            if (!ch.isPrint())
                ch = QLatin1Char('?');
        if (text.size() > kShownFieldChars || field.size() > 64)
            text = text.left(kShownFieldChars) + TX("…");
        return QLatin1Char('"') + text + QLatin1Char('"');
    }

    [[noreturn]] void badField(qint64 lineNo, int c, QByteArrayView field, csv::Conversion why)
    {
        const QString title = txText(columnTitle(c));
        if (why == csv::Conversion::Overflow)
            throw VbError(ErrorNumber::Overflow,
                          TX("%1行目の「%2」の値が範囲を超えています（%3）。")
                              .arg(lineNo)
                              .arg(title, shown(field)));
        throw VbError(ErrorNumber::TypeMismatch,
                      TX("%1行目の「%2」が数値ではありません（%3）。")
                          .arg(lineNo)
                          .arg(title, shown(field)));
    }

    [[noreturn]] void badTime(qint64 lineNo, QByteArrayView field, csv::TimeForm form)
    {
        // Each form is one sentence pair: another language orders its words differently.
        QString text;
        if (form == csv::TimeForm::NotADate)
            text = TX("%1行目の「%2」が日付ではありません（%3）。"
                      "時刻は %4（年/月/日 時:分:秒）の形にしてください。");
        else if (form == csv::TimeForm::NoSeconds)
            text = TX("%1行目の「%2」が時:分までしかありません（%3）。"
                      "秒が保存されていない可能性があります。"
                      "時刻は %4（年/月/日 時:分:秒）の形にしてください。");
        else
            text = TX("%1行目の「%2」の形が違います（%3）。"
                      "時刻は %4（年/月/日 時:分:秒）の形にしてください。");
        throw VbError(ErrorNumber::TypeMismatch,
                      text.arg(QString::number(lineNo), txText(columnTitle(1)), shown(field), timeForm()));
    }

    void readDataLine(QByteArrayView line, qint64 lineNo)
    {
        if (csv::isEmptyRow(line))
            return;
        if (!hasTime_)
            refuse(TX("見出しの行（%1行目）に「%2」がありません。")
                       .arg(titleLine_ + 1)
                       .arg(txText(columnTitle(kTimeColumn))));
        if (count_ >= kMaxStoredRecords)
            throw VbError(ErrorNumber::BadFileFormat,
                          TX("%1行目: 読み込めるデータは%2件までです。")
                              .arg(lineNo)
                              .arg(kMaxStoredRecords));
        const int n = csv::splitFields(line, fields_.data(), fieldsNeeded_);
        if (n < fieldsNeeded_)
            throw VbError(ErrorNumber::BadFileFormat,
                          TX("%1行目の項目が足りません（%2項目のところ%3項目です）。")
                              .arg(lineNo)
                              .arg(fieldsNeeded_)
                              .arg(n));
        DataRecord rec;
        for (const csv::TitleField& t : read_) {
            const QByteArrayView field = fields_[static_cast<size_t>(t.field)];
            if (t.column == kNumberColumn) {
                const csv::Converted v = csv::toLong(field);
                if (v.status != csv::Conversion::Ok)
                    badField(lineNo, t.column, field, v.status);
                rec.number = static_cast<std::int32_t>(v.value);
            } else if (t.column == kTimeColumn) {
                const csv::TimeField time = csv::readTime(field);
                if (time.form != csv::TimeForm::Ok)
                    badTime(lineNo, field, time.form);
                rec.setTime(time.value);
            } else {
                const csv::Converted v = csv::toSingle(field);
                if (v.status != csv::Conversion::Ok)
                    badField(lineNo, t.column, field, v.status);
                rec.setColumn(t.column, v.value);
            }
        }
        checkTime(rec.time(), lineNo);
        add(rec, lineNo);
    }

    void checkTime(double t, qint64 lineNo)
    {
        if (count_ == 0)
            return;
        const long long step = vbdate::secondsBetween(lastTime_, t);
        if (step < 0)
            throw VbError(ErrorNumber::BadFileFormat,
                          TX("%1行目の時刻が前の行の時刻より前です。"
                                         "時刻の古い順に並べてください。")
                              .arg(lineNo));
        if (step <= INT_MAX)
            spacing_.add(step);
        if (count_ != 1)
            return;
        if (step == 0)
            refuse(TX("%1行目と%2行目の時刻が同じです（%3）。"
                                  "秒が保存されていない可能性があります。")
                       .arg(firstLine_)
                       .arg(lineNo)
                       .arg(timeText(t)));
        if (step > INT_MAX)
            throw VbError(
                ErrorNumber::Overflow,
                TX("%1行目: 最初の2件の時刻の間隔が長すぎます。").arg(lineNo));
    }

    void add(const DataRecord& rec, qint64 lineNo)
    {
        const double t = rec.time();
        const double watts = rec.column(kActivePowerColumn);
        if (count_ == 0) {
            loaded_.peakWatts = watts;
            loaded_.peakTime = t;
            loaded_.firstTime = t;
            firstLine_ = lineNo;
        } else {
            if (loaded_.peakWatts < watts) {
                loaded_.peakWatts = watts;
                loaded_.peakTime = t;
            }
        }
        lastTime_ = t;
        lastEnergy_ = rec.column(kEnergyColumn);
        ++count_;
        batch_.push_back(rec);
        if (static_cast<int>(batch_.size()) == kBatchRecords)
            flush();
    }

    void flush()
    {
        data_.AppendRecords(batch_.data(), static_cast<int>(batch_.size()));
        batch_.clear();
    }

    DataSet& data_;
    bool version2_ = false;
    DataFileProperties loaded_; // what the data set is given at the end
    QString path_;
    QFile file_;
    csv::TextEncoding encoding_ = csv::TextEncoding::ShiftJis;
    int titleLine_ = 0;                 // 0-based
    std::vector<csv::TitleField> read_; // the columns whose fields are read, by position
    bool hasTime_ = false;
    int fieldsNeeded_ = 0;
    std::vector<QByteArrayView> fields_; // the fields of the current line
    std::vector<DataRecord> batch_;      // records not yet in TMP.DAT
    int count_ = 0;                      // records read
    RecordSpacing spacing_;
    qint64 firstLine_ = 0;
    double lastTime_ = 0;
    double lastEnergy_ = 0;
};

} // namespace

bool LoadDataFile(Context& ctx, const QString& path)
{
    DataSet& data = ctx.dataSet();
    const int wiringBefore = data.DataWiring();
    const QString titleBefore = data.TitleLine();
    std::optional<QString> refusal;
    const bool loaded = trapped(ctx, "LoadDataFile", false, [&] {
        data.DeleteTmpFile();
        ResetStore(ctx);
        ctx.app.DataPresent = false;
        try {
            data.takeLoadedFile(Loader(data, ctx.app.HardVersion, path).run());
        } catch (const Refusal& r) {
            refusal = r.message;
            return false;
        }
        GraphWindowState& window = ctx.graphWindow();
        window.GraphSpan = 0;
        window.GraphStart = data.FirstTime();
        window.GraphEnd = data.LastTime();
        ctx.app.DataPresent = true;
        LoadListPage(ctx, 0);
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        return true;
    });
    if (loaded) {
        writeDataSetInfo(ctx, DataSetKind::File);
        return true;
    }
    if (refusal)
        ctx.svc.msg.info(*refusal, MsgIcon::Critical);
    // Nothing of the refused file stays behind.
    data.CloseTmp();
    data.DeleteTmpFile();
    ResetStore(ctx);
    ctx.app.DataPresent = false;
    data.restoreWiringAndTitle(wiringBefore, titleBefore);
    return false;
}

std::optional<DataSet> LoadDataFileAside(Context& ctx, const QString& path)
{
    DataSet data = DataSet::inMemory();
    data.ResetStore(ctx.svc.clock.now(), ctx.cat.ColumnLast);
    std::optional<QString> refusal;
    const bool loaded = trapped(ctx, "LoadDataFile", false, [&] {
        try {
            data.takeLoadedFile(Loader(data, ctx.app.HardVersion, path).run());
            return true;
        } catch (const Refusal& r) {
            refusal = r.message;
            return false;
        }
    });
    if (loaded)
        return data;
    if (refusal)
        ctx.svc.msg.info(*refusal, MsgIcon::Critical);
    return std::nullopt;
}

} // namespace quellin

#include "analysis/SurveyWorkbook.h"

#include "base/MeasuredItems.h"
#include "platform/Tx.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <xlsxwriter.h>

namespace quellin {

namespace {

// The titles of the sheets and their columns, in the language of the reader.
const char* const kSummarySheet = TXN("集計");
const char* const kDemandSheet = TXN("デマンド");
const char* const kEnergySheet = TXN("電力量");
const char* const kRecordsSheet = TXN("記録");

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

// One sheet being written, row by row (the workbook keeps little in memory).
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, lxw_format* date)
        : ws_(workbook_add_worksheet(book, utf8(txText(QString::fromUtf8(name))).constData())), date_(date)
    {
    }
    bool ok() const { return ws_ != nullptr && error_ == LXW_NO_ERROR; }
    lxw_error error() const { return ws_ ? error_ : LXW_ERROR_MEMORY_MALLOC_FAILED; }

    void text(int row, int col, const QString& value) { keep(worksheet_write_string(ws_, row, col, utf8(value).constData(), nullptr)); }
    void number(int row, int col, double value)
    {
        if (std::isfinite(value))
            keep(worksheet_write_number(ws_, row, col, value, nullptr));
    }
    // A date value of the program (days since 1899/12/30) is the spreadsheet's own.
    void date(int row, int col, double value) { keep(worksheet_write_number(ws_, row, col, value, date_)); }
    void boolean(int row, int col, bool value) { keep(worksheet_write_boolean(ws_, row, col, value, nullptr)); }
    void width(int first, int last, double chars) { keep(worksheet_set_column(ws_, first, last, chars, nullptr)); }

private:
    void keep(lxw_error e)
    {
        if (ws_ && error_ == LXW_NO_ERROR)
            error_ = e;
    }
    lxw_worksheet* ws_;
    lxw_format* date_;
    lxw_error error_ = LXW_NO_ERROR;
};

void writeSummary(Sheet& s, const Catalog& cat, const SurveyFigures& f)
{
    int r = 0;
    const auto line = [&](const QString& label) {
        s.text(r, 0, label);
        return r++;
    };
    s.date(line(TX("期間の始め")), 1, f.first);
    s.date(line(TX("期間の終わり")), 1, f.last);
    s.number(line(TX("記録数")), 1, f.records);
    s.number(line(TX("記録周期(秒)")), 1, f.periodSeconds);
    s.number(line(TX("欠測数")), 1, f.missing);
    const bool power = !f.byDay.empty();
    const int energy = line(TX("電力量(kWh)"));
    if (power)
        s.number(energy, 1, f.energyKWh);
    const int column = line(TX("積算電力量の差(kWh)"));
    if (f.energyColumnKWh)
        s.number(column, 1, *f.energyColumnKWh);
    s.number(line(TX("デマンド時限(分)")), 1, f.demand.minutes);
    // Rows are written in order (the workbook keeps only the current one).
    const int maxKW = line(TX("最大デマンド(kW)"));
    if (!f.demand.intervals.empty())
        s.number(maxKW, 1, f.demand.maxKW);
    const int maxAt = line(TX("最大デマンドの時限の始め"));
    if (!f.demand.intervals.empty())
        s.date(maxAt, 1, f.demand.maxStart);
    const int load = line(TX("負荷率(%)"));
    if (f.demand.loadFactor)
        s.number(load, 1, *f.demand.loadFactor * 100);
    const int pf = line(TX("平均力率(%)"));
    if (f.powerFactorPercent)
        s.number(pf, 1, *f.powerFactorPercent);

    ++r;
    const char* const itemHeads[] = {TXN("項目"), TXN("最小"), TXN("最小の時刻"), TXN("最大"), TXN("最大の時刻"), TXN("平均")};
    for (int c = 0; c < 6; ++c)
        s.text(r, c, txText(QString::fromUtf8(itemHeads[c])));
    ++r;
    for (const ItemFigures& i : f.items) {
        s.text(r, 0, txText(surveyItemTitle(cat, i.column)));
        s.number(r, 1, i.min);
        s.date(r, 2, i.minTime);
        s.number(r, 3, i.max);
        s.date(r, 4, i.maxTime);
        s.number(r, 5, i.mean);
        ++r;
    }
    if (!f.gaps.empty()) {
        ++r;
        s.text(r, 0, TX("欠測の前の記録"));
        s.text(r, 1, TX("欠測の後の記録"));
        s.text(r, 2, TX("欠測件数"));
        ++r;
        for (const RecordGap& g : f.gaps) {
            s.date(r, 0, g.after);
            s.date(r, 1, g.before);
            s.number(r, 2, g.missing);
            ++r;
        }
    }
    s.width(0, 0, 26);
    s.width(1, 5, 20);
}

void writeDemand(Sheet& s, const SurveyFigures& f)
{
    s.text(0, 0, TX("時限の始め"));
    s.text(0, 1, TX("デマンド(kW)"));
    s.text(0, 2, TX("記録数"));
    s.text(0, 3, TX("時限を満たす"));
    int r = 1;
    for (const DemandInterval& in : f.demand.intervals) {
        s.date(r, 0, in.start);
        s.number(r, 1, in.kW);
        s.number(r, 2, in.records);
        s.boolean(r, 3, in.complete);
        ++r;
    }
    s.width(0, 0, 20);
    s.width(1, 3, 14);
}

void writeEnergy(Sheet& s, const SurveyFigures& f)
{
    s.text(0, 0, TX("時刻"));
    s.text(0, 1, TX("電力量(kWh)"));
    s.text(0, 3, TX("日付"));
    s.text(0, 4, TX("電力量(kWh)"));
    // Row by row: the hours and the days side by side.
    const size_t rows = std::max(f.byHour.size(), f.byDay.size());
    for (size_t i = 0; i < rows; ++i) {
        const int r = static_cast<int>(i) + 1;
        if (i < f.byHour.size()) {
            s.date(r, 0, f.byHour[i].start);
            s.number(r, 1, f.byHour[i].kWh);
        }
        if (i < f.byDay.size()) {
            s.date(r, 3, f.byDay[i].start);
            s.number(r, 4, f.byDay[i].kWh);
        }
    }
    s.width(0, 0, 20);
    s.width(3, 3, 20);
    s.width(1, 4, 14);
}

void writeRecords(Sheet& s, const Catalog& cat, const DataSet& data, const AnalysisPeriod& period)
{
    std::vector<int> columns;
    for (int c = column::kVoltR; c < kMaxColumns; ++c)
        if (data.columnPresent(c))
            columns.push_back(c);
    s.text(0, 0, txText(surveyItemTitle(cat, column::kNumber)));
    s.text(0, 1, txText(surveyItemTitle(cat, column::kTime)));
    for (size_t k = 0; k < columns.size(); ++k)
        s.text(0, static_cast<int>(k) + 2, txText(surveyItemTitle(cat, columns[k])));
    // Read a page at a time: a full store is not held twice.
    constexpr int kPage = 4096;
    int row = 1;
    std::vector<DataRecord> page;
    for (int first = 1; first <= data.RecordCount() && s.ok(); first += kPage) {
        data.ReadRecordsInto(first, std::min(kPage, data.RecordCount() - first + 1), page);
        for (const DataRecord& rec : page) {
            if (!inAnalysisPeriod(period, rec.time()))
                continue;
            s.number(row, 0, rec.number);
            s.date(row, 1, rec.time());
            for (size_t k = 0; k < columns.size(); ++k)
                s.number(row, static_cast<int>(k) + 2, rec.column(columns[k]));
            ++row;
        }
    }
    s.width(1, 1, 20);
    s.width(2, static_cast<int>(columns.size()) + 1, 13);
}

} // namespace

QString writeSurveyWorkbook(const QString& path, const Catalog& cat, const DataSet& data,
                            const AnalysisPeriod& period, const SurveyFigures& figures)
{
    const QString part = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(part);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray tmp = QFile::encodeName(QFileInfo(path).absolutePath());
    options.tmpdir = const_cast<char*>(tmp.constData());
    lxw_workbook* book = workbook_new_opt(partName.constData(), &options);
    if (!book)
        return TX("ブック %1 を作成できません。").arg(path);
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy/mm/dd hh:mm:ss");

    lxw_error failed = LXW_NO_ERROR;
    try {
        Sheet summary(book, kSummarySheet, date);
        writeSummary(summary, cat, figures);
        Sheet demand(book, kDemandSheet, date);
        writeDemand(demand, figures);
        Sheet energy(book, kEnergySheet, date);
        writeEnergy(energy, figures);
        Sheet records(book, kRecordsSheet, date);
        writeRecords(records, cat, data, period);
        for (const Sheet* s : {&summary, &demand, &energy, &records})
            if (!s->ok() && failed == LXW_NO_ERROR)
                failed = s->error();
    } catch (...) {
        // TMP.DAT could not be read: no half a workbook is left behind.
        workbook_close(book);
        QFile::remove(part);
        throw;
    }
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    if (failed == LXW_NO_ERROR)
        failed = closed;
    if (failed != LXW_NO_ERROR) {
        QFile::remove(part);
        return TX("ブック %1 を書き込めません（%2）。").arg(path, QString::fromUtf8(lxw_strerror(failed)));
    }
    // The finished file takes the name in one step.
    if (std::rename(partName.constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(part);
        return TX("ブック %1 を書き込めません。").arg(path);
    }
    return {};
}

} // namespace quellin

#include "views/FrmReport.h"

#include "analysis/SurveySummary.h"
#include "analysis/SurveyWorkbook.h"
#include "base/ErrorReport.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"

#include <QBarCategoryAxis>
#include <QStackedBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace quellin {

namespace {

constexpr int kMostBars = 96; // two days of half hours; more are the last ones

QTableWidget* table(QWidget* parent, const QStringList& heads, const char* name)
{
    auto* t = new QTableWidget(0, static_cast<int>(heads.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void setRow(QTableWidget* t, int row, const QStringList& cells)
{
    if (t->rowCount() <= row)
        t->setRowCount(row + 1);
    for (int c = 0; c < cells.size(); ++c)
        t->setItem(row, c, new QTableWidgetItem(cells[c]));
}

// A bar chart of values under category labels; the bar at `marked` in its own colour.
void fillBars(QChart* chart, const QStringList& labels, const std::vector<double>& values,
              int marked, const QString& unit)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    auto* plain = new QBarSet(unit);
    auto* peak = new QBarSet(TX("最大"));
    plain->setColor(QColor(0x3b, 0x7d, 0xd8));
    peak->setColor(QColor(0xe0, 0x4a, 0x3a));
    double top = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const bool isPeak = static_cast<int>(i) == marked;
        *plain << (isPeak ? 0.0 : values[i]);
        *peak << (isPeak ? values[i] : 0.0);
        top = std::max(top, values[i]);
    }
    auto* series = new QStackedBarSeries; // the peak stands where its bar would
    series->append(plain);
    if (marked >= 0)
        series->append(peak);
    else
        delete peak;
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setRange(0, top > 0 ? top * 1.1 : 1);
    y->setTitleText(unit);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setVisible(marked >= 0);
}

QChart* chartIn(QWidget* parent, QLayout* layout, const QString& title, const char* name)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setMargins(QMargins(2, 2, 2, 2));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(220);
    layout->addWidget(view);
    return chart;
}

} // namespace

FrmReport::FrmReport(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmReport"));
    setWindowTitle(TX("集計・レポート"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    DtpFrom = new QDateTimeEdit(this);
    DtpTo = new QDateTimeEdit(this);
    for (QDateTimeEdit* e : {DtpFrom, DtpTo})
        e->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    DtpFrom->setObjectName(QStringLiteral("DtpFrom"));
    DtpTo->setObjectName(QStringLiteral("DtpTo"));
    CmbDemand = new QComboBox(this);
    CmbDemand->setObjectName(QStringLiteral("CmbDemand"));
    CmbDemand->addItems({TX("15分"), TX("30分"), TX("60分")});
    CmbDemand->setCurrentIndex(1);
    CmdWhole = new QPushButton(TX("全期間"), this);
    CmdWhole->setObjectName(QStringLiteral("CmdWhole"));
    LblError = new QLabel(this);
    LblError->setObjectName(QStringLiteral("LblError"));
    LblError->setStyleSheet(QStringLiteral("color: #b00020;"));

    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(new QLabel(TX("期間："), this));
    periodRow->addWidget(DtpFrom);
    periodRow->addWidget(new QLabel(TX("～"), this));
    periodRow->addWidget(DtpTo);
    periodRow->addWidget(CmdWhole);
    periodRow->addSpacing(16);
    periodRow->addWidget(new QLabel(TX("デマンド時限："), this));
    periodRow->addWidget(CmbDemand);
    periodRow->addStretch(1);

    GrdSummary = table(this, {TX("集計"), TX("値")}, "GrdSummary");
    GrdItems = table(this,
                     {TX("項目"), TX("最小"), TX("最小の時刻"),
                      TX("最大"), TX("最大の時刻"), TX("平均")},
                     "GrdItems");
    auto* tables = new QHBoxLayout;
    tables->addWidget(GrdSummary, 2);
    tables->addWidget(GrdItems, 3);
    auto* charts = new QHBoxLayout;
    demandChart_ = chartIn(this, charts, TX("デマンド（kW）"), "ChtDemand");
    energyChart_ = chartIn(this, charts, TX("日ごとの電力量（kWh）"), "ChtEnergy");

    CmdWorkbook = new QPushButton(TX("ブックに保存..."), this);
    CmdWorkbook->setObjectName(QStringLiteral("CmdWorkbook"));
    CmdPdfReport = new QPushButton(TX("PDFレポート..."), this);
    CmdPdfReport->setObjectName(QStringLiteral("CmdPdfReport"));
    CmdClose = new QPushButton(TX("閉じる"), this);
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LblError, 1);
    buttons->addWidget(CmdWorkbook);
    buttons->addWidget(CmdPdfReport);
    buttons->addWidget(CmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(periodRow);
    layout->addLayout(tables, 1);
    layout->addLayout(charts, 1);
    layout->addLayout(buttons);

    connect(CmdWhole, &QPushButton::clicked, this, [this] {
        narrowed_ = false;
        refresh();
    });
    for (QDateTimeEdit* e : {DtpFrom, DtpTo})
        connect(e, &QDateTimeEdit::editingFinished, this, [this] {
            narrowed_ = true;
            refresh();
        });
    connect(CmbDemand, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(CmdWorkbook, &QPushButton::clicked, this, [this] { saveWorkbook(); });
    connect(CmdPdfReport, &QPushButton::clicked, this, [this] {
        if (figures_ && printReport)
            printReport(*figures_);
    });
    connect(CmdClose, &QPushButton::clicked, this, [this] { close(); });
    resize(1100, 760);
    refresh();
}

int FrmReport::demandMinutes() const
{
    static constexpr int kMinutes[] = {15, 30, 60};
    return kMinutes[std::clamp(CmbDemand->currentIndex(), 0, 2)];
}

AnalysisPeriod FrmReport::period() const
{
    if (!narrowed_)
        return {};
    return {vbdate::fromQDateTime(DtpFrom->dateTime()), vbdate::fromQDateTime(DtpTo->dateTime())};
}

void FrmReport::setPeriod(double from, double to)
{
    if (to < from)
        std::swap(from, to);
    {
        const QSignalBlocker a(DtpFrom), b(DtpTo);
        DtpFrom->setDateTime(vbdate::toQDateTime(from));
        DtpTo->setDateTime(vbdate::toQDateTime(to));
    }
    narrowed_ = true;
    refresh();
}

void FrmReport::setWholePeriod()
{
    const QSignalBlocker a(DtpFrom), b(DtpTo);
    DtpFrom->setDateTime(vbdate::toQDateTime(figures_->first));
    DtpTo->setDateTime(vbdate::toQDateTime(figures_->last));
}

void FrmReport::refresh()
{
    SurveyResult result{std::nullopt, noRecordsInPeriodText()};
    // TMP.DAT may fail to read: said in the status bar, the window stays.
    trapped(
        ctx_, "FrmReport_Refresh", false,
        [&] {
            if (ctx_.dataSet().RecordCount() > 0)
                result = analyseDataSet(ctx_.dataSet(), period(), demandMinutes());
            return true;
        },
        ReportTo::StatusBar);
    figures_ = std::move(result.figures);
    LblError->setText(result.error);
    CmdWorkbook->setEnabled(figures_.has_value());
    CmdPdfReport->setEnabled(figures_.has_value() && printReport);
    if (figures_ && !narrowed_)
        setWholePeriod();
    showFigures();
}

void FrmReport::showFigures()
{
    GrdSummary->setRowCount(0);
    GrdItems->setRowCount(0);
    if (!figures_) {
        fillBars(demandChart_, {}, {}, -1, QStringLiteral("kW"));
        fillBars(energyChart_, {}, {}, -1, QStringLiteral("kWh"));
        return;
    }
    const SurveyFigures& f = *figures_;
    const auto number = [](double v, const char* format) { return Format(v, QString::fromLatin1(format)); };
    const SummaryRows rows = surveySummaryRows(f);
    for (size_t r = 0; r < rows.size(); ++r)
        setRow(GrdSummary, static_cast<int>(r), {rows[r].first, rows[r].second});
    for (int r = 0; r < static_cast<int>(f.items.size()); ++r) {
        const ItemFigures& i = f.items[static_cast<size_t>(r)];
        setRow(GrdItems, r,
               {txText(surveyItemTitle(ctx_.cat, i.column)), number(i.min, "0.000E+0"), surveyTime(i.minTime), number(i.max, "0.000E+0"),
                surveyTime(i.maxTime), number(i.mean, "0.000E+0")});
    }

    // The newest intervals when there are many: a bar must stay readable.
    const auto& intervals = f.demand.intervals;
    const size_t firstBar = intervals.size() > kMostBars ? intervals.size() - kMostBars : 0;
    QStringList labels;
    std::vector<double> values;
    int marked = -1;
    for (size_t k = firstBar; k < intervals.size(); ++k) {
        labels << Format(intervals[k].start, QStringLiteral("mm/dd hh:mm"));
        values.push_back(intervals[k].kW);
        if (std::fabs(intervals[k].start - f.demand.maxStart) < 1e-9 && intervals[k].kW == f.demand.maxKW)
            marked = static_cast<int>(k - firstBar);
    }
    fillBars(demandChart_, labels, values, marked, QStringLiteral("kW"));
    QStringList days;
    std::vector<double> energy;
    for (const EnergySlot& s : f.byDay) {
        days << Format(s.start, QStringLiteral("mm/dd"));
        energy.push_back(s.kWh);
    }
    fillBars(energyChart_, days, energy, -1, QStringLiteral("kWh"));
}

void FrmReport::saveWorkbook()
{
    if (!figures_)
        return;
    FileDialogRequest request;
    request.owner = this;
    request.filter = TX("Excelﾌﾞｯｸ(*.xlsx)");
    request.pattern = QStringLiteral("*.xlsx");
    request.initialFolder = ctx_.app.FilePath;
    request.defaultExtension = QStringLiteral("*.xlsx");
    request.title = TX("ブックに保存");
    const QString path = ctx_.svc.files.saveFile(request);
    if (path.isEmpty())
        return;
    // The records come from TMP.DAT: a failing read is reported under the command's name.
    const QString error = trapped(ctx_, "CmdWorkbook_Click", QString(), [&] {
        return writeSurveyWorkbook(path, ctx_.cat, ctx_.dataSet(), period(), *figures_);
    });
    if (!error.isEmpty())
        ctx_.svc.msg.info(error, MsgIcon::Exclamation);
}

} // namespace quellin

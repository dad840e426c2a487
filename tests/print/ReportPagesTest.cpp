// The report's pages painted onto a device that keeps every text drawn, and
// written as a PDF read back: what the first page says, the page numbers, the
// maximum demand marked, and every demand interval listed once however many
// pages its table runs over.

#include "print/ReportPages.h"

#include "Catalogue.h"
#include "EnglishTexts.h"
#include "PdfProbe.h"
#include "TestContext.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "print/PrintFiles.h"
#include "store/ModFile.h"

#include <QDir>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <gtest/gtest.h>
#include <cmath>

namespace quellin {
namespace {

// Keeps the texts painted on it; draws nothing.
class TextEngine : public QPaintEngine {
public:
    TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
};

class TextPage : public QPaintDevice {
public:
    explicit TextPage(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TextEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmWidth || m == PdmHeight)
            return m == PdmWidth ? size_.width() : size_.height();
        if (m == PdmDevicePixelRatioScaled)
            return static_cast<int>(devicePixelRatioFScale());
        return m == PdmDepth ? 32 : (m == PdmDevicePixelRatio ? 1 : 72); // 72 dpi
    }

private:
    QSize size_;
};

// The texts of every page, painted at 72 dpi on the section's own layout (a
// text comes in runs of one script each: "計測" "レポート").
std::vector<QStringList> pageTexts(ReportSection& report)
{
    const QSize size = report.pageLayout().paintRectPixels(72).size();
    const PageArea area{QSizeF(size), 72};
    TextPage counter(size);
    std::vector<QStringList> pages(static_cast<size_t>(report.pageCount(counter, area)));
    for (size_t i = 0; i < pages.size(); ++i) {
        TextPage page(size);
        QPainter p(&page);
        report.paintPage(p, area, static_cast<int>(i));
        p.end();
        pages[i] = page.engine.texts;
    }
    return pages;
}

constexpr double kStart = 45425; // 2024/05/13 00:00

struct Case {
    const char* name;
    int records;
    int periodSeconds;
    bool power;
    QString titleLine;
    QString heading;    // the first page's second line
    QString maxDemand;  // the marked bar's text; empty: no demand at all
    int listedRows;     // demand intervals and hours listed in the tables
};

class ReportPages : public ::testing::TestWithParam<Case> {};

TEST_P(ReportPages, NumberEveryPageAndListEachIntervalOnce)
{
    const Case& c = GetParam();
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    ResetStore(*t.ctx);
    DataSet& data = t.ctx->dataSet();
    data.OpenTmpForAppend();
    for (int i = 0; i < c.records; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(kStart + i * c.periodSeconds / 86400.0);
        r.setColumn(column::kVoltR, 100 + std::sin(i / 50.0));
        // A load that rises through the day: the last interval holds the maximum.
        r.setColumn(column::kActivePower, 1000.0 + 2 * i);
        r.setColumn(column::kApparentPower, 1250.0 + 2 * i);
        data.AppendRecord(r);
    }
    data.CloseTmp();
    DataSetProperties& props = test::DataSetAccess::properties(data);
    props.ColumnPresent.assign(kMaxColumns, false);
    for (int col : {column::kNumber, column::kTime, column::kVoltR})
        props.ColumnPresent[size_t(col)] = true;
    if (c.power)
        props.ColumnPresent[column::kActivePower] = props.ColumnPresent[column::kApparentPower] = true;
    props.SampleInterval = c.periodSeconds;
    props.TitleLine = c.titleLine;
    props.DataWiring = 1;
    const SurveyResult result = analyseDataSet(data, {}, 30);
    ASSERT_TRUE(result.figures) << result.error.toStdString();
    ReportSection report(t.ctx->cat, 2, data, *result.figures, reportHeading(t.ctx->app, data),
                         kStart + 3.5, t.services);
    const std::vector<QStringList> pages = pageTexts(report);
    ASSERT_FALSE(pages.empty());

    const QString first = pages.front().join(QString());
    for (const QString& text : {QString("計測レポート"), c.heading, QString("単相３線式"),
                                "2024/05/13 00:00:00 ～ " + surveyTime(result.figures->last)})
        EXPECT_TRUE(first.contains(text)) << text.toStdString() << " in " << first.toStdString();
    const int n = static_cast<int>(pages.size());
    int listedRows = 0, marked = 0;
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i + 1);
        const QString page = pages[size_t(i)].join(QString());
        EXPECT_TRUE(page.contains(QString("%1 / %2").arg(i + 1).arg(n)));
        EXPECT_TRUE(page.contains("印刷日 2024/05/16 12:00"));
        // The demand intervals' and the hours' first cells: "yyyy/mm/dd hh:mm".
        static const QRegularExpression start(R"(^\d{4}/\d\d/\d\d \d\d:[03]0$)");
        listedRows += static_cast<int>(pages[size_t(i)].filter(start).size());
        marked += c.maxDemand.isEmpty() ? 0 : static_cast<int>(page.count(c.maxDemand));
        for (const char* caption : {"デマンド（30分）の区間", "日ごとの電力量", "時間ごとの電力量"})
            EXPECT_TRUE(c.maxDemand.isEmpty() ? !page.contains(caption) : true) << caption;
    }
    EXPECT_EQ(listedRows, c.listedRows);
    EXPECT_EQ(marked, c.maxDemand.isEmpty() ? 0 : 1);

    // The same pages in a PDF: as many, all A4 portrait, under the report's title.
    const QString pdf = t.path("report.pdf");
    const FileWriteResult written = writePdfFile(pdf, {&report}, reportTitleText());
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    const test::PdfProbe probe(pdf);
    const std::vector<QSizeF> sizes = probe.pageSizes();
    EXPECT_EQ(static_cast<int>(sizes.size()), n);
    for (const QSizeF& s : sizes)
        EXPECT_EQ(s.toSize(), QSize(595, 842));
    EXPECT_TRUE(probe.hasTitle(reportTitleText()));

    // The first page as a picture for the help and the README.
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        constexpr int dpi = 110;
        const QRect paint = report.pageLayout().paintRectPixels(dpi);
        QImage image(report.pageLayout().fullRectPixels(dpi).size(), QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
        image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(paint.topLeft());
        report.paintPage(p, {QSizeF(paint.size()), double(dpi)}, 0);
        p.end();
        QDir().mkpath(dir);
        image.save(dir + QStringLiteral("/report-page-%1.png").arg(c.name));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, ReportPages,
    ::testing::Values(
        // Two days of minutes: 96 half hours and 48 hours, the tables over
        // several pages; the last half hour averages records 2850..2879,
        // 1000 + 2 × 2864.5 W.
        Case{"TwoDaysOfMinutes", 2880, 60, true, "ファイル名=\"two.csv\"", "ファイル名=\"two.csv\"",
             "最大 6.729 kW（05/14 23:30）", 96 + 48},
        // One record: its own interval, not complete, still the maximum.
        Case{"OneRecord", 1, 60, true, QString(), "計測データ（ファイル未保存）", "最大 1.000 kW（05/13 00:00）", 2},
        // No active power: no demand, no energy, still numbered pages.
        Case{"NoPower", 600, 60, false, QString(), "計測データ（ファイル未保存）", QString(), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportChartAxis, ZeroAndAboutFiveRoundStepsWithAirAtTheTop)
{
    struct Case {
        double lo, hi;
        AxisSteps want;
    };
    for (const Case& c : {Case{0, 6.729, {0, 8, 2}}, Case{0, 5, {0, 6, 1}}, Case{0, 186.192, {0, 200, 50}},
                          Case{-0.3, 0.12, {-0.3, 0.2, 0.1}}, Case{0, 0, {0, 1, 0.2}}}) {
        SCOPED_TRACE(c.hi);
        const AxisSteps a = axisSteps(c.lo, c.hi);
        EXPECT_DOUBLE_EQ(a.ymin, c.want.ymin);
        EXPECT_DOUBLE_EQ(a.ymax, c.want.ymax);
        EXPECT_DOUBLE_EQ(a.step, c.want.step);
    }
}

// A column whose title or first-column text is wider than designed grows to
// hold it, as far as the table stays within the page; the others keep their width.
TEST(ReportTableFit, WideTextsWidenTheirColumnWithinThePage)
{
    const QString longText = QStringLiteral("Leakage current 1 (mA) and a long remark");
    const struct { const char* name; QStringList titles, row; double maxWidth; bool firstGrows, secondGrows; } cases[] = {
        {"fits", {"a", "b"}, {"x", "y"}, 500, false, false},
        {"long first cell", {"a", "b"}, {longText, "y"}, 500, true, false},
        {"long title", {"a", longText}, {"x", "y"}, 500, false, true},
        {"long cell elsewhere", {"a", "b"}, {"x", longText}, 500, false, false},
        {"page full", {"a", "b"}, {longText, "y"}, 100, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportTable t;
        t.titles = c.titles;
        t.widths = {50, 50};
        t.rows = {c.row};
        fitReportTable(t, c.maxWidth, true);
        EXPECT_EQ(t.widths[0] > 50, c.firstGrows);
        EXPECT_EQ(t.widths[1] > 50, c.secondGrows);
        EXPECT_LE(t.width(), std::max(c.maxWidth, 100.0));
    }
}

struct HeadingCase {
    const char* name;
    QString versionText;
    int wiring;
    QString titleLine;
    ReportHeading want;
};

class ReportHeadings : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(ReportHeadings, SayWhatIsKnownAndNothingMadeUp)
{
    const HeadingCase& c = GetParam();
    test::TestContext t;
    t.ctx->app.HardVersionText = c.versionText;
    DataSetProperties& props = test::DataSetAccess::properties(t.ctx->dataSet());
    props.DataWiring = c.wiring;
    props.TitleLine = c.titleLine;
    const ReportHeading h = reportHeading(t.ctx->app, t.ctx->dataSet());
    EXPECT_EQ(h.title, c.want.title);
    EXPECT_EQ(h.meter, c.want.meter);
    EXPECT_EQ(h.wiring, c.want.wiring);
}

// In English the heading names the wiring from the data set's number, not from
// a Japanese text taken apart.
TEST(ReportHeadings, EnglishNamesTheWiring)
{
    test::TestContext t;
    const test::EnglishTexts english;
    ASSERT_TRUE(english.loaded());
    t.ctx->app.HardVersionText = QStringLiteral("2.10");
    const std::pair<int, const char*> wirings[] = {
        {1, "Single-phase 3-wire"}, {2, "Three-phase 3-wire"}, {-1, "Unknown"}};
    for (const auto& [wiring, name] : wirings) {
        test::DataSetAccess::properties(t.ctx->dataSet()).DataWiring = wiring;
        const ReportHeading h = reportHeading(t.ctx->app, t.ctx->dataSet());
        EXPECT_EQ(h.wiring, QString::fromUtf8(name)) << wiring;
        EXPECT_EQ(h.meter, QStringLiteral("Hardware version 2.10"));
        EXPECT_EQ(h.title, QStringLiteral("Measurement data (not saved to a file)"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportHeadings,
    ::testing::Values(
        HeadingCase{"Loaded", "2.10", 2, "ファイル名=\"a.csv\"", {"ファイル名=\"a.csv\"", "ハードバージョン 2.10", "三相３線式"}},
        HeadingCase{"NotAsked", kNotQueriedText, 0, "  ", {untitledReportText(), "不明", "単相２線式"}},
        HeadingCase{"UnknownWiring", "1", -1, QString(), {untitledReportText(), "ハードバージョン 1", "不明"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin

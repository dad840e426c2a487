// The report window over the current data set: the summary and the items, a
// narrowed period and back to the whole, the workbook export.

#include "views/FrmReport.h"

#include "Catalogue.h"
#include "Controls.h"
#include "DataSetAccess.h"
#include "TestContext.h"
#include "base/MeasuredItems.h"
#include "store/ModFile.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

QString summaryValue(FrmReport& w, const QString& label)
{
    const auto* grid = control<QTableWidget>(w, "GrdSummary");
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == label)
            return grid->item(r, 1)->text();
    return QStringLiteral("(none)");
}

TEST(FrmReport, ShowsTheFiguresFollowsAPeriodAndSavesAWorkbook)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    ResetStore(*t.ctx);
    t.ctx->dataSet().OpenTmpForAppend();
    // Six ten-minute records from 23:30: 1, 2, ... 6 kW.
    const double start = 45425 + (23 * 60 + 30) / 1440.0;
    for (int i = 0; i < 6; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(start + i * 10 / 1440.0);
        r.setColumn(column::kActivePower, 1000.0 * (i + 1));
        r.setColumn(column::kApparentPower, 1250.0 * (i + 1));
        t.ctx->dataSet().AppendRecord(r);
    }
    t.ctx->dataSet().CloseTmp();
    test::DataSetAccess::properties(t.ctx->dataSet()).ColumnPresent.assign(kMaxColumns, true);
    test::DataSetAccess::properties(t.ctx->dataSet()).SampleInterval = 600;
    t.ctx->app.DataPresent = true;

    FrmReport w(*t.ctx);
    w.show();
    struct Want {
        QString label, value;
    };
    // 21 kW for ten minutes each: 3.5 kWh.
    for (const Want& want : {Want{"記録数", "6"}, Want{"電力量", "3.500 kWh"}, Want{"平均力率", "80.0 %"},
                             Want{"最大デマンド", "5.000 kW（2024/05/14 00:00:00 から）"}})
        EXPECT_EQ(summaryValue(w, want.label), want.value) << want.label.toStdString();
    EXPECT_GT(control<QTableWidget>(w, "GrdItems")->rowCount(), 2);
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QDir().mkpath(dir);
        w.grab().save(dir + QStringLiteral("/report-window.png"));
    }

    // Narrowed to midnight on, then the whole period again.
    auto* from = control<QDateTimeEdit>(w, "DtpFrom");
    from->setDateTime(from->dateTime().addSecs(30 * 60));
    Q_EMIT from->editingFinished();
    EXPECT_EQ(summaryValue(w, "記録数"), "3");
    EXPECT_EQ(summaryValue(w, "電力量"), "2.500 kWh");
    control<QPushButton>(w, "CmdWhole")->click();
    EXPECT_EQ(summaryValue(w, "記録数"), "6");

    const QString book = t.path(QStringLiteral("survey.xlsx"));
    t.files.answers.push_back(book);
    control<QPushButton>(w, "CmdWorkbook")->click();
    EXPECT_TRUE(QFile::exists(book));
    EXPECT_FALSE(QFile::exists(book + QStringLiteral(".part")));
    EXPECT_TRUE(t.msg.shown.empty());

    // The printed report is the main window's: it gets the figures shown, and
    // the button waits for it.
    auto* pdf = control<QPushButton>(w, "CmdPdfReport");
    EXPECT_FALSE(pdf->isEnabled());
    int printed = 0;
    w.printReport = [&](const SurveyFigures& f) { printed = f.records; };
    w.refresh();
    pdf->click();
    EXPECT_EQ(printed, 6);

    // Emptied: no figure, the reason, nothing to save.
    t.ctx->dataSet().DeleteTmpFile();
    ResetStore(*t.ctx);
    t.ctx->app.DataPresent = false;
    w.refresh();
    EXPECT_EQ(control<QTableWidget>(w, "GrdSummary")->rowCount(), 0);
    EXPECT_FALSE(control<QPushButton>(w, "CmdWorkbook")->isEnabled());
    EXPECT_FALSE(pdf->isEnabled());
}

} // namespace
} // namespace quellin

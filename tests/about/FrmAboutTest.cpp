#include "about/FrmAbout.h"

#include "Controls.h"
#include "TestContext.h"
#include "about/AboutTexts.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

TEST(FrmAbout, ShowsTheProgramAndTheMetersVersion)
{
    test::TestContext t;
    t.ctx->app.HardVersion = 2;
    t.ctx->app.HardVersionText = QStringLiteral("V2.10");
    frmAbout box(*t.ctx);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Quellinのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(control<QLabel>(box, "LblTitle")->text(), QStringLiteral("Quellin"));
    // The minor version always with two digits.
    EXPECT_EQ(control<QLabel>(box, "lblVersion")->text(),
              QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2")
                  .arg(QUELLIN_VERSION_MAJOR)
                  .arg(QUELLIN_VERSION_MINOR, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(control<QLabel>(box, "lblHDVer")->text(), QStringLiteral("ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ V2.10"));
    EXPECT_FALSE(control<QLabel>(box, "lblDisclaimer")->text().isEmpty());

    // With QUELLIN_SCREENSHOT_DIR set, the box is kept there as a picture.
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        box.show();
        QDir().mkpath(dir);
        box.grab().save(QDir(dir).filePath(QStringLiteral("about.png")));
    }
    control<QPushButton>(box, "cmdOK")->click();
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

struct SysInfoCase {
    const char* name;
    bool installed;
    bool starts;
    bool message;
};

class SystemInfoButton : public ::testing::TestWithParam<SysInfoCase> {};

TEST_P(SystemInfoButton, StartsTheProgramOrSaysThereIsNone)
{
    const SysInfoCase& c = GetParam();
    test::TestContext t;
    frmAbout box(*t.ctx);
    QStringList started;
    box.findExecutable = [&](const QString& name) {
        return c.installed && name == QStringLiteral("kinfocenter")
                   ? QStringLiteral("/usr/bin/kinfocenter")
                   : QString();
    };
    box.startProgram = [&](const QString& path) {
        started << path;
        return c.starts;
    };
    control<QPushButton>(box, "cmdSysInfo")->click();
    EXPECT_EQ(started,
              c.installed ? QStringList{QStringLiteral("/usr/bin/kinfocenter")} : QStringList{});
    EXPECT_EQ(t.msg.texts(), c.message ? QStringList{noSystemInfoText()} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Desktops, SystemInfoButton,
                         ::testing::Values(SysInfoCase{"Installed", true, true, false},
                                           SysInfoCase{"NotInstalled", false, false, true},
                                           SysInfoCase{"FailsToStart", true, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin

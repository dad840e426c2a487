// The splash's 中止: offered only while the version is awaited, by the button or
// Escape, and it gives up that wait once.

#include "about/FrmSplash.h"

#include "Controls.h"

#include <QDir>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

void pressEscape(QWidget& w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

TEST(FrmSplash, CancelGivesUpTheVersionWaitOnce)
{
    for (const bool byKey : {false, true}) {
        FrmSplash splash;
        splash.show();
        int cancelled = 0;
        QPushButton* button = control<QPushButton>(splash, "CmdCancel");
        EXPECT_FALSE(button->isVisibleTo(&splash));
        pressEscape(splash); // nothing offered: nothing happens
        splash.showVersionCheck(QStringLiteral("ハードバージョンを調べてます。"));
        splash.offerCancel([&cancelled] { ++cancelled; });
        EXPECT_TRUE(button->isVisibleTo(&splash));
        if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
            !dir.isEmpty() && !byKey) {
            QDir().mkpath(dir);
            splash.grab().save(QDir(dir).filePath(QStringLiteral("splash.png")));
        }
        if (byKey)
            pressEscape(splash);
        else
            button->click();
        EXPECT_EQ(cancelled, 1) << byKey;
        EXPECT_FALSE(button->isVisibleTo(&splash)) << byKey;
        pressEscape(splash);
        EXPECT_EQ(cancelled, 1) << byKey;
    }
}

} // namespace
} // namespace quellin

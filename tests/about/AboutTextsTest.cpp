#include "about/AboutTexts.h"

#include <QMap>
#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(AboutTexts, HardVersionAsTheMeterSaidItOrAsChosen)
{
    AppGlobals app;
    app.HardVersion = 2;
    app.HardVersionText = QStringLiteral("V2.10");
    EXPECT_EQ(aboutHardVersionText(app), QStringLiteral("ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ V2.10"));
    // Chosen by the user: the number, a blank and the not-queried text.
    app.HardVersionText = kNotQueriedText;
    EXPECT_EQ(aboutHardVersionText(app), QStringLiteral("ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ 2 参照してません。"));
    app.HardVersion = 1;
    EXPECT_EQ(aboutHardVersionText(app), QStringLiteral("ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ 1 参照してません。"));
}

TEST(SystemInfoProgram, TheFirstInstalledInOrderOfPreference)
{
    QMap<QString, QString> installed;
    const auto find = [&](const QString& name) { return installed.value(name); };
    EXPECT_EQ(findSystemInfoProgram(find), QString());
    installed[QStringLiteral("gnome-system-monitor")] =
        QStringLiteral("/usr/bin/gnome-system-monitor");
    EXPECT_EQ(findSystemInfoProgram(find), QStringLiteral("/usr/bin/gnome-system-monitor"));
    installed[QStringLiteral("kinfocenter")] = QStringLiteral("/usr/bin/kinfocenter");
    EXPECT_EQ(findSystemInfoProgram(find), QStringLiteral("/usr/bin/kinfocenter"));
    installed[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
    EXPECT_EQ(findSystemInfoProgram(find), QStringLiteral("/usr/bin/hardinfo"));
}

} // namespace
} // namespace quellin

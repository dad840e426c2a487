// The program started in English against the virtual meter: its menus, toolbar,
// status bar, child windows and one dialog of each kind read English, and the
// data file it saves keeps the Japanese head that both languages load.

#include "EventWait.h"
#include "ProgramFixture.h"
#include "main/FrmMDIMain.h"
#include "views/FrmDisp.h"
#include "views/FrmGraph.h"
#include "views/FrmSpread.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <algorithm>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::runEventsUntil;

bool isJapanese(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// The language choice names Japanese in its own words, as language lists do.
bool readsEnglish(const QString& text)
{
    if (text == QStringLiteral("日本語"))
        return true;
    return std::none_of(text.begin(), text.end(), isJapanese);
}

// Every text a user reads in a window: its title, labels, buttons, boxes, tabs,
// list entries, table heads and tool tips.
QStringList textsOf(QWidget& window)
{
    QStringList texts{window.windowTitle(), window.toolTip()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w))
            texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            texts << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w))
            texts << g->title();
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                texts << t->tabText(i);
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto* t = qobject_cast<QTableWidget*>(w)) {
            for (int i = 0; i < t->columnCount(); ++i)
                if (auto* item = t->horizontalHeaderItem(i))
                    texts << item->text();
        }
    }
    return texts;
}

QStringList menuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* a : actions) {
        texts << a->text() << a->toolTip();
        if (a->menu())
            texts << menuTexts(a->menu()->actions());
    }
    return texts;
}

void expectEnglish(const QStringList& texts, const char* where)
{
    for (const QString& t : texts)
        EXPECT_TRUE(readsEnglish(t)) << where << ": " << t.toStdString();
}

class English : public test::ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        QFile ini(home.filePath(QStringLiteral("Quellin.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Tarvo]\nLanguage=en\n");
        ini.close();
        installLanguage = true;
    }
};

TEST_F(English, WindowsMenusAndDialogsReadEnglishAndTheDataFileStaysJapanese)
{
    ASSERT_NO_FATAL_FAILURE(start({"--version", "2", "--wiring", "1", "--rate", "20"}));
    FrmMDIMain& main = *program->mainWindow();
    Context& ctx = program->context();
    ASSERT_EQ(ctx.app.language, Language::En);
    expectEnglish(menuTexts(main.menuBar()->actions()), "menu");
    for (QToolBar* bar : main.findChildren<QToolBar*>())
        expectEnglish(menuTexts(bar->actions()), "toolbar");
    EXPECT_EQ(main.MnuFile_Save->text(), QStringLiteral("&Save file..."));

    // One dialog of each kind: the PC's settings, the meter's, the monitoring
    // ones, the about box.
    for (QAction* item : {main.MnuPref_System, main.MnuPref_Loging, main.MnuPref_Alarm,
                          main.MnuPref_Output, main.MnuManu_Pref, main.MnuManu_Keisoku,
                          main.MnuManu_Memori, main.MnuHelp_Version}) {
        SCOPED_TRACE(item->text().toStdString());
        EXPECT_TRUE(runDialog<QDialog>(item, [&](QDialog& dlg) {
            // A meter's dialog reads the meter first, disabled meanwhile.
            EXPECT_TRUE(runEventsUntil([&] { return dlg.isEnabled(); }));
            expectEnglish(textsOf(dlg), "dialog");
        }));
    }

    // A measurement: the status bar and the three child windows.
    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return ctx.dataSet().RecordCount() >= 5; }))
        << msg.texts().join('|').toStdString();
    for (int panel = 1; panel <= 4; ++panel)
        expectEnglish({main.StsBar[static_cast<size_t>(panel)]->text()}, "status bar");
    for (QWidget* window : {static_cast<QWidget*>(main.dispWindow()),
                            static_cast<QWidget*>(main.spreadWindow()),
                            static_cast<QWidget*>(main.graphWindow())}) {
        ASSERT_NE(window, nullptr);
        expectEnglish(textsOf(*window), "child window");
    }
    // The README's picture of the English window, on request.
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        main.resize(1366, 740);
        main.arrangeWindows();
        ASSERT_TRUE(runEventsUntil([&] { return ctx.dataSet().RecordCount() >= 30; }));
        main.grab().save(dir + QStringLiteral("/main-measuring-en.png"));
    }
    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx.app.Measuring; }));
    expectEnglish(msg.texts(), "message");

    // The data file is a format: its title and head lines are Japanese whatever
    // the language, so that it loads in either.
    const QString path = home.filePath(QStringLiteral("english.csv"));
    files.answers = {path};
    main.MnuFile_Save->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QStringDecoder sjis("Shift_JIS");
    const QString head = sjis.decode(saved.read(4096));
    EXPECT_TRUE(head.contains(QStringLiteral("\"番号\",\"時刻\""))) << head.toStdString();
    EXPECT_TRUE(head.contains(QStringLiteral("電圧"))) << head.toStdString();
}

} // namespace
} // namespace quellin

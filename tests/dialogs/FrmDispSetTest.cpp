// The environment settings dialog with the link's real handler and a recorded
// line: it refuses an invalid field on its tab with the focus on it, lets only
// its characters into its fields, waits for its own exchange before closing, and
// every page fits the window (saved with QUELLIN_SCREENSHOT_DIR set).

#include "dialogs/FrmDispSet.h"
#include "Controls.h"
#include "DialogShots.h"
#include "dialogs/KeyGate.h"
#include "link/LinkDoubles.h"
#include "link/SettingsExchange.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

struct DispSetWindow : LinkFixture {
    explicit DispSetWindow(int version)
    {
        clients.settingsExchange = &handler;
        ctx().app.HardVersion = version;
        dlg = std::make_unique<FrmDispSet>(ctx(), seq);
        dlg->show();
    }
    // A meter's answers to the status and the read list.
    void answerRead()
    {
        for (const char* a :
             {"RMD200", "RCF021230.5", "RCF030060", "RCF040400", "RCF063", "RCF072002/06/02 09:00",
              "RCF082002/06/02 17:00", "RCF012", "RCF051", "RCM19200E71"})
            line(QString::fromLatin1(a));
        const char* outputs[5] = {"1", "3", "10", "90", "05"}; // valid for every output
        for (int n = 10; ctx().app.HardVersion >= 2 && n <= 39; ++n)
            line(QStringLiteral("RCF%1").arg(n) + QLatin1String(outputs[n % 5]));
    }
    void type(QWidget* w, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    SettingsExchange handler;
    std::unique_ptr<FrmDispSet> dlg;
};

struct FocusCase {
    const char* name;
    int version;
    std::function<QWidget*(FrmDispSet&)> spoil; // returns the field that gets the focus
    const char* message;
    int tab;
};

class DispSetRefusal : public ::testing::TestWithParam<FocusCase> {};

TEST_P(DispSetRefusal, ShowsItsMessageOnItsTabWithTheFocusOnTheField)
{
    const FocusCase& c = GetParam();
    DispSetWindow w(c.version);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    ASSERT_TRUE(d.isEnabled());
    control<QPushButton>(d, "OptionSet", c.version >= 2 ? kTabTemperature : kTabEnvironment)
        ->click();
    QWidget* field = c.spoil(d);
    const int sentBefore = static_cast<int>(w.sent().size());
    control<QPushButton>(d, "CmdSend")->click();
    ASSERT_EQ(w.tc.msg.shown.size(), 1u);
    EXPECT_EQ(w.tc.msg.shown[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(w.tc.msg.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(d.currentTab(), c.tab);
    EXPECT_EQ(d.focusWidget(), field);
    EXPECT_TRUE(d.isEnabled());
    EXPECT_TRUE(control<QTimer>(d, "Tmr1Sec")->isActive());
    EXPECT_EQ(w.sent().size(), sentBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DispSetRefusal,
    ::testing::Values(
        FocusCase{"voltageVersion1", 1,
                  [](FrmDispSet& d) {
                      control<QLineEdit>(d, "TxtData", 0)->setText("3000");
                      return control<QLineEdit>(d, "TxtData", 0);
                  },
                  "電圧値の設定を確認してください。", kTabEnvironment},
        FocusCase{"voltageVersion2", 2,
                  [](FrmDispSet& d) {
                      control<QLineEdit>(d, "TxtData", 0)->clear();
                      return control<QLineEdit>(d, "TxtData", 0);
                  },
                  "電圧値は数値を設定してください。", kTabEnvironment},
        FocusCase{"leakageLevel", 2,
                  [](FrmDispSet& d) {
                      control<QLineEdit>(d, "TxtDataSb", 12)->setText("1000");
                      return control<QLineEdit>(d, "TxtDataSb", 12);
                  },
                  "漏電電流制御出力のレベルは小数点込みの５桁が制限です、確認してください。",
                  kTabLeakage},
        FocusCase{"powerUnit", 2,
                  [](FrmDispSet& d) {
                      control<QComboBox>(d, "CmbSb", 1)->setCurrentIndex(-1);
                      return control<QComboBox>(d, "CmbSb", 1);
                  },
                  "電力制御出力の単位設定を確認してください。", kTabPower}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DispSetKeys, FieldsTakeOnlyTheirCharactersAndEnterSendsNothing)
{
    DispSetWindow w(2);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    const struct {
        QLineEdit* field;
        const char* typed;
        const char* kept;
    } cases[] = {{control<QLineEdit>(d, "TxtData", 1), "1a2.-３4", "124"},
                 {control<QLineEdit>(d, "TxtData", 3), "2024/1/2 3:04x", "2024/1/23:04"},
                 {control<QLineEdit>(d, "TxtDataSb", 8), "12.5e", "12.5"}};
    for (const auto& c : cases) {
        c.field->clear();
        w.type(c.field, QString::fromUtf8(c.typed));
        EXPECT_EQ(c.field->text(), QString::fromUtf8(c.kept));
    }
    // A paste comes in only when all of it could have been typed.
    QApplication::clipboard()->setText("77\rSCFW");
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(control<QLineEdit>(d, "TxtData", 2), &paste);
    EXPECT_EQ(control<QLineEdit>(d, "TxtData", 2)->text(), "400");
    const auto sent = w.sent().size();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(control<QLineEdit>(d, "TxtData", 2), &enter);
    EXPECT_EQ(w.sent().size(), sent);
    EXPECT_TRUE(control<QLineEdit>(d, "TxtData", 5)->isReadOnly());
}

// Every way a field pastes is checked against the field's filter, the X11
// middle-button paste of the selection as well as the paste keys.
TEST(DispSetKeys, EveryPasteIsFoundWithItsSource)
{
    using Mode = std::optional<QClipboard::Mode>;
    const QPointF at(2, 2);
    const auto mouse = [&](QEvent::Type type, Qt::MouseButton button) {
        return std::make_shared<QMouseEvent>(type, at, at, button, button, Qt::NoModifier);
    };
    const struct {
        const char* name;
        std::shared_ptr<QEvent> event;
        Mode source;
    } cases[] = {
        {"Ctrl+V", std::make_shared<QKeyEvent>(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier),
         QClipboard::Clipboard},
        {"Shift+Insert",
         std::make_shared<QKeyEvent>(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier),
         QClipboard::Clipboard},
        {"middle release", mouse(QEvent::MouseButtonRelease, Qt::MiddleButton),
         QClipboard::Selection},
        {"middle press", mouse(QEvent::MouseButtonPress, Qt::MiddleButton), std::nullopt},
        {"left release", mouse(QEvent::MouseButtonRelease, Qt::LeftButton), std::nullopt},
        {"typed V",
         std::make_shared<QKeyEvent>(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier,
                                     QStringLiteral("v")),
         std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pasteSource(*c.event), c.source) << c.name;
}

// Tab follows the environment page as it is read: the voltage row, the meter's
// column, the logging's column; the display-only clock is skipped.
TEST(DispSetKeys, TabFollowsTheEnvironmentPageColumnByColumn)
{
    DispSetWindow w(2);
    QStringList order;
    QWidget* at = control<QWidget>(*w.dlg, "CmbDenatu");
    for (int i = 0; i < 9 && at; ++i) {
        order << at->objectName();
        do
            at = at->nextInFocusChain();
        while (at && !(at->focusPolicy() & Qt::TabFocus));
    }
    EXPECT_EQ(order, (QStringList{"CmbDenatu", "TxtData0", "TxtData1", "TxtData2", "CmbRenge",
                                  "CmbJikan", "TxtData3", "TxtData4", "CmbTimer"}));
}

TEST(DispSetClosing, WaitsForItsOwnExchangeOnly)
{
    DispSetWindow w(2);
    w.dlg->reject(); // Escape or the close box during the read: ignored
    EXPECT_TRUE(w.dlg->isVisible());
    // The meter's "STP" starts the stop, which replaces the read: nothing will give
    // the dialog back, so it closes.
    w.main.onCall = [&](const QString& call) {
        if (call == "KeisokuEnd_Req")
            w.seq.startStopExchange();
    };
    w.line("RMD000");
    w.line("STP");
    EXPECT_FALSE(w.dlg->isEnabled());
    w.dlg->reject();
    EXPECT_FALSE(w.dlg->isVisible());
    EXPECT_EQ(w.seq.LinkState(), link::State::MeasureStop);
    w.dlg.reset();
    EXPECT_EQ(w.clients.dispSet, nullptr);
}

class DispSetLayoutCheck : public ::testing::TestWithParam<int> {};

TEST_P(DispSetLayoutCheck, EveryPageFitsTheWindow)
{
    const int version = GetParam();
    DispSetWindow w(version);
    w.answerRead();
    FrmDispSet& d = *w.dlg;
    EXPECT_EQ(d.size(), QSize(506, 299));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(control<QPushButton>(d, "OptionSet", i)->isVisibleTo(&d), version >= 2);
    const char* names[4] = {"environment", "power", "leakage", "temperature"};
    for (int tab = 0; tab < (version >= 2 ? 4 : 1); ++tab) {
        SCOPED_TRACE(names[tab]);
        control<QPushButton>(d, "OptionSet", tab)->click();
        expectNothingClippedOrOverlapping(d);
        saveShot(d, QStringLiteral("dispset-v%1-%2.png").arg(version).arg(names[tab]));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, DispSetLayoutCheck, ::testing::Values(1, 2));

} // namespace
} // namespace quellin::test

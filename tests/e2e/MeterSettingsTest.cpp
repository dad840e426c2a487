// The meter's own settings and measurement mode from the 操作 menu of the whole
// program, against the virtual meter over a pseudo-terminal: what is typed is
// what the meter holds afterwards (read back through the dialog), the commands
// are exactly the list in its order, and a measuring meter, an "NG", silence
// and a lost line each end in their message with the dialog usable or closed.

#include "Controls.h"
#include "Doubles.h"
#include "EventWait.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "dialogs/FrmDispSet.h"
#include "dialogs/FrmKeisokuMode.h"
#include "main/FrmMDIMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;
using test::runEventsUntil;

const QString kMeasuring =
    QStringLiteral("電力計が計測中は設定できません。\r\n計測を終了して下さい。");
const QString kDone = QStringLiteral("送信を完了しました。");

struct MeterSettings : test::ProgramFixture {
    // The settings dialog once it shows the meter's settings: its fields.
    DispSetFields readSettings()
    {
        DispSetFields shown;
        EXPECT_TRUE(runDialog<FrmDispSet>(main().MnuManu_Pref, [&](FrmDispSet& d) {
            EXPECT_TRUE(runEventsUntil([&] { return d.isEnabled(); }))
                << msg.texts().join('|').toStdString();
            shown = d.fields();
        }));
        return shown;
    }
    // Commands the meter received from the latest "CMD" on.
    QStringList lastExchange() const
    {
        const QStringList all = sim.receivedCommands();
        return all.mid(all.lastIndexOf(QStringLiteral("CMD")));
    }
};

// Everything but the clock, which is the PC's.
void expectSameSettings(DispSetFields a, DispSetFields b)
{
    a.data[5] = b.data[5] = QString();
    EXPECT_TRUE(a == b);
}

TEST_F(MeterSettings, Version1WhatIsTypedIsWhatTheMeterHolds)
{
    start({"--version", "1", "--wiring", "1", "--start-time", "2024/03/01 10:00:00"});
    // 操作 offers the mode, the logging memory and the settings.
    EXPECT_TRUE(main().MnuManu->menuAction()->isVisible());
    EXPECT_TRUE(main().MnuManu_Keisoku->isVisible());
    EXPECT_TRUE(main().MnuManu_Memori->isVisible());
    EXPECT_TRUE(main().MnuManu_Pref->isVisible());
    const DispSetFields factory = readSettings();
    EXPECT_EQ(factory.data[3], "2024/03/02 09:00"); // the meter's own logging window
    EXPECT_EQ(factory.comm, (std::array<QString, 4>{"9600", "NONE", "8", "1"}));
    EXPECT_EQ(sim.receivedCommands().mid(2),
              (QStringList{"CMD", "CCF02", "CCF03", "CCF04", "CCF06", "CCF07", "CCF08", "CCF01",
                           "CCF05", "CCM"}));

    DispSetFields typed;
    ASSERT_TRUE(runDialog<FrmDispSet>(main().MnuManu_Pref, [&](FrmDispSet& d) {
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
        control<QComboBox>(d, "CmbDenatu")->setCurrentIndex(1);
        control<QLineEdit>(d, "TxtData", 0)->setText("123.4");
        control<QLineEdit>(d, "TxtData", 1)->setText("60");
        control<QLineEdit>(d, "TxtData", 2)->setText("400");
        control<QComboBox>(d, "CmbJikan")->setCurrentIndex(3);
        control<QLineEdit>(d, "TxtData", 3)->setText("2030/01/02 08:30");
        control<QLineEdit>(d, "TxtData", 4)->setText("2030/01/03 18:00");
        control<QComboBox>(d, "CmbRenge")->setCurrentIndex(2);
        control<QComboBox>(d, "CmbTimer")->setCurrentIndex(1);
        typed = d.fields();
        control<QPushButton>(d, "CmdSend")->click();
        ASSERT_FALSE(d.isEnabled()) << msg.texts().join('|').toStdString(); // sending
        EXPECT_TRUE(runEventsUntil([&] { return !d.isVisible(); }));
    }));
    EXPECT_EQ(msg.texts(), QStringList{kDone});

    const QStringList sent = lastExchange();
    ASSERT_EQ(sent.size(), 11) << sent.join(' ').toStdString();
    EXPECT_EQ(sent.mid(0, 9),
              (QStringList{"CMD", "SCF021123.4", "SCF030060", "SCF040400", "SCF063",
                           "SCF072030/01/02 08:30", "SCF082030/01/03 18:00", "SCF012", "SCF051"}));
    EXPECT_TRUE(QRegularExpression("^STM\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(sent[9])
                    .hasMatch())
        << sent[9].toStdString();
    EXPECT_EQ(sent[10], "SCFW");

    expectSameSettings(readSettings(), typed);
    EXPECT_EQ(msg.texts(), QStringList{kDone});
}

TEST_F(MeterSettings, Version2OutputsOnEveryTabReachTheMeter)
{
    start({"--version", "2", "--flash-time", "50"});
    DispSetFields typed;
    ASSERT_TRUE(runDialog<FrmDispSet>(main().MnuManu_Pref, [&](FrmDispSet& d) {
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
        EXPECT_EQ(control<QLineEdit>(d, "TxtDataSb", 8)->text(),
                  "30.0"); // the factory leakage level
        control<QLineEdit>(d, "TxtData", 1)->setText("9999");
        control<QLineEdit>(d, "TxtDataSb", 0)->setText("250"); // power output 1: level, unit
        control<QComboBox>(d, "CmbSb", 0)->setCurrentIndex(2);
        control<QLineEdit>(d, "TxtDataSb", 2)->setText("55");    // its OFF level
        control<QComboBox>(d, "CmbSb", 3)->setCurrentIndex(0);   // leakage output 2: channel 1
        control<QLineEdit>(d, "TxtDataSb", 12)->setText("12.5"); // and its level
        control<QLineEdit>(d, "TxtDataSb", 11)->setText("0");    // leakage output 1: OFF time
        control<QComboBox>(d, "CmbSb", 5)->setCurrentIndex(0);   // temperature output 2: channel 1
        control<QLineEdit>(d, "TxtDataSb", 20)->setText("70");   // and its level
        control<QLineEdit>(d, "TxtDataSb", 23)->setText("10");   // its OFF time
        typed = d.fields();
        control<QPushButton>(d, "CmdSend")->click();
        ASSERT_FALSE(d.isEnabled()) << msg.texts().join('|').toStdString(); // sending
        EXPECT_TRUE(runEventsUntil([&] { return !d.isVisible(); }));
    }));
    EXPECT_EQ(msg.texts(), QStringList{kDone});
    const QStringList sent = lastExchange();
    ASSERT_EQ(sent.size(), 41) << sent.join(' ').toStdString();
    EXPECT_EQ(sent.mid(8, 4), (QStringList{"SCF10250", "SCF112", "SCF1210", "SCF1355"}));
    EXPECT_EQ(sent.mid(37), (QStringList{"SCF3910", "SCF050", sent[39], "SCFW"}));

    expectSameSettings(readSettings(), typed);
}

TEST_F(MeterSettings, ModeDialogStartsTheMeterWhichThenRefusesSettings)
{
    start({"--version", "2", "--wiring", "2"});
    // The mode dialog: a new measuring line, then measuring on.
    ASSERT_TRUE(runDialog<FrmKeisokuMode>(main().MnuManu_Keisoku, [&](FrmKeisokuMode& d) {
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
        EXPECT_EQ(control<QLabel>(d, "LblKeisoku", 0)->text(), "三相３線式");
        EXPECT_EQ(control<QLabel>(d, "LblKeisoku", 1)->text(), "計測なし");
        control<QComboBox>(d, "CmbData", 0)->setCurrentIndex(0);
        control<QPushButton>(d, "CmdSend", 0)->click();
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
        EXPECT_EQ(control<QLabel>(d, "LblKeisoku", 0)->text(), "単相２線式");
        control<QPushButton>(d, "CmdSend", 1)->click(); // preselected: 計測 ON
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
        EXPECT_EQ(control<QLabel>(d, "LblKeisoku", 1)->text(), "計測中　");
        // A new line while measuring is refused before anything is sent.
        control<QComboBox>(d, "CmbData", 0)->setCurrentIndex(2);
        control<QPushButton>(d, "CmdSend", 0)->click();
        ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
    }));
    EXPECT_EQ(msg.texts(), (QStringList{kDone, kDone, kMeasuring}));
    EXPECT_EQ(sim.receivedCommands().mid(2),
              (QStringList{"CMD", "CMD", "SMD00", "CMD", "CMD", "SMD11", "CMD", "CMD"}));

    // Opening the settings: refused and closed.
    msg.clear();
    ASSERT_TRUE(runDialog<FrmDispSet>(main().MnuManu_Pref, [&](FrmDispSet& d) {
        EXPECT_TRUE(runEventsUntil([&] { return !d.isVisible(); }));
    }));
    EXPECT_EQ(msg.texts(), QStringList{kMeasuring});
    EXPECT_EQ(sim.receivedCommands().last(), "CMD");
    EXPECT_EQ(program->comm().sequencer().LinkState(), link::State::Idle);
}

struct FaultCase {
    const char* name;
    QStringList meterArgs;
    bool send;   // the fault comes while sending (else while reading)
    bool hangUp; // the meter's line closes during the flash write
    const char* message;
    const char* lastCommand;
};

class MeterFaults : public MeterSettings, public ::testing::WithParamInterface<FaultCase> {};

// An "NG", silence or a lost line: its message, never "送信を完了しました。"; the dialog
// stays usable after a failed send and closes after a failed read.
TEST_P(MeterFaults, EndInTheirMessageNeverInSuccess)
{
    const FaultCase& c = GetParam();
    start(c.meterArgs);
    program->comm().timeOutTimer().setInterval(1000);
    bool openAfter = false;
    ASSERT_TRUE(runDialog<FrmDispSet>(main().MnuManu_Pref, [&](FrmDispSet& d) {
        if (c.send) {
            ASSERT_TRUE(runEventsUntil([&] { return d.isEnabled(); }));
            control<QPushButton>(d, "CmdSend")->click();
            ASSERT_FALSE(d.isEnabled()) << msg.texts().join('|').toStdString(); // sending
            if (c.hangUp) {
                ASSERT_TRUE(
                    runEventsUntil([&] { return sim.receivedCommands().contains("SCFW"); }));
                sim.stop();
            }
        }
        EXPECT_TRUE(runEventsUntil([&] { return d.isEnabled() || !d.isVisible(); }));
        openAfter = d.isVisible();
        EXPECT_EQ(control<QTimer>(d, "Tmr1Sec")->isActive(), openAfter);
    }));
    EXPECT_EQ(openAfter, c.send);
    EXPECT_TRUE(msg.sawText(QString::fromUtf8(c.message))) << msg.texts().join('|').toStdString();
    EXPECT_FALSE(msg.sawText(kDone));
    EXPECT_EQ(sim.receivedCommands().last(), QString::fromLatin1(c.lastCommand));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MeterFaults,
    ::testing::Values(FaultCase{"ngMidList",
                                {"--version", "1", "--ng", "SCF04"},
                                true,
                                false,
                                "設定できません。\r\n電力計本体をトップメニューにして下さい。",
                                "SCF040001"},
                      FaultCase{"silentRead",
                                {"--version", "2", "--silent", "CCF2*"},
                                false,
                                false,
                                "現在の設定が取得できません。\r\n電力計を確認して下さい。",
                                "CCF20"},
                      FaultCase{"lineLostInTheFlashWrite",
                                {"--version", "1", "--flash-time", "3000"},
                                true,
                                true,
                                "電力計からデータ送信されていません。\r\n電力計を確認して下さい。",
                                "SCFW"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin

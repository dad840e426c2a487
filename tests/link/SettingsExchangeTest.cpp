// The environment settings' exchanges (states 0 to 3) line by line: what is sent,
// what the dialog is told, and where each exchange ends.

#include "link/SettingsExchange.h"
#include "LinkDoubles.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kMeasuring = "msg:電力計が計測中は設定できません。\r\n計測を終了して下さい。";
const QString kUnread = "msg:現在の設定が取得できません。\r\n電力計を確認して下さい。";
const QString kTopMenu = "msg:設定できません。\r\n電力計本体をトップメニューにして下さい。";
const QString kDone = "msg:送信を完了しました。";

const QStringList kV1Read = {"CMD",   "CCF02", "CCF03", "CCF04", "CCF06",
                             "CCF07", "CCF08", "CCF01", "CCF05", "CCM"};
const QStringList kV1Answers = {"RMD000",
                                "RCF021230.5",
                                "RCF030060",
                                "RCF040400",
                                "RCF063",
                                "RCF072002/06/02 09:00",
                                "RCF082002/06/02 17:00",
                                "RCF012",
                                "RCF051",
                                "RCM19200E71"};

struct ExchangeCase {
    const char* name;
    QStringList writeCommands; // none: the read
    QStringList answers;       // fed one after the other
    QStringList sent;
    QStringList log;
    link::State endState;
    int pointer; // 11 while it waits; 0 when it ended with a message (DataDisp resets it)
};

class SettingsExchangeRun : public ::testing::TestWithParam<ExchangeCase>, public LinkFixture {
protected:
    SettingsExchangeRun() { clients.settingsExchange = &handler; }
    SettingsExchange handler;
};

TEST_P(SettingsExchangeRun, SendsTellsAndEndsAsTheAnswersSay)
{
    const ExchangeCase& c = GetParam();
    ctx().app.HardVersion = 1;
    if (c.writeCommands.isEmpty())
        startSettingsRead(seq);
    else
        startSettingsWrite(seq, c.writeCommands);
    for (const QString& answer : c.answers)
        line(answer);
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(log.entries, c.log) << log.entries.join(" | ").toStdString();
    EXPECT_EQ(ctx().link.LinkState, c.endState);
    EXPECT_EQ(tc.pointer.current, c.pointer);
    // Only an exchange that still waits keeps the time-out running.
    EXPECT_EQ(timer.active, c.endState != link::State::Idle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsExchangeRun,
    ::testing::Values(
        ExchangeCase{
            "readEveryItem", {}, kV1Answers, kV1Read, {"dispSet.DataDisp"}, link::State::Idle, 11},
        ExchangeCase{"measuringMeterRefusesTheRead",
                     {},
                     {"RMD210"},
                     {"CMD"},
                     {"dispSet.enable", kMeasuring, "dispSet.unload"},
                     link::State::Idle,
                     0},
        ExchangeCase{"ngEndsTheRead",
                     {},
                     {"RMD000", "RCF021230.5", "NG"},
                     {"CMD", "CCF02", "CCF03"},
                     {"dispSet.enable", kUnread, "dispSet.unload"},
                     link::State::Idle,
                     0},
        // A status of the wrong length or echo, another two-character line, a wrong
        // echo and a basic item cut short are no answers: the time-out follows.
        ExchangeCase{"wrongStatusIgnored",
                     {},
                     {"RMD00", "XMD000", "RMD0000"},
                     {"CMD"},
                     {},
                     link::State::SettingsStatus,
                     11},
        ExchangeCase{"wrongItemAnswersIgnored",
                     {},
                     {"RMD000", "OK", "RCF031230.5", "RCF02230.5", "RCF021230.55"},
                     {"CMD", "CCF02"},
                     {},
                     link::State::SettingsRead,
                     11},
        ExchangeCase{"writeEveryCommand",
                     {"SCF020", "SCF030060", "SCFW"},
                     {"RMD100", "OK", "OK", "OK"},
                     {"CMD", "SCF020", "SCF030060", "SCFW"},
                     {kDone, "dispSet.enable", "dispSet.unload"},
                     link::State::Idle,
                     0},
        ExchangeCase{"measuringMeterRefusesTheWrite",
                     {"SCF020", "SCFW"},
                     {"RMD011"},
                     {"CMD"},
                     {"dispSet.enable", kMeasuring, "dispSet.Tmr1Sec"},
                     link::State::Idle,
                     0},
        // After a refusal nothing more is sent, also when an "OK" comes late.
        ExchangeCase{"ngStopsTheListBeforeTheFlashWrite",
                     {"SCF020", "SCF030060", "SCFW"},
                     {"RMD000", "OK", "NG", "OK"},
                     {"CMD", "SCF020", "SCF030060"},
                     {"dispSet.enable", kTopMenu, "dispSet.Tmr1Sec"},
                     link::State::Idle,
                     0},
        ExchangeCase{"onlyTwoCharacterAnswersCount",
                     {"SCF020", "SCFW"},
                     {"RMD000", "OKAY", "O", "RCF020"},
                     {"CMD", "SCF020"},
                     {},
                     link::State::SettingsWrite,
                     11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsReadList, VersionTwoReadsThirtyControlOutputsAfterTheBasicItems)
{
    const auto v1 = settingsReadList(1);
    const auto v2 = settingsReadList(2);
    ASSERT_EQ(v1.size(), 9u);
    ASSERT_EQ(v2.size(), 39u);
    for (size_t i = 0; i < v1.size(); ++i) {
        EXPECT_EQ(v2[i].Command, v1[i].Command);
        EXPECT_EQ(v2[i].ReplyLength, v1[i].ReplyLength);
    }
    EXPECT_EQ(v1[0].ReplyLength, 11);
    EXPECT_EQ(v1[4].ReplyLength, 21);
    EXPECT_EQ(v1[8].Command, "CCM");
    for (int i = 9; i < 39; ++i)
        EXPECT_EQ(v2[static_cast<size_t>(i)].Command, QStringLiteral("CCF%1").arg(i + 1));
    EXPECT_EQ(settingsReadList(3).size(), 39u);
}

// The control outputs' answers vary in length with their values: only the echo
// counts there.
TEST(SettingsExchangeVersion2, ReadsAllThirtyNineItemsWhateverTheirLength)
{
    LinkFixture f;
    SettingsExchange handler;
    f.clients.settingsExchange = &handler;
    f.ctx().app.HardVersion = 2;
    startSettingsRead(f.seq);
    f.line("RMD200");
    for (int i = 0; i < kV1Answers.size() - 1; ++i)
        f.line(kV1Answers[i + 1]);
    for (int n = 10; n <= 39; ++n) {
        ASSERT_EQ(f.lastSent(), QStringLiteral("CCF%1").arg(n));
        f.line(QStringLiteral("RCF%1").arg(n) + QString(n % 7, QLatin1Char('9')));
    }
    EXPECT_EQ(f.sent().size(), 40);
    EXPECT_EQ(f.log.entries, QStringList{"dispSet.DataDisp"});
    const auto& list = f.ctx().link.ExchangeList;
    ASSERT_EQ(list.size(), 39u);
    EXPECT_EQ(list[1].ReplyData, "0060");
    EXPECT_EQ(list[38].ReplyData, QString(39 % 7, QLatin1Char('9')));
}

} // namespace
} // namespace quellin::test

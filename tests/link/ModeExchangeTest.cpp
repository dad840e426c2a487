// The measurement mode's exchanges (states 4 to 6): the status decides before
// anything is sent, and a command that was taken is followed by a fresh status.

#include "link/ModeExchange.h"
#include "LinkDoubles.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kMeasuring = "msg:電力計が計測中は設定できません。\r\n計測を終了して下さい。";
const QString kLogging = "msg:電力計がロギング中は設定できません。\r\nロギングを終了して下さい。";
const QString kTopMenu = "msg:設定できません。\r\n電力計本体をトップメニューにして下さい。";
const QString kCheckMeter = "msg:設定できません。\r\n電力計を確認して下さい。";
const QString kDone = "msg:送信を完了しました。";

struct ModeCase {
    const char* name;
    QString command; // empty: the status read
    QStringList answers;
    QStringList sent;
    QStringList log;
    link::State endState;
    QString shownStatus; // ReplyData of the "CMD" step when DataDisp was called
};

class ModeExchangeRun : public ::testing::TestWithParam<ModeCase>, public LinkFixture {
protected:
    ModeExchangeRun()
    {
        clients.modeExchange = &handler;
        keisokuMode.onDataDisp = [this] {
            shown = ctx().link.ExchangeList.front().ReplyData;
            stateAtDataDisp = ctx().link.LinkState;
        };
    }
    ModeExchange handler;
    QString shown;
    link::State stateAtDataDisp = link::State::SettingsStatus;
};

TEST_P(ModeExchangeRun, DecidesFromTheFreshStatus)
{
    const ModeCase& c = GetParam();
    if (c.command.isEmpty())
        startModeRead(seq);
    else
        startModeSend(seq, c.command);
    for (const QString& answer : c.answers)
        line(answer);
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(log.entries, c.log) << log.entries.join(" | ").toStdString();
    EXPECT_EQ(ctx().link.LinkState, c.endState);
    EXPECT_EQ(shown, c.shownStatus);
    if (!shown.isEmpty())
        EXPECT_EQ(stateAtDataDisp, link::State::Idle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModeExchangeRun,
    ::testing::Values(
        ModeCase{
            "read", {}, {"RMD100"}, {"CMD"}, {"keisokuMode.DataDisp"}, link::State::Idle, "100"},
        ModeCase{"lineWhileMeasuring",
                 "SMD02",
                 {"RMD010"},
                 {"CMD"},
                 {"keisokuMode.enable", kMeasuring, "keisokuMode.DataDisp"},
                 link::State::Idle,
                 "010"},
        ModeCase{"startWhileMeasuring",
                 "SMD11",
                 {"RMD210"},
                 {"CMD"},
                 {kDone, "keisokuMode.DataDisp"},
                 link::State::Idle,
                 "210"},
        ModeCase{"stopWhileIdle",
                 "SMD10",
                 {"RMD200"},
                 {"CMD"},
                 {kDone, "keisokuMode.clearSelections", "keisokuMode.DataDisp"},
                 link::State::Idle,
                 "200"},
        ModeCase{"stopWhileLogging",
                 "SMD10",
                 {"RMD211"},
                 {"CMD"},
                 {"keisokuMode.enable", kLogging},
                 link::State::Idle,
                 {}},
        ModeCase{"stopWhileMeasuring",
                 "SMD10",
                 {"RMD210", "OK", "RMD200"},
                 {"CMD", "SMD10", "CMD"},
                 {kDone, "keisokuMode.clearSelections", "keisokuMode.DataDisp"},
                 link::State::Idle,
                 "200"},
        ModeCase{"lineTaken",
                 "SMD01",
                 {"RMD000", "OK", "RMD100"},
                 {"CMD", "SMD01", "CMD"},
                 {kDone, "keisokuMode.clearSelections", "keisokuMode.DataDisp"},
                 link::State::Idle,
                 "100"},
        ModeCase{"startRefused",
                 "SMD11",
                 {"RMD000", "NG"},
                 {"CMD", "SMD11"},
                 {"keisokuMode.enable", kTopMenu},
                 link::State::Idle,
                 {}},
        ModeCase{"lineRefused",
                 "SMD00",
                 {"RMD200", "NG"},
                 {"CMD", "SMD00"},
                 {"keisokuMode.enable", kCheckMeter},
                 link::State::Idle,
                 {}},
        ModeCase{"wrongAnswersIgnored",
                 "SMD01",
                 {"RMD00", "XMD000", "RMD000", "OKK", "RMD000"},
                 {"CMD", "SMD01"},
                 {},
                 link::State::ModeSend,
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin::test

// The exchanges of the meter's settings (states 0-3) and measurement mode (4-6),
// line by line: what is sent, what the dialog is told, and where each ends.

#include "LinkDoubles.h"
#include "link/ModeExchange.h"
#include "link/SettingsExchange.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

const QString kMeasuring = "msg:電力計が計測中は設定できません。\r\n計測を終了して下さい。";
const QString kTopMenu = "msg:設定できません。\r\n電力計本体をトップメニューにして下さい。";
const QString kDone = "msg:送信を完了しました。";

using Start = std::function<void(Sequencer&)>;
const Start read = [](Sequencer& s) { startSettingsRead(s); };
Start write(const QStringList& commands)
{
    return [commands](Sequencer& s) { startSettingsWrite(s, commands); };
}
Start mode(const QString& command)
{
    return [command](Sequencer& s) {
        command.isEmpty() ? startModeRead(s) : startModeSend(s, command);
    };
}

struct ExchangeCase {
    const char* name;
    Start start;
    QStringList answers;
    QStringList sent;
    QStringList log;
    link::State end;
    QString shown = {}; // the status DataDisp found in the "CMD" step, if called
};

class DialogExchange : public ::testing::TestWithParam<ExchangeCase>, public LinkFixture {
protected:
    DialogExchange()
    {
        clients.settingsExchange = &settings;
        clients.modeExchange = &modes;
        ctx().app.HardVersion = 1;
        keisokuMode.onDataDisp = [this] { shown = keisokuMode.replies.value(0); };
        tc.msg.onShow = [this, logged = tc.msg.onShow](const MessageRequest& r) {
            logged(r);
            pointerAtMessage.push_back(tc.pointer.current);
        };
    }
    SettingsExchange settings;
    ModeExchange modes;
    QString shown;
    std::vector<int> pointerAtMessage;
};

TEST_P(DialogExchange, SendsTellsAndEndsAsTheAnswersSay)
{
    const ExchangeCase& c = GetParam();
    c.start(seq);
    for (const QString& answer : c.answers)
        line(answer);
    EXPECT_EQ(sent(), c.sent);
    EXPECT_EQ(log.entries, c.log) << log.entries.join(" | ").toStdString();
    EXPECT_EQ(seq.LinkState(), c.end);
    EXPECT_EQ(shown, c.shown);
    // Only an exchange that still waits keeps the time-out running; every message
    // comes with the pointer back to the default.
    EXPECT_EQ(timer.active, c.end != link::State::Idle);
    for (const int pointer : pointerAtMessage)
        EXPECT_EQ(pointer, 0);
}

using S = link::State;

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogExchange,
    ::testing::Values(
        ExchangeCase{
            "readEveryItem",
            read,
            {"RMD000", "RCF021230.5", "RCF030060", "RCF040400", "RCF063", "RCF072002/06/02 09:00",
             "RCF082002/06/02 17:00", "RCF012", "RCF051", "RCM19200E71"},
            {"CMD", "CCF02", "CCF03", "CCF04", "CCF06", "CCF07", "CCF08", "CCF01", "CCF05", "CCM"},
            {"dispSet.DataDisp"},
            S::Idle},
        ExchangeCase{"measuringRefusesTheRead",
                     read,
                     {"RMD210"},
                     {"CMD"},
                     {"dispSet.enable", kMeasuring, "dispSet.unload"},
                     S::Idle},
        ExchangeCase{"ngEndsTheRead",
                     read,
                     {"RMD000", "RCF021230.5", "NG"},
                     {"CMD", "CCF02", "CCF03"},
                     {"dispSet.enable",
                      "msg:現在の設定が取得できません。\r\n電力計を確認して下さい。",
                      "dispSet.unload"},
                     S::Idle},
        // A status of the wrong length or echo, another two-character line, a wrong
        // echo and a basic item cut short are no answers: the time-out follows.
        ExchangeCase{"wrongAnswersIgnored",
                     read,
                     {"RMD00", "XMD000", "RMD000", "OK", "RCF031230.5", "RCF02230.5"},
                     {"CMD", "CCF02"},
                     {},
                     S::SettingsRead},
        ExchangeCase{"writeEveryCommand",
                     write({"SCF020", "SCFW"}),
                     {"RMD100", "OK", "OK"},
                     {"CMD", "SCF020", "SCFW"},
                     {kDone, "dispSet.enable", "dispSet.unload"},
                     S::Idle},
        ExchangeCase{"measuringRefusesTheWrite",
                     write({"SCF020", "SCFW"}),
                     {"RMD011"},
                     {"CMD"},
                     {"dispSet.enable", kMeasuring, "dispSet.Tmr1Sec"},
                     S::Idle},
        // Only two-character answers count; after a refusal nothing more is sent,
        // also when an "OK" comes late.
        ExchangeCase{"ngStopsBeforeTheFlashWrite",
                     write({"SCF020", "SCF030060", "SCFW"}),
                     {"RMD000", "OKAY", "OK", "NG", "OK"},
                     {"CMD", "SCF020", "SCF030060"},
                     {"dispSet.enable", kTopMenu, "dispSet.Tmr1Sec"},
                     S::Idle},
        ExchangeCase{"lineWhileMeasuring",
                     mode("SMD02"),
                     {"RMD010"},
                     {"CMD"},
                     {"keisokuMode.enable", kMeasuring, "keisokuMode.DataDisp"},
                     S::Idle,
                     "010"},
        ExchangeCase{"startWhileMeasuring",
                     mode("SMD11"),
                     {"RMD210"},
                     {"CMD"},
                     {kDone, "keisokuMode.DataDisp"},
                     S::Idle,
                     "210"},
        ExchangeCase{"stopWhileIdle",
                     mode("SMD10"),
                     {"RMD200"},
                     {"CMD"},
                     {kDone, "keisokuMode.clearSelections", "keisokuMode.DataDisp"},
                     S::Idle,
                     "200"},
        ExchangeCase{"stopWhileLogging",
                     mode("SMD10"),
                     {"RMD211"},
                     {"CMD"},
                     {"keisokuMode.enable",
                      "msg:電力計がロギング中は設定できません。\r\nロギングを終了して下さい。"},
                     S::Idle},
        ExchangeCase{"stopTakenThenReadAgain",
                     mode("SMD10"),
                     {"RMD21", "RMD210", "OKK", "OK", "RMD200"},
                     {"CMD", "SMD10", "CMD"},
                     {kDone, "keisokuMode.clearSelections", "keisokuMode.DataDisp"},
                     S::Idle,
                     "200"},
        ExchangeCase{"startRefused",
                     mode("SMD11"),
                     {"RMD000", "NG"},
                     {"CMD", "SMD11"},
                     {"keisokuMode.enable", kTopMenu},
                     S::Idle},
        ExchangeCase{"lineRefused",
                     mode("SMD00"),
                     {"RMD200", "NG"},
                     {"CMD", "SMD00"},
                     {"keisokuMode.enable", "msg:設定できません。\r\n電力計を確認して下さい。"},
                     S::Idle}),
    [](const auto& info) { return std::string(info.param.name); });


// A send whose status answer timed out is over: a late answer (here one that the
// meter sends while the time-out's message is open) sends nothing more and
// reports nothing.
TEST_F(DialogExchange, ALateStatusAnswerAfterTheTimeOutSendsNothing)
{
    struct Case {
        const char* name;
        Start start;
    };
    const Case cases[] = {
        {"settingsSend", write({"SCF020", "SCFW"})},
        {"modeSend", mode("SMD02")},
    };
    for (const Case& c : cases) {
        c.start(seq);
        tc.msg.onShow = [this](const MessageRequest& r) {
            log.add("msg:" + r.text);
            line("RMD000");
        };
        seq.onTimeout();
        line("OK");
        EXPECT_EQ(sent(), QStringList{"CMD"}) << c.name;
        EXPECT_FALSE(log.entries.contains(kDone)) << c.name;
        EXPECT_EQ(seq.LinkState(), link::State::Idle) << c.name;
        transport.writes.clear();
        log.clear();
    }
}

// A send cut short before the meter wrote its flash memory leaves values that a
// power cycle loses: the next read says so, until a send is answered to the end.
// The flash write alone may take longer than the link's own time-out.
TEST_F(DialogExchange, ReadWarnsOfASendThatNeverReachedTheFlashWrite)
{
    const QStringList readAnswers = {"RMD000", "RCF021230.5", "RCF030060", "RCF040400",
                                     "RCF063", "RCF072002/06/02 09:00", "RCF082002/06/02 17:00",
                                     "RCF012", "RCF051", "RCM19200E71"};
    const QString kUnflashed =
        "msg:前回の設定の送信は電力計本体への書き込みの前に終わりました。\r\n"
        "電力計の設定は電源を切ると元に戻ります。設定を確認して、もう一度送信して下さい。";
    struct Case {
        const char* name;
        QStringList writeAnswers;
        bool timeOut;
        bool warned;
    };
    const Case cases[] = {
        {"refusedMidway", {"RMD000", "OK", "NG"}, false, true},
        {"flashWriteTimedOut", {"RMD000", "OK", "OK"}, true, true},
        {"answeredToTheEnd", {"RMD000", "OK", "OK", "OK"}, false, false},
        // A meter that measures takes nothing: no value was changed.
        {"measuringMeter", {"RMD011"}, false, false},
    };
    for (const Case& c : cases) {
        ctx().settings.write(kUnflashedSettingName, QStringLiteral("0"));
        startSettingsWrite(seq, {"SCF020", "SCF030060", "SCFW"});
        for (const QString& answer : c.writeAnswers)
            line(answer);
        if (c.timeOut) {
            EXPECT_EQ(lastSent(), "SCFW") << c.name;
            EXPECT_EQ(timer.lastMs, kFlashWriteTimeOutMs) << c.name;
            seq.onTimeout();
        }
        log.clear();
        startSettingsRead(seq);
        for (const QString& answer : readAnswers)
            line(answer);
        EXPECT_EQ(log.entries.contains(kUnflashed), c.warned) << c.name;
        EXPECT_EQ(log.entries.value(0), "dispSet.DataDisp") << c.name;
    }
}

} // namespace
} // namespace quellin::test

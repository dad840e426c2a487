// The whole program starting against the virtual meter over a pseudo-terminal.

#include "Doubles.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "main/FrmMDIMain.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// The program started against the meter, closed again at the end.
using Startup = test::ProgramFixture;

struct VersionCase {
    const char* name;
    QStringList meterArgs;
    int version;
    const char* versionText;
    int columnLast;
};

class StartupVersion : public Startup, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(StartupVersion, LearnsTheVersionAndShowsTheMainWindow)
{
    const VersionCase& c = GetParam();
    start(c.meterArgs);
    const Context& ctx = program->context();
    EXPECT_EQ(ctx.app.HardVersion, c.version);
    EXPECT_EQ(ctx.app.HardVersionText, QString::fromUtf8(c.versionText));
    EXPECT_EQ(ctx.cat.ColumnLast, c.columnLast);
    EXPECT_EQ(program->comm().sequencer().LinkState(), link::State::Idle);
    EXPECT_TRUE(program->mainWindow()->isVisible());
    EXPECT_EQ(program->mainWindow()->windowTitle(), QStringLiteral("Quellin"));
    EXPECT_EQ(program->versionStatusText(),
              QStringLiteral("ハードバージョン ") + QString::fromUtf8(c.versionText));
    EXPECT_TRUE(msg.shown.empty()) << msg.texts().join(QLatin1Char('|')).toStdString();
    const QStringList commands = sim.receivedCommands();
    ASSERT_GE(commands.size(), 2);
    EXPECT_EQ(commands[0], QStringLiteral("SLE"));
    EXPECT_EQ(commands[1], QStringLiteral("VER"));
}

INSTANTIATE_TEST_SUITE_P(
    Meters, StartupVersion,
    ::testing::Values(VersionCase{"version1", {"--version", "1"}, 1, "1.05A", 12},
                      VersionCase{"version2", {"--version", "2"}, 2, "2.10A", 17},
                      VersionCase{
                          "version3", {"--version", "2", "--ver-text", "3.00B"}, 3, "3.00B", 17},
                      VersionCase{"verRefused", {"--version", "2", "--ver-ng"}, 1, "1", 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, ForcedVersionSendsSleButNeverVer)
{
    start({"--version", "1"}, {"quellin", "/V2"});
    EXPECT_EQ(program->context().app.HardVersion, 2);
    EXPECT_EQ(program->context().cat.ColumnLast, 17);
    EXPECT_EQ(program->versionStatusText(), QStringLiteral("ハードバージョン 2 参照してません。"));
    // Give the meter's answer to "SLE" time to arrive and be handled.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(sim.receivedCommands().contains(QStringLiteral("SLE")));
    EXPECT_FALSE(sim.receivedCommands().contains(QStringLiteral("VER")));
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(Startup, SilentMeterLeadsToTheVersionQuestionAfterTheTimeOut)
{
    msg.answers = {MsgAnswer::No}; // "いいえ：Ver.２"
    start({"--version", "1", "--silent", "SLE", "--silent", "VER"});
    // "SLE" went unanswered, so "VER" was never asked; the time-out asked the user.
    EXPECT_EQ(sim.receivedCommands(), QStringList{QStringLiteral("SLE")});
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0].title, QStringLiteral("ハードバージョン確認"));
    EXPECT_EQ(msg.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(program->context().app.HardVersion, 2);
    EXPECT_EQ(program->versionStatusText(), QStringLiteral("ハードバージョン 2 参照してません。"));
    EXPECT_TRUE(program->mainWindow()->isVisible());
}

TEST_F(Startup, PortThatCannotBeOpenedAsksForTheVersionFirst)
{
    qputenv("QUELLIN_COM1", QByteArray("/nonexistent/tty-quellin"));
    // The invalid-port box, then the version question (Yes = version 1).
    msg.answers = {MsgAnswer::Ok, MsgAnswer::Yes};
    files.answers.clear();
    program = std::make_unique<Program>(ServiceOverrides{&msg, &files, &sleep});
    // The communication settings dialog opens modally: cancel it when it shows.
    QTimer closer;
    int dialogs = 0;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            w->reject();
        }
    });
    closer.start(20);
    program->start({QStringLiteral("quellin")});
    closer.stop();
    EXPECT_EQ(dialogs, 1);
    ASSERT_GE(msg.shown.size(), 2u);
    EXPECT_TRUE(msg.shown[0].text.startsWith(
        QStringLiteral("通信ポート1 を初期化してオープンできません。\r\n")));
    EXPECT_EQ(msg.shown[1].title, QStringLiteral("ハードバージョン確認"));
    EXPECT_EQ(program->context().app.HardVersion, 1);
    EXPECT_TRUE(program->mainWindow()->isVisible());
}

} // namespace
} // namespace quellin

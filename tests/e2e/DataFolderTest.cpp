// One program per data folder, and the data set after an abnormal end: two
// program instances and a kill -9 against the virtual meter; the port that comes
// back; a start-up that goes on when the catalogue cannot be built.

#include "Doubles.h"
#include "EventWait.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "link/FrmComm.h"
#include "main/FrmMDIMain.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::runEventsUntil;

struct DataFolder : test::ProgramFixture {
    void TearDown() override
    {
        ProgramFixture::TearDown();
        if (host.state() != QProcess::NotRunning) {
            host.kill();
            host.waitForFinished(3000);
        }
    }
    // The program in a process of its own; true once it says "ready".
    bool startHost(const QStringList& args)
    {
        host.setProgram(QStringLiteral(QUELLIN_PROGRAM_HOST));
        host.setArguments(args);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        host.setProcessEnvironment(env);
        host.start();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 30000) {
            if (host.waitForReadyRead(200) && host.readAll().contains("ready"))
                return true;
            if (host.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }
    QStringList folderFiles() const
    {
        return QDir(home.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QProcess host;
};

TEST_F(DataFolder, ASecondProgramOnTheSameFolderIsRefusedAndTouchesNothing)
{
    startMeter({"--version", "2"});
    ASSERT_TRUE(startHost({}));
    const QStringList before = folderFiles();
    const int commandsBefore = static_cast<int>(sim.receivedCommands().size());

    startHere();

    EXPECT_TRUE(program->refused());
    EXPECT_EQ(program->mainWindow(), nullptr);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_TRUE(msg.shown[0].text.contains(QStringLiteral("別の Quellin が使用中です。")));
    EXPECT_EQ(folderFiles(), before);
    EXPECT_EQ(sim.receivedCommands().size(), commandsBefore);
}

TEST_F(DataFolder, AKilledMeasurementIsRestoredAtTheNextStart)
{
    startMeter({"--version", "2", "--rate", "50", "--start-time", "2002/06/01 10:00:00"});
    ASSERT_TRUE(startHost({"--measure", "40"}));
    host.kill(); // SIGKILL: no clean-up of any kind
    ASSERT_TRUE(host.waitForFinished(3000));
    const qint64 bytes = QFileInfo(home.filePath(QStringLiteral("TMP.DAT"))).size();
    ASSERT_GE(bytes, 40 * kRecordBytes);

    msg.answers = {MsgAnswer::Yes};
    startHere();

    ASSERT_FALSE(program->refused()); // the dead program's lock is taken over
    ASSERT_GE(msg.shown.size(), 1u);
    EXPECT_TRUE(msg.shown.back().text.contains(QStringLiteral("復元しますか？")));
    const Context& ctx = program->context();
    EXPECT_TRUE(ctx.app.DataPresent);
    EXPECT_EQ(ctx.dataSet().RecordCount(), bytes / kRecordBytes);
    EXPECT_TRUE(program->mainWindow()->MnuFile_Save->isEnabled());
    EXPECT_EQ(ctx.dataSet().FirstTime(), ctx.dataSet().ReadRecord(1).time());
    EXPECT_EQ(ctx.dataSet().LastTime(),
              ctx.dataSet().ReadRecord(ctx.dataSet().RecordCount()).time());
    EXPECT_EQ(ctx.listPage().Rows[1].number, 0);

    // Saved, the restored data set loads back whole.
    const QString saved = home.filePath(QStringLiteral("restored.csv"));
    ASSERT_TRUE(SaveDataFile(program->context(), saved));
    const int count = ctx.dataSet().RecordCount();
    ASSERT_TRUE(LoadDataFile(program->context(), saved));
    EXPECT_EQ(ctx.dataSet().RecordCount(), count);
}

TEST_F(DataFolder, RecordsLeftBehindAreRemovedOnlyWhenTheUserSaysNo)
{
    startMeter({"--version", "1", "--rate", "50"});
    ASSERT_TRUE(startHost({"--measure", "5"}));
    host.kill();
    ASSERT_TRUE(host.waitForFinished(3000));

    msg.answers = {MsgAnswer::No};
    startHere();

    EXPECT_FALSE(program->context().app.DataPresent);
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("TMP.DAT"))));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("TMP.INF"))));
}

TEST_F(DataFolder, ThePortThatComesBackIsOpenedAgainByItself)
{
    const QString link = home.filePath(QStringLiteral("meter-tty"));
    ASSERT_TRUE(sim.start({"--version", "2", "--link", link}));
    qputenv("QUELLIN_COM1", link.toLocal8Bit());
    startHere();
    ASSERT_TRUE(program->comm().isOpen());

    sim.stop(); // the adapter is pulled out
    ASSERT_TRUE(runEventsUntil([&] { return !program->comm().isOpen() && !msg.shown.empty(); }));
    EXPECT_TRUE(program->comm().reopening());

    // While it is away, a measurement start says so at once and keeps the data.
    program->mainWindow()->measurementRun().keisokuCommand();
    EXPECT_TRUE(msg.shown.back().text.startsWith(QStringLiteral("通信ポート1 が開いていません。")));

    test::MeterSim again; // plugged in again
    ASSERT_TRUE(again.start({"--version", "2", "--link", link}));
    ASSERT_TRUE(runEventsUntil([&] { return program->comm().isOpen(); }, 10000));
    EXPECT_EQ(program->context().svc.status.panelText(2),
              QStringLiteral("通信ポート1 を開き直しました。"));
    program->mainWindow()->measurementRun().keisokuCommand();
    ASSERT_TRUE(runEventsUntil([&] { return program->context().app.Measuring; }));
    EXPECT_TRUE(again.receivedCommands().contains(QStringLiteral("SLG")));
}

// A pointer service that fails once, the second time the hourglass is asked for:
// that is when the catalogue is being built after the version answer.
class FailingPointer : public PointerService {
public:
    void setPointer(MousePointer pointer) override
    {
        if (pointer == MousePointer::Hourglass && ++hourglasses == 2)
            throw std::runtime_error("pointer unavailable");
    }
    int hourglasses = 0;
};

TEST_F(DataFolder, StartUpGoesOnWhenTheCatalogueCannotBeBuilt)
{
    startMeter({"--version", "2", "--ver-ng"}); // "NG" to "VER": version 1
    FailingPointer pointer;
    // Should the wait never end, this ends it (and the test fails below).
    QTimer::singleShot(15000, [] { QCoreApplication::exit(1); });
    startHere({QStringLiteral("quellin")}, &pointer);
    ASSERT_NE(program->mainWindow(), nullptr);
    EXPECT_TRUE(program->mainWindow()->isVisible());
    EXPECT_EQ(program->context().app.HardVersion, 1);
    EXPECT_EQ(program->context().cat.ColumnLast, 12);
    ASSERT_FALSE(msg.shown.empty());
    EXPECT_TRUE(
        msg.shown[0].text.startsWith(QStringLiteral("bfVer_NoCheckでエラーが起こりました。")));
}

} // namespace
} // namespace quellin

#include "LinkDoubles.h"

#include "link/FrmComm.h"
#include "link/PresentPorts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace quellin::test {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name) { qputenv(name_, value); }
    ~ScopedEnv() { qunsetenv(name_); }

private:
    const char* name_;
};

// The meter's end of a pseudo-terminal; the program opens the slave.
class PtyMaster {
public:
    PtyMaster()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0)
            slave_ = QByteArray(ptsname(fd_));
    }
    ~PtyMaster() { hangUp(); }

    bool ok() const { return fd_ >= 0 && !slave_.isEmpty(); }
    const QByteArray& slave() const { return slave_; }

    void send(const QByteArray& bytes) const
    {
        ASSERT_EQ(::write(fd_, bytes.constData(), bytes.size()), bytes.size());
    }
    // What the program wrote, collected until want bytes came or 5 s passed.
    QByteArray receive(int want) const
    {
        QByteArray got;
        QDeadlineTimer deadline(5000);
        while (got.size() < want && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                const ssize_t n = ::read(fd_, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, n);
            }
        }
        return got;
    }
    void hangUp()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    QByteArray slave_;
};

// Lets the event loop run until done() or 5 s passed; true when done.
template <class Pred> bool runEventsUntil(Pred done)
{
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void runEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class CommPortTest : public ::testing::Test, public LinkFixture {};

// --- Port settings ---------------------------------------------------------------------

struct ParamCase {
    QString text;
    bool valid;
    qint32 baud;
    QSerialPort::Parity parity;
    QSerialPort::DataBits bits;
    QSerialPort::StopBits stop;
};

class CommParamText : public ::testing::TestWithParam<ParamCase> {};

TEST(PortNotOpenedText, NamesTheDeviceAndWhyItCouldNotBeOpened)
{
    const QString base = QStringLiteral("通信ポート2 を初期化してオープンできません。");
    EXPECT_EQ(portNotOpenedText("2", {}, PortFailure::Unknown), base);
    const struct {
        PortFailure failure;
        const char* says;
        bool dialout;
    } cases[] = {
        {PortFailure::NotFound, "がありません", false},
        {PortFailure::Busy, "他のプログラムが使っています", false},
        {PortFailure::NotPermitted, "usermod -aG dialout", true},
        {PortFailure::Unknown, "を開けません（Input/output error）", false},
    };
    for (const auto& c : cases) {
        const QString text =
            portNotOpenedText("2", "/dev/ttyUSB0", c.failure, QStringLiteral("Input/output error"));
        EXPECT_TRUE(text.startsWith(base + QStringLiteral("\r\nデバイス /dev/ttyUSB0 ")));
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("dialout")), c.dialout) << text.toStdString();
    }
}

TEST(PortFailure, TellsAMissingDeviceFromABusyOne)
{
    EXPECT_EQ(
        portFailure(QStringLiteral("/dev/quellin-no-such-port"), QSerialPort::PermissionError),
        PortFailure::NotFound);
    EXPECT_EQ(portFailure(QStringLiteral("/dev/null"), QSerialPort::DeviceNotFoundError),
              PortFailure::NotFound);
    // A device this user may read and write that still refused: another program.
    EXPECT_EQ(portFailure(QStringLiteral("/dev/null"), QSerialPort::PermissionError),
              PortFailure::Busy);
    EXPECT_EQ(portFailure(QStringLiteral("/dev/null"), QSerialPort::ResourceError),
              PortFailure::Unknown);
}

TEST_P(CommParamText, IsReadFieldByField)
{
    const ParamCase& c = GetParam();
    const auto s = parseCommParam(c.text);
    ASSERT_EQ(s.has_value(), c.valid) << c.text.toStdString();
    if (!c.valid)
        return;
    EXPECT_EQ(s->baudRate, c.baud);
    EXPECT_EQ(s->parity, c.parity);
    EXPECT_EQ(s->dataBits, c.bits);
    EXPECT_EQ(s->stopBits, c.stop);
}

constexpr auto N = QSerialPort::NoParity;
constexpr auto E = QSerialPort::EvenParity;
constexpr auto O = QSerialPort::OddParity;
constexpr auto D7 = QSerialPort::Data7;
constexpr auto D8 = QSerialPort::Data8;
constexpr auto S1 = QSerialPort::OneStop;
constexpr auto S2 = QSerialPort::TwoStop;

INSTANTIATE_TEST_SUITE_P(
    CommPort, CommParamText,
    ::testing::Values(
        ParamCase{"9600,N,8,1", true, 9600, N, D8, S1},
        ParamCase{"19200,E,7,2", true, 19200, E, D7, S2},
        ParamCase{"4800,o,8,1", true, 4800, O, D8, S1},
        ParamCase{" 38400 , N , 8 , 1", true, 38400, N, D8, S1},
        ParamCase{"9600,N,8,1.5", true, 9600, N, D8, QSerialPort::OneAndHalfStop},
        ParamCase{"", false, 0, N, D8, S1}, ParamCase{"9600,N,8", false, 0, N, D8, S1},
        ParamCase{"9600,N,8,1,0", false, 0, N, D8, S1}, ParamCase{",N,8,1", false, 0, N, D8, S1},
        ParamCase{"abc,N,8,1", false, 0, N, D8, S1}, ParamCase{"-9600,N,8,1", false, 0, N, D8, S1},
        ParamCase{"9600,X,8,1", false, 0, N, D8, S1}, ParamCase{"9600,N,9,1", false, 0, N, D8, S1},
        ParamCase{"9600,N,4,1", false, 0, N, D8, S1}, ParamCase{"9600,N,8,3", false, 0, N, D8, S1},
        ParamCase{"9600,,8,1", false, 0, N, D8, S1}));

TEST_F(CommPortTest, DeviceComesFromTheEnvironmentThenTheSettingsThenTheDefault)
{
    EXPECT_EQ(FrmComm::deviceForPort(ctx(), 2), "/dev/ttyS1");
    tc.settings->write("CommDevice2", "/dev/ttyUSB0");
    EXPECT_EQ(FrmComm::deviceForPort(ctx(), 2), "/dev/ttyUSB0");
    {
        ScopedEnv env("QUELLIN_COM2", "/tmp/meter");
        EXPECT_EQ(FrmComm::deviceForPort(ctx(), 2), "/tmp/meter");
    }
    EXPECT_EQ(FrmComm::deviceForPort(ctx(), 8), "/dev/ttyS7");
}

// --- Opening ---------------------------------------------------------------------------

TEST_F(CommPortTest, PortThatCannotBeOpenedTellsTheUserAndOffersTheSettings)
{
    ScopedEnv env("QUELLIN_COM3", "/nonexistent/quellin-tty");
    ctx().app.CommPort = "3";
    FrmComm comm(ctx(), clients);
    std::vector<int> pointerWhenDialogShown;
    comm.showSystemDialog = [&] { pointerWhenDialogShown.push_back(tc.pointer.current); };
    tc.pointer.current = 11;

    EXPECT_FALSE(comm.openPort());
    EXPECT_FALSE(comm.isOpen());
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    // The first line as it always was; the next names the device and why.
    EXPECT_EQ(tc.msg.shown[0].text.section(QStringLiteral("\r\n"), 0, 0),
              "通信ポート3 を初期化してオープンできません。");
    EXPECT_EQ(tc.msg.shown[0].text.section(QStringLiteral("\r\n"), 1),
              "デバイス /nonexistent/quellin-tty がありません。ケーブルを確認するか、"
              "通信設定で使えるポートを選んで下さい。");
    EXPECT_EQ(tc.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(tc.msg.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(tc.msg.shown[0].foreground);
    EXPECT_EQ(pointerWhenDialogShown, std::vector<int>{0});
    EXPECT_EQ(tc.pointer.current, 11);

    // Closed: writing does nothing, and an exchange waits for its time-out.
    comm.sequencer().SendCommand("CMD");
    comm.sequencer().startMeasurementRequest();
    EXPECT_TRUE(comm.timeOutTimer().isActive());
    EXPECT_EQ(comm.timeOutTimer().interval(), 10000);
    EXPECT_TRUE(comm.timeOutTimer().isSingleShot());
}

TEST_F(CommPortTest, PortNumberOutsideOneToEightIsTheInvalidPortCase)
{
    for (const QString port : {"0", "9", "x", ""}) {
        tc.msg.clear();
        ctx().app.CommPort = port;
        FrmComm comm(ctx(), clients);
        int dialogs = 0;
        comm.showSystemDialog = [&] { ++dialogs; };
        EXPECT_FALSE(comm.openPort());
        ASSERT_EQ(tc.msg.shown.size(), 1u);
        EXPECT_EQ(tc.msg.shown[0].text, "通信ポート" + port + " を初期化してオープンできません。");
        EXPECT_EQ(dialogs, 1);
    }
}

TEST_F(CommPortTest, CommParamThatCannotBeAppliedShowsItsDescriptionWithoutTheDialog)
{
    ctx().app.CommParam = "9600,X,8,1";
    FrmComm comm(ctx(), clients);
    int dialogs = 0;
    comm.showSystemDialog = [&] { ++dialogs; };
    EXPECT_FALSE(comm.openPort());
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    EXPECT_EQ(tc.msg.shown[0].text, "プロパティの値が不正です。");
    EXPECT_EQ(tc.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs, 0);
}

TEST_F(CommPortTest, SettingsDialogThatReopensThePortLeavesItOpen)
{
    PtyMaster meter;
    ASSERT_TRUE(meter.ok());
    ScopedEnv bad("QUELLIN_COM4", "/nonexistent/quellin-tty");
    ScopedEnv good("QUELLIN_COM5", meter.slave());
    ctx().app.CommPort = "4";
    FrmComm comm(ctx(), clients);
    comm.showSystemDialog = [&] {
        ctx().app.CommPort = "5";
        EXPECT_TRUE(comm.reopenPort());
    };
    EXPECT_TRUE(comm.openPort());
    EXPECT_TRUE(comm.isOpen());
    EXPECT_EQ(comm.openedPort(), "5");
    EXPECT_EQ(tc.msg.shown.size(), 1u);
}

TEST_F(CommPortTest, ReopenWithABadPortShowsTheMessageButNoDialog)
{
    ScopedEnv env("QUELLIN_COM6", "/nonexistent/quellin-tty");
    ctx().app.CommPort = "6";
    FrmComm comm(ctx(), clients);
    int dialogs = 0;
    comm.showSystemDialog = [&] { ++dialogs; };
    EXPECT_FALSE(comm.reopenPort());
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    EXPECT_TRUE(
        tc.msg.shown[0].text.startsWith("通信ポート6 を初期化してオープンできません。\r\n"
                                        "デバイス /nonexistent/quellin-tty がありません。"));
    EXPECT_EQ(dialogs, 0);
}

// --- A real pseudo-terminal ------------------------------------------------------------

TEST_F(CommPortTest, TalksToAMeterOnAPseudoTerminal)
{
    PtyMaster meter;
    ASSERT_TRUE(meter.ok());
    ScopedEnv env("QUELLIN_COM1", meter.slave());
    FrmComm comm(ctx(), clients);
    ASSERT_TRUE(comm.openPort()) << tc.msg.texts().join('|').toStdString();
    EXPECT_TRUE(comm.isOpen());

    comm.sequencer().SendCommand("SLE");
    EXPECT_EQ(meter.receive(4), QByteArray("SLE\r"));

    comm.sequencer().startExchange(link::State::SettingsStatus, {});
    meter.send("RMD0");
    runEventsFor(50);
    meter.send("10\rLOW\r");
    ASSERT_TRUE(runEventsUntil([&] { return log.entries.size() >= 2; }));
    EXPECT_EQ(log.entries,
              (QStringList{"settings:0:6:RMD010", "msg:本体側のバッテリがありません。"}));

    comm.closePort();
    EXPECT_FALSE(comm.isOpen());
}

// "3.0" or "+3" in the settings is port 3, as Basic reads the number.
TEST_F(CommPortTest, PortWrittenWithSignOrZeroFractionOpensThatPort)
{
    for (const QString port : {"+3", "3.0"}) {
        PtyMaster meter;
        ASSERT_TRUE(meter.ok());
        ScopedEnv env("QUELLIN_COM3", meter.slave());
        ctx().app.CommPort = port;
        FrmComm comm(ctx(), clients);
        ASSERT_TRUE(comm.openPort()) << port.toStdString();
        comm.sequencer().SendCommand("SLE");
        EXPECT_EQ(meter.receive(4), QByteArray("SLE\r"));
        comm.closePort();
    }
}

TEST_F(CommPortTest, ReopenDropsWhatWasReceivedBefore)
{
    PtyMaster meter;
    ASSERT_TRUE(meter.ok());
    ScopedEnv env("QUELLIN_COM1", meter.slave());
    FrmComm comm(ctx(), clients);
    ASSERT_TRUE(comm.openPort());
    comm.sequencer().startExchange(link::State::SettingsStatus, {});
    meter.send("RMD0");
    runEventsFor(100);
    ASSERT_TRUE(comm.reopenPort());
    meter.send("OK\r");
    ASSERT_TRUE(runEventsUntil([&] { return !log.entries.isEmpty(); }));
    EXPECT_EQ(log.entries, QStringList{"settings:0:2:OK"});
}

TEST_F(CommPortTest, HangUpOfTheMeterSideIsReportedOnceAndClosesThePort)
{
    PtyMaster meter;
    ASSERT_TRUE(meter.ok());
    ScopedEnv env("QUELLIN_COM1", meter.slave());
    FrmComm comm(ctx(), clients);
    ASSERT_TRUE(comm.openPort());
    comm.sequencer().startMeasurementRequest();
    EXPECT_EQ(meter.receive(4), QByteArray("CMD\r"));

    meter.hangUp();
    ASSERT_TRUE(runEventsUntil([&] { return !tc.msg.shown.empty(); }));
    runEventsFor(300); // nothing more may follow

    EXPECT_EQ(
        log.entries,
        (QStringList{
            "msg:通信ポート1 が使用できなくなりました。\r\n"
            "ケーブルを確認して下さい。同じポートが使えるようになると、自動的に開き直します。",
            "msg:計測開始に失敗しました。"}));
    EXPECT_EQ(tc.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(comm.isOpen());
    EXPECT_FALSE(comm.timeOutTimer().isActive());
}

// An adapter plugged in again under another name is found by its serial number;
// another adapter that took its place is not opened.
TEST_F(CommPortTest, ALostAdapterIsReopenedUnderItsNewNameByItsSerialNumber)
{
    const struct {
        const char* name;
        QString serialBefore;
        QString serialNow;
        bool reopened;
    } cases[] = {
        {"same adapter", "A1B2", "A1B2", true},
        {"another adapter", "A1B2", "ZZ99", false},
        {"adapter without serial number", "", "", false},
    };
    for (const auto& c : cases) {
        PtyMaster before;
        PtyMaster now; // made first, so that it cannot take the lost one's name
        ASSERT_TRUE(before.ok() && now.ok());
        ScopedEnv env("QUELLIN_COM1", before.slave());
        QList<PresentPort> ports = {{QString::fromLatin1(before.slave()), {}, {}, c.serialBefore}};
        FrmComm comm(ctx(), clients);
        comm.setPortLister([&] { return ports; });
        ASSERT_TRUE(comm.openPort()) << c.name;
        before.hangUp();
        ASSERT_TRUE(runEventsUntil([&] { return !comm.isOpen(); })) << c.name;
        ASSERT_TRUE(runEventsUntil([&] { return tc.status.panels[1] == "ポート切断"; }))
            << c.name;
        ASSERT_FALSE(QFile::exists(QString::fromLatin1(before.slave()))) << c.name;
        ports = {{QString::fromLatin1(now.slave()), {}, {}, c.serialNow}};
        tc.status.panels[2].clear();
        comm.tryReopen();
        EXPECT_EQ(comm.isOpen(), c.reopened) << c.name;
        // The lost state shows until the port is open again.
        EXPECT_EQ(tc.status.panels[1], c.reopened ? "" : "ポート切断") << c.name;
        if (!c.reopened)
            continue;
        EXPECT_EQ(comm.openedDevice(), QString::fromLatin1(now.slave())) << c.name;
        EXPECT_EQ(tc.status.panels[2], "通信ポート1 を開き直しました（デバイス " +
                                           QString::fromLatin1(now.slave()) + "）。")
            << c.name;
        comm.write("CMD\r");
        EXPECT_EQ(now.receive(4), QByteArray("CMD\r")) << c.name;
    }
}

TEST(PresentPorts, AreNamedByTheirStableLinkAndFoundBySerialNumber)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString devices = dir.filePath("dev");
    const QString byId = dir.filePath("by-id");
    ASSERT_TRUE(QDir().mkpath(devices) && QDir().mkpath(byId));
    for (const char* name : {"ttyUSB0", "ttyUSB1"}) {
        QFile f(devices + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(devices + "/ttyUSB1", byId + "/usb-FTDI_FT232R_A1B2-if00-port0"));
    ASSERT_TRUE(QFile::link(devices + "/gone", byId + "/usb-old-port0")); // a dangling link
    const QList<PresentPort> ports = {{devices + "/ttyUSB0", {}, {}, {}},
                                      {devices + "/ttyUSB1", {}, {}, "A1B2"}};
    const struct {
        const char* name;
        QString device;
        QString stable;
        QString serial;
    } cases[] = {
        {"adapter with a link", devices + "/ttyUSB1", byId + "/usb-FTDI_FT232R_A1B2-if00-port0",
         "A1B2"},
        {"the link itself", byId + "/usb-FTDI_FT232R_A1B2-if00-port0",
         byId + "/usb-FTDI_FT232R_A1B2-if00-port0", "A1B2"},
        {"port without link or serial", devices + "/ttyUSB0", {}, {}},
        {"no such port", devices + "/ttyUSB7", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stableNameOf(c.device, byId), c.stable) << c.name;
        EXPECT_EQ(serialNumberOf(ports, c.device), c.serial) << c.name;
    }
    EXPECT_EQ(portWithSerialNumber(ports, "A1B2")->device, devices + "/ttyUSB1");
    EXPECT_FALSE(portWithSerialNumber(ports, "").has_value());
    EXPECT_FALSE(portWithSerialNumber(ports, "NONE").has_value());
}

} // namespace
} // namespace quellin::test

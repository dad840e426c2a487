// The virtual meter over its pseudo-terminal: answers, measured-data lines,
// its clock, and the faults it can inject.

#include "support/MeterSim.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstring>

namespace quellin::test {
namespace {

std::string show(const std::optional<QByteArray>& line)
{
    return line ? "\"" + line->toStdString() + "\"" : std::string("(nothing)");
}

// Decodes eight hex digits, most significant byte first, as a single.
std::optional<float> decodeHex(const QByteArray& hex)
{
    if (hex.size() != 8)
        return std::nullopt;
    bool ok = false;
    const quint32 bits = hex.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The reading at a position counted from 1 after "RML".
float readingAt(const QByteArray& line, int position)
{
    const std::optional<float> v = decodeHex(line.mid(3 + position - 1, 8));
    EXPECT_TRUE(v.has_value()) << "no reading at " << position << " in " << line.toStdString();
    return v.value_or(NAN);
}

QDateTime timeOf(const QByteArray& line)
{
    return QDateTime::fromString(QString::fromLatin1(line.mid(3 + 68 - 1, 19)),
                                 QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

struct Started {
    MeterSim sim;
    MeterTerminal port;
};

// Starts the meter and opens its device; fails the test when either does not work.
void startMeter(Started& s, const QStringList& args)
{
    ASSERT_TRUE(s.sim.start(args)) << s.sim.errorText().toStdString();
    ASSERT_TRUE(s.port.open(s.sim.device())) << s.sim.device().toStdString();
}

struct AnswerCase {
    const char* name;
    QStringList args;
    QList<QByteArray> commands;
    QList<QByteArray> answers;
};

class MeterSimAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MeterSimAnswers, AnswerEachCommandWithItsLine)
{
    Started s;
    startMeter(s, GetParam().args);
    ASSERT_EQ(GetParam().commands.size(), GetParam().answers.size());
    for (qsizetype i = 0; i < GetParam().commands.size(); ++i) {
        const auto answer = s.port.ask(GetParam().commands[i]);
        EXPECT_EQ(answer, std::optional(GetParam().answers[i]))
            << GetParam().commands[i].toStdString() << " got " << show(answer);
    }
    // Every command and answer is in the meter's log, in order.
    QStringList expectedSent;
    for (const QByteArray& a : GetParam().answers)
        expectedSent << QString::fromLatin1(a);
    EXPECT_EQ(s.sim.sentLines(), expectedSent);
    EXPECT_EQ(s.sim.receivedCommands().size(), GetParam().commands.size());
}

INSTANTIATE_TEST_SUITE_P(
    Protocol, MeterSimAnswers,
    ::testing::Values(
        AnswerCase{"versionTwo", {}, {"SLE", "VER"}, {"OK", "VER2.10A"}},
        AnswerCase{"versionOne", {"--version", "1"}, {"VER"}, {"VER1.05A"}},
        AnswerCase{"statusIdle", {}, {"CMD"}, {"RMD200"}},
        AnswerCase{
            "statusBusy", {"--wiring", "0", "--measuring", "--logging"}, {"CMD"}, {"RMD011"}},
        AnswerCase{"measuringOnOff",
                   {"--wiring", "1"},
                   {"SMD11", "CMD", "SMD10", "CMD"},
                   {"OK", "RMD110", "OK", "RMD100"}},
        AnswerCase{"ratios",
                   {"--pt", "60", "--ct", "200"},
                   {"CCF03", "CCF04"},
                   {"RCF030060", "RCF040200"}},
        AnswerCase{"unknown", {}, {"ABC", "CCF99", ""}, {"NG", "NG", "NG"}},
        AnswerCase{"ngOption", {"--ng", "CMD"}, {"CMD", "VER"}, {"NG", "VER2.10A"}},
        AnswerCase{"verNg", {"--ver-ng"}, {"VER", "SLE"}, {"NG", "OK"}},
        AnswerCase{
            "ngPrefix", {"--ng", "CCF*"}, {"CCF03", "CCF04", "CMD"}, {"NG", "NG", "RMD200"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StreamCase {
    int version;
    int wiring;
    int length;
    double nominalVolts;
};

class MeterSimStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(MeterSimStream, LinesHaveTheLayoutAndOneSecondSteps)
{
    const StreamCase c = GetParam();
    Started s;
    // --max-lines: no fifth line can come between the fourth and the answer to "SLE".
    startMeter(s, {"--version", QString::number(c.version), "--wiring", QString::number(c.wiring),
                   "--rate", "50", "--max-lines", "4", "--start-time", "2024/02/28 23:59:58"});
    ASSERT_EQ(s.port.ask("SMD11"), std::optional<QByteArray>("OK"));
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("OK"));

    QList<QByteArray> lines;
    for (int i = 0; i < 4; ++i) {
        const auto line = s.port.readLine();
        ASSERT_TRUE(line) << "line " << i;
        lines << *line;
    }
    ASSERT_EQ(s.port.ask("SLE"), std::optional<QByteArray>("OK"));

    const char* times[] = {"2024/02/28 23:59:58", "2024/02/28 23:59:59", "2024/02/29 00:00:00",
                           "2024/02/29 00:00:01"};
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(line.size(), c.length);
        EXPECT_TRUE(line.startsWith("RML"));
        for (int p : {5, 14, 23, 32, 41, 50, 59})
            EXPECT_EQ(line.at(3 + p + 8 - 1), ',') << "separator after " << p;
        EXPECT_EQ(line.mid(3 + 68 - 1, 19), QByteArray(times[i]));
        EXPECT_TRUE(timeOf(line).isValid());
        if (i > 0) {
            EXPECT_EQ(timeOf(lines[i - 1]).secsTo(timeOf(line)), 1);
        }

        const float vR = readingAt(line, 5), vT = readingAt(line, 14);
        const float iR = readingAt(line, 23), iT = readingAt(line, 32);
        const float p = readingAt(line, 41), pf = readingAt(line, 50), hz = readingAt(line, 59);
        EXPECT_NEAR(vR, c.nominalVolts, 0.05 * c.nominalVolts);
        if (c.wiring == 0) {
            EXPECT_EQ(vT, 0.0f);
            EXPECT_EQ(iT, 0.0f);
        } else {
            EXPECT_NEAR(vT, c.nominalVolts, 0.05 * c.nominalVolts);
        }
        EXPECT_GT(iR, 0.0f);
        EXPECT_NEAR(hz, 50.0, 0.0501);
        const double sVa = c.wiring == 0   ? vR * iR
                           : c.wiring == 1 ? vR * iR + vT * iT
                                           : (vR * iR + vT * iT) * std::sqrt(3.0) / 2;
        EXPECT_NEAR(100.0 * p / sVa, pf, 0.05);

        if (c.version >= 2) {
            EXPECT_EQ(line.at(3 + 87 - 1), ',');
            for (int pos : {88, 97, 106})
                EXPECT_TRUE(readingAt(line, pos) >= 0 && readingAt(line, pos) <= 50) << pos;
            for (int pos : {115, 124})
                EXPECT_TRUE(readingAt(line, pos) >= 15 && readingAt(line, pos) <= 40) << pos;
        }
    }
    // The log has exactly what came over the line.
    const QStringList logged = s.sim.measuredLines();
    ASSERT_GE(logged.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(logged[i], QString::fromLatin1(lines[i]));
}

INSTANTIATE_TEST_SUITE_P(Versions, MeterSimStream,
                         ::testing::Values(StreamCase{1, 2, 89, 200.0},
                                           StreamCase{2, 2, 134, 200.0},
                                           StreamCase{2, 0, 134, 100.0},
                                           StreamCase{1, 1, 89, 100.0}));

TEST(MeterSimFaults, SilentCommandGetsNoAnswerAndTheNextOneDoes)
{
    Started s;
    startMeter(s, {"--silent", "VER"});
    EXPECT_EQ(s.port.ask("VER", 400), std::nullopt);
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
    EXPECT_EQ(s.sim.receivedCommands(), (QStringList{"VER", "CMD"}));
}

TEST(MeterSimFaults, LineFeedAfterEveryCarriageReturn)
{
    Started s;
    startMeter(s, {"--lf", "--rate", "50"});
    EXPECT_EQ(s.port.ask("SLE"), std::optional<QByteArray>("OK"));
    // The LF stays in front of the next line, as a CR-only reader sees it.
    EXPECT_EQ(s.port.ask("VER"), std::optional<QByteArray>("\nVER2.10A"));
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("\nOK"));
    const auto data = s.port.readLine();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->startsWith("\nRML")) << show(data);
    EXPECT_EQ(data->size(), 1 + 134);
}

TEST(MeterSimFaults, StopReportAfterCountEndsStreamAndMeasuring)
{
    Started s;
    startMeter(s, {"--stp-after", "3", "--rate", "50"});
    ASSERT_EQ(s.port.ask("SMD11"), std::optional<QByteArray>("OK"));
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("OK"));
    for (int i = 0; i < 3; ++i) {
        const auto line = s.port.readLine();
        ASSERT_TRUE(line && line->startsWith("RML")) << i << show(line);
    }
    EXPECT_EQ(s.port.readLine(), std::optional<QByteArray>("STP"));
    EXPECT_EQ(s.port.readLine(300), std::nullopt);
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
}

TEST(MeterSimFaults, HangUpAfterCountClosesTheLineAndExits)
{
    Started s;
    startMeter(s, {"--hangup-after", "2", "--rate", "50"});
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("OK"));
    for (int i = 0; i < 2; ++i) {
        const auto line = s.port.readLine();
        ASSERT_TRUE(line && line->startsWith("RML")) << i << show(line);
    }
    EXPECT_EQ(s.port.readLine(3000), std::nullopt);
    EXPECT_TRUE(s.port.hungUp());
    EXPECT_TRUE(s.sim.waitForExit(3000));
    EXPECT_EQ(s.sim.measuredLines().size(), 2);
}

TEST(MeterSimFaults, SignalsSendStopAndLowBattery)
{
    Started s;
    startMeter(s, {"--measuring"});
    ASSERT_TRUE(s.sim.sendLow());
    EXPECT_EQ(s.port.readLine(), std::optional<QByteArray>("LOW"));
    ASSERT_TRUE(s.sim.sendStp());
    EXPECT_EQ(s.port.readLine(), std::optional<QByteArray>("STP"));
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
}

TEST(MeterSimFaults, GarbageReplacesEveryFifthLine)
{
    Started s;
    startMeter(s, {"--garbage", "--rate", "100", "--max-lines", "10"});
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("OK"));
    for (int i = 1; i <= 10; ++i) {
        const auto line = s.port.readLine();
        ASSERT_TRUE(line) << i;
        const bool measured = line->startsWith("RML") && line->size() == 134;
        EXPECT_EQ(measured, i % 5 != 0) << i << show(line);
    }
    EXPECT_EQ(s.port.readLine(300), std::nullopt); // --max-lines
}

TEST(MeterSimFaults, OverlongLineComesBeforeTheFirstMeasuredLine)
{
    Started s;
    startMeter(s, {"--overlong", "--rate", "50"});
    ASSERT_EQ(s.port.ask("SLG"), std::optional<QByteArray>("OK"));
    const auto first = s.port.readLine();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size(), 600);
    const auto second = s.port.readLine();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->size(), 134);
}

TEST(MeterSimFaults, LinesNobodyReadsAreDroppedAndTheMeterStillAnswers)
{
    Started s;
    startMeter(s, {"--rate", "1000", "--max-lines", "800"});
    ASSERT_TRUE(s.port.send("SLG"));
    QThread::msleep(1500); // 800 lines of 135 bytes: far more than the line holds
    int received = 0;
    while (const auto line = s.port.readLine(300))
        received += line->startsWith("RML");
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
    // What was not dropped arrived, and nothing was both.
    EXPECT_GT(s.sim.droppedLines().size(), 0);
    EXPECT_EQ(s.sim.measuredLines().size(), received);
    EXPECT_EQ(s.sim.measuredLines().size() + s.sim.droppedLines().size(), 800);
}

TEST(MeterSimDevice, LinkPointsToTheDeviceAndGoesAtExit)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyMeter");
    {
        Started s;
        startMeter(s, {"--link", link});
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), s.sim.device());
        // The link is as good as the device.
        MeterTerminal viaLink;
        ASSERT_TRUE(viaLink.open(link));
        EXPECT_EQ(viaLink.ask("CMD"), std::optional<QByteArray>("RMD200"));
        s.sim.stop();
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(link));
}

TEST(MeterSimDevice, DeviceStaysUsableWhenReopened)
{
    Started s;
    startMeter(s, {});
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
    s.port.close();
    ASSERT_TRUE(s.port.open(s.sim.device()));
    EXPECT_EQ(s.port.ask("VER"), std::optional<QByteArray>("VER2.10A"));
}

// Reads one CR-ended line from a serial port, waiting up to timeoutMs.
std::optional<QByteArray> serialLine(QSerialPort& port, QByteArray& buffer, int timeoutMs = 3000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!buffer.contains('\r')) {
        if (deadline.hasExpired())
            return std::nullopt;
        port.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        buffer += port.readAll();
    }
    const qsizetype cr = buffer.indexOf('\r');
    const QByteArray line = buffer.left(cr);
    buffer.remove(0, cr + 1);
    return line;
}

std::optional<QByteArray> serialAsk(QSerialPort& port, const QByteArray& command)
{
    QByteArray buffer;
    port.write(command + '\r');
    port.waitForBytesWritten(1000);
    return serialLine(port, buffer);
}

// The program talks through QSerialPort, which locks and configures the device
// its own way: opening, closing and opening again must all work.
TEST(MeterSimDevice, SerialPortOpensClosesAndReopens)
{
    MeterSim sim;
    ASSERT_TRUE(sim.start({"--exit-on-hangup", "0.5"})) << sim.errorText().toStdString();
    for (int round = 0; round < 2; ++round) {
        QSerialPort port(sim.device());
        port.setBaudRate(9600);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        EXPECT_EQ(serialAsk(port, "CMD"), std::optional<QByteArray>("RMD200")) << round;
        EXPECT_EQ(serialAsk(port, "VER"), std::optional<QByteArray>("VER2.10A")) << round;
        port.close();
        // Reopened well within the grace time: the meter is still there.
        EXPECT_TRUE(sim.running()) << round;
    }
    // Closed for good: the meter goes.
    EXPECT_TRUE(sim.waitForExit(5000));
}

TEST(MeterSimDevice, ExitsWhenTheProgramSideStaysClosed)
{
    Started s;
    startMeter(s, {"--exit-on-hangup", "0.3"});
    // Open but silent, then closed: the program has not spoken yet, so this is no hang-up.
    s.port.close();
    QThread::msleep(600);
    EXPECT_TRUE(s.sim.running());
    ASSERT_TRUE(s.port.open(s.sim.device()));
    EXPECT_EQ(s.port.ask("CMD"), std::optional<QByteArray>("RMD200"));
    s.port.close();
    EXPECT_TRUE(s.sim.waitForExit(5000));
}

TEST(MeterSimDevice, RefusesToReplaceAFileWithTheLink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("precious");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    MeterSim sim;
    EXPECT_FALSE(sim.start({"--link", path}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
}

} // namespace
} // namespace quellin::test

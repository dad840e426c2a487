// The loop on a real pseudo-terminal: a download at the fastest pace is far
// more than the device and the output queue hold, so it only arrives whole
// when the loop waits for the reader instead of dropping lines.

#include "Meter.h"
#include "Pty.h"
#include "SimLoop.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace quellin::sim {
namespace {

// Lines from fd until the other side closes it or nothing comes for timeoutMs.
QStringList readLines(int fd, int timeoutMs)
{
    QStringList lines;
    QByteArray buffer;
    char chunk[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            break;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0)
            break; // end of file or EIO: the meter closed the line
        buffer.append(chunk, n);
        for (qsizetype cr; (cr = buffer.indexOf('\r')) >= 0; buffer.remove(0, cr + 1))
            lines << QString::fromLatin1(buffer.left(cr));
    }
    return lines;
}

TEST(SimLoopDownload, FastestDownloadArrivesWholeAndInOrder)
{
    SimOptions o;
    o.startTime = parseMeterTime(QStringLiteral("2024/12/31 23:59:58"));
    o.memoryPreset = true;
    o.downloadBaud = 0;
    o.downloadHangupAfter = LoggingMemory::kRecordsPerBlock; // ends the loop after the last line

    Pty pty;
    QString error;
    ASSERT_TRUE(pty.open(error)) << error.toStdString();
    const int fd = ::open(pty.slavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    Meter meter(o);
    int exitCode = -1;
    // Signals are blocked in the loop's thread alone, so the test can stop it
    // with one aimed at that thread if the loop does not end by itself.
    std::thread loopThread([&] {
        SignalSource signals;
        if (signals.open(error))
            exitCode = SimLoop(o, meter, pty, signals).run();
    });

    ASSERT_EQ(::write(fd, "CMM100009999\r", 13), 13);
    const QStringList lines = readLines(fd, 20000);
    if (lines.size() != LoggingMemory::kRecordsPerBlock)
        ::pthread_kill(loopThread.native_handle(), SIGTERM);
    loopThread.join();
    ::close(fd);

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(lines.size(), LoggingMemory::kRecordsPerBlock);
    for (int i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].left(7), QStringLiteral("RMM%1").arg(i, 4, 10, QLatin1Char('0')));
        ASSERT_EQ(lines[i].size(), 105) << i;
    }
}

} // namespace
} // namespace quellin::sim

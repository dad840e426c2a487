#include "MeterSim.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace quellin::test {

MeterSim::MeterSim() = default;

MeterSim::~MeterSim()
{
    stop();
}

QString MeterSim::program()
{
    const QString fromEnv = qEnvironmentVariable("QUELLIN_METER_SIM");
    if (!fromEnv.isEmpty())
        return fromEnv;
#ifdef QUELLIN_METER_SIM
    return QStringLiteral(QUELLIN_METER_SIM);
#else
    return QStringLiteral("quellin-meter-sim");
#endif
}

bool MeterSim::start(const QStringList& args, int timeoutMs)
{
    stop();
    error_.clear();
    device_.clear();
    logPath_.clear();

    QStringList fullArgs = args;
    const qsizetype logAt = args.indexOf(QStringLiteral("--log"));
    if (logAt >= 0 && logAt + 1 < args.size()) {
        logPath_ = args.at(logAt + 1);
    } else {
        dir_ = std::make_unique<QTemporaryDir>();
        if (!dir_->isValid()) {
            error_ = QStringLiteral("no temporary folder for the meter log");
            return false;
        }
        logPath_ = dir_->filePath(QStringLiteral("meter.log"));
        fullArgs << QStringLiteral("--log") << logPath_;
    }

    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(program(), fullArgs);
    if (!process_->waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(program(), process_->errorString());
        process_.reset();
        return false;
    }

    // The first line on stdout is the device path.
    QDeadlineTimer deadline(timeoutMs);
    QByteArray out;
    while (!out.contains('\n')) {
        if (process_->state() != QProcess::Running && process_->bytesAvailable() == 0) {
            error_ = QStringLiteral("the meter exited before printing its device (code %1)")
                         .arg(process_->exitCode());
            stop();
            return false;
        }
        if (deadline.hasExpired()) {
            error_ = QStringLiteral("the meter printed no device within %1 ms").arg(timeoutMs);
            stop();
            return false;
        }
        process_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        out += process_->readAllStandardOutput();
    }
    device_ = QString::fromLocal8Bit(out.left(out.indexOf('\n'))).trimmed();
    if (device_.isEmpty()) {
        error_ = QStringLiteral("the meter printed an empty device path");
        stop();
        return false;
    }
    return true;
}

void MeterSim::stop()
{
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
    process_.reset();
}

bool MeterSim::running() const
{
    return process_ && process_->state() == QProcess::Running;
}

bool MeterSim::waitForExit(int timeoutMs)
{
    if (!process_)
        return true;
    if (process_->state() == QProcess::NotRunning)
        return true;
    return process_->waitForFinished(timeoutMs);
}

qint64 MeterSim::pid() const
{
    return running() ? process_->processId() : 0;
}

bool MeterSim::sendStp()
{
    return running() && ::kill(pid_t(pid()), SIGUSR1) == 0;
}

bool MeterSim::sendLow()
{
    return running() && ::kill(pid_t(pid()), SIGUSR2) == 0;
}

QStringList MeterSim::logEntries(const QString& prefix) const
{
    QStringList result;
    QFile file(logPath_);
    if (logPath_.isEmpty() || !file.open(QIODevice::ReadOnly))
        return result;
    // Entries are written whole and flushed per line; a last line without its
    // newline is still being written and is left for the next call.
    const QByteArray all = file.readAll();
    const QList<QByteArray> lines = all.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines.at(i));
        if (line.startsWith(prefix))
            result << line.mid(prefix.size());
    }
    return result;
}

QStringList MeterSim::sentLines() const
{
    return logEntries(QStringLiteral("TX "));
}

QStringList MeterSim::receivedCommands() const
{
    return logEntries(QStringLiteral("RX "));
}

QStringList MeterSim::droppedLines() const
{
    return logEntries(QStringLiteral("DROP "));
}

QStringList MeterSim::measuredLines() const
{
    QStringList result;
    for (const QString& line : sentLines())
        if (line.startsWith(QLatin1String("RML")))
            result << line;
    return result;
}

MeterTerminal::~MeterTerminal()
{
    close();
}

bool MeterTerminal::open(const QString& device)
{
    close();
    hungUp_ = false;
    buffer_.clear();
    fd_ = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    return true;
}

void MeterTerminal::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool MeterTerminal::sendRaw(const QByteArray& bytes)
{
    if (fd_ < 0)
        return false;
    qsizetype done = 0;
    QDeadlineTimer deadline(3000);
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (deadline.hasExpired())
            return false;
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, 50);
    }
    return true;
}

bool MeterTerminal::send(const QByteArray& command)
{
    return sendRaw(command + '\r');
}

bool MeterTerminal::fill(int timeoutMs)
{
    if (fd_ < 0 || hungUp_)
        return false;
    pollfd p{fd_, POLLIN, 0};
    const int r = ::poll(&p, 1, timeoutMs);
    if (r <= 0)
        return false;
    char chunk[4096];
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n > 0) {
        buffer_.append(chunk, n);
        return true;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR))
        hungUp_ = true;
    return false;
}

std::optional<QByteArray> MeterTerminal::readLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const qsizetype cr = buffer_.indexOf('\r');
        if (cr >= 0) {
            QByteArray line = buffer_.left(cr);
            buffer_.remove(0, cr + 1);
            return line;
        }
        if (hungUp_ || deadline.hasExpired())
            return std::nullopt;
        fill(int(qMax<qint64>(1, deadline.remainingTime())));
    }
}

std::optional<QByteArray> MeterTerminal::ask(const QByteArray& command, int timeoutMs)
{
    if (!send(command))
        return std::nullopt;
    return readLine(timeoutMs);
}

std::optional<QByteArray> MeterTerminal::readLineStartingWith(const QByteArray& prefix,
                                                              int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        std::optional<QByteArray> line = readLine(int(qMax<qint64>(1, deadline.remainingTime())));
        if (!line)
            return std::nullopt;
        if (line->startsWith(prefix))
            return line;
    }
    return std::nullopt;
}

} // namespace quellin::test

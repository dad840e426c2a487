#include "SimLoop.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace quellin::sim {

namespace {

// While the program side is closed, how often to look whether it came back.
constexpr int kClosedCheckMs = 100;
// How long a hang-up waits for the program to read the last lines.
constexpr int kHangupDrainMs = 2000;
// Timed answers (downloads) wait while the output queue is full, as long as
// the program takes lines off the device; when it has taken nothing for this
// long it is taken to be gone, and the lines are dropped at their pace.
constexpr auto kNobodyReadsAfter = std::chrono::milliseconds(5000);

sigset_t handledSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    sigaddset(&set, SIGUSR2);
    return set;
}

} // namespace

SignalSource::~SignalSource()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SignalSource::open(QString& error)
{
    const sigset_t set = handledSignals();
    if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
        error = QStringLiteral("sigprocmask: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        error = QStringLiteral("signalfd: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

SignalSource::Event SignalSource::read()
{
    signalfd_siginfo info{};
    if (::read(fd_, &info, sizeof info) != ssize_t(sizeof info))
        return Event::None;
    switch (info.ssi_signo) {
    case SIGUSR1:
        return Event::Stop;
    case SIGUSR2:
        return Event::LowBattery;
    default:
        return Event::Quit;
    }
}

SimLoop::SimLoop(const SimOptions& options, Meter& meter, Pty& pty, SignalSource& signals)
    : options_(options), meter_(meter), pty_(pty), signals_(signals),
      lineEnd_(options.lf ? QByteArray("\r\n") : QByteArray("\r"))
{
}

bool SimLoop::openLog(QString& error)
{
    if (options_.logPath.isEmpty())
        return true;
    log_.setFileName(options_.logPath);
    if (!log_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error =
            QStringLiteral("cannot write the log %1: %2").arg(options_.logPath, log_.errorString());
        return false;
    }
    return true;
}

void SimLoop::log(const char* prefix, const QString& text)
{
    if (!log_.isOpen())
        return;
    log_.write(prefix);
    log_.write(text.toLatin1());
    log_.write("\n");
    log_.flush();
}

int SimLoop::run()
{
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / options_.rate));
    const Clock::time_point epoch = Clock::now();
    const auto sinceEpochMs = [epoch](Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(t - epoch).count();
    };
    // When the next measured-data line is due; meaningful while lineDue.
    Clock::time_point nextLine{};
    bool lineDue = false;

    for (;;) {
        Clock::time_point now = Clock::now();
        if (meter_.streaming()) {
            if (!lineDue)
                nextLine = now + period;
            lineDue = true;
        } else {
            lineDue = false;
        }

        int timeoutMs = -1;
        if (lineDue) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextLine - now);
            timeoutMs = int(std::max<std::chrono::milliseconds::rep>(0, wait.count()));
        }
        if (const std::optional<std::int64_t> due = meter_.nextDueMs()) {
            std::int64_t wait = std::max<std::int64_t>(0, *due - sinceEpochMs(now));
            // Due but held back for room: the device draining (POLLOUT) or the
            // reader turning out to be gone wakes the loop.
            if (wait == 0 && !pending_.isEmpty())
                wait = std::max<std::int64_t>(1, std::chrono::ceil<std::chrono::milliseconds>(
                                                     lastDrain_ + kNobodyReadsAfter - now)
                                                     .count());
            const int capped = int(std::min<std::int64_t>(wait, 1 << 30));
            timeoutMs = timeoutMs < 0 ? capped : std::min(timeoutMs, capped);
        }
        const bool closed = closedSince_.has_value();
        if (closed)
            timeoutMs = timeoutMs < 0 ? kClosedCheckMs : std::min(timeoutMs, kClosedCheckMs);

        // A closed line reports POLLHUP all the time, so it is only looked at
        // every kClosedCheckMs meanwhile.
        pollfd fds[2] = {
            {signals_.fd(), POLLIN, 0},
            {closed ? -1 : pty_.master(), short(POLLIN | (pending_.isEmpty() ? 0 : POLLOUT)), 0}};
        if (::poll(fds, 2, timeoutMs) < 0 && errno != EINTR)
            return 1;

        now = Clock::now();
        if (fds[0].revents & POLLIN) {
            for (SignalSource::Event e; (e = signals_.read()) != SignalSource::Event::None;) {
                if (e == SignalSource::Event::Quit)
                    return 0;
                if (e == SignalSource::Event::Stop)
                    meter_.reportStop();
                else
                    meter_.reportLowBattery();
            }
        }
        if (!closed) {
            if (fds[1].revents & POLLIN)
                readMaster(now);
            else if (fds[1].revents & (POLLHUP | POLLERR))
                lineClosed(now);
        } else if (!stillClosed()) {
            closedSince_.reset();
        } else if (options_.exitOnHangupSeconds &&
                   now - *closedSince_ >=
                       std::chrono::duration<double>(*options_.exitOnHangupSeconds)) {
            return 0;
        }

        if (lineDue && now >= nextLine && meter_.streaming()) {
            meter_.streamTick();
            nextLine += period;
            // After a stall, carry on at the rate instead of catching up in a burst.
            if (nextLine < now)
                nextLine = now + period;
        }
        pumpTraffic();
        meter_.advance(sinceEpochMs(now), roomForTimedLines(now));
        pumpTraffic();
        writePending();

        if (meter_.hangupRequested()) {
            hangUp();
            pty_.closeMaster();
            return 0;
        }
    }
}

void SimLoop::readMaster(Clock::time_point now)
{
    char chunk[1024];
    for (;;) {
        const ssize_t n = ::read(pty_.master(), chunk, sizeof chunk);
        if (n > 0) {
            meter_.receive(QByteArray(chunk, n));
            if (!peerSeen_) {
                peerSeen_ = true;
                // From now on a close by the program must be visible on the master.
                if (options_.exitOnHangupSeconds)
                    pty_.releaseSlave();
            }
            continue;
        }
        if (n < 0 && errno == EIO)
            lineClosed(now);
        return;
    }
}

void SimLoop::lineClosed(Clock::time_point now)
{
    // Nobody reads what is still queued.
    pending_.clear();
    if (options_.exitOnHangupSeconds && peerSeen_) {
        closedSince_ = now;
        return;
    }
    // Not watching for hang-ups: keep the master usable.
    if (!pty_.holdSlave())
        closedSince_ = now;
}

bool SimLoop::stillClosed()
{
    // Not watching for hang-ups: the line only looks closed because our own
    // descriptor could not be opened; try again.
    if (!options_.exitOnHangupSeconds)
        return !pty_.holdSlave();
    pollfd p{pty_.master(), POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        return true;
    return (p.revents & (POLLHUP | POLLERR)) != 0;
}

void SimLoop::pumpTraffic()
{
    for (const Traffic& t : meter_.takeTraffic()) {
        if (t.kind == Traffic::Kind::Received) {
            log("RX ", t.text);
            continue;
        }
        const QByteArray bytes = t.text.toLatin1() + lineEnd_;
        if (closedSince_ || pending_.size() + bytes.size() > kMaxPending) {
            log("DROP ", t.text);
            continue;
        }
        pending_ += bytes;
        log("TX ", t.text);
    }
}

qsizetype SimLoop::roomForTimedLines(Clock::time_point now) const
{
    constexpr qsizetype kUnlimited = std::numeric_limits<qsizetype>::max() / 2;
    if (closedSince_ || (!pending_.isEmpty() && now - lastDrain_ >= kNobodyReadsAfter))
        return kUnlimited; // dropped in pumpTraffic, at their pace
    return kMaxPending - pending_.size();
}

void SimLoop::writePending()
{
    if (pending_.isEmpty())
        lastDrain_ = Clock::now();
    while (!pending_.isEmpty() && !closedSince_) {
        const ssize_t n = ::write(pty_.master(), pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, n);
            lastDrain_ = Clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO)
            pending_.clear();
        return; // EAGAIN: the line is full; poll says when it drains
    }
}

void SimLoop::hangUp()
{
    flushPending(kHangupDrainMs);
    // Closing the master discards what the program has not read yet, so give it
    // the time to take the last lines first.
    // Written bytes reach the program's input queue a moment later (the kernel
    // pushes them in a worker), so the queue must be seen empty a few times.
    if (!closedSince_ && pty_.holdSlave()) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(kHangupDrainMs);
        int emptyChecks = 0;
        while (emptyChecks < 5 && Clock::now() < deadline) {
            ::poll(nullptr, 0, 10);
            emptyChecks = pty_.unreadBytes() == 0 ? emptyChecks + 1 : 0;
        }
    }
    pty_.releaseSlave();
    pty_.closeMaster();
}

void SimLoop::flushPending(int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pending_.isEmpty() && !closedSince_ && Clock::now() < deadline) {
        writePending();
        if (pending_.isEmpty())
            break;
        pollfd p{pty_.master(), POLLOUT, 0};
        ::poll(&p, 1, 20);
    }
}

} // namespace quellin::sim

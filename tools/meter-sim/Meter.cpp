#include "Meter.h"

#include <algorithm>
#include <cmath>

namespace quellin::sim {

namespace {

constexpr QLatin1String kOk("OK");
constexpr QLatin1String kNg("NG");

// Bytes of line end counted per line against the loop's room.
constexpr qsizetype kLineEndRoom = 2;
// A timed line later than this has been held up (no room): the lines after
// it keep their pace from now instead of catching up in a burst.
constexpr std::int64_t kCatchUpMs = 100;

QDateTime civilNow()
{
    // The meter shows local wall-clock time; kept as a zone-less civil time so
    // that its one-second steps never jump at daylight-saving changes.
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(),
                     QTime(local.time().hour(), local.time().minute(), local.time().second()),
                     Qt::UTC);
}

QDateTime startClock(const SimOptions& options)
{
    return options.startTime.isValid() ? options.startTime : civilNow();
}

// The mean mains frequency a measurement logs: that of its first reading.
float measuredFrequency(std::uint64_t seed, int wiring, int mains)
{
    return ReadingGenerator(seed, wiring, mains).next().frequency;
}

} // namespace

Meter::Meter(const SimOptions& options)
    : options_(options), readings_(options.seed, options.wiring, options.frequency),
      faultRng_(options.seed ^ 0x9e3779b97f4a7c15ULL), clock_(startClock(options)),
      settings_(options.version, options.wiring, options.ptRatio, options.ctRatio, clock_),
      wiring_(options.wiring), measuring_(options.measuring || options.logging)
{
    if (options_.versionText.isEmpty())
        options_.versionText =
            options_.version == 1 ? QStringLiteral("1.05A") : QStringLiteral("2.10A");
    if (options_.memoryPreset)
        memory_.addPreset(options_.seed);
    std::uint64_t salt = 10;
    for (const MemoryAdd& add : options_.memoryAdds) {
        Measurement m;
        m.wiring = add.wiring;
        m.intervalCode = add.intervalCode;
        m.start = add.start;
        m.seed = LoggingMemory::seedFor(options_.seed, salt++);
        m.frequency = measuredFrequency(m.seed, m.wiring, options_.frequency);
        memory_.addMeasurement(m, add.records); // the options made sure it fits
    }
    registerBasicCommands();
    registerSettingsCommands(*this);
    registerMemoryCommands(*this);
    if (options_.logging)
        startLogging();
}

void Meter::registerBasicCommands()
{
    addCommand(QStringLiteral("SLE"), [](Meter& m, const QString&) {
        m.stopStreaming();
        m.reply(kOk);
    });
    addCommand(QStringLiteral("VER"), [](Meter& m, const QString&) {
        m.reply(QStringLiteral("VER") + m.options().versionText);
    });
    addCommand(QStringLiteral("CMD"), [](Meter& m, const QString&) {
        m.reply(QStringLiteral("RMD%1%2%3")
                    .arg(m.wiring())
                    .arg(m.measuring() ? 1 : 0)
                    .arg(m.logging() ? 1 : 0));
    });
    addCommand(QStringLiteral("SMD10"), [](Meter& m, const QString&) {
        // Logging runs on the meter's own measurement: it keeps measuring
        // until its logging is stopped.
        if (m.logging()) {
            m.reply(kNg);
            return;
        }
        // A meter that stops measuring has nothing left to send.
        m.setMeasuring(false);
        m.stopStreaming();
        m.reply(kOk);
    });
    addCommand(QStringLiteral("SMD11"), [](Meter& m, const QString&) {
        m.setMeasuring(true);
        m.reply(kOk);
    });
    addCommand(QStringLiteral("SLG"), [](Meter& m, const QString&) {
        m.reply(kOk);
        m.startStreaming();
    });
}

void Meter::addCommand(const QString& pattern, Handler handler)
{
    if (pattern.endsWith(QLatin1Char('*')))
        prefixes_[pattern.left(pattern.size() - 1)] = std::move(handler);
    else
        exact_[pattern] = std::move(handler);
}

const Meter::Handler* Meter::findHandler(const QString& command) const
{
    if (const auto it = exact_.constFind(command); it != exact_.constEnd())
        return &it.value();
    const Handler* best = nullptr;
    qsizetype bestLength = -1;
    for (auto it = prefixes_.constBegin(); it != prefixes_.constEnd(); ++it) {
        if (command.startsWith(it.key()) && it.key().size() > bestLength) {
            best = &it.value();
            bestLength = it.key().size();
        }
    }
    return best;
}

void Meter::receive(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (c == '\n')
            continue;
        if (c != '\r') {
            if (command_.size() < kMaxCommandLength)
                command_ += c;
            else
                commandTooLong_ = true;
            continue;
        }
        Command command{QString::fromLatin1(command_), commandTooLong_};
        command_.clear();
        commandTooLong_ = false;
        traffic_.push_back({Traffic::Kind::Received,
                            command.tooLong ? command.text + QStringLiteral("...") : command.text});
        if (busy() || !waiting_.empty()) {
            if (waiting_.size() < kMaxWaiting)
                waiting_.push_back(std::move(command));
            continue;
        }
        handleCommand(command);
    }
}

void Meter::handleCommand(const Command& command)
{
    if (command.tooLong) {
        reply(kNg);
        return;
    }
    const QString& text = command.text;
    if (matchesPattern(options_.silent, text))
        return;
    if (matchesPattern(options_.ng, text)) {
        reply(kNg);
        return;
    }
    // Clearing keeps block numbers only for a run of clear commands.
    if (!text.startsWith(QLatin1String("SCB")))
        memory_.pack();
    if (const Handler* handler = findHandler(text))
        (*handler)(*this, text);
    else
        reply(kNg);
}

void Meter::runWaiting()
{
    while (!busy() && !hangup_ && !waiting_.empty()) {
        const Command command = std::move(waiting_.front());
        waiting_.pop_front();
        handleCommand(command);
    }
}

void Meter::reply(const QString& line)
{
    traffic_.push_back({Traffic::Kind::Sent, line});
}

void Meter::startOutput(std::unique_ptr<TimedOutput> output)
{
    output_ = std::move(output);
    nextLineDueMs_ = nowMs_;
    fetchNextTimedLine();
}

void Meter::fetchNextTimedLine()
{
    nextLine_ = output_ ? output_->next() : std::nullopt;
    if (!nextLine_) {
        output_.reset();
        return;
    }
    nextLineDueMs_ += nextLine_->delayMs;
}

void Meter::advance(std::int64_t nowMs, qsizetype roomBytes)
{
    nowMs_ = std::max(nowMs_, nowMs);
    logDueRecords();
    while (output_ && !hangup_ && nextLineDueMs_ <= nowMs_) {
        const qsizetype size = nextLine_->text.size() + kLineEndRoom;
        if (size > roomBytes)
            return;
        roomBytes -= size;
        if (!sendTimedLine(*nextLine_)) {
            output_.reset();
            nextLine_.reset();
        } else {
            if (nowMs_ - nextLineDueMs_ > kCatchUpMs)
                nextLineDueMs_ = nowMs_;
            fetchNextTimedLine();
        }
        if (!output_)
            runWaiting();
    }
}

bool Meter::sendTimedLine(const TimedLine& line)
{
    if (!line.record) {
        reply(line.text);
        return true;
    }
    const int hangupAfter = options_.downloadHangupAfter;
    if (hangupAfter >= 0 && recordLines_ >= hangupAfter) {
        hangup_ = true;
        streaming_ = false;
        return false;
    }
    if (options_.downloadNgAfter >= 0 && recordLines_ >= options_.downloadNgAfter &&
        !downloadNgSent_) {
        downloadNgSent_ = true;
        reply(kNg);
        return false;
    }
    ++recordLines_;
    if (options_.garbage && recordLines_ % kGarbageEvery == 0)
        reply(damagedMemoryLine(line.text, recordLines_ / kGarbageEvery - 1));
    else
        reply(line.text);
    if (hangupAfter >= 0 && recordLines_ >= hangupAfter) {
        hangup_ = true;
        streaming_ = false;
        return false;
    }
    return true;
}

std::optional<std::int64_t> Meter::nextDueMs() const
{
    std::optional<std::int64_t> due;
    if (output_ && !hangup_)
        due = nextLineDueMs_;
    if (logging()) {
        const double next = double(memory_.loggedRecords()) * recordPeriodMs();
        const std::int64_t at = loggingSinceMs_ + std::int64_t(std::ceil(next));
        due = due ? std::min(*due, at) : at;
    }
    return due;
}

double Meter::recordPeriodMs() const
{
    if (options_.loggingRate > 0)
        return 1000.0 / options_.loggingRate;
    return 1000.0 * LoggingMemory::intervalSeconds(settings_.intervalCode());
}

bool Meter::startLogging()
{
    Measurement m;
    m.wiring = wiring_;
    m.intervalCode = settings_.intervalCode();
    m.start = clock_;
    m.seed = LoggingMemory::seedFor(options_.seed, 100 + measurementsLogged_);
    m.frequency = measuredFrequency(m.seed, m.wiring, options_.frequency);
    if (!memory_.startLogging(m))
        return false;
    ++measurementsLogged_;
    loggingSinceMs_ = nowMs_;
    logDueRecords(); // the first record at once, stamped with the start
    return true;
}

void Meter::logDueRecords()
{
    if (!logging())
        return;
    constexpr double kMost = double(LoggingMemory::kBlocks) * LoggingMemory::kRecordsPerBlock + 1;
    const double due = 1 + std::floor(double(nowMs_ - loggingSinceMs_) / recordPeriodMs());
    if (!memory_.growLogging(int(std::min(due, kMost))))
        stopLogging(); // memory full: the meter goes on measuring
}

void Meter::stopLogging()
{
    if (!logging())
        return;
    // The meter's clock has run on at least as far as its logging did.
    clock_ = std::max(clock_, memory_.loggingEnd());
    memory_.stopLogging();
}

void Meter::setWiring(int wiring)
{
    wiring_ = wiring;
    readings_.setWiring(wiring);
}

void Meter::startStreaming()
{
    streaming_ = true;
    // Counts of zero act at once, before any line.
    afterStreamedLine();
}

void Meter::stopStreaming()
{
    streaming_ = false;
}

void Meter::streamTick()
{
    // A meter busy with its memory sends no measured data meanwhile.
    if (!streaming_ || hangup_ || busy())
        return;
    if (options_.maxLines >= 0 && streamed_ >= options_.maxLines) {
        streaming_ = false;
        return;
    }
    if (options_.overlong && !overlongSent_) {
        overlongSent_ = true;
        reply(overlongLine());
    }
    // Every line consumes one second of the meter's clock and one reading,
    // also when it is replaced by garbage (the reading was lost on the line).
    QString line = measuredLine(options_.version, readings_.next(), clock_);
    clock_ = clock_.addSecs(1);
    ++streamed_;
    if (options_.garbage && streamed_ % kGarbageEvery == 0)
        line = garbageLine(faultRng_);
    reply(line);
    afterStreamedLine();
}

void Meter::afterStreamedLine()
{
    if (options_.lowAfter >= 0 && streamed_ >= options_.lowAfter && !lowSent_) {
        lowSent_ = true;
        reportLowBattery();
    }
    if (options_.stpAfter >= 0 && streamed_ >= options_.stpAfter && !stpSent_) {
        stpSent_ = true;
        reportStop();
    }
    if (options_.maxLines >= 0 && streamed_ >= options_.maxLines)
        streaming_ = false;
    if (options_.hangupAfter >= 0 && streamed_ >= options_.hangupAfter) {
        streaming_ = false;
        hangup_ = true;
    }
}

void Meter::reportStop()
{
    logDueRecords();
    stopLogging();
    streaming_ = false;
    measuring_ = false;
    reply(QStringLiteral("STP"));
}

void Meter::reportLowBattery()
{
    reply(QStringLiteral("LOW"));
}

std::vector<Traffic> Meter::takeTraffic()
{
    std::vector<Traffic> out;
    out.swap(traffic_);
    return out;
}

} // namespace quellin::sim

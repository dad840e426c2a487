#include "Meter.h"

namespace quellin::sim {

namespace {

constexpr QLatin1String kNg("NG");

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
        m.frequency = loggedFrequency(m.seed, m.wiring, options_.frequency);
        memory_.addMeasurement(m, add.records); // the options made sure it fits
    }
    registerBasicCommands(*this);
    registerSettingsCommands(*this);
    registerMemoryCommands(*this);
    if (options_.logging)
        startLogging();
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

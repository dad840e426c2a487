#include "Meter.h"

namespace quellin::sim {

namespace {

constexpr QLatin1String kOk("OK");
constexpr QLatin1String kNg("NG");

QString ratioText(int ratio)
{
    return QStringLiteral("%1").arg(ratio, 4, 10, QLatin1Char('0'));
}

QDateTime civilNow()
{
    // The meter shows local wall-clock time; kept as a zone-less civil time so
    // that its one-second steps never jump at daylight-saving changes.
    const QDateTime local = QDateTime::currentDateTime();
    return QDateTime(local.date(),
                     QTime(local.time().hour(), local.time().minute(), local.time().second()),
                     Qt::UTC);
}

} // namespace

Meter::Meter(const SimOptions& options)
    : options_(options), readings_(options.seed, options.wiring, options.frequency),
      faultRng_(options.seed ^ 0x9e3779b97f4a7c15ULL), measuring_(options.measuring),
      logging_(options.logging)
{
    clock_ = options.startTime.isValid() ? options.startTime : civilNow();
    if (options_.versionText.isEmpty())
        options_.versionText =
            options_.version == 1 ? QStringLiteral("1.05A") : QStringLiteral("2.10A");
    settings_[QStringLiteral("03")] = ratioText(options.ptRatio);
    settings_[QStringLiteral("04")] = ratioText(options.ctRatio);
    registerBasicCommands();
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
                    .arg(m.options().wiring)
                    .arg(m.measuring() ? 1 : 0)
                    .arg(m.logging() ? 1 : 0));
    });
    // "CCFnn" reads settings item nn: "RCFnn" + its value; an unknown item is refused.
    addCommand(QStringLiteral("CCF*"), [](Meter& m, const QString& command) {
        const QString item = command.mid(3);
        const QString value = m.setting(item);
        m.reply(value.isEmpty() ? QString(kNg) : QStringLiteral("RCF") + item + value);
    });
    addCommand(QStringLiteral("SMD10"), [](Meter& m, const QString&) {
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
        const QString command = QString::fromLatin1(command_);
        const bool tooLong = commandTooLong_;
        command_.clear();
        commandTooLong_ = false;
        if (tooLong) {
            traffic_.push_back({Traffic::Kind::Received, command + QStringLiteral("...")});
            reply(kNg);
            continue;
        }
        handleCommand(command);
    }
}

void Meter::handleCommand(const QString& command)
{
    traffic_.push_back({Traffic::Kind::Received, command});
    if (matchesPattern(options_.silent, command))
        return;
    if (matchesPattern(options_.ng, command)) {
        reply(kNg);
        return;
    }
    if (const Handler* handler = findHandler(command))
        (*handler)(*this, command);
    else
        reply(kNg);
}

void Meter::reply(const QString& line)
{
    traffic_.push_back({Traffic::Kind::Sent, line});
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
    if (!streaming_ || hangup_)
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

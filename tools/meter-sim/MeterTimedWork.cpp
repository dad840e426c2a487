// The meter's work in time: answers that take time (handed out line by line
// as they fall due and fit) and its logging (records as the interval passes).

#include "Meter.h"

#include <algorithm>
#include <cmath>

namespace quellin::sim {

namespace {

constexpr QLatin1String kNg("NG");

// Bytes of line end counted per line against the loop's room.
constexpr qsizetype kLineEndRoom = 2;
// A timed line later than this has been held up (no room): the lines after
// it keep their pace from now instead of catching up in a burst.
constexpr std::int64_t kCatchUpMs = 100;

} // namespace

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
    m.frequency = loggedFrequency(m.seed, m.wiring, options_.frequency);
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
    // The meter's clock has run on at least to its last record (with
    // --logging-rate faster than the records' own interval).
    if (const QDateTime last = memory_.lastLoggedTime(); last.isValid() && last > clock_)
        clock_ = last;
    memory_.stopLogging();
}

} // namespace quellin::sim

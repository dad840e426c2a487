#include "LoggingMemory.h"

#include <algorithm>

namespace quellin::sim {

namespace {

QDateTime wholeMinute(const QDateTime& t)
{
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC);
}

QDateTime recordTime(const Measurement& m, int record)
{
    return m.start.addSecs(qint64(record) * LoggingMemory::intervalSeconds(m.intervalCode));
}

} // namespace

std::uint64_t LoggingMemory::seedFor(std::uint64_t seed, std::uint64_t salt)
{
    // splitmix64 finaliser: neighbouring seeds give unrelated measurements.
    std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL * (salt + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int LoggingMemory::blocksFor(int records)
{
    return std::max(1, (records + kRecordsPerBlock - 1) / kRecordsPerBlock);
}

int LoggingMemory::intervalSeconds(int code)
{
    constexpr int kMinutes[] = {1, 5, 10, 15, 30, 60};
    return 60 * (code >= 0 && code <= 5 ? kMinutes[code] : 1);
}

const MemoryBlock* LoggingMemory::block(int number) const
{
    return number >= 0 && number < blockCount() ? &blocks_[std::size_t(number)] : nullptr;
}

bool LoggingMemory::addMeasurement(const Measurement& m, int records)
{
    const int needed = blocksFor(records);
    if (records < 1 || blockCount() + needed > kBlocks)
        return false;
    Measurement first = m;
    first.start = wholeMinute(m.start);
    for (int i = 0; i < needed; ++i) {
        MemoryBlock b;
        b.lineCode = i == 0 ? m.wiring : 8;
        b.firstRecord = i * kRecordsPerBlock;
        b.count = std::min(kRecordsPerBlock, records - b.firstRecord);
        b.measurement = first;
        b.measurement.start = recordTime(first, b.firstRecord);
        blocks_.push_back(b);
    }
    return true;
}

bool LoggingMemory::startLogging(const Measurement& m)
{
    if (full())
        return false;
    MemoryBlock b;
    b.lineCode = m.wiring;
    b.measurement = m;
    b.measurement.start = wholeMinute(m.start);
    blocks_.push_back(b);
    loggingHead_ = blockCount() - 1;
    return true;
}

int LoggingMemory::loggedRecords() const
{
    if (!logging())
        return 0;
    int total = 0;
    for (std::size_t i = std::size_t(loggingHead_); i < blocks_.size(); ++i)
        total += blocks_[i].count;
    return total;
}

bool LoggingMemory::growLogging(int records)
{
    if (!logging())
        return false;
    // The logged measurement's blocks are the last ones: nothing else adds
    // blocks while it runs.
    int total = loggedRecords();
    while (total < records) {
        MemoryBlock& last = blocks_.back();
        if (last.count < kRecordsPerBlock) {
            const int added = std::min(kRecordsPerBlock - last.count, records - total);
            last.count += added;
            total += added;
            continue;
        }
        if (full())
            return false;
        MemoryBlock next;
        next.lineCode = 8;
        next.firstRecord = total;
        next.measurement = blocks_[std::size_t(loggingHead_)].measurement;
        next.measurement.start = recordTime(next.measurement, total);
        blocks_.push_back(next);
    }
    return true;
}

QDateTime LoggingMemory::lastLoggedTime() const
{
    if (!logging() || loggedRecords() == 0)
        return {};
    return recordTime(blocks_[std::size_t(loggingHead_)].measurement, loggedRecords() - 1);
}

bool LoggingMemory::clear(int number)
{
    if (!block(number))
        return false;
    blocks_[std::size_t(number)].cleared = true;
    return true;
}

bool LoggingMemory::measurementCleared(int number) const
{
    int next = number + 1;
    while (next < blockCount() && blocks_[std::size_t(next)].cleared)
        ++next;
    return next >= blockCount() || blocks_[std::size_t(next)].lineCode != 8;
}

std::vector<int> LoggingMemory::pack()
{
    std::vector<MemoryBlock> kept;
    std::vector<int> moved;
    bool previousGone = false;
    int head = -1;
    for (int i = 0; i < blockCount(); ++i) {
        const MemoryBlock& b = blocks_[std::size_t(i)];
        previousGone = b.cleared || (b.lineCode == 8 && previousGone);
        if (previousGone)
            continue;
        if (i == loggingHead_)
            head = int(kept.size());
        if (int(kept.size()) != i)
            moved.push_back(i);
        kept.push_back(b);
    }
    blocks_ = std::move(kept);
    loggingHead_ = head;
    return moved;
}

std::vector<int> LoggingMemory::clearAll()
{
    std::vector<int> numbers;
    for (int i = 0; i < blockCount(); ++i)
        numbers.push_back(i);
    blocks_.clear();
    loggingHead_ = -1;
    return numbers;
}

void LoggingMemory::addPreset(std::uint64_t seed)
{
    // A working day of a single-phase three-wire office board at 5 minutes;
    // seventeen days of a three-phase machine at 1 minute (three blocks);
    // a week of a single-phase two-wire circuit in a 60 Hz area at 15 minutes.
    struct Preset {
        int wiring, intervalCode;
        const char* start;
        float frequency;
        int records;
    };
    const Preset presets[] = {
        {1, 1, "2024/05/13 09:00", 49.98f, 96},
        {2, 0, "2024/05/14 08:30", 50.02f, 2 * kRecordsPerBlock + 4802},
        {0, 3, "2024/06/03 13:15", 60.01f, 672},
    };
    std::uint64_t salt = 0;
    for (const Preset& p : presets) {
        Measurement m;
        m.wiring = p.wiring;
        m.intervalCode = p.intervalCode;
        const QString start = QLatin1String(p.start);
        m.start = QDateTime(QDate::fromString(start.left(10), QStringLiteral("yyyy/MM/dd")),
                            QTime::fromString(start.mid(11), QStringLiteral("HH:mm")), Qt::UTC);
        m.frequency = p.frequency;
        m.seed = seedFor(seed, salt++);
        addMeasurement(m, p.records);
    }
}

float loggedFrequency(std::uint64_t seed, int wiring, int mains)
{
    return ReadingGenerator(seed, wiring, mains).next().frequency;
}

BlockRecords::BlockRecords(const MemoryBlock& block, int firstInBlock)
    : generator_(block.measurement.seed, block.measurement.wiring,
                 block.measurement.frequency > 55 ? 60 : 50),
      // The readings' slow patterns stretched sixty-fold: over hours and days
      // the load then swings as a day's load does, whatever the interval.
      step_(std::uint64_t(LoggingMemory::intervalSeconds(block.measurement.intervalCode) / 60))
{
    for (int i = 0; i < block.firstRecord + firstInBlock; ++i)
        generator_.next(step_);
}

Reading BlockRecords::next()
{
    return generator_.next(step_);
}

} // namespace quellin::sim

// The logging memory: "SMD21"/"SMD20" start and stop logging, "CBN" and
// "CMIbk" describe the blocks, "SCBn" clears, "CMM" downloads. Reading and
// clearing the memory need the meter idle (not measuring): its memory is
// being written while it measures and logs.

#include "Meter.h"

#include <algorithm>

namespace quellin::sim {

namespace {

constexpr QLatin1String kOk("OK");
constexpr QLatin1String kNg("NG");

// A number written in decimal digits, without sign or leading zeros, of at
// most maxDigits digits; nothing otherwise.
std::optional<int> blockNumber(const QString& text, int maxDigits)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || text.size() > maxDigits || text != QString::number(n))
        return std::nullopt;
    return n;
}

// Four decimal digits.
std::optional<int> fourDigits(const QString& text)
{
    if (text.size() != 4 ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text.toInt();
}

// The records of one block as "RMM" lines, paced as the line rate carries
// them, then "RMME".
class DownloadOutput : public TimedOutput {
public:
    DownloadOutput(const MemoryBlock& block, int first, int count, const SimOptions& options)
        : records_(block, first), version_(options.version), next_(first), end_(first + count),
          lineEnd_(options.lf ? 2 : 1), baud_(options.downloadBaud)
    {
    }

    std::optional<TimedLine> next() override
    {
        if (done_)
            return std::nullopt;
        TimedLine line;
        line.delayMs = pace();
        if (next_ < end_) {
            line.text = memoryLine(version_, next_++, records_.next());
            line.record = true;
        } else {
            line.text = QStringLiteral("RMME");
            done_ = true;
        }
        previousLength_ = line.text.size();
        return line;
    }

private:
    // Time the previous line takes on the line: ten bits a character (start,
    // eight data bits, stop). Kept exact over the download, rounded per line.
    std::int64_t pace()
    {
        if (baud_ <= 0 || previousLength_ < 0)
            return 0;
        const double before = elapsedMs_;
        elapsedMs_ += double(previousLength_ + lineEnd_) * 10.0 * 1000.0 / baud_;
        return std::int64_t(elapsedMs_ + 0.5) - std::int64_t(before + 0.5);
    }

    BlockRecords records_;
    int version_;
    int next_;
    int end_;
    int lineEnd_;
    int baud_;
    qsizetype previousLength_ = -1;
    double elapsedMs_ = 0;
    bool done_ = false;
};

QString blockInfo(const MemoryBlock& b, int item)
{
    switch (item) {
    case 0:
        return QString::number(b.lineCode);
    case 1:
        return QString::number(b.measurement.intervalCode);
    case 2:
        return b.measurement.start.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    case 3:
        return hexOfSingle(b.measurement.frequency);
    default:
        return QString::number(b.count);
    }
}

void clearBlocks(Meter& m, const QString& command)
{
    const std::optional<int> n = blockNumber(command.mid(3), 1);
    if (m.measuring() || !n) {
        m.reply(kNg);
        return;
    }
    LoggingMemory& memory = m.memory();
    const std::int64_t duration = m.options().clearMs;
    auto answer = std::make_unique<LineSequence>();
    if (*n == LoggingMemory::kClearAll) {
        for (int cleared : memory.clearAll())
            answer->addProgress(QStringLiteral("CLR%1").arg(cleared), duration);
    } else {
        const MemoryBlock* block = memory.block(*n);
        if (!block) {
            m.reply(kNg);
            return;
        }
        if (!block->cleared) {
            memory.clear(*n);
            answer->addProgress(QStringLiteral("CLR%1").arg(*n), duration);
            // Once the whole measurement is cleared, the blocks after it move down.
            if (memory.measurementCleared(*n))
                for (int moved : memory.pack())
                    answer->addProgress(QStringLiteral("CPY%1").arg(moved), duration);
        }
    }
    answer->addAfterProgress(kOk);
    m.startOutput(std::move(answer));
}

void download(Meter& m, const QString& command)
{
    // "CMM" + block + first record (4 digits) + number of records (4 digits).
    const QString text = command.mid(3);
    const std::optional<int> n = blockNumber(text.left(text.size() - 8), 3);
    const std::optional<int> first = fourDigits(text.right(8).left(4));
    const std::optional<int> count = fourDigits(text.right(4));
    const MemoryBlock* block = n ? m.memory().block(*n) : nullptr;
    if (m.measuring() || text.size() < 9 || !block || !first || !count) {
        m.reply(kNg);
        return;
    }
    const int from = std::min(*first, block->count);
    const int to = std::min(*first + *count, block->count);
    m.startOutput(std::make_unique<DownloadOutput>(*block, from, to - from, m.options()));
}

} // namespace

void registerMemoryCommands(Meter& meter)
{
    meter.addCommand(QStringLiteral("SMD21"), [](Meter& m, const QString&) {
        // Logging records the meter's own measurement, into a free block.
        m.reply(m.logging() || (m.measuring() && m.startLogging()) ? kOk : kNg);
    });
    meter.addCommand(QStringLiteral("SMD20"), [](Meter& m, const QString&) {
        m.stopLogging();
        m.reply(kOk);
    });
    meter.addCommand(QStringLiteral("CBN"), [](Meter& m, const QString&) {
        if (m.measuring())
            m.reply(kNg);
        else
            m.reply(QStringLiteral("RBN%1").arg(m.memory().blockCount(), 3, 10, QLatin1Char('0')));
    });
    // "CMIbk": item k (0-4) of block b: line code, interval code, start time,
    // frequency (8 hex digits of a single), write count.
    meter.addCommand(QStringLiteral("CMI*"), [](Meter& m, const QString& command) {
        const QString text = command.mid(3);
        const std::optional<int> n = blockNumber(text.left(text.size() - 1), 3);
        const MemoryBlock* block = n ? m.memory().block(*n) : nullptr;
        const QChar k = text.isEmpty() ? QChar() : text.back();
        if (m.measuring() || !block || k < QLatin1Char('0') || k > QLatin1Char('4')) {
            m.reply(kNg);
            return;
        }
        m.reply(QStringLiteral("RMI") + text + blockInfo(*block, k.unicode() - '0'));
    });
    meter.addCommand(QStringLiteral("SCB*"), clearBlocks);
    meter.addCommand(QStringLiteral("CMM*"), download);
}

} // namespace quellin::sim

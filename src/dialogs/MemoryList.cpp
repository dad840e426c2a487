#include "dialogs/MemoryList.h"

#include "link/MeasuredData.h"
#include "platform/Format.h"
#include "platform/Tx.h"

#include <cmath>

namespace quellin {

namespace {

constexpr int kItemsPerBlock = 5;

// The first character as a digit, -1 when it is none.
int codeOf(const QString& text)
{
    if (text.isEmpty() || text.front() < QLatin1Char('0') || text.front() > QLatin1Char('9'))
        return -1;
    return text.front().unicode() - '0';
}

int countOf(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n < 0)
        return 0;
    return static_cast<int>(std::min<qlonglong>(n, kMaxBlockRecords));
}

double frequencyOf(const QString& text)
{
    const double f = HexToSingle(text);
    return std::isfinite(f) ? f : 0.0;
}

QString lineText(int code)
{
    switch (code) {
    case 0:
        return TX("単相２線式 ・ ");
    case 1:
        return TX("単相３線式 ・ ");
    case 2:
        return TX("三相３線式 ・ ");
    default:
        return {};
    }
}

QString intervalText(int code)
{
    static const char* const kTexts[] = {TXN(" 1 ・ "), TXN(" 5 ・ "), TXN("10 ・ "),
                                         TXN("15 ・ "), TXN("30 ・ "), TXN("60 ・ ")};
    if (code < 0 || code > 5)
        return {};
    return tx(kTexts[code]);
}

bool continues(const std::vector<MemoryBlockInfo>& blocks, size_t b)
{
    return b < blocks.size() && blocks[b].lineCode == kContinuationBlock;
}

} // namespace

QString memoryListHeader()
{
    return tx(kMemoryListHeader);
}

int intervalSeconds(int intervalCode)
{
    static constexpr int kSeconds[] = {60, 300, 600, 900, 1800, 3600};
    return intervalCode >= 0 && intervalCode <= 5 ? kSeconds[intervalCode] : 0;
}

std::vector<MemoryBlockInfo> memoryBlocksFrom(const ExchangeReplies& replies)
{
    const size_t count = static_cast<size_t>(replies.size()) / kItemsPerBlock;
    std::vector<MemoryBlockInfo> blocks(count);
    for (size_t b = 0; b < count; ++b) {
        const auto item = [&](int k) -> const QString& {
            return replies[static_cast<qsizetype>(b * kItemsPerBlock) + k];
        };
        MemoryBlockInfo& block = blocks[b];
        block.lineCode = codeOf(item(0));
        if (block.lineCode < kContinuationBlock) {
            block.intervalCode = codeOf(item(1));
            block.startTime = item(2);
            block.frequency = frequencyOf(item(3));
        }
        block.writeCount = countOf(item(4));
    }
    return blocks;
}

std::vector<MemoryListLine> memoryListLines(const std::vector<MemoryBlockInfo>& blocks)
{
    const QString separator = TX(" ・ ");
    std::vector<MemoryListLine> lines;
    int n = 0;
    for (size_t j = 0; j < blocks.size(); ++j) {
        const MemoryBlockInfo& b = blocks[j];
        if (b.lineCode == kContinuationBlock)
            continue;
        const int first = static_cast<int>(j);
        QString text =
            QString::number(n) + TX("： ") + lineText(b.lineCode) +
            intervalText(b.intervalCode) + b.startTime + separator +
            (QStringLiteral("      ") + Format(b.frequency, QStringLiteral("0.0"))).right(6) +
            separator + QString::number(measurementRecords(blocks, first));
        lines.push_back({std::move(text), first});
        ++n;
    }
    return lines;
}

std::vector<int> measurementBlocks(const std::vector<MemoryBlockInfo>& blocks, int first)
{
    std::vector<int> out;
    if (first < 0 || static_cast<size_t>(first) >= blocks.size())
        return out;
    out.push_back(first);
    for (size_t b = static_cast<size_t>(first) + 1; continues(blocks, b); ++b)
        out.push_back(static_cast<int>(b));
    return out;
}

int measurementRecords(const std::vector<MemoryBlockInfo>& blocks, int first)
{
    int sum = 0;
    for (const int b : measurementBlocks(blocks, first))
        sum += blocks[static_cast<size_t>(b)].writeCount;
    return sum;
}

} // namespace quellin

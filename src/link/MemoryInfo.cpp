#include "link/MemoryInfo.h"

#include "link/AnswerTests.h"
#include "link/RunningExchange.h"

namespace quellin {

namespace {

constexpr int kStatusMeasuring = 4; // character 5, 0-based
constexpr int kStatusLogging = 5;   // character 6

bool statusFlag(const QString& line, int pos)
{
    return pos < line.size() && line.at(pos) == QLatin1Char('1');
}

} // namespace

ExchangeStep statusStep()
{
    return makeStep(QStringLiteral("CMD"), 6);
}

ExchangeStep blockCountStep()
{
    return makeStep(QStringLiteral("CBN"), 6);
}

bool meterMeasuring(const QString& statusLine)
{
    return statusFlag(statusLine, kStatusMeasuring);
}

bool meterLogging(const QString& statusLine)
{
    return statusFlag(statusLine, kStatusLogging);
}

std::optional<int> blockCountOf(const QString& line)
{
    const QStringView digits = QStringView(line).mid(3);
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int n = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    if (n > kMaxMemoryBlocks)
        return std::nullopt;
    return n;
}

std::vector<ExchangeStep> memoryInfoList(int blocks)
{
    static constexpr int kLengths[5] = {6, 6, 21, 13, -1};
    std::vector<ExchangeStep> steps;
    steps.reserve(static_cast<size_t>(std::max(blocks, 0)) * 5);
    for (int b = 0; b < blocks; ++b)
        for (int k = 0; k < 5; ++k)
            steps.push_back(makeStep(QStringLiteral("CMI%1%2").arg(b).arg(k), kLengths[k]));
    return steps;
}

std::optional<int> takeBlockCount(RunningExchange& ex, const QString& line)
{
    ExchangeStep* step = ex.currentStep();
    if (!step || !echoTest(line, *step))
        return std::nullopt;
    const std::optional<int> blocks = blockCountOf(line);
    if (!blocks)
        return std::nullopt;
    ex.timerOff();
    step->ReplyData = echoData(line, step->Command);
    return blocks;
}

bool takeMemoryInfo(RunningExchange& ex, const QString& line)
{
    ExchangeStep* step = ex.currentStep();
    if (!step || !echoTest(line, *step))
        return false;
    ex.accept(line);
    if (ex.done())
        return true;
    ex.continueExchange();
    return false;
}

void readMemoryInfo(RunningExchange& ex, int blocks, link::State state)
{
    ex.replaceList(memoryInfoList(blocks));
    ex.enter(state);
    ex.continueExchange();
}

} // namespace quellin

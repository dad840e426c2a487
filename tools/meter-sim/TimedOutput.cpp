#include "TimedOutput.h"

namespace quellin::sim {

void LineSequence::addProgress(const QString& label, std::int64_t durationMs)
{
    add(std::exchange(carryMs_, 0), label);
    std::int64_t elapsed = 0;
    while (elapsed + kProgressEveryMs < durationMs) {
        add(kProgressEveryMs, label);
        elapsed += kProgressEveryMs;
    }
    carryMs_ = durationMs > elapsed ? durationMs - elapsed : 0;
}

std::optional<TimedLine> LineSequence::next()
{
    if (lines_.empty())
        return std::nullopt;
    TimedLine line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}

} // namespace quellin::sim

#pragma once
// What the two memory dialogs' exchanges share: the status read, the number of
// memory blocks ("CBN") and the five "CMI" reads per block that describe them.

#include "base/ExchangeStep.h"
#include "base/LinkState.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// More blocks than this in an answer to "CBN" is a damaged answer (the meter's
// count has three digits).
constexpr int kMaxMemoryBlocks = 999;

// "CMD", expected length 6.
ExchangeStep statusStep();
// "CBN", expected length 6.
ExchangeStep blockCountStep();

// The status answer "RMD" w m l: m (character 5) and l (character 6) are "1" while
// the meter measures and while it logs into its memory.
bool meterMeasuring(const QString& statusLine);
bool meterLogging(const QString& statusLine);

// The number of blocks in an answer to "CBN": the decimal digits after the
// three-character echo. nullopt when they are missing, not digits or above
// kMaxMemoryBlocks.
std::optional<int> blockCountOf(const QString& line);

// The memory information list for n blocks: for block b = 0..n−1 and item
// k = 0..4 the step "CMI" + b + k, expected lengths 6, 6, 21, 13 and −1.
std::vector<ExchangeStep> memoryInfoList(int blocks);

// The two steps both memory lists share, for the running exchange's current step:
// the block count answer taken (time-out off, reply kept) — nullopt when the
// line is not such an answer and is left to the time-out; and one "CMI" answer
// taken, the next read sent — true once every block has been read.
class RunningExchange;
std::optional<int> takeBlockCount(RunningExchange& ex, const QString& line);
bool takeMemoryInfo(RunningExchange& ex, const QString& line);
// The "CMI" reads of every block, in the given link state.
void readMemoryInfo(RunningExchange& ex, int blocks, link::State state);

} // namespace quellin

#include "store/RecordSpacing.h"

namespace quellin {

void RecordSpacing::add(long long seconds)
{
    if (seconds <= 0)
        return;
    auto [it, fresh] = tallies_.try_emplace(seconds);
    if (fresh)
        it->second.firstSeen = added_;
    ++it->second.count;
    ++added_;
}

long long RecordSpacing::mostCommon() const
{
    long long best = 0;
    Tally bestTally;
    for (const auto& [seconds, tally] : tallies_) {
        if (tally.count > bestTally.count ||
            (tally.count == bestTally.count && tally.firstSeen < bestTally.firstSeen)) {
            best = seconds;
            bestTally = tally;
        }
    }
    return best;
}

} // namespace quellin

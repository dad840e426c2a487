#pragma once
// The storage period of records read back from a file. A PC log that started a
// few seconds into the measurement has an irregular first step, and a pause or
// a lost record leaves a longer one later, so the period is the step that
// occurs most often, not the first one.

#include <unordered_map>

namespace quellin {

class RecordSpacing {
public:
    // The step in whole seconds from one record to the next, in file order.
    // Steps of zero or less say nothing about a period and are not counted.
    void add(long long seconds);

    // The most frequent step; among equally frequent steps the one met first,
    // so that a file whose steps all differ keeps the first one. 0 when no step
    // was counted.
    long long mostCommon() const;

private:
    struct Tally {
        int count = 0;
        int firstSeen = 0;
    };
    std::unordered_map<long long, Tally> tallies_; // at most one entry per record
    int added_ = 0;
};

} // namespace quellin

#pragma once
// The meter's logging memory: numbered blocks, 0 upward without gaps. A
// measurement fills one block, or a first block and continuation blocks (line
// code 8) when it is longer than one block holds.
//
// Capacity: 7 blocks of at most 9999 records each (69 993 records, 48 days at
// one record a minute). Seven blocks keep every block number a single digit,
// so "SCB7" (clear all) can never be mistaken for clearing a block.
//
// Clearing keeps the numbers the program listed: a cleared block keeps its
// number until the whole measurement it belonged to is cleared (the program
// clears a measurement block by block, first block first), then the blocks
// after it are copied down over the gap. A continuation block whose block
// before was cleared is of no use and goes with it.
//
// Only the description of each block is kept; its records are computed from
// the block's seed when they are read (see BlockRecords).

#include "Readings.h"

#include <QDateTime>
#include <cstdint>
#include <vector>

namespace quellin::sim {

// What a new measurement starts with.
struct Measurement {
    int wiring = 0;         // 0 single-phase two-wire, 1 single-phase three-wire, 2 three-phase
    int intervalCode = 0;   // 0-5: 1, 5, 10, 15, 30, 60 minutes
    QDateTime start;        // time of the first record (seconds are dropped)
    float frequency = 50;   // mean mains frequency, Hz
    std::uint64_t seed = 0; // of the readings of its records
};

struct MemoryBlock {
    int lineCode = 0;        // the wiring for a first block, 8 for a continuation
    Measurement measurement; // start: of this block's first record
    int count = 0;           // records written into this block
    int firstRecord = 0;     // number of its first record within the measurement
    bool cleared = false;    // cleared, keeping its number until the memory is packed
};

class LoggingMemory {
public:
    static constexpr int kBlocks = 7;
    static constexpr int kRecordsPerBlock = 9999;
    static constexpr int kClearAll = 7; // block number of "SCB7"

    // Blocks a measurement of that many records takes (at least one).
    static int blocksFor(int records);
    // Seconds between records for an interval code 0-5 (60 for anything else).
    static int intervalSeconds(int code);

    int blockCount() const { return int(blocks_.size()); }
    // The block, or nullptr for a number that is not in use.
    const MemoryBlock* block(int number) const;
    bool full() const { return blockCount() >= kBlocks; }

    // A finished measurement of `records` records (1 or more); false, and
    // nothing added, when it does not fit.
    bool addMeasurement(const Measurement& m, int records);

    // Logging: the first block, empty; false when no block is free.
    bool startLogging(const Measurement& m);
    bool logging() const { return loggingHead_ >= 0; }
    // Grows the logged measurement to `records` records in all, opening
    // continuation blocks; false when the memory ran out first (it then holds
    // as many records as fit).
    bool growLogging(int records);
    int loggedRecords() const;
    // The time of the last logged record (invalid while none is logged).
    QDateTime lastLoggedTime() const;
    void stopLogging() { loggingHead_ = -1; }

    // Clearing. clear(): false for a number that is not in use.
    bool clear(int number);
    // True when no continuation block waits after `number`: its measurement is gone.
    bool measurementCleared(int number) const;
    // Removes the cleared blocks (and continuation blocks left without their
    // first block); the numbers the blocks after them had, in order.
    std::vector<int> pack();
    // Numbers of the blocks in use, then none are.
    std::vector<int> clearAll();

    // A few measurements for demos and tests (5 blocks; one spans three).
    // Their seeds are seedFor(seed, 0), (seed, 1), (seed, 2).
    void addPreset(std::uint64_t seed);
    // The seed of a measurement's readings, from the meter's seed and a number
    // that tells its measurements apart.
    static std::uint64_t seedFor(std::uint64_t seed, std::uint64_t salt);
    static constexpr int kPresetBlocks = 5;

private:
    std::vector<MemoryBlock> blocks_;
    int loggingHead_ = -1; // first block of the measurement being logged
};

// The mean mains frequency a measurement logs: that of its first reading.
float loggedFrequency(std::uint64_t seed, int wiring, int mains);

// The readings of a block's records, in order, the same every time they are read.
class BlockRecords {
public:
    BlockRecords(const MemoryBlock& block, int firstInBlock);
    Reading next();

private:
    ReadingGenerator generator_;
    std::uint64_t step_;
};

} // namespace quellin::sim

#pragma once
// The meter's logging memory as both memory dialogs show it: the block table read
// from the "CMI" answers and the list lines, one per logged measurement.
//
// One measurement occupies one block, or a first block followed by continuation
// blocks (line code 8). A list line stands for a whole measurement: its number
// counts measurements (0, 1, 2 …), its write count sums the measurement's
// blocks, and it carries the number of the block the measurement starts at.

#include "base/Context.h"
#include "base/ExchangeStep.h"
#include "platform/Tx.h"

#include <QString>
#include <vector>

namespace quellin {

// The list's head as an id of the catalogue; memoryListHeader() is the text shown.
inline constexpr const char* kMemoryListHeader =
    TXN("メモリ一覧（番号,測定ライン,測定間隔,測定開始時刻,周波数,書込回数）");
QString memoryListHeader();

constexpr int kContinuationBlock = 8;
// The meter counts a block's records in four digits.
constexpr int kMaxBlockRecords = 9999;

// One block as its five "CMI" answers describe it.
struct MemoryBlockInfo {
    int lineCode = -1;     // 0, 1, 2 the wiring of a first block; 8 a continuation; -1 unreadable
    int intervalCode = -1; // 0..5 for 1, 5, 10, 15, 30, 60 minutes; -1 unreadable
    QString startTime;     // as the meter wrote it
    double frequency = 0;  // Hz
    int writeCount = 0;    // records in this block, 0..9999
};

// The block table from the answers of the memory information list: five per
// block in block order. The interval, start time and frequency are read
// for first blocks only. A code that is not a digit reads as -1; a write count
// that is not a number as 0 (and is kept within 0..9999); a frequency that is not
// eight hexadecimal digits of a finite number as 0.
std::vector<MemoryBlockInfo> memoryBlocksFrom(const ExchangeReplies& replies);

struct MemoryListLine {
    QString text;
    int firstBlock = 0; // the item data: the block the measurement starts at
};

// One line per measurement; a continuation block is folded into the measurement
// before it (one that follows no measurement is not listed). For example
// "0： 単相２線式 ・ 10 ・ 2002/06/01 10:00 ・   50.0 ・ 1234".
std::vector<MemoryListLine> memoryListLines(const std::vector<MemoryBlockInfo>& blocks);

// The blocks of the measurement that starts at block first: first and every
// directly following continuation block. Empty for a block that does not exist.
std::vector<int> measurementBlocks(const std::vector<MemoryBlockInfo>& blocks, int first);
// The sum of their write counts.
int measurementRecords(const std::vector<MemoryBlockInfo>& blocks, int first);

// Seconds between records for an interval code 0..5; 0 for any other code.
int intervalSeconds(int intervalCode);

} // namespace quellin

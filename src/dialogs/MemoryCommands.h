#pragma once
// The exchanges the two memory dialogs start, and what the download dialog
// decides before its first command: the commands for logging, clearing and
// downloading, and the data set's properties taken from the measurement's first
// block. A window or a command-line front end runs them alike.

#include "base/Context.h"
#include "dialogs/MemoryList.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

class Sequencer;

QString clearMemoryQuestion();
QString clearingText();
QString downloadingText();

// --- Starting the exchanges ------------------------------------------------------

// "CMD" in state 7: the download dialog's memory list follows (states 8, 9).
void startDownloadList(Sequencer& seq);
// "CMD" in state 10: the logging state, then (DataDisp) the memory list.
void startLogingStatus(Sequencer& seq);
// "CBN" in state 13: the logging dialog's memory list.
void startMemoryCount(Sequencer& seq);

// What the logging dialog shows for the status answer's data ("wml" after "RMD"):
// l = "0" → "ロギングなし" with "ロギング開始" (1) preselected, "1" → "ロギング中" with
// "ロギング停止" (0) preselected; anything else shows nothing and selects nothing (-1).
struct LogingStateText {
    QString label;
    int selection = -1;
};
LogingStateText logingStateOf(const QString& statusReply);

// "CMD", then "SMD2" + the list position of the new state (0 stop, 1 start).
std::vector<ExchangeStep> logingSendSteps(int newState);
void startLogingSend(Sequencer& seq, int newState);

// "SCB" + block for the measurement starting at block first and each of its
// continuation blocks, in block order, each answered "OK".
std::vector<ExchangeStep> clearMeasurementSteps(const std::vector<MemoryBlockInfo>& blocks,
                                                int first);
// "SCB7": every block.
std::vector<ExchangeStep> clearAllSteps();
// Shows the busy text in status panel 2 and sends the first "SCB" (state 21).
void startClear(Context& ctx, Sequencer& seq, std::vector<ExchangeStep> steps);

// --- Download ----------------------------------------------------------------------

struct DownloadPlan {
    int firstBlock = 0;
    int wiring = 0;         // the first block's line code: DataWiring
    int sampleInterval = 0; // seconds between records
    double firstTime = 0;   // the measurement's start
    double frequency = 0;   // the data set's frequency
    int available = 0;      // records the blocks' write counts announce
    int requested = 0;      // records the commands ask for (at most the store's limit)
    // "CMD", then per block "CMM" + block + "0000" + its records as "0000".
    std::vector<ExchangeStep> steps;
};

// A download's tally: reset and given the plan's counts by prepareDownload,
// kept by the reception (main/DownloadReception) for every line received. The
// receiver of a download owns it.
struct DownloadCounts {
    int RecordCounter = 0;  // lines received so far; the next record's number
    double EnergyTotal = 0; // integrated energy in kWh since the measurement's start
    double HoursTotal = 0;  // elapsed hours since the measurement's start
    double PowerSum = 0;    // sum of the active power of the stored records
    int Available = 0;      // records the measurement's write counts announce
    int Announced = 0;      // records the download asks for (at most the store's limit)
    int Stored = 0;         // records written to TMP.DAT
    int Skipped = 0;        // lines that carried no readable record
    int Overflows = 0;      // lines with a value that overflowed (stored with 0 there)
    int Missing = 0;        // records whose active power was not a number (kept missing)
    QString StoreError;     // why TMP.DAT refused a record; the download then fails
};

struct DownloadPlanResult {
    std::optional<DownloadPlan> plan;
    QString error; // why the measurement cannot be downloaded
};

// The plan for the measurement starting at block first. A measurement longer than
// recordLimit is asked for its first recordLimit records only (its last block
// in part, the blocks after it not at all), so that the data set stays within
// what the program stores and loads back.
DownloadPlanResult planDownload(const std::vector<MemoryBlockInfo>& blocks, int first,
                                int recordLimit = kMaxStoredRecords);

// A new data set for the plan: TMP.DAT emptied and opened, every column present
// (voltage T and current T absent in single-phase two-wire), the properties and
// the reception's tally (counts) started. Throws VbError when TMP.DAT cannot be opened.
void prepareDownload(Context& ctx, DownloadCounts& counts, const DownloadPlan& plan);
// prepareDownload, the busy text in status panel 2, "CMD" in state 19.
void startDownload(Context& ctx, DownloadCounts& counts, Sequencer& seq,
                   const DownloadPlan& plan);

} // namespace quellin

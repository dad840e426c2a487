#pragma once
// The measurement data store: TMP.DAT and the globals that describe the data set.
// Every reader sees every record appended before it runs.
//
// TMP.DAT holds record k (1-based) at bytes (k − 1) × 140 .. k × 140 − 1; only
// records 1..RecordCount belong to the data set. The writer's handle is
// TmpFileNo (unbuffered); every reading routine opens its own handle, reads the
// records it needs with one read and closes it again.

#include "base/Context.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// Empties the store's globals (RecordCount 0, page slots empty, window reset).
// FirstTime is the clock's now, LastTime one hour later; the window starts at
// FirstTime and its end follows GraphXHani.
void ResetStore(Context& ctx);

// Deletes TMP.DAT if it exists (closing TmpFileNo first), and with it the data
// set's properties (TMP.INF). True when no TMP.DAT remains afterwards.
bool DeleteTmpFile(Context& ctx);

// Opens TMP.DAT for reading and writing into ctx.store.TmpFileNo (created if
// missing). The file is cut behind record RecordCount (to nothing after a
// reset), so records of an earlier data set can never be read back; should the
// file hold fewer records than RecordCount, RecordCount is lowered to match.
// Throws VbError when it cannot be opened.
void OpenTmpForAppend(Context& ctx);
void CloseTmp(Context& ctx);

// Writes rec at record position RecordCount + 1 through TmpFileNo and adds 1 to
// RecordCount. Throws VbError (with a clear description) when the write fails
// (handle missing or read-only, disk full, I/O error); RecordCount then stays
// unchanged and the records already stored stay readable.
void AppendRecord(Context& ctx, const DataRecord& rec);
// The same for count records in one write (a file load appends thousands).
void AppendRecords(Context& ctx, const DataRecord* recs, int count);

// Record k (1-based) of TMP.DAT; throws VbError when k is outside
// 1..RecordCount or the record cannot be read.
DataRecord ReadRecord(const Context& ctx, int k);
// Records first..first+count-1 (1-based), read in one go.
std::vector<DataRecord> ReadRecords(const Context& ctx, int first, int count);
// The same into a buffer the caller keeps between calls (resized to count).
void ReadRecordsInto(const Context& ctx, int first, int count, std::vector<DataRecord>& out);

// The value of column c of a record: 0 the number, 1 the time, 2..17 the doubles;
// nullopt for any other column.
std::optional<double> GetColumnValue(const DataRecord& rec, int column);

// Sets ListTop = top and fills ListPage slots 1..14 with records top+1..top+14;
// slots without a record of 1..RecordCount are marked empty (-1).
void LoadListPage(Context& ctx, int top);

// Moves or recomputes the graph's time window by k steps (−1, 0, +1):
// GraphXHani 1 = one minute, 2 = one hour, 3 = one calendar day; any other value
// leaves the window unchanged.
void SetGraphWindow(Context& ctx, int k);

} // namespace quellin

#pragma once
// The measurement data store: TMP.DAT and the globals that describe the data set.
// Every reader sees every record appended before it runs.

#include "app/Context.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// Empties the store's globals (RecordCount 0, page slots empty, window reset).
void ResetStore(Context& ctx);

// Deletes TMP.DAT if it exists (closing a handle that still holds it).
void DeleteTmpFile(Context& ctx);

// Opens TMP.DAT for reading and writing into ctx.store.TmpFileNo (created if
// missing). Throws VbError when it cannot be opened.
void OpenTmpForAppend(Context& ctx);
void CloseTmp(Context& ctx);

// Writes rec at record position RecordCount + 1 through TmpFileNo and adds 1 to
// RecordCount. Throws VbError (with a clear description) when the write fails.
void AppendRecord(Context& ctx, const DataRecord& rec);

// Record k (1-based) of TMP.DAT; throws VbError when it cannot be read.
DataRecord ReadRecord(const Context& ctx, int k);
// Records first..first+count-1 (1-based), read in one go.
std::vector<DataRecord> ReadRecords(const Context& ctx, int first, int count);

// The value of column c of a record: 0 the number, 1 the time, 2..17 the doubles;
// nullopt for any other column.
std::optional<double> GetColumnValue(const DataRecord& rec, int column);

// Fills ListPage slots 1..14 with records top+1..top+14 (empty slots marked -1).
void LoadListPage(Context& ctx, int top);

// Fills GraphTimes, GraphValues and GraphPoints for GraphStart..GraphEnd.
void LoadGraphWindow(Context& ctx);

// Moves or recomputes the graph's time window by k steps (−1, 0, +1).
void SetGraphWindow(Context& ctx, int k);

}  // namespace quellin

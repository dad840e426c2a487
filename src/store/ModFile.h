#pragma once
// ModFile: the program's current data set (Context's DataSet) with the views the
// windows share, the graph's time window and the data list's page. These are
// the routines as the program calls them; the data set's own methods
// (store/DataSet.h) do the work for any data set.

#include "base/Context.h"
#include "store/DataSet.h"

#include <optional>

namespace quellin {

// Empties the current data set (RecordCount 0, FirstTime the clock's now,
// LastTime one hour later), the list page (every row empty, ListTop 1) and the
// graph window (no points, starting at FirstTime, its end following GraphXHani).
void ResetStore(Context& ctx);

// The current data set's list page from record top + 1 on.
void LoadListPage(Context& ctx, int top);

// Moves or recomputes the program's graph window by k steps (−1, 0, +1) within
// the current data set, by GraphXHani.
void SetGraphWindow(Context& ctx, int k);

// The value of column c of a record: 0 the number, 1 the time, 2..17 the doubles;
// nullopt for any other column.
std::optional<double> GetColumnValue(const DataRecord& rec, int column);

} // namespace quellin

#pragma once
// 追加読込: a data file appended to the loaded data set, when it continues it
// (same meter version, wiring and period, starting after it).

#include "base/Context.h"
#include "platform/Tx.h"
#include "store/DataSet.h"

#include <QString>
#include <optional>

namespace quellin {

inline QString cannotJoinText() { return TX("追加読込できません。"); }

// Why joined cannot be appended to data (a text to show after cannotJoinText()
// and CR LF), or nullopt when it can: data holds records, both have the same
// items (the meter's version), the same wiring and period, joined starts after
// data ends and both fit the store together.
std::optional<QString> joinRefusal(const DataSet& data, const DataSet& joined);

// Reads the data file at path beside the current data set and appends it to it;
// the list page and the graph window are read again, TMP.INF written. A file
// that cannot be read, or cannot be joined, is refused with a message and the
// current data set stays as it was. True when the file was appended.
bool JoinDataFile(Context& ctx, const QString& path);

} // namespace quellin

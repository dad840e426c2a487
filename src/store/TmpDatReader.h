#pragma once
// Read access to TMP.DAT for the store's readers. Each reading routine opens its
// own handle (and closes it when done); the writer's handle is flushed first so
// that every record appended before the read is seen.

#include "base/Context.h"

#include <QFile>

namespace quellin {

class TmpDatReader {
public:
    // Opens TMP.DAT for reading; throws VbError when it is missing or unreadable.
    explicit TmpDatReader(const Context& ctx);

    // Time of the record at 0-based position index, in whole seconds since day 0
    // (the unit in which record times are compared).
    long long timeSeconds(int index);
    // Copies count records from 0-based position index into dst (count × 140
    // bytes) with one read; throws VbError when the file holds fewer.
    void readRecords(int index, int count, char* dst);

private:
    [[noreturn]] void throwShort(int index) const;
    QFile file_;
};

} // namespace quellin

#pragma once
// Read access to a data set's records for the data set's own readers: TMP.DAT
// opened for one routine (and closed when it is done; the writer's handle is
// flushed first so that every record appended before the read is seen), or the
// records of a data set kept in memory.

#include <QFile>

namespace quellin {

class DataSet;

class RecordReader {
public:
    // Opens TMP.DAT of data for reading; throws VbError when it is missing or
    // unreadable. A data set in memory opens nothing.
    explicit RecordReader(const DataSet& data);

    // Time of the record at 0-based position index, in whole seconds since day 0
    // (the unit in which record times are compared).
    long long timeSeconds(int index);
    // Copies count records from 0-based position index into dst (count × 140
    // bytes) with one read; throws VbError when the data set holds fewer.
    void readRecords(int index, int count, char* dst);
    // The count records in memory from 0-based position index on (throws VbError
    // when the data set holds fewer), or null for a data set in TMP.DAT.
    const char* recordsInMemory(int index, int count) const;

private:
    [[noreturn]] void throwShort(int index) const;
    const DataSet& data_;
    QFile file_;
};

} // namespace quellin

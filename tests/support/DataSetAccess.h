#pragma once
// What a test may do to a data set that the program cannot: set any property
// (a store that is full, a window over a day the records never reached), and
// hand it a writer of the test's choosing (a read-only file, /dev/full).

#include "base/Context.h"
#include "store/DataSet.h"

#include <QFile>
#include <memory>

namespace quellin::test {

struct DataSetAccess {
    static DataSetProperties& properties(DataSet& data) { return data.p_; }
    static void setWriter(DataSet& data, std::unique_ptr<QFile> file)
    {
        data.TmpFileNo = std::move(file);
    }
    static QFile* writer(DataSet& data) { return data.TmpFileNo.get(); }
};

// The current data set's properties, to be set by the test.
inline DataSetProperties& props(Context& ctx)
{
    return DataSetAccess::properties(ctx.dataSet());
}

} // namespace quellin::test

#include "BenchSupport.h"

#include "store/ModFile.h"

namespace quellin::bench {

void fillFullStore(Context& ctx, const std::function<double(int record)>& timeOf,
                   const std::function<double(int record, int column)>& valueOf)
{
    ResetStore(ctx);
    ctx.dataSet().OpenTmpForAppend();
    for (int i = 0; i < kMaxRecords; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(timeOf(i));
        for (int c = 2; c < kMaxColumns; ++c)
            r.setColumn(c, valueOf(i, c));
        ctx.dataSet().AppendRecord(r);
    }
    ctx.dataSet().CloseTmp();
}

} // namespace quellin::bench

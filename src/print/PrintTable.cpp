#include "print/PrintTable.h"

#include "base/MeasuredItems.h"
#include "store/DataSet.h"
#include "views/ListTexts.h"

#include <algorithm>

namespace quellin {

namespace {
constexpr int kRecordsPerRead = 4096;
} // namespace

std::vector<int> printedGridColumns(const Context& ctx)
{
    std::vector<int> out;
    for (int g = 1; g <= ctx.cat.ColumnLast; ++g) {
        const int c = recordColumnOfGridColumn(g);
        if (c < 0)
            break;
        if (measuredItem(c).firstVersion <= ctx.app.HardVersion && columnShown(ctx, c))
            out.push_back(g);
    }
    return out;
}

PrintTable buildPrintTable(const Context& ctx)
{
    PrintTable table;
    table.gridColumns = printedGridColumns(ctx);
    const QStringList allHeaders = listHeaders(ctx);
    for (const int g : table.gridColumns) {
        table.headers << allHeaders.value(g - 1);
        table.widthChars.push_back(listColumnWidthChars(g));
    }
    if (table.gridColumns.empty())
        return table;

    const DataSet& data = ctx.dataSet();
    const int total = std::max(0, data.RecordCount());
    table.cells.reserve(static_cast<size_t>(total) * table.gridColumns.size());
    std::vector<DataRecord> chunk;
    for (int first = 1; first <= total; first += kRecordsPerRead) {
        data.ReadRecordsInto(first, std::min(kRecordsPerRead, total - first + 1), chunk);
        for (const DataRecord& rec : chunk) {
            if (rec.number == -1)
                continue;
            for (const int g : table.gridColumns)
                table.cells.push_back(listCellText(ctx, rec, g, ListPurpose::Print));
        }
    }
    return table;
}

} // namespace quellin

#include "store/ModFile.h"

namespace quellin {

void ResetStore(Context& ctx)
{
    DataSet& data = ctx.dataSet();
    data.ResetStore(ctx.svc.clock.now(), ctx.cat.ColumnLast);
    ctx.listPage().clear();
    GraphWindowState& window = ctx.graphWindow();
    window.GraphPoints = 0;
    window.GraphSpan = 0;
    window.GraphStart = data.FirstTime();
    SetGraphWindow(ctx, 0);
}

void LoadListPage(Context& ctx, int top)
{
    ctx.dataSet().LoadListPage(ctx.listPage(), top);
}

void SetGraphWindow(Context& ctx, int k)
{
    ctx.dataSet().SetGraphWindow(ctx.graphWindow(), k, ctx.app.GraphXHani);
}

std::optional<double> GetColumnValue(const DataRecord& rec, int column)
{
    if (column == 0)
        return static_cast<double>(rec.number);
    if (column >= 1 && column < kMaxColumns)
        return rec.column(column);
    return std::nullopt;
}

} // namespace quellin

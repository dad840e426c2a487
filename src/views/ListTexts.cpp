#include "views/ListTexts.h"

#include "link/MeasuredData.h" // powerFactorText: the panel and the list show it alike
#include "platform/Format.h"

namespace quellin {

int recordColumnOfGridColumn(int gridColumn)
{
    static constexpr int kMap[18] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17};
    return (gridColumn >= 1 && gridColumn <= 17) ? kMap[gridColumn] : -1;
}

QStringList listHeaders(const Context& ctx)
{
    QStringList headers = {
        QStringLiteral("番号"),     QStringLiteral("時刻"),     QStringLiteral("電圧Ｒ"),
        QStringLiteral("電圧Ｔ"),   QStringLiteral("電流Ｒ"),   QStringLiteral("電流Ｔ"),
        QStringLiteral("有効電力"), QStringLiteral("無効電力"), QStringLiteral("皮相電力"),
        QStringLiteral("力率"),     QStringLiteral("積算電力"), QStringLiteral("積算時間")};
    // The version-2 columns are headed with their series names.
    for (int s = 9; s <= ctx.cat.SeriesLast && s < ctx.cat.SeriesNames.size(); ++s)
        headers << ctx.cat.SeriesNames[s];
    return headers.mid(0, std::max(0, ctx.cat.ColumnLast));
}

QString listCellText(const Context& ctx, const DataRecord& rec, int gridColumn, ListPurpose purpose)
{
    const int c = recordColumnOfGridColumn(gridColumn);
    if (c < 0 || c > ctx.cat.ColumnLast)
        return {};
    if (c >= 13 && ctx.app.HardVersion < 2)
        return {};
    const auto flag = [](const std::vector<bool>& v, int i) {
        return i >= 0 && static_cast<size_t>(i) < v.size() && v[static_cast<size_t>(i)];
    };
    if (!flag(ctx.store.ColumnPresent, c) || !flag(ctx.cat.ColumnOn, c))
        return {};
    switch (c) {
    case 0:
        return QString::number(rec.number);
    case 1:
        return Format(rec.time(), QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    case 9:
        return powerFactorText(rec.column(9));
    case 12:
        return Format(rec.column(12), purpose == ListPurpose::Print ? QStringLiteral("0.000")
                                                                    : QStringLiteral("0.00000"));
    case 13:
    case 14:
    case 15:
        return Format(rec.column(c), QStringLiteral("0.0"));
    case 16:
    case 17:
        return Format(rec.column(c), QStringLiteral("0"));
    default:
        return Format(rec.column(c), QStringLiteral("000.0E+0"));
    }
}

ListScroll listScroll(int recordCount)
{
    if (recordCount < 15)
        return {false, 0};
    return {true, recordCount - 14};
}

} // namespace quellin

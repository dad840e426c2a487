#include "views/ListTexts.h"

#include "base/MeasuredItems.h"
#include "link/MeasuredData.h" // powerFactorText: the panel and the list show it alike
#include "platform/Format.h"
#include "platform/Tx.h"
#include "store/DataSet.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quellin {

namespace {

// Record column of each grid column (index 0 unused): the grid shows the record
// columns in order, all but those that are not listed.
std::array<int, kMaxColumns + 1> gridColumns()
{
    std::array<int, kMaxColumns + 1> out;
    out.fill(-1);
    int g = 0;
    for (int c = 0; c < kMaxColumns; ++c)
        if (measuredItem(c).listFormat != ListFormat::NotListed)
            out[static_cast<size_t>(++g)] = c;
    return out;
}

} // namespace

int recordColumnOfGridColumn(int gridColumn)
{
    static const std::array<int, kMaxColumns + 1> columns = gridColumns();
    return (gridColumn >= 1 && gridColumn <= kMaxColumns) ? columns[static_cast<size_t>(gridColumn)]
                                                          : -1;
}

double listColumnWidthChars(int gridColumn)
{
    switch (gridColumn) {
    case 1:
        return 5.5;
    case 2:
        return 17.5;
    case 13:
    case 14:
    case 15:
        return 7.38;
    case 16:
    case 17:
        return 4.38;
    default:
        return 8.5;
    }
}

QStringList listHeaders(const Context& ctx)
{
    QStringList headers;
    for (int g = 1; g <= ctx.cat.ColumnLast; ++g) {
        const int c = recordColumnOfGridColumn(g);
        if (c < 0)
            break;
        headers << txText(toQString(measuredItem(c).name));
    }
    return headers;
}

QString wrappedHeader(const QString& text, double room,
                      const std::function<double(const QString&)>& width)
{
    if (width(text) <= room)
        return text;
    QString best = text;
    double narrowest = width(text);
    for (qsizetype at = text.indexOf(u' '); at >= 0; at = text.indexOf(u' ', at + 1)) {
        const QString first = text.left(at).trimmed();
        const QString second = text.mid(at + 1).trimmed();
        if (first.isEmpty() || second.isEmpty())
            continue;
        const double wider = std::max(width(first), width(second));
        if (wider < narrowest) {
            narrowest = wider;
            best = first + u'\n' + second;
        }
    }
    return best;
}

QString listCellText(const Context& ctx, const DataRecord& rec, int gridColumn, ListPurpose purpose)
{
    const int c = recordColumnOfGridColumn(gridColumn);
    if (c < 0 || c > ctx.cat.ColumnLast)
        return {};
    const MeasuredItem& item = measuredItem(c);
    if (item.firstVersion > ctx.app.HardVersion)
        return {};
    if (!columnShown(ctx, c))
        return {};
    // A value the record could not be given (a downloaded reading that was not a
    // number) is missing: an empty cell, not a number nobody measured.
    if (c >= 2 && std::isnan(rec.column(c)))
        return {};
    switch (item.listFormat) {
    case ListFormat::RecordNumber:
        return QString::number(rec.number);
    case ListFormat::Time:
        return Format(rec.time(), QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    case ListFormat::PowerFactor:
        return powerFactorText(rec.column(c));
    case ListFormat::Hours:
        return Format(rec.column(c), purpose == ListPurpose::Print ? QStringLiteral("0.000")
                                                                   : QStringLiteral("0.00000"));
    case ListFormat::OneDecimal:
        return Format(rec.column(c), QStringLiteral("0.0"));
    case ListFormat::Integer:
        return Format(rec.column(c), QStringLiteral("0"));
    case ListFormat::Engineering:
        return Format(rec.column(c), QStringLiteral("000.0E+0"));
    case ListFormat::NotListed:
        break;
    }
    return {};
}

ListScroll listScroll(int recordCount, int rows)
{
    if (recordCount <= rows)
        return {false, 0};
    return {true, recordCount - rows};
}

int listTopAfter(ListMove move, int top, int maximum, int rows)
{
    const int page = std::max(1, rows - 1);
    long long to = top;
    switch (move) {
    case ListMove::RowUp:
        to = top - 1LL;
        break;
    case ListMove::RowDown:
        to = top + 1LL;
        break;
    case ListMove::PageUp:
        to = static_cast<long long>(top) - page;
        break;
    case ListMove::PageDown:
        to = static_cast<long long>(top) + page;
        break;
    case ListMove::First:
        to = 0;
        break;
    case ListMove::Last:
        to = maximum;
        break;
    case ListMove::WheelUp:
        to = top - static_cast<long long>(kWheelRows);
        break;
    case ListMove::WheelDown:
        to = top + static_cast<long long>(kWheelRows);
        break;
    }
    return static_cast<int>(std::clamp<long long>(to, 0, std::max(0, maximum)));
}

int listRowsForHeight(int bodyHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return kListRows;
    return std::clamp(bodyHeight / rowHeight - 1, kListRows, kMostListRows);
}

} // namespace quellin

#include "print/PrintLayout.h"

#include "platform/Tx.h"

#include <algorithm>
#include <cmath>

namespace quellin {

PageOrientation orientationForPicture(const QSizeF& picture)
{
    return picture.width() > picture.height() ? PageOrientation::Landscape
                                              : PageOrientation::Portrait;
}

PageOrientation spreadOrientation(int hardVersion)
{
    return hardVersion >= 2 ? PageOrientation::Landscape : PageOrientation::Portrait;
}

QString spreadPageTitle()
{
    return TX("計測データ");
}

QString spreadPageNumberText(int page)
{
    return TX("ページ ") + QString::number(page);
}

TablePages paginateTable(int rowCount, const QSizeF& body, double tableWidth, double rowHeight,
                         double headHeight)
{
    TablePages out;
    if (rowCount <= 0 || !(rowHeight > 0))
        return out;
    if (tableWidth > body.width() && body.width() > 0)
        out.scale = body.width() / tableWidth;
    // Rows that fit below the headings; a page shorter than that still takes one.
    const double room = body.height() / out.scale - std::max(0.0, headHeight);
    out.rowsPerPage = std::max(1, static_cast<int>(std::floor(room / rowHeight + 1e-9)));
    out.pageCount = (rowCount + out.rowsPerPage - 1) / out.rowsPerPage;
    return out;
}

RowRange rowsOfPage(const TablePages& pages, int rowCount, int page)
{
    if (page < 0 || page >= pages.pageCount || pages.rowsPerPage <= 0)
        return {};
    const int first = page * pages.rowsPerPage;
    return {first, std::clamp(rowCount - first, 0, pages.rowsPerPage)};
}

} // namespace quellin

#pragma once
// The arithmetic of the two prints, free of any printer: the orientation of the
// graph page and the pages of the data list.

#include <QRectF>
#include <QSizeF>
#include <QString>

namespace quellin {

enum class PageOrientation : int { Portrait = 1, Landscape = 2 };

// The graph prints landscape when it is wider than high, else portrait.
PageOrientation orientationForPicture(const QSizeF& picture);

// The list print: portrait for a version-1 meter, landscape for the wider
// tables of version 2 and later.
PageOrientation spreadOrientation(int hardVersion);

// Margins of the list print, in twips.
struct PageMarginsTwips {
    double top = 1440;
    double bottom = 1440;
    double left = 720;
    double right = 200;
};

// The heading of every list page and its page number ("ページ 3").
QString spreadPageTitle();
QString spreadPageNumberText(int page);

// How a table of rowCount rows goes onto pages whose printable body is body
// (device units). The table is tableWidth wide, each row rowHeight high, and
// every page carries headHeight of headings above its rows; all of it shrinks
// by scale (at most 1) when the table is wider than the body.
struct TablePages {
    double scale = 1;
    int rowsPerPage = 0;
    int pageCount = 0; // 0 for no rows
};
TablePages paginateTable(int rowCount, const QSizeF& body, double tableWidth, double rowHeight,
                         double headHeight);

// The rows of page (0-based): first and count.
struct RowRange {
    int first = 0;
    int count = 0;
};
RowRange rowsOfPage(const TablePages& pages, int rowCount, int page);

} // namespace quellin

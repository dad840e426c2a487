#pragma once
// The texts of the data list: which record column each grid column shows and
// how it is formatted. The list print uses the same texts.

#include "base/Context.h"
#include "store/DataViews.h" // kListRows, one page of records

#include <QString>
#include <QStringList>
#include <functional>

namespace quellin {

// Record column shown in grid column g (1-based; 1..17). Frequency is not listed.
int recordColumnOfGridColumn(int gridColumn);

// Width of grid column g in characters of the grid's font ('0' wide): FarPoint's
// default of 8.5 for most, room for "2002/06/01 10:00:05" for the time, and the
// narrow leakage and temperature columns of the version-2 layout. The list and
// its print use the same widths.
double listColumnWidthChars(int gridColumn);

// Column headers of the grid (grid columns 1..ColumnLast), in the program's language.
QStringList listHeaders(const Context& ctx);

// A column heading for a column room wide, as width measures a text: unchanged
// when it fits or has no blank; otherwise broken into two lines at the blank that
// leaves the wider line narrowest ("Leakage current 1" → "Leakage\ncurrent 1"),
// so that an English heading does not widen the column much more than it must.
QString wrappedHeader(const QString& text, double room,
                      const std::function<double(const QString&)>& width);

enum class ListPurpose { Screen, Print }; // the print shows hours with "0.000"

// The text of grid column g for rec: empty when the column is absent from the
// current data set or switched off, or (columns 13..17) for a version-1 meter.
QString listCellText(const Context& ctx, const DataRecord& rec, int gridColumn,
                     ListPurpose purpose = ListPurpose::Screen);

// The scroll range of a list of rows rows: enabled only once the records do
// not fit (from 15 for 14 rows), maximum RecordCount − rows.
struct ListScroll {
    bool enabled;
    int maximum;
};
ListScroll listScroll(int recordCount, int rows = kListRows);

// How the user moves through the list: the wheel (a few rows a notch), the
// arrows (a row), PageUp/PageDown (a page less one row, so that the row at the
// edge stays in sight), Home and End.
enum class ListMove { RowUp, RowDown, PageUp, PageDown, First, Last, WheelUp, WheelDown };
constexpr int kWheelRows = 3;
// ListTop after the move from top, kept within 0..maximum.
int listTopAfter(ListMove move, int top, int maximum, int rows);

// The page's rows for a grid whose body is bodyHeight pixels tall with rows
// rowHeight pixels high, the grid's first row (never written) counted: at
// least kListRows, so that a small window scrolls its grid instead.
int listRowsForHeight(int bodyHeight, int rowHeight);

} // namespace quellin

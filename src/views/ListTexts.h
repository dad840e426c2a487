#pragma once
// The texts of the data list: which record column each grid column shows and
// how it is formatted. The list print uses the same texts.

#include "base/Context.h"
#include "store/DataViews.h" // kListRows, one page of records

#include <QString>
#include <QStringList>

namespace quellin {

// Record column shown in grid column g (1-based; 1..17). Frequency is not listed.
int recordColumnOfGridColumn(int gridColumn);

// Width of grid column g in characters of the grid's font ('0' wide): FarPoint's
// default of 8.5 for most, room for "2002/06/01 10:00:05" for the time, and the
// narrow leakage and temperature columns of the version-2 layout. The list and
// its print use the same widths.
double listColumnWidthChars(int gridColumn);

// Column headers of the grid (grid columns 1..ColumnLast).
QStringList listHeaders(const Context& ctx);

enum class ListPurpose { Screen, Print }; // the print shows hours with "0.000"

// The text of grid column g for rec: empty when the column is absent from the
// current data set or switched off, or (columns 13..17) for a version-1 meter.
QString listCellText(const Context& ctx, const DataRecord& rec, int gridColumn,
                     ListPurpose purpose = ListPurpose::Screen);

// The scroll range of the list: enabled only from 15 records, maximum RecordCount − 14.
struct ListScroll {
    bool enabled;
    int maximum;
};
ListScroll listScroll(int recordCount);

} // namespace quellin

#pragma once
// The table the list print puts on paper: every record of the data set in the
// data list's formats, with only the columns the data set has and the user
// switched on.

#include "base/Context.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace quellin {

struct PrintTable {
    QStringList headers;            // one per printed column
    std::vector<int> gridColumns;   // the list's grid column of each printed column
    std::vector<double> widthChars; // width of each printed column in '0' widths
    std::vector<QString> cells;     // row by row

    int columnCount() const { return static_cast<int>(headers.size()); }
    int rowCount() const
    {
        return headers.isEmpty() ? 0 : static_cast<int>(cells.size()) / columnCount();
    }
    const QString& cell(int row, int column) const
    {
        return cells[static_cast<size_t>(row) * static_cast<size_t>(columnCount()) +
                     static_cast<size_t>(column)];
    }
};

// The grid columns the print shows: those of the catalogue whose item the meter
// delivers and whose column is present and switched on.
std::vector<int> printedGridColumns(const Context& ctx);

// Reads records 1..RecordCount of TMP.DAT. A record numbered −1 gives no row.
// Cells are formatted as the data list formats them, the integration time with
// "0.000". Throws VbError when TMP.DAT cannot be read.
PrintTable buildPrintTable(const Context& ctx);

} // namespace quellin

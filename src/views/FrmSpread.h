#pragma once
// "データ一覧表示": one page of records of the data set (14 rows, more in a taller
// window), with a scroll bar that pages through the whole set; the wheel, the
// arrows, PageUp/PageDown, Home and End move through it too. The page is always
// re-read from TMP.DAT.

#include "base/Context.h"
#include "views/ChildWindowHost.h"
#include "views/ListTexts.h"

#include <QMdiSubWindow>

class QScrollBar;
class QTableWidget;

namespace quellin {

class FrmSpread : public QMdiSubWindow {
public:
    FrmSpread(Context& ctx, ChildWindowHost& host, QPoint firstRunPosition = {},
              QWidget* parent = nullptr);

    // Writes the rows from ListPage and sets VscSprd to the data set.
    void fillList();
    // The scroll bar is at its end (or off): the page shows the newest records.
    bool showsNewest() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void VscSprd_Change(int value);
    void setCellText(int row, int column, const QString& text);
    // The grid's rows for the page's row count (and the grid's first row).
    void sizeGrid();
    // As many rows as the window's height holds; the page is read again.
    void fitRows();
    void moveList(ListMove how);

    Context& ctx_;
    ChildWindowHost& host_;
    bool filling_ = false;
    int rowHeight_ = 0;
    QTableWidget* VSprd = nullptr;
    QScrollBar* VscSprd = nullptr;
};

} // namespace quellin

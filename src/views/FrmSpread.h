#pragma once
// "データ一覧表示": one page of 14 records of the data set, with a scroll bar that
// pages through the whole set. The page is always re-read from TMP.DAT.

#include "base/Context.h"
#include "views/ChildWindowHost.h"

#include <QMdiSubWindow>

class QScrollBar;
class QTableWidget;

namespace quellin {

class FrmSpread : public QMdiSubWindow {
public:
    FrmSpread(Context& ctx, ChildWindowHost& host, QPoint firstRunPosition = {},
              QWidget* parent = nullptr);

    // Writes the 14 rows from ListPage and sets VscSprd to the data set.
    void fillList();
    // The scroll bar is at its end (or off): the page shows the newest records.
    bool showsNewest() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void VscSprd_Change(int value);
    void setCellText(int row, int column, const QString& text);

    Context& ctx_;
    ChildWindowHost& host_;
    bool filling_ = false;
    QTableWidget* VSprd = nullptr;
    QScrollBar* VscSprd = nullptr;
};

} // namespace quellin

#pragma once
// "ウィンドウ(&W)": arranges the child windows of the window area (cascaded,
// tiled, or in the program's own layout) and lists them, the active one checked; choosing one brings it forward
// (restored if it was minimised).

#include "platform/Tx.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMdiArea;
class QMenu;
class QMenuBar;

namespace quellin {

inline QString windowMenuCaption() { return TX("ウィンドウ(&W)"); }
inline QString cascadeCaption() { return TX("重ねて表示(&C)"); }
inline QString tileCaption() { return TX("並べて表示(&T)"); }
inline QString arrangeCaption() { return TX("整列(&A)"); }

// The list entry of the n-th child window (1-based): "&1 グラフ表示"; from the
// tenth on without an access key.
QString windowListText(int n, const QString& title);

class WindowMenu : public QObject {
public:
    // Adds the menu to bar before `before` (at the end when null); arrange lays
    // the windows out as on the first run.
    WindowMenu(QMenuBar& bar, QAction* before, QMdiArea& area, std::function<void()> arrange);

    QMenu* menu() const { return menu_; }
    QAction* cascade() const { return cascade_; }
    QAction* tile() const { return tile_; }
    QAction* arrange() const { return arrange_; }
    // Rebuilds the list of windows (done each time the menu opens).
    void refreshList();

private:
    QMdiArea& area_;
    QMenu* menu_;
    QAction* cascade_;
    QAction* tile_;
    QAction* arrange_;
    QAction* listSeparator_;
};

} // namespace quellin

#include "main/WindowMenu.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace quellin {

namespace {
constexpr int kKeyedEntries = 9;
}

QString windowListText(int n, const QString& title)
{
    if (n >= 1 && n <= kKeyedEntries)
        return QStringLiteral("&%1 %2").arg(n).arg(title);
    return QStringLiteral("%1 %2").arg(n).arg(title);
}

WindowMenu::WindowMenu(QMenuBar& bar, QAction* before, QMdiArea& area,
                       std::function<void()> arrange)
    : QObject(&bar), area_(area)
{
    menu_ = new QMenu(windowMenuCaption(), &bar);
    menu_->setObjectName(QStringLiteral("MnuWindow"));
    bar.insertMenu(before, menu_);
    cascade_ = menu_->addAction(cascadeCaption());
    cascade_->setObjectName(QStringLiteral("MnuWindow_Cascade"));
    tile_ = menu_->addAction(tileCaption());
    tile_->setObjectName(QStringLiteral("MnuWindow_Tile"));
    arrange_ = menu_->addAction(arrangeCaption());
    arrange_->setObjectName(QStringLiteral("MnuWindow_Arrange"));
    connect(arrange_, &QAction::triggered, this, std::move(arrange));
    listSeparator_ = menu_->addSeparator();
    connect(cascade_, &QAction::triggered, &area_, &QMdiArea::cascadeSubWindows);
    connect(tile_, &QAction::triggered, &area_, &QMdiArea::tileSubWindows);
    connect(menu_, &QMenu::aboutToShow, this, &WindowMenu::refreshList);
    refreshList();
}

void WindowMenu::refreshList()
{
    const QList<QAction*> actions = menu_->actions();
    for (qsizetype i = actions.indexOf(listSeparator_) + 1; i < actions.size(); ++i) {
        menu_->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = area_.subWindowList(QMdiArea::CreationOrder);
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        if (!w->isVisible() && !w->isMinimized())
            continue;
        QAction* a = menu_->addAction(windowListText(++n, w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == area_.activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
            if (!w)
                return;
            if (w->isMinimized())
                w->showNormal();
            area_.setActiveSubWindow(w);
        });
    }
    const bool any = n > 0;
    listSeparator_->setVisible(any);
    cascade_->setEnabled(any);
    tile_->setEnabled(any);
    arrange_->setEnabled(any);
}

} // namespace quellin

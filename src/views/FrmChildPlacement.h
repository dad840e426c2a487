#pragma once
// Saving and restoring a child window's position (twips, as text) in the settings.

#include <QPoint>
#include <QString>

class QWidget;

namespace quellin {

class SettingsStore;

// Reads "<prefix>_Top" and "<prefix>_Left"; a value that is not a number reads as
// 0, so a hand-edited setting never throws the window away. Before the window was
// ever closed (no value stored) it goes to firstRun, so that the child windows do
// not all pile up in the corner on the first start.
void restoreChildPosition(QWidget& window, const SettingsStore& settings, const QString& prefix,
                          QPoint firstRun = {});
void saveChildPosition(const QWidget& window, SettingsStore& settings, const QString& prefix);

} // namespace quellin

#pragma once
// Saving and restoring a child window's position (twips, as text) in the settings.

#include <QString>

class QWidget;

namespace quellin {

class SettingsStore;

// Reads "<prefix>_Top" and "<prefix>_Left" (default "0"); a value that is not a
// number keeps the default, so a hand-edited setting never throws the window away.
void restoreChildPosition(QWidget& window, const SettingsStore& settings, const QString& prefix);
void saveChildPosition(const QWidget& window, SettingsStore& settings, const QString& prefix);

}  // namespace quellin

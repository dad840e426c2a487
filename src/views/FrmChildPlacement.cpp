#include "views/FrmChildPlacement.h"

#include "base/VersionLayout.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"

#include <QWidget>

namespace quellin {

namespace {
double twipsSetting(const SettingsStore& settings, const QString& name)
{
    const auto v = vbdate::parseNumber(settings.read(name, QStringLiteral("0")));
    // Keep the window on a sensible part of the parent even if the setting is wild.
    return v ? std::clamp(*v, -1.0e6, 1.0e6) : 0.0;
}
} // namespace

void restoreChildPosition(QWidget& window, const SettingsStore& settings, const QString& prefix,
                          QPoint firstRun)
{
    if (settings.read(prefix + QStringLiteral("_Top"), QString()).isEmpty() &&
        settings.read(prefix + QStringLiteral("_Left"), QString()).isEmpty()) {
        window.move(firstRun);
        return;
    }
    const int top = twipsToPixels(twipsSetting(settings, prefix + QStringLiteral("_Top")));
    const int left = twipsToPixels(twipsSetting(settings, prefix + QStringLiteral("_Left")));
    window.move(std::max(0, left), std::max(0, top));
}

void saveChildPosition(const QWidget& window, SettingsStore& settings, const QString& prefix)
{
    settings.write(prefix + QStringLiteral("_Top"),
                   QString::number(static_cast<float>(pixelsToTwips(window.y()))));
    settings.write(prefix + QStringLiteral("_Left"),
                   QString::number(static_cast<float>(pixelsToTwips(window.x()))));
}

} // namespace quellin

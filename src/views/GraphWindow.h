#pragma once
// The graph window's decisions without widgets: summary texts, how the axis
// dialogs are prepared on a double-click, and the window's saved placement.

#include "base/Context.h"
#include "store/DataSet.h"
#include "views/GraphScale.h"

#include <QString>
#include <QStringList>
#include <array>

namespace quellin {

class SettingsStore;

QString graphCaptionText();
// The captions of LblGraphInfo(0..2).
std::array<QString, 3> graphInfoCaptions();

// LblGraphInfo(0..2): the data set's period, energy and peak, or empty texts.
enum class GraphSummary { Filled, Empty };
std::array<QString, 3> graphSummaryTexts(const DataSet& data, GraphSummary summary);

// The time-axis dialog as a double-click on the time axis fills it.
struct ScaleXSetup {
    QStringList choices;
    int position = 0; // GraphXHani − 1
    QString startText;
    QString periodText;
};
ScaleXSetup scaleXSetup(const DataSet& data, const GraphWindowState& window, int graphXHani);

// The Y-axis dialog as a double-click on the Y bar of series s fills it, or the
// message that refuses it (power factor).
struct ScaleYSetup {
    QString refusal;
    SeriesKind kind = SeriesKind::Normal;
    QStringList choices;
    int scalePosition = 0;
    bool temperature = false; // lblC and CmbC shown
    int kindPosition = 0;
    QString minimumText;
    QString frameCaption;
};
ScaleYSetup scaleYSetup(const Context& ctx, int s);

// FrmGraph_Top/Left/Width/Height (twips) and FrmGraph_State (0 normal,
// 1 minimised, 2 maximised).
struct GraphPlacement {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    int state = 0;
    bool operator==(const GraphPlacement&) const = default;
};

// A value that is not a number keeps its default; sizes keep the window usable
// (at least 1500 × 1500 twips); a state other than 0, 1, 2 is normal.
GraphPlacement readGraphPlacement(const SettingsStore& settings, int hardVersion);
void writeGraphPlacement(SettingsStore& settings, const GraphPlacement& placement);

} // namespace quellin

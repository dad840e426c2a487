#pragma once
// The graph's axis scales without windows: the automatic scale of the graph
// window, and what the time-axis and Y-axis dialogs (FrmScaleX, FrmScaleY) decide
// from the user's entries: their list texts, range labels, checks and results.

#include "base/Context.h"
#include "base/MeasuredItems.h"
#include "views/GraphFit.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace quellin {

// Temperature range kinds, the positions of CmbC.
constexpr int kTempSymmetric = 0;
constexpr int kTempPositive = 1;
constexpr int kTempNegative = 2;

// The kind of range the values ask for: positive only, negative only, or
// symmetric (both signs, or only zeros). Zeros do not count.
int temperatureRangeKind(const std::vector<double>& values, int first, int last);

// Automatic scale of the graph window after a load or download: every series but
// power factor gets the smallest step that holds the window's values (the
// largest step when none does). Nothing happens without points.
void GraphAutoScale(Context& ctx);
// The same for the series s with only[s] true.
void GraphAutoScale(Context& ctx, const std::vector<bool>& only);

// Fits the Y range of every series s with only[s] true (never power factor) to
// the window's values (fitRange), and keeps in SeriesScale the listed step that
// holds it. A series without values in the window keeps its scale.
void fitSeriesScales(Context& ctx, const std::vector<bool>& only);
// The same, but a series fitted already only widens its range (grownRange).
void growFittedScales(Context& ctx, const std::vector<bool>& only);
// The fitted range series s would get from the window's values, for the Y-axis
// dialog's range label; nullopt without values.
std::optional<FittedRange> fittedRangeOf(const Context& ctx, int s);
// The first scale of a measurement, a load or a download: the series the user
// has not chosen a scale for are fitted (power factor keeps its fixed axis).
void fitUnchosenScales(Context& ctx);

// ---- time-axis dialog (FrmScaleX)

QStringList scaleXChoices(); // positions 0..2 for GraphXHani 1..3

QString enterDateText();
QString withinPeriodText();

// The start text checked against the data set: the message that refuses it, or
// the start date.
struct ScaleXEntry {
    std::optional<double> start;
    QString refusal;
};
ScaleXEntry checkScaleXStart(const Context& ctx, const QString& text);

// Takes the choice: GraphXHani = position + 1, GraphStart = start (FirstTime when
// no list entry is chosen), recomputes the window end and, when data is present,
// reloads the window's points. While measuring, the window follows the newest
// record as followsAfterScaleX says (startEdited: the start is not the one the
// dialog showed).
void applyScaleX(Context& ctx, int listPosition, double start, bool startEdited = true);

// ---- Y-axis dialog (FrmScaleY)

QStringList normalScaleChoices();                         // 13 decade steps, position = scale index
QStringList leakageScaleChoices();                        // 10 steps of 100 mA
QStringList temperatureScaleChoices(const QString& unit); // 10 steps of 10 degrees
QStringList temperatureKindChoices();                     // "＋－", "＋", "－"

QString enterNumberText();

// The choice after the listed steps that fits the range to the data.
QString fitChoiceText();
// Its position in the scale list of a series of that kind (after the steps).
int fitChoicePosition(SeriesKind kind);
// LblData for the fitted choice: the range with its unit, or the note that the
// window holds no values yet.
QString fittedRangeText(const Context& ctx, int s);

// LblData after a choice in CmbScale (listText: the chosen entry).
QString scaleYRangeText(SeriesKind kind, int k, int c, const QString& listText,
                        const QString& unit);
// The minimum a leakage or temperature choice gives (what bfKizami will set), so
// that the minimum box never shows the range of an earlier choice; nullopt for a
// normal series, whose minimum is the user's entry.
std::optional<double> scaleYImpliedMinimum(SeriesKind kind, int k, int c);
// LblData after the minimum box changed; nullopt while it holds no number.
std::optional<QString> scaleYMinimumText(SeriesKind kind, int k, int c, const QString& minimum);

// The automatic choice for series s from the window's points: the CmbC position
// (temperatures) and the CmbScale position. nullopt without points.
struct ScaleYPick {
    int kindPosition = 0;
    int scalePosition = 0;
};
std::optional<ScaleYPick> autoScaleYPick(const Context& ctx, int s);

// Stores the choice: scale index k, temperature kind c, minimum text (normal
// series). False, and nothing stored, when a normal series' minimum is not a
// number. The fitted choice (k = fitChoicePosition) fits the series to the
// window's values and hands it back to the automatic scales: the next
// measurement, load or download fits it again.
bool applyScaleY(Context& ctx, int s, int k, int c, const QString& minimum);

} // namespace quellin

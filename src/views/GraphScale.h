#pragma once
// The graph's axis scales without windows: the automatic scale of the graph
// window, and what the time-axis and Y-axis dialogs (FrmScaleX, FrmScaleY) decide
// from the user's entries: their list texts, range labels, checks and results.

#include "base/Context.h"
#include "base/MeasuredItems.h"

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

// ---- time-axis dialog (FrmScaleX)

QStringList scaleXChoices(); // positions 0..2 for GraphXHani 1..3

inline const QString kMsgEnterDate = QStringLiteral("日付を入力してください。");
inline const QString kMsgWithinPeriod = QStringLiteral("計測期間の範囲で設定してください。");

// The start text checked against the data set: the message that refuses it, or
// the start date.
struct ScaleXEntry {
    std::optional<double> start;
    QString refusal;
};
ScaleXEntry checkScaleXStart(const Context& ctx, const QString& text);

// Takes the choice: GraphXHani = position + 1, GraphStart = start (FirstTime when
// no list entry is chosen), recomputes the window end and, when data is present,
// reloads the window's points.
void applyScaleX(Context& ctx, int listPosition, double start);

// ---- Y-axis dialog (FrmScaleY)

QStringList normalScaleChoices();                         // 13 decade steps, position = scale index
QStringList leakageScaleChoices();                        // 10 steps of 100 mA
QStringList temperatureScaleChoices(const QString& unit); // 10 steps of 10 degrees
QStringList temperatureKindChoices();                     // "＋－", "＋", "－"

inline const QString kMsgEnterNumber = QStringLiteral("数値を入力してください。");

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
// number.
bool applyScaleY(Context& ctx, int s, int k, int c, const QString& minimum);

} // namespace quellin

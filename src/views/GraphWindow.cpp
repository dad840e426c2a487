#include "views/GraphWindow.h"

#include "base/VersionLayout.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"
#include "views/ModGraph.h"

#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

constexpr int kMinimumSizeTwips = 1500;
constexpr double kCoordinateLimit = 1.0e6;

const QString kStamp = QStringLiteral("YYYY/MM/DD HH:MM:SS");

int twipsSetting(const SettingsStore& settings, const QString& name, int def)
{
    const auto v = vbdate::parseNumber(settings.read(name, QString::number(def)));
    if (!v)
        return def;
    return static_cast<int>(std::nearbyint(std::clamp(*v, -kCoordinateLimit, kCoordinateLimit)));
}

} // namespace

QString graphCaptionText()
{
    return TX("グラフ表示");
}

std::array<QString, 3> graphInfoCaptions()
{
    return {TX("測定期間："), TX("積算電力量："), TX("最大電力（発生日時）：")};
}

std::array<QString, 3> graphSummaryTexts(const DataSet& data, GraphSummary summary)
{
    if (summary != GraphSummary::Filled)
        return {};
    return {Format(data.FirstTime(), kStamp) + TX(" ～ ") +
                Format(data.LastTime(), kStamp),
            Format(data.TotalEnergy(), QStringLiteral("0.0000")) + QStringLiteral(" kWh"),
            Format(data.PeakWatts() / 1000.0, QStringLiteral("0.0")) + QStringLiteral(" kW (") +
                Format(data.PeakTime(), kStamp) + QStringLiteral(")")};
}

ScaleXSetup scaleXSetup(const DataSet& data, const GraphWindowState& window, int graphXHani)
{
    const QString stamp = QStringLiteral("yyyy/mm/dd hh:mm:ss");
    ScaleXSetup x;
    x.choices = scaleXChoices();
    x.position = graphXHani - 1;
    x.startText = Format(window.GraphStart, stamp);
    x.periodText =
        Format(data.FirstTime(), stamp) + TX(" ～ ") + Format(data.LastTime(), stamp);
    return x;
}

ScaleYSetup scaleYSetup(const Context& ctx, int s)
{
    const Catalog& cat = ctx.cat;
    ScaleYSetup y;
    y.kind = seriesKind(s);
    const bool known = s >= 0 && s <= cat.SeriesLast &&
                       static_cast<size_t>(s) < cat.SeriesScale.size() &&
                       static_cast<size_t>(s) < cat.SeriesYMin.size();
    if (y.kind == SeriesKind::PowerFactor || !known) {
        y.refusal = TX("%1は変更できません。").arg(shownSeriesName(cat, s));
        return y;
    }
    const int k = cat.SeriesScale[static_cast<size_t>(s)];
    const bool fitted = flagAt(cat.SeriesFitted, s);
    // The box starts with the current minimum, so that confirming without an
    // edit keeps the range; a listed step chosen after a fitted range counts
    // from zero as it always did.
    y.minimumText =
        fitted ? QStringLiteral("0") : QString::number(cat.SeriesYMin[static_cast<size_t>(s)], 'g', 15);
    switch (y.kind) {
    case SeriesKind::Normal:
        y.choices = normalScaleChoices();
        y.scalePosition = std::clamp(k, 0, static_cast<int>(y.choices.size()) - 1);
        break;
    case SeriesKind::Leakage:
        y.choices = leakageScaleChoices();
        y.scalePosition = std::clamp(k, 0, static_cast<int>(y.choices.size()) - 1);
        break;
    default: {
        y.temperature = true;
        const QString unit = s < cat.SeriesUnits.size() ? cat.SeriesUnits[s] : QString();
        y.choices = temperatureScaleChoices(unit);
        y.kindPosition = std::clamp(k / 10, 0, 2);
        y.scalePosition = std::clamp(k % 10, 0, 9);
        break;
    }
    }
    y.choices << fitChoiceText();
    if (fitted)
        y.scalePosition = fitChoicePosition(y.kind);
    y.frameCaption = TX("Ｙ軸スケール［") + shownSeriesName(cat, s) + TX("］");
    return y;
}

GraphPlacement readGraphPlacement(const SettingsStore& settings, int hardVersion)
{
    GraphPlacement p;
    p.top = twipsSetting(settings, QStringLiteral("FrmGraph_Top"), 0);
    p.left = twipsSetting(settings, QStringLiteral("FrmGraph_Left"), 0);
    const int defWidth = defaultGraphWidth(hardVersion);
    p.width = twipsSetting(settings, QStringLiteral("FrmGraph_Width"), defWidth);
    p.height = twipsSetting(settings, QStringLiteral("FrmGraph_Height"), 7425);
    p.width = std::max(p.width, kMinimumSizeTwips);
    p.height = std::max(p.height, kMinimumSizeTwips);
    const auto state =
        vbdate::parseNumber(settings.read(QStringLiteral("FrmGraph_State"), QStringLiteral("0")));
    const int st = state ? static_cast<int>(std::nearbyint(std::clamp(*state, -9.0, 9.0))) : 0;
    p.state = (st >= 0 && st <= 2) ? st : 0;
    return p;
}

void writeGraphPlacement(SettingsStore& settings, const GraphPlacement& p)
{
    settings.write(QStringLiteral("FrmGraph_Top"), QString::number(p.top));
    settings.write(QStringLiteral("FrmGraph_Left"), QString::number(p.left));
    settings.write(QStringLiteral("FrmGraph_Width"), QString::number(p.width));
    settings.write(QStringLiteral("FrmGraph_Height"), QString::number(p.height));
    settings.write(QStringLiteral("FrmGraph_State"), QString::number(p.state));
}

} // namespace quellin

#include "catalog/ModVer.h"

#include "base/Context.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "base/TextFields.h"
#include "platform/Tx.h"
#include "settings/ModRegistry.h"
#include "settings/SettingsValues.h"
#include "store/ModFile.h"

#include <array>
#include <cmath>

namespace quellin {

namespace {

// Two decimal digits, or 0 for anything else in the pair.
int scaleIndexAt(const QString& text, int s)
{
    const QStringView pair = QStringView(text).mid(2 * s, 2);
    if (pair.size() != 2 || !pair[0].isDigit() || !pair[1].isDigit() || pair[0].unicode() > u'9' ||
        pair[1].unicode() > u'9')
        return 0;
    return (pair[0].unicode() - u'0') * 10 + (pair[1].unicode() - u'0');
}

// Sizes every array of the catalogue and the store for the version, discarding
// what they held.
void dimensionFor(Context& ctx, int hardVersion)
{
    dimensionCatalog(ctx.cat, hardVersion);
    ctx.dataSet().fitColumns(ctx.cat.ColumnLast);
    GraphWindowState& window = ctx.graphWindow();
    window.GraphTimes.clear();
    window.GraphValues.assign(static_cast<std::size_t>(ctx.cat.SeriesLast) + 1, {});
}

void setYRanges(Context& ctx)
{
    Catalog& cat = ctx.cat;
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        const int k = cat.SeriesScale[static_cast<std::size_t>(s)];
        const SeriesKind kind = seriesKind(s);
        if (kind == SeriesKind::Leakage) {
            bfKizami(ctx, s, -1);
        } else if (kind == SeriesKind::Temperature) {
            // The tens digit picks symmetric, positive or negative.
            const double t = k / 10.0;
            const int mode = (t > -1 && t < 3)
                                 ? static_cast<int>(FixSS(ctx, QString::number(t, 'g', 15), 0))
                                 : 0;
            bfKizami(ctx, s, mode);
        } else {
            cat.SeriesYMin[static_cast<std::size_t>(s)] = 0;
            cat.SeriesYMax[static_cast<std::size_t>(s)] = std::pow(10.0, k + 1);
        }
    }
}

} // namespace

void dimensionCatalog(Catalog& cat, int hardVersion)
{
    cat.ColumnLast = columnLastFor(hardVersion);
    cat.SeriesLast = seriesLastFor(hardVersion);
    const auto columns = static_cast<std::size_t>(cat.ColumnLast) + 1;
    const auto series = static_cast<std::size_t>(cat.SeriesLast) + 1;
    cat.ColumnTitles.clear();
    for (int c = 0; c <= cat.ColumnLast; ++c)
        cat.ColumnTitles << columnTitle(c);
    cat.SeriesNames.clear();
    cat.SeriesUnits.clear();
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        cat.SeriesNames << toQString(seriesItem(s).seriesName);
        cat.SeriesUnits << toQString(seriesItem(s).seriesUnit);
    }
    cat.UnitPrefixes.clear();
    for (int k = 0; k <= kLastScaleIndex; ++k)
        cat.UnitPrefixes << unitPrefix(k);
    cat.AbsSeries = {measuredItem(column::kActivePower).series,
                     measuredItem(column::kEnergy).series};
    cat.LogColumns.assign(columns, false);
    cat.ColumnOn.assign(columns, true);
    cat.SeriesShown.assign(series, false);
    cat.SeriesScale.assign(series, 0);
    cat.SeriesYMin.assign(series, 0.0);
    cat.SeriesYMax.assign(series, 0.0);
    cat.SeriesScaleChosen.assign(series, false);
    cat.SeriesFitted.assign(series, false);
}

QString defaultLogingData(int columnLast)
{
    return QString(columnLast + 1, QLatin1Char('1'));
}

QString defaultGraphYFlg(int seriesLast)
{
    // Active power and integrated energy only.
    QString flags(seriesLast + 1, QLatin1Char('0'));
    for (int s : {measuredItem(column::kActivePower).series, measuredItem(column::kEnergy).series})
        if (s <= seriesLast)
            flags[s] = QLatin1Char('1');
    return flags;
}

QString defaultGraphYKizami(int seriesLast)
{
    return QString(2 * (seriesLast + 1), QLatin1Char('0'));
}

bool askAssumeVersion1(Context& ctx)
{
    const QString text =
        TX("現在のハードバージョンが取得できないので、起動後 ハード本体と通信を確認"
                       "して再起動して下さい。\r\nハードバージョン １ で起動しますか？\r\n\r\n"
                       "はい：Ver.１\u3000いいえ：Ver.２");
    return ctx.svc.msg.show({text, TX("ハードバージョン確認"), MsgButtons::YesNo,
                             MsgIcon::Exclamation, true}) == MsgAnswer::Yes;
}

bool bfVer_Open(Context& ctx, VersionExchangeStarter& starter)
{
    return trapped(ctx, "bfVer_Open", false, [&] {
        if (starter.portIsOpen()) {
            starter.startVersionExchange();
            return true;
        }
        if (ctx.app.HardVersion == 0)
            ctx.app.HardVersion = askAssumeVersion1(ctx) ? 1 : 2;
        // Known without the meter: the link has nothing to wait for.
        if (bfVer_NoCheck(ctx))
            starter.endExchange();
        return true;
    });
}

bool bfVer_NoCheck(Context& ctx)
{
    return trapped(ctx, "bfVer_NoCheck", false, [&] {
        ctx.svc.pointer.setPointer(MousePointer::Hourglass);
        const int version = ctx.app.HardVersion;
        // A version below 1 is no version the meter can have: not known yet.
        if (version <= 0)
            return false;
        dimensionFor(ctx, version);
        Catalog& cat = ctx.cat;
        const int columns = cat.ColumnLast + 1;
        const int series = cat.SeriesLast + 1;

        const QString logingData = readPerItemSetting(ctx, QStringLiteral("LogingData"), columns,
                                                      defaultLogingData(cat.ColumnLast));
        for (int c = 0; c < columns; ++c)
            cat.LogColumns[static_cast<std::size_t>(c)] = logingData[c] != QLatin1Char('0');

        const QString flags = readPerItemSetting(ctx, QStringLiteral("GraphYFlg"), series,
                                                 defaultGraphYFlg(cat.SeriesLast));
        for (int s = 0; s < series; ++s)
            cat.SeriesShown[static_cast<std::size_t>(s)] = flags[s] != QLatin1Char('0');

        const QString scales = readPerItemSetting(ctx, QStringLiteral("GraphYKizami"), 2 * series,
                                                  defaultGraphYKizami(cat.SeriesLast));
        for (int s = 0; s < series; ++s)
            cat.SeriesScale[static_cast<std::size_t>(s)] = scaleIndexAt(scales, s);
        cat.SeriesScaleChosen =
            scalesChosenFrom(ctx.settings.read(QStringLiteral("GraphYUser"), QString()),
                             ctx.settings.read(QStringLiteral("GraphYKizami"), QString()), series);

        // The ranges follow the repaired indexes, so that an index the check
        // replaces never leaves a range behind that no index describes.
        validateSettings(ctx);
        setYRanges(ctx);
        ResetStore(ctx);
        return true;
    });
}

bool bfKizami(Context& ctx, int s, int mode)
{
    return trapped(ctx, "bfKizami", false, [&] {
        Catalog& cat = ctx.cat;
        if (s < 0 || s >= static_cast<int>(cat.SeriesScale.size()) ||
            s >= static_cast<int>(cat.SeriesYMin.size()) ||
            s >= static_cast<int>(cat.SeriesYMax.size()))
            throw VbError(ErrorNumber::Subscript,
                          TX("インデックスが有効範囲にありません。"));
        const auto i = static_cast<std::size_t>(s);
        const double k = cat.SeriesScale[i];
        switch (mode) {
        case -1:
            cat.SeriesYMin[i] = 0;
            cat.SeriesYMax[i] = (k + 1) * 100;
            break;
        case 0:
            cat.SeriesYMin[i] = -(k + 1) * 10;
            cat.SeriesYMax[i] = (k + 1) * 10;
            break;
        case 1:
            cat.SeriesYMin[i] = 0;
            cat.SeriesYMax[i] = (k - 9) * 10;
            break;
        case 2:
            cat.SeriesYMin[i] = (19 - k) * 10;
            cat.SeriesYMax[i] = 0;
            break;
        default:
            break;
        }
        return true;
    });
}

bool ModVerClient::bfVer_NoCheck()
{
    return quellin::bfVer_NoCheck(ctx_);
}

bool ModVerClient::askAssumeVersion1()
{
    return quellin::askAssumeVersion1(ctx_);
}

} // namespace quellin

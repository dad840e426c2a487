#include "catalog/ModVer.h"

#include "base/Context.h"
#include "base/ErrorReport.h"
#include "base/TextFields.h"
#include "settings/SettingsValues.h"
#include "store/ModFile.h"

#include <array>
#include <cmath>

namespace quellin {

namespace {

constexpr int kV1ColumnLast = 12;
constexpr int kV1SeriesLast = 8;
constexpr int kV2ColumnLast = 17;
constexpr int kV2SeriesLast = 13;
constexpr int kLinkIdle = 99;
constexpr int kHourglass = 11;

constexpr std::array<const char16_t*, kV2ColumnLast + 1> kColumnTitles = {
    u"番号",          u"時刻",          u"電圧Ｒ(V)",      u"電圧Ｔ(V)",     u"電流Ｒ(A)",
    u"電流Ｔ(A)",     u"有効電力(W)",   u"無効電力(Var)",  u"皮相電力(VA)",  u"力率(%)",
    u"周波数(Hz)",    u"積算電力(kWh)", u"積算時間(時間)", u"漏電電流1(mA)", u"漏電電流2(mA)",
    u"漏電電流3(mA)", u"温度1(℃)",      u"温度2(℃)"};

constexpr std::array<const char16_t*, kV2SeriesLast + 1> kSeriesNames = {
    u"電圧Ｒ", u"電圧Ｔ",     u"電流Ｒ",    u"電流Ｔ",    u"有効電力",  u"無効電力", u"皮相電力",
    u"力率",   u"積算電力量", u"漏電電流1", u"漏電電流2", u"漏電電流3", u"温度1",    u"温度2"};

constexpr std::array<const char16_t*, kV2SeriesLast + 1> kSeriesUnits = {
    u"V", u"V", u"A", u"A", u"W", u"Var", u"VA", u"%", u"Wh", u"mA", u"mA", u"mA", u"℃", u"℃"};

// Unit prefix for a decimal exponent 0..12 of the graph's axis labels.
constexpr std::array<const char16_t*, 13> kUnitPrefixes = {u"",  u"",  u"",  u"K", u"K", u"K", u"M",
                                                           u"M", u"M", u"G", u"G", u"G", u"G"};

bool isLeakageSeries(int s)
{
    return s >= 9 && s <= 11;
}

bool isTemperatureSeries(int s)
{
    return s == 12 || s == 13;
}

template <std::size_t N> QStringList firstOf(const std::array<const char16_t*, N>& table, int last)
{
    QStringList out;
    for (int i = 0; i <= last; ++i)
        out << QString::fromUtf16(table[static_cast<std::size_t>(i)]);
    return out;
}

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
void dimensionFor(Context& ctx, int columnLast, int seriesLast)
{
    Catalog& cat = ctx.cat;
    const auto columns = static_cast<std::size_t>(columnLast) + 1;
    const auto series = static_cast<std::size_t>(seriesLast) + 1;
    cat.ColumnLast = columnLast;
    cat.SeriesLast = seriesLast;
    cat.ColumnTitles = firstOf(kColumnTitles, columnLast);
    cat.SeriesNames = firstOf(kSeriesNames, seriesLast);
    cat.SeriesUnits = firstOf(kSeriesUnits, seriesLast);
    cat.UnitPrefixes = firstOf(kUnitPrefixes, static_cast<int>(kUnitPrefixes.size()) - 1);
    cat.AbsSeries = {4, 8};
    cat.LogColumns.assign(columns, false);
    cat.ColumnOn.assign(columns, true);
    cat.SeriesShown.assign(series, false);
    cat.SeriesScale.assign(series, 0);
    cat.SeriesYMin.assign(series, 0.0);
    cat.SeriesYMax.assign(series, 0.0);
    StoreGlobals& st = ctx.store;
    st.ColumnPresent.assign(columns, false);
    st.GraphTimes.clear();
    st.GraphValues.assign(series, {});
}

void setYRanges(Context& ctx)
{
    Catalog& cat = ctx.cat;
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        const int k = cat.SeriesScale[static_cast<std::size_t>(s)];
        if (isLeakageSeries(s)) {
            bfKizami(ctx, s, -1);
        } else if (isTemperatureSeries(s)) {
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

QString defaultLogingData(int columnLast)
{
    return QString(columnLast + 1, QLatin1Char('1'));
}

QString defaultGraphYFlg(int seriesLast)
{
    // Active power and integrated energy only.
    QString flags(seriesLast + 1, QLatin1Char('0'));
    for (int s : {4, 8})
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
        QStringLiteral("現在のハードバージョンが取得できないので、起動後 ハード本体と通信を確認"
                       "して再起動して下さい。\r\nハードバージョン １ で起動しますか？\r\n\r\n"
                       "はい：Ver.１\u3000いいえ：Ver.２");
    return ctx.svc.msg.show({text, QStringLiteral("ハードバージョン確認"), MsgButtons::YesNo,
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
        bfVer_NoCheck(ctx);
        return true;
    });
}

bool bfVer_NoCheck(Context& ctx)
{
    return trapped(ctx, "bfVer_NoCheck", false, [&] {
        ctx.svc.pointer.setPointer(kHourglass);
        const int version = ctx.app.HardVersion;
        // A version below 1 is no version the meter can have: not known yet.
        if (version <= 0)
            return false;
        if (version == 1)
            dimensionFor(ctx, kV1ColumnLast, kV1SeriesLast);
        else
            dimensionFor(ctx, kV2ColumnLast, kV2SeriesLast);
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

        // The ranges follow the repaired indexes, so that an index the check
        // replaces never leaves a range behind that no index describes.
        validateSettings(ctx);
        setYRanges(ctx);
        ResetStore(ctx);
        ctx.link.LinkState = kLinkIdle;
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
            throw VbError(err::kSubscript, QStringLiteral("インデックスが有効範囲にありません。"));
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

#include "settings/SettingsValues.h"

#include "base/Context.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

const QString kDefaultCommPort = QStringLiteral("1");
const QString kDefaultCommParam = QStringLiteral("9600,N,8,1");
constexpr int kLongestLogingTime = 86400;
constexpr int kLastGraphXHani = 4;

bool isDigitChar(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), isDigitChar);
}

} // namespace

int settingToInt(const QString& text)
{
    const auto v = vbdate::parseNumber(text);
    if (!v)
        return kNonNumericSetting;
    // The default rounding mode rounds half to even, as the platform's conversion did.
    const double r = std::nearbyint(*v);
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN + 1))
        return INT_MIN + 1;
    return static_cast<int>(r);
}

QString defaultDataFolder(const Context& ctx)
{
    return ctx.app.AppFolder + QStringLiteral("Data") + QDir::separator();
}

bool makeDefaultDataFolder(const Context& ctx)
{
    const QString folder = defaultDataFolder(ctx);
    // A blank setting becomes the default when the settings are checked.
    const auto same = [&](const QString& path) {
        return path.trimmed().isEmpty() || QDir::cleanPath(path) == QDir::cleanPath(folder);
    };
    if (!same(ctx.app.FilePath) && !same(ctx.app.LogingPath))
        return true;
    return QDir().mkpath(folder);
}

void readStartupSettings(Context& ctx)
{
    AppGlobals& app = ctx.app;
    const SettingsStore& s = ctx.settings;
    app.FilePath = s.read(QStringLiteral("FilePath"), defaultDataFolder(ctx));
    app.CommPort = s.read(QStringLiteral("CommPort"), kDefaultCommPort);
    app.CommParam = s.read(QStringLiteral("CommParam"), kDefaultCommParam);
    app.LogingTime = settingToInt(s.read(QStringLiteral("LogingTime"), QStringLiteral("1")));
    app.LogingPath = s.read(QStringLiteral("LogingPath"), defaultDataFolder(ctx));
    app.GraphXHani = settingToInt(s.read(QStringLiteral("GraphXHani"), QStringLiteral("1")));
}

QString readPerItemSetting(Context& ctx, const QString& name, int expectedLength,
                           const QString& def)
{
    const QString stored = ctx.settings.read(name, def);
    return stored.size() == expectedLength ? stored : def;
}

std::optional<int> commPortNumber(const QString& port)
{
    QStringView t = QStringView(port).trimmed();
    if (t.startsWith(QLatin1Char('+')))
        t = t.mid(1);
    // A decimal point is allowed when only zeros follow it.
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        const QStringView fraction = t.mid(point + 1);
        if (!std::all_of(fraction.begin(), fraction.end(),
                         [](QChar c) { return c == QLatin1Char('0'); }))
            return std::nullopt;
        t = t.left(point);
    }
    if (!allDigits(t) || t.size() > 3)
        return std::nullopt;
    const int n = t.toInt();
    if (n < 1 || n > 8)
        return std::nullopt;
    return n;
}

bool isValidCommPort(const QString& port)
{
    return commPortNumber(port).has_value();
}

bool isValidCommParam(const QString& param)
{
    // A four-digit speed is examined with a "0" in front, so that every field
    // stands at a fixed place: SSSSS,P,D,B.
    QString p = param;
    if (p.size() >= 5 && p[4] == QLatin1Char(','))
        p.prepend(QLatin1Char('0'));
    // Exactly the four fields: a longer text or other separators would reach the
    // port as a settings string it cannot read.
    if (p.size() != 11 || p[5] != QLatin1Char(',') || p[7] != QLatin1Char(',') ||
        p[9] != QLatin1Char(','))
        return false;
    const QStringView speed = QStringView(p).left(5);
    if (!allDigits(speed))
        return false;
    const int baud = speed.toInt();
    if (baud != 4800 && baud != 9600 && baud != 19200 && baud != 38400)
        return false;
    const QChar dataBits = p[8];
    if (dataBits != QLatin1Char('7') && dataBits != QLatin1Char('8'))
        return false;
    const QChar parity = p[6];
    if (parity != QLatin1Char('N') && parity != QLatin1Char('O') && parity != QLatin1Char('E'))
        return false;
    const QChar stopBits = p[10];
    return stopBits == QLatin1Char('1') || stopBits == QLatin1Char('2');
}

void validateSettings(Context& ctx)
{
    AppGlobals& app = ctx.app;
    if (app.FilePath.trimmed().isEmpty())
        app.FilePath = defaultDataFolder(ctx);
    if (!isValidCommPort(app.CommPort))
        app.CommPort = kDefaultCommPort;
    if (!isValidCommParam(app.CommParam))
        app.CommParam = kDefaultCommParam;
    if (app.LogingTime == kNonNumericSetting || app.LogingTime > kLongestLogingTime ||
        app.LogingTime <= 0)
        app.LogingTime = 1;
    if (app.LogingPath.trimmed().isEmpty())
        app.LogingPath = defaultDataFolder(ctx);
    Catalog& cat = ctx.cat;
    const int series = std::min<int>(cat.SeriesLast + 1, static_cast<int>(cat.SeriesScale.size()));
    for (int s = 0; s < series; ++s) {
        int& k = cat.SeriesScale[static_cast<size_t>(s)];
        const SeriesKind kind = seriesKind(s);
        if (kind == SeriesKind::Leakage) {
            if (k < 0 || k > 9)
                k = 9;
        } else if (kind == SeriesKind::Temperature) {
            if (k < 0 || k > 29)
                k = 9;
        } else if (k < 0 || k > 12) {
            k = 0;
        }
    }
    if (app.GraphXHani == kNonNumericSetting || app.GraphXHani > kLastGraphXHani ||
        app.GraphXHani < 0)
        app.GraphXHani = 0;
}

QString graphYFlgText(const Catalog& cat)
{
    QString out;
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        const bool shown =
            s < static_cast<int>(cat.SeriesShown.size()) && cat.SeriesShown[static_cast<size_t>(s)];
        out += shown ? QLatin1Char('1') : QLatin1Char('0');
    }
    return out;
}

QString graphYKizamiText(const Catalog& cat)
{
    QString out;
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        const int k = s < static_cast<int>(cat.SeriesScale.size())
                          ? cat.SeriesScale[static_cast<size_t>(s)]
                          : 0;
        // Two digits per series whatever the index, so that the stored text keeps
        // the length that reading it back requires.
        out += Format(static_cast<double>(std::clamp(k, 0, 99)), QStringLiteral("00"));
    }
    return out;
}

QString logingDataText(const Catalog& cat)
{
    QString out;
    for (int c = 0; c <= cat.ColumnLast; ++c) {
        const bool logged =
            c < static_cast<int>(cat.LogColumns.size()) && cat.LogColumns[static_cast<size_t>(c)];
        out += logged ? QLatin1Char('1') : QLatin1Char('0');
    }
    return out;
}

QString graphYUserText(const Catalog& cat)
{
    QString out;
    for (int s = 0; s <= cat.SeriesLast; ++s)
        out += flagAt(cat.SeriesScaleChosen, s) ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

std::vector<bool> scalesChosenFrom(const QString& graphYUser, const QString& graphYKizami,
                                   int series)
{
    std::vector<bool> chosen(static_cast<size_t>(std::max(series, 0)), false);
    if (graphYUser.size() == series) {
        for (int s = 0; s < series; ++s)
            chosen[static_cast<size_t>(s)] = graphYUser[s] == QLatin1Char('1');
        return chosen;
    }
    if (graphYKizami.size() == 2 * series)
        for (int s = 0; s < series; ++s)
            chosen[static_cast<size_t>(s)] = graphYKizami.mid(2 * s, 2) != QStringLiteral("00");
    return chosen;
}

void storeGraphSettings(Context& ctx)
{
    ctx.settings.write(QStringLiteral("GraphYFlg"), graphYFlgText(ctx.cat));
    ctx.settings.write(QStringLiteral("GraphYKizami"), graphYKizamiText(ctx.cat));
    ctx.settings.write(QStringLiteral("GraphYUser"), graphYUserText(ctx.cat));
    ctx.settings.write(QStringLiteral("GraphXHani"), QString::number(ctx.app.GraphXHani));
}

} // namespace quellin

#include "measure/AlarmRules.h"

#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "settings/ModRegistry.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

constexpr int kFirstAlarmColumn = column::kVoltR;

int columnOfKey(QStringView key)
{
    for (int c = kFirstAlarmColumn; c < kMaxColumns; ++c) {
        const std::string_view k = measuredItem(c).key;
        if (key == QLatin1String(k.data(), static_cast<qsizetype>(k.size())))
            return c;
    }
    return -1;
}

QString keyOf(int column)
{
    const std::string_view k = measuredItem(column).key;
    return QString::fromLatin1(k.data(), static_cast<qsizetype>(k.size()));
}

bool before(const AlarmRule& a, const AlarmRule& b)
{
    return a.column != b.column ? a.column < b.column : a.direction < b.direction;
}

} // namespace

void putAlarmRule(std::vector<AlarmRule>& rules, const AlarmRule& rule)
{
    const auto same = std::find_if(rules.begin(), rules.end(), [&](const AlarmRule& r) {
        return r.column == rule.column && r.direction == rule.direction;
    });
    if (same != rules.end()) {
        *same = rule;
        return;
    }
    rules.insert(std::upper_bound(rules.begin(), rules.end(), rule, before), rule);
}

AlarmRulesParse parseAlarmRules(const QString& text)
{
    static const QRegularExpression rulePattern(
        QStringLiteral("^([A-Za-z0-9]+)\\s*([<>])\\s*([-+]?[0-9]*\\.?[0-9]+(?:[eE][-+]?[0-9]+)?)"
                       "\\s*(?::\\s*([0-9]+))?$"));
    AlarmRulesParse result;
    for (const QString& raw : text.split(QRegularExpression(QStringLiteral("[;,]")))) {
        const QString part = raw.trimmed();
        if (part.isEmpty())
            continue;
        const QRegularExpressionMatch m = rulePattern.match(part);
        AlarmRule rule;
        bool ok = m.hasMatch();
        if (ok) {
            rule.column = columnOfKey(m.capturedView(1));
            rule.direction = m.capturedView(2) == u">" ? AlarmDirection::Above : AlarmDirection::Below;
            rule.limit = m.captured(3).toDouble(&ok);
            ok = ok && rule.column >= 0 && std::isfinite(rule.limit);
        }
        if (ok && m.hasCaptured(4)) {
            const qlonglong hold = m.captured(4).toLongLong(&ok);
            ok = ok && hold <= kMaxAlarmHoldSeconds;
            rule.holdSeconds = static_cast<int>(ok ? hold : 0);
        }
        if (ok)
            putAlarmRule(result.rules, rule);
        else
            result.rejected << part;
    }
    return result;
}

QString listText(const QStringList& parts)
{
    if (parts.isEmpty())
        return {};
    QString text = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i)
        text = TX("%1、%2").arg(text, parts[i]);
    return text;
}

QString alarmRuleText(const AlarmRule& rule)
{
    QString text = keyOf(rule.column) +
                   (rule.direction == AlarmDirection::Above ? QLatin1Char('>') : QLatin1Char('<')) +
                   QString::number(rule.limit, 'g', 15);
    if (rule.holdSeconds > 0)
        text += QLatin1Char(':') + QString::number(rule.holdSeconds);
    return text;
}

QString alarmRulesText(const std::vector<AlarmRule>& rules)
{
    QStringList parts;
    for (const AlarmRule& r : rules)
        parts << alarmRuleText(r);
    return parts.join(QLatin1Char(';'));
}

QString rejectedAlarmRulesText(const QString& source, const QStringList& rejected)
{
    if (rejected.isEmpty())
        return {};
    return TX("%1: 読めない警報設定を無視しました：%2").arg(source, listText(rejected));
}

AlarmRulesParse readAlarmRules(const SettingsStore& settings)
{
    return parseAlarmRules(settings.read(kAlarmsSetting, QString()));
}

bool storeAlarmRules(SettingsStore& settings, const std::vector<AlarmRule>& rules)
{
    return settings.write(kAlarmsSetting, alarmRulesText(rules));
}

QString alarmRuleCaption(const AlarmRule& rule)
{
    const MeasuredItem& item = measuredItem(rule.column);
    QString text = txText(toQString(item.name)) +
                   (rule.direction == AlarmDirection::Above ? QStringLiteral(" > ") : QStringLiteral(" < ")) +
                   QString::number(rule.limit, 'g', 15);
    if (!item.unit.empty())
        text += QLatin1Char(' ') + toQString(item.unit);
    return text;
}

QString alarmRuleId(const AlarmRule& rule)
{
    return keyOf(rule.column) +
           (rule.direction == AlarmDirection::Above ? QStringLiteral("_above") : QStringLiteral("_below"));
}

} // namespace quellin

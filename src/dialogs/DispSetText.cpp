#include "dialogs/DispSetText.h"

#include "dialogs/DispSetCheck.h"
#include "platform/Tx.h"

#include <functional>
#include <vector>

namespace quellin {

namespace {

// One field of the text: how it is written and how a value is taken back (false
// for a value the field cannot hold).
struct TextField {
    QString name;
    std::function<QString(const DispSetFields&)> get;
    std::function<bool(DispSetFields&, const QString&)> set;
};

// A list written as its code: code = index + offset; empty for no selection
// when the list may have none.
TextField listField(const QString& name, int DispSetFields::*member, int count, bool mayBeEmpty,
                    int offset = 0)
{
    return {name,
            [=](const DispSetFields& f) {
                const int v = f.*member;
                return v < 0 ? QString() : QString::number(v + offset);
            },
            [=](DispSetFields& f, const QString& value) {
                if (value.isEmpty()) {
                    if (!mayBeEmpty)
                        return false;
                    f.*member = -1;
                    return true;
                }
                bool ok = false;
                const int index = value.toInt(&ok) - offset;
                if (!ok || index < 0 || index >= count)
                    return false;
                f.*member = index;
                return true;
            }};
}

TextField dataField(const QString& name, int index)
{
    const size_t i = static_cast<size_t>(index);
    return {name, [=](const DispSetFields& f) { return f.data[i]; },
            [=](DispSetFields& f, const QString& value) {
                // The meter's dates come with a blank between day and time; the
                // field keeps it although no key types one.
                const KeyFilter filter = txtDataFilter(index);
                QString typed = value;
                if (filter == KeyFilter::DateTime)
                    typed.remove(QLatin1Char(' '));
                if (!textPasses(filter, typed))
                    return false;
                f.data[i] = value;
                return true;
            }};
}

QString outputGroupName(int number)
{
    static const char* const kGroups[] = {"Power1",   "Power2",       "Leakage1",
                                          "Leakage2", "Temperature1", "Temperature2"};
    return QString::fromLatin1(kGroups[(number - 10) / 5]);
}

QString outputKindName(OutputKind kind)
{
    switch (kind) {
    case OutputKind::PowerLevel:
    case OutputKind::LeakageLevel:
    case OutputKind::TemperatureLevel:
        return QStringLiteral("Level");
    case OutputKind::PowerUnit:
        return QStringLiteral("Unit");
    case OutputKind::LeakageChannel:
    case OutputKind::TemperatureChannel:
        return QStringLiteral("Channel");
    case OutputKind::OnTime:
        return QStringLiteral("OnTime");
    case OutputKind::OffLevel:
        return QStringLiteral("OffLevel");
    case OutputKind::OffTime:
        return QStringLiteral("OffTime");
    }
    return {};
}

TextField outputField(const OutputParam& p)
{
    const QString name = outputGroupName(p.number) + outputKindName(p.kind);
    const size_t c = static_cast<size_t>(p.control);
    if (p.isList) {
        // A channel is written as its number, a unit as its code.
        const int offset = p.kind == OutputKind::PowerUnit ? 0 : 1;
        const int count = static_cast<int>(outputListEntries(p.control).size());
        return {name,
                [=](const DispSetFields& f) {
                    return f.sb[c] < 0 ? QString() : QString::number(f.sb[c] + offset);
                },
                [=](DispSetFields& f, const QString& value) {
                    bool ok = false;
                    const int index = value.toInt(&ok) - offset;
                    if (!ok || index < 0 || index >= count)
                        return false;
                    f.sb[c] = index;
                    return true;
                }};
    }
    return {name, [=](const DispSetFields& f) { return f.sbText[c]; },
            [=](DispSetFields& f, const QString& value) {
                if (!textPasses(txtDataSbFilter(p.control), value))
                    return false;
                f.sbText[c] = value;
                return true;
            }};
}

std::vector<TextField> textFields(int hardVersion)
{
    std::vector<TextField> fields = {
        listField(QStringLiteral("VoltageInput"), &DispSetFields::denatu, 2, false),
        dataField(QStringLiteral("Voltage"), 0),
        dataField(QStringLiteral("PtRatio"), 1),
        dataField(QStringLiteral("CtRatio"), 2),
        listField(QStringLiteral("LoggingInterval"), &DispSetFields::jikan, 6, true),
        dataField(QStringLiteral("LoggingStart"), 3),
        dataField(QStringLiteral("LoggingEnd"), 4),
        listField(QStringLiteral("CurrentRange"), &DispSetFields::renge, 5, true),
        listField(QStringLiteral("LoggingTimer"), &DispSetFields::timer, 2, true),
        {QStringLiteral("MeterComm"),
         [](const DispSetFields& f) {
             return QStringList(f.comm.begin(), f.comm.end()).join(QLatin1Char(','));
         },
         [](DispSetFields&, const QString&) { return true; }},
    };
    if (hardVersion >= 2)
        for (const OutputParam& p : outputParams())
            fields.push_back(outputField(p));
    return fields;
}

QString lineError(int lineNumber, const QString& text)
{
    return TX("設定の %1 行目：%2").arg(QString::number(lineNumber), text);
}

} // namespace

QStringList dispSetLines(const DispSetFields& fields, int hardVersion)
{
    QStringList lines;
    for (const TextField& field : textFields(hardVersion))
        lines << field.name + QLatin1Char('=') + field.get(fields);
    return lines;
}

std::optional<QString> applyDispSetLines(DispSetFields& fields, const QStringList& lines,
                                         int hardVersion)
{
    const std::vector<TextField> known = textFields(hardVersion);
    DispSetFields result = fields;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return lineError(i + 1, TX("「名前=値」の形ではありません。"));
        const QString name = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        const auto field = std::find_if(known.begin(), known.end(),
                                        [&](const TextField& f) { return f.name == name; });
        if (field == known.end())
            return lineError(i + 1, TX("%1 という設定はありません。").arg(name));
        if (!field->set(result, value))
            return lineError(i + 1, TX("%1 に %2 は設定できません。").arg(name, value));
    }
    fields = result;
    return std::nullopt;
}

} // namespace quellin

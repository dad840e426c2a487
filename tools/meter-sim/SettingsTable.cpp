#include "SettingsTable.h"

#include <algorithm>

namespace quellin::sim {

namespace {

// How a value is checked and kept.
struct Limits {
    enum class Form { Digits, Decimal, Voltage, Minute };
    Form form;
    int low = 0;
    int high = 0;
    int maxDigits = 0;  // Digits: longest accepted text
    int keptDigits = 0; // Digits: zero-padded to this width
};

constexpr Limits digits(int low, int high, int maxDigits, int keptDigits)
{
    return {Limits::Form::Digits, low, high, maxDigits, keptDigits};
}

// Limits of an item, nothing for one the version does not have.
std::optional<Limits> limitsOf(const QString& item, int version)
{
    bool ok = false;
    const int n = item.toInt(&ok);
    if (item.size() != 2 || !ok || !item.at(0).isDigit() || !item.at(1).isDigit())
        return std::nullopt;
    switch (n) {
    case 1:
        return digits(0, 4, 1, 1);
    case 2:
        return Limits{Limits::Form::Voltage};
    case 3:
    case 4:
        return digits(1, 9999, 4, 4);
    case 5:
        return digits(0, 1, 1, 1);
    case 6:
        return digits(0, 5, 1, 1);
    case 7:
    case 8:
        return Limits{Limits::Form::Minute};
    default:
        break;
    }
    if (version < 2 || n < 10 || n > 39)
        return std::nullopt;
    // Six outputs of five items: power 10-19, leakage 20-29, temperature 30-39.
    switch (n % 5) {
    case 2:
        return digits(0, 60, 2, 2); // ON time
    case 3:
        return digits(50, 99, 2, 2); // OFF level
    case 4:
        return digits(0, 10, 2, 2); // OFF time
    default:
        break;
    }
    const bool first = n % 5 == 0; // level (power) or input channel (leakage, temperature)
    if (n < 20)
        return first ? digits(0, 999, 3, 2) : digits(0, 4, 1, 1);
    if (n < 30)
        return first ? digits(1, 3, 1, 1) : Limits{Limits::Form::Decimal};
    return first ? digits(1, 2, 1, 1) : digits(0, 99, 2, 2);
}

bool allDigits(const QString& text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

// True when text has the shape of pattern, where '9' stands for any digit.
bool hasShape(const QString& text, QLatin1String pattern)
{
    if (text.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digitWanted = pattern.at(i) == QLatin1Char('9');
        if (digitWanted ? !(text.at(i) >= '0' && text.at(i) <= '9') : text.at(i) != pattern.at(i))
            return false;
    }
    return true;
}

bool isDecimal(const QString& text)
{
    return hasShape(text, QLatin1String("999.9")); // the "000.0" form
}

// "yyyy/mm/dd hh:mm" or, withSeconds, "yyyy/mm/dd hh:mm:ss", as civil time;
// invalid unless it is exactly that form and a real time of 2000-2099.
QDateTime parseMeterForm(const QString& text, bool withSeconds)
{
    const QLatin1String shape =
        withSeconds ? QLatin1String("9999/99/99 99:99:99") : QLatin1String("9999/99/99 99:99");
    if (!hasShape(text, shape))
        return {};
    // Date and time apart, so that no local daylight-saving gap can refuse a time.
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy/MM/dd"));
    const QTime time = QTime::fromString(text.mid(11), withSeconds ? QStringLiteral("HH:mm:ss")
                                                                   : QStringLiteral("HH:mm"));
    if (!date.isValid() || !time.isValid() || date.year() < 2000 || date.year() > 2099)
        return {};
    return QDateTime(date, time, Qt::UTC);
}

// The kept form of value, nothing when it is outside the limits.
std::optional<QString> normalised(const Limits& limits, const QString& value,
                                  const QString& previous)
{
    switch (limits.form) {
    case Limits::Form::Digits: {
        if (!allDigits(value) || value.size() > limits.maxDigits)
            return std::nullopt;
        const int v = value.toInt();
        if (v < limits.low || v > limits.high)
            return std::nullopt;
        return QStringLiteral("%1").arg(v, limits.keptDigits, 10, QLatin1Char('0'));
    }
    case Limits::Form::Decimal:
        return isDecimal(value) ? std::optional(value) : std::nullopt;
    case Limits::Form::Voltage: {
        // Contact needs no value (the program sends "SCF020" alone): the
        // non-contact value stays for the next time it is switched on.
        const QString rest = value.mid(1);
        if (value.startsWith(QLatin1Char('0')) && rest.isEmpty())
            return QLatin1Char('0') + previous.mid(1);
        if ((value.startsWith(QLatin1Char('0')) || value.startsWith(QLatin1Char('1'))) &&
            isDecimal(rest))
            return value;
        return std::nullopt;
    }
    case Limits::Form::Minute:
        if (!parseMeterForm(value, false).isValid())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

QString ratio(int value)
{
    return QStringLiteral("%1").arg(std::clamp(value, 1, 9999), 4, 10, QLatin1Char('0'));
}

} // namespace

SettingsTable::SettingsTable(int version, int wiring, int ptRatio, int ctRatio,
                             const QDateTime& clock)
    : version_(version)
{
    // The logging window of a fresh meter: the next working day, 9 to 17 h.
    const QDate day = clock.date().addDays(1);
    const QString format = QStringLiteral("yyyy/MM/dd HH:mm");
    values_[QStringLiteral("01")] = QStringLiteral("0");
    values_[QStringLiteral("02")] =
        wiring == 2 ? QStringLiteral("0200.0") : QStringLiteral("0100.0");
    values_[QStringLiteral("03")] = ratio(ptRatio);
    values_[QStringLiteral("04")] = ratio(ctRatio);
    values_[QStringLiteral("05")] = QStringLiteral("0");
    values_[QStringLiteral("06")] = QStringLiteral("1");
    values_[QStringLiteral("07")] = QDateTime(day, QTime(9, 0), Qt::UTC).toString(format);
    values_[QStringLiteral("08")] = QDateTime(day, QTime(17, 0), Qt::UTC).toString(format);
    if (version < 2)
        return;
    // Control outputs as an installer would leave them: power alarms at 5 and
    // 8 kW, leakage at 30 and 100 mA, temperatures at 60 and 45 degrees.
    const char* outputs[6][5] = {
        {"05", "1", "10", "90", "05"},    {"08", "1", "10", "90", "05"},
        {"1", "030.0", "05", "80", "03"}, {"2", "100.0", "05", "80", "03"},
        {"1", "60", "30", "90", "10"},    {"2", "45", "30", "90", "10"},
    };
    for (int output = 0; output < 6; ++output)
        for (int k = 0; k < 5; ++k)
            values_[QString::number(10 + 5 * output + k)] = QLatin1String(outputs[output][k]);
}

std::optional<QString> SettingsTable::value(const QString& item) const
{
    if (!limitsOf(item, version_))
        return std::nullopt;
    return values_.value(item);
}

bool SettingsTable::set(const QString& item, const QString& value)
{
    const std::optional<Limits> limits = limitsOf(item, version_);
    if (!limits)
        return false;
    const std::optional<QString> kept = normalised(*limits, value, values_.value(item));
    if (!kept)
        return false;
    values_[item] = *kept;
    return true;
}

int SettingsTable::intervalCode() const
{
    return values_.value(QStringLiteral("06")).toInt();
}

QDateTime SettingsTable::parseClock(const QString& text)
{
    return parseMeterForm(text, true);
}

} // namespace quellin::sim

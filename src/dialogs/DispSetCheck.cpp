#include "dialogs/DispSetCheck.h"

#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"

namespace quellin {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A value of the "000.0" form: three digits, the point, one digit (0.0 to 999.9).
bool isFiveCharDecimal(const QString& text)
{
    return text.size() == 5 && isDigit(text[0]) && isDigit(text[1]) && isDigit(text[2]) &&
           text[3] == QLatin1Char('.') && isDigit(text[4]);
}

// A range check on the text as it is sent: formatted with pattern, then taken as a
// whole number. Empty and non-numeric texts fail.
bool inRange(const QString& text, const QString& pattern, int low, int high)
{
    if (!vbdate::isNumeric(text))
        return false;
    const auto v = vbdate::parseNumber(Format(text, pattern));
    return v && *v >= low && *v <= high;
}

bool outputValid(const DispSetFields& f, const OutputParam& p)
{
    const size_t c = static_cast<size_t>(p.control);
    const QString& text = f.sbText[c];
    const QString twoDigits = QStringLiteral("00");
    switch (p.kind) {
    case OutputKind::PowerLevel:
        return inRange(text, QStringLiteral("000"), 0, 999);
    case OutputKind::PowerUnit:
        return f.sb[c] >= 0 && f.sb[c] <= 4;
    case OutputKind::LeakageChannel:
        return f.sb[c] >= 0 && f.sb[c] <= 2;
    case OutputKind::LeakageLevel:
        return vbdate::isNumeric(text) && isFiveCharDecimal(Format(text, QStringLiteral("000.0")));
    case OutputKind::TemperatureChannel:
        return f.sb[c] >= 0 && f.sb[c] <= 1;
    case OutputKind::TemperatureLevel:
        return inRange(text, twoDigits, 0, 99);
    case OutputKind::OnTime:
        return inRange(text, twoDigits, 0, 60);
    case OutputKind::OffLevel:
        return inRange(text, twoDigits, 50, 99);
    case OutputKind::OffTime:
        return inRange(text, twoDigits, 0, 10);
    }
    return false;
}

} // namespace

KeyFilter txtDataFilter(int index)
{
    switch (index) {
    case 0:
        return KeyFilter::Decimal;
    case 1:
    case 2:
        return KeyFilter::Digits;
    case 3:
    case 4:
        return KeyFilter::DateTime;
    default:
        return KeyFilter::Any;
    }
}

KeyFilter txtDataSbFilter(int index)
{
    return index == 8 || index == 12 ? KeyFilter::Decimal : KeyFilter::Digits;
}

bool keyPasses(KeyFilter filter, QChar key)
{
    if (key == QChar(13))
        return false;
    if (key == QChar(8))
        return true;
    switch (filter) {
    case KeyFilter::Decimal:
        return isDigit(key) || key == QLatin1Char('.');
    case KeyFilter::Digits:
        return isDigit(key);
    case KeyFilter::DateTime:
        return isDigit(key) || key == QLatin1Char('/') || key == QLatin1Char(':');
    case KeyFilter::Any:
        return true;
    }
    return false;
}

bool textPasses(KeyFilter filter, const QString& text)
{
    for (const QChar c : text)
        if (c == QChar(8) || !keyPasses(filter, c))
            return false;
    return true;
}

QString dispset_text::voltageNotNumber()
{
    return TX("電圧値は数値を設定してください。");
}

QString dispset_text::voltageRange()
{
    return TX("電圧値の設定を確認してください。");
}

QString outputMessage(OutputKind kind)
{
    switch (kind) {
    case OutputKind::PowerLevel:
        return TX("電力制御出力のレベル設定を確認してください。");
    case OutputKind::PowerUnit:
        return TX("電力制御出力の単位設定を確認してください。");
    case OutputKind::LeakageChannel:
        return TX("漏電電流制御出力の入力ＣＨ設定を確認してください。");
    case OutputKind::LeakageLevel:
        return TX("漏電電流制御出力のレベルは小数点込みの５桁が制限です、確認してください。");
    case OutputKind::TemperatureChannel:
        return TX("温度制御出力の入力ＣＨ設定を確認してください。");
    case OutputKind::TemperatureLevel:
        return TX("温度制御出力のレベルを確認してください。");
    case OutputKind::OnTime:
        return TX("各制御出力のＯＮ時間を確認してください。");
    case OutputKind::OffLevel:
        return TX("各制御出力のＯＦＦレベルを確認してください。");
    case OutputKind::OffTime:
        return TX("各制御出力のＯＦＦ時間を確認してください。");
    }
    return {};
}

std::optional<DispSetError> checkDispSet(const DispSetFields& f, int hardVersion)
{
    if (f.denatu == 1) {
        const QString& text = f.data[0];
        if (!vbdate::isNumeric(text))
            return DispSetError{dispset_text::voltageNotNumber(), DispSetControl::TxtData, 0,
                                kTabEnvironment};
        // The value travels as the five characters of its "000.0" form: from 999.95
        // on that form has six and would lose its leading digit on the way.
        const float value = static_cast<float>(*vbdate::parseNumber(text));
        if (value < 0 || !isFiveCharDecimal(Format(text, QStringLiteral("000.0"))))
            return DispSetError{dispset_text::voltageRange(), DispSetControl::TxtData, 0,
                                kTabEnvironment};
    }
    if (hardVersion < 2)
        return std::nullopt;
    for (const OutputParam& p : outputParams()) {
        if (outputValid(f, p))
            continue;
        return DispSetError{outputMessage(p.kind),
                            p.isList ? DispSetControl::CmbSb : DispSetControl::TxtDataSb, p.control,
                            p.tab};
    }
    return std::nullopt;
}

} // namespace quellin

#include "platform/Format.h"

#include "platform/VbDate.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quellin {

namespace {

// A value as decimal digits: value = 0.d1d2d3… × 10^pointPos, at most 15 digits.
struct Decimal {
    bool negative = false;
    QByteArray digits; // no leading zeros; empty for zero
    int pointPos = 0;  // digits before the decimal point
};

Decimal toDecimal(double v)
{
    Decimal d;
    if (v == 0 || !std::isfinite(v))
        return d;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", v); // 15 significant digits
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    QByteArray digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    const int exp10 = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    d.digits = digits;
    d.pointPos = exp10 + 1;
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero; a carry may add a digit.
void roundTo(Decimal& d, int keep)
{
    if (keep >= d.digits.size())
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (d.digits[i] == '9') {
                d.digits[i] = '0';
            } else {
                d.digits[i] = static_cast<char>(d.digits[i] + 1);
                break;
            }
        }
        if (i < 0) {
            d.digits.prepend('1');
            d.pointPos += 1;
        }
    }
    while (!d.digits.isEmpty() && d.digits.endsWith('0'))
        d.digits.chop(1);
}

char digitAt(const Decimal& d, int i) // i-th digit after the virtual "0."
{
    return (i >= 0 && i < d.digits.size()) ? d.digits[i] : '0';
}

struct NumberPattern {
    int intZeros = 0;
    int decimals = 0;
    bool scientific = false;
    bool expPlus = false; // "E+": always show the sign
    int expDigits = 1;
    char expChar = 'E';
};

bool parseNumberPattern(const QString& pattern, NumberPattern& np)
{
    int i = 0;
    const int n = pattern.size();
    while (i < n && (pattern[i] == QLatin1Char('0') || pattern[i] == QLatin1Char('#'))) {
        if (pattern[i] == QLatin1Char('0'))
            ++np.intZeros;
        ++i;
    }
    if (i < n && pattern[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && (pattern[i] == QLatin1Char('0') || pattern[i] == QLatin1Char('#'))) {
            ++np.decimals;
            ++i;
        }
    }
    if (i < n && (pattern[i] == QLatin1Char('E') || pattern[i] == QLatin1Char('e'))) {
        np.scientific = true;
        np.expChar = pattern[i].toLatin1();
        ++i;
        if (i >= n || (pattern[i] != QLatin1Char('+') && pattern[i] != QLatin1Char('-')))
            return false;
        np.expPlus = pattern[i] == QLatin1Char('+');
        ++i;
        np.expDigits = 0;
        while (i < n && pattern[i] == QLatin1Char('0')) {
            ++np.expDigits;
            ++i;
        }
        if (np.expDigits == 0)
            return false;
    }
    return i == n && (np.intZeros + np.decimals > 0 || i > 0);
}

QString formatFixed(double v, const NumberPattern& np)
{
    Decimal d = toDecimal(v);
    roundTo(d, d.pointPos + np.decimals);
    QString intPart;
    for (int i = 0; i < d.pointPos; ++i)
        intPart.append(QLatin1Char(digitAt(d, i)));
    while (intPart.size() > 1 && intPart.startsWith(QLatin1Char('0')))
        intPart.remove(0, 1);
    if (intPart == QLatin1String("0"))
        intPart.clear();
    while (intPart.size() < np.intZeros)
        intPart.prepend(QLatin1Char('0'));
    QString out = intPart;
    if (np.decimals > 0) {
        out.append(QLatin1Char('.'));
        for (int i = 0; i < np.decimals; ++i)
            out.append(QLatin1Char(digitAt(d, d.pointPos + i)));
    }
    if (out.isEmpty())
        out = QStringLiteral("0");
    if (d.negative && !d.digits.isEmpty())
        out.prepend(QLatin1Char('-'));
    return out;
}

QString formatScientific(double v, const NumberPattern& np)
{
    const int intDigits = std::max(1, np.intZeros);
    Decimal d = toDecimal(v);
    int exponent = 0;
    if (!d.digits.isEmpty()) {
        roundTo(d, intDigits + np.decimals);
        exponent = d.pointPos - intDigits;
    }
    QString out;
    for (int i = 0; i < intDigits; ++i)
        out.append(QLatin1Char(digitAt(d, i)));
    if (np.decimals > 0) {
        out.append(QLatin1Char('.'));
        for (int i = 0; i < np.decimals; ++i)
            out.append(QLatin1Char(digitAt(d, intDigits + i)));
    }
    out.append(QLatin1Char(np.expChar));
    if (exponent < 0)
        out.append(QLatin1Char('-'));
    else if (np.expPlus)
        out.append(QLatin1Char('+'));
    out.append(QString::number(std::abs(exponent)).rightJustified(np.expDigits, QLatin1Char('0')));
    if (d.negative && !d.digits.isEmpty())
        out.prepend(QLatin1Char('-'));
    return out;
}

bool isDateLetter(QChar c)
{
    switch (c.toLower().unicode()) {
    case 'y':
    case 'm':
    case 'd':
    case 'h':
    case 'n':
    case 's':
        return true;
    default:
        return false;
    }
}

bool isDatePattern(const QString& pattern)
{
    for (QChar c : pattern)
        if (isDateLetter(c))
            return true;
    return false;
}

QString formatDate(double date, const QString& pattern)
{
    struct Token {
        QChar letter; // lower case; 0 for a literal
        int count;
        QString literal;
    };
    std::vector<Token> tokens;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (isDateLetter(c)) {
            int j = i;
            while (j < pattern.size() && pattern[j].toLower() == c.toLower())
                ++j;
            tokens.push_back({c.toLower(), j - i, {}});
            i = j;
        } else {
            tokens.push_back({QChar(), 1, QString(c)});
            ++i;
        }
    }
    const vbdate::Civil c = vbdate::toCivil(date);
    QString out;
    QChar previousLetter;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token& tok = tokens[t];
        if (tok.letter.isNull()) {
            out += tok.literal;
            continue;
        }
        const auto two = [](int v) {
            return QString::number(v).rightJustified(2, QLatin1Char('0'));
        };
        const auto one = [](int v) { return QString::number(v); };
        QChar letter = tok.letter;
        if (letter == QLatin1Char('m')) {
            // "mm" right after an hour or right before seconds means minutes.
            QChar nextLetter;
            for (size_t u = t + 1; u < tokens.size(); ++u)
                if (!tokens[u].letter.isNull()) {
                    nextLetter = tokens[u].letter;
                    break;
                }
            if (previousLetter == QLatin1Char('h') || nextLetter == QLatin1Char('s'))
                letter = QLatin1Char('n');
        }
        switch (letter.unicode()) {
        case 'y':
            out += tok.count >= 3 ? QString::number(c.year).rightJustified(4, QLatin1Char('0'))
                                  : two(c.year % 100);
            break;
        case 'm':
            out += tok.count >= 2 ? two(c.month) : one(c.month);
            break;
        case 'd':
            out += tok.count >= 2 ? two(c.day) : one(c.day);
            break;
        case 'h':
            out += tok.count >= 2 ? two(c.hour) : one(c.hour);
            break;
        case 'n':
            out += tok.count >= 2 ? two(c.minute) : one(c.minute);
            break;
        case 's':
            out += tok.count >= 2 ? two(c.second) : one(c.second);
            break;
        default:
            break;
        }
        previousLetter = tok.letter;
    }
    return out;
}

} // namespace

QString Format(double value, const QString& pattern)
{
    if (isDatePattern(pattern)) {
        // A number that is no date stays a number rather than a wrong date.
        if (!vbdate::inDateRange(value))
            return QString::number(value, 'g', 15);
        return formatDate(value, pattern);
    }
    NumberPattern np;
    if (!parseNumberPattern(pattern, np))
        return QString::number(value, 'g', 15);
    if (!std::isfinite(value))
        return QString::number(value);
    return np.scientific ? formatScientific(value, np) : formatFixed(value, np);
}

QString Format(const QString& text, const QString& pattern)
{
    if (const auto n = vbdate::parseNumber(text))
        return Format(*n, pattern);
    if (isDatePattern(pattern))
        if (const auto d = vbdate::parse(text))
            return formatDate(*d, pattern);
    return text;
}

} // namespace quellin

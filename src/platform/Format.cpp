#include "platform/Format.h"

#include "platform/DecimalDigits.h"
#include "platform/VbDate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace quellin {

namespace {

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
    DecimalDigits d = toDecimalDigits(v);
    // A negative value keeps its sign even when it rounds to zero ("-0.0"), as
    // Basic's Format does; only zero itself has none.
    const bool negative = d.negative && d.size > 0;
    roundDecimalDigits(d, d.pointPos + np.decimals);
    std::string out;
    out.reserve(static_cast<size_t>(std::max(d.pointPos, np.intZeros) + np.decimals + 3));
    if (negative)
        out += '-';
    // Integer digits without leading zeros, then padded to the pattern's zeros.
    const int intDigits = d.size > 0 ? std::max(d.pointPos, 0) : 0;
    for (int i = intDigits; i < np.intZeros; ++i)
        out += '0';
    for (int i = 0; i < intDigits; ++i)
        out += d.digitAt(i);
    if (np.decimals > 0) {
        out += '.';
        for (int i = 0; i < np.decimals; ++i)
            out += d.digitAt(d.pointPos + i);
    }
    if (out.empty() || out == "-")
        out += '0';
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString formatScientific(double v, const NumberPattern& np)
{
    const int intDigits = std::max(1, np.intZeros);
    DecimalDigits d = toDecimalDigits(v);
    int exponent = 0;
    if (d.size > 0) {
        roundDecimalDigits(d, intDigits + np.decimals);
        exponent = d.pointPos - intDigits;
    }
    std::string out;
    out.reserve(static_cast<size_t>(intDigits + np.decimals + np.expDigits + 6));
    if (d.negative && d.size > 0)
        out += '-';
    for (int i = 0; i < intDigits; ++i)
        out += d.digitAt(i);
    if (np.decimals > 0) {
        out += '.';
        for (int i = 0; i < np.decimals; ++i)
            out += d.digitAt(intDigits + i);
    }
    out += np.expChar;
    if (exponent < 0)
        out += '-';
    else if (np.expPlus)
        out += '+';
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::abs(exponent));
    for (auto n = r.ptr - buf; n < np.expDigits; ++n)
        out += '0';
    out.append(buf, r.ptr);
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
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

// The lower-case letter of the date field that starts at i, or 0 for a literal.
char16_t dateLetterAt(const QString& pattern, qsizetype i)
{
    const QChar c = pattern[i];
    return isDateLetter(c) ? c.toLower().unicode() : 0;
}

void appendNumber(std::u16string& out, int v, int width)
{
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    for (auto n = r.ptr - buf; n < width; ++n)
        out += u'0';
    for (const char* p = buf; p != r.ptr; ++p)
        out += static_cast<char16_t>(*p);
}

QString formatDate(double date, const QString& pattern)
{
    const vbdate::Civil c = vbdate::toCivil(date);
    std::u16string out;
    out.reserve(static_cast<size_t>(pattern.size()) + 4);
    char16_t previousLetter = 0;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t letter = dateLetterAt(pattern, i);
        if (letter == 0) {
            out += pattern[i].unicode();
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < n && dateLetterAt(pattern, j) == letter)
            ++j;
        const int count = static_cast<int>(j - i);
        char16_t field = letter;
        if (letter == u'm') {
            // "mm" right after an hour or right before seconds means minutes.
            char16_t nextLetter = 0;
            for (qsizetype k = j; k < n && nextLetter == 0; ++k)
                nextLetter = dateLetterAt(pattern, k);
            if (previousLetter == u'h' || nextLetter == u's')
                field = u'n';
        }
        const int width = count >= 2 ? 2 : 1;
        switch (field) {
        case u'y':
            if (count >= 3)
                appendNumber(out, c.year, 4);
            else
                appendNumber(out, c.year % 100, 2);
            break;
        case u'm':
            appendNumber(out, c.month, width);
            break;
        case u'd':
            appendNumber(out, c.day, width);
            break;
        case u'h':
            appendNumber(out, c.hour, width);
            break;
        case u'n':
            appendNumber(out, c.minute, width);
            break;
        case u's':
            appendNumber(out, c.second, width);
            break;
        default:
            break;
        }
        previousLetter = letter;
        i = j;
    }
    return QString::fromUtf16(out.data(), static_cast<qsizetype>(out.size()));
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

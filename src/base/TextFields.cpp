#include "base/TextFields.h"

#include "base/ErrorReport.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"

#include <cmath>

namespace quellin {

namespace {

// An empty separator would be found at every position and never move the walk
// forward: refuse it as the invalid argument it is.
void requireSeparator(const QString& sep)
{
    if (sep.isEmpty())
        throw VbError(ErrorNumber::InvalidCall,
                      TX("プロシージャの呼び出し、または引数が不正です。"));
}

} // namespace

QString nthField(const QString& text, const QString& sep, int n)
{
    if (n <= 0)
        return QString();
    requireSeparator(sep);
    qsizetype start = 0; // the working copy is text.mid(start)
    for (int k = 1; k < n; ++k) {
        const qsizetype at = text.indexOf(sep, start, Qt::CaseSensitive);
        if (at < 0)
            return QString();
        start = at + sep.size();
    }
    const qsizetype at = text.indexOf(sep, start, Qt::CaseSensitive);
    return at < 0 ? text.mid(start) : text.mid(start, at - start);
}

int fieldCount(const QString& text, const QString& sep)
{
    if (text.isEmpty())
        return 0;
    requireSeparator(sep);
    int count = 1;
    qsizetype start = 0;
    for (;;) {
        const qsizetype at = text.indexOf(sep, start, Qt::CaseSensitive);
        if (at < 0)
            return count;
        ++count;
        start = at + sep.size();
    }
}

double truncateDecimal(const QString& value, int d)
{
    const auto x = vbdate::parseNumber(value);
    if (!x)
        throw VbError(ErrorNumber::TypeMismatch, TX("型が一致しません。"));
    const double scale = std::pow(10.0, d);
    const double product = *x * scale;
    if (!std::isfinite(product) || scale == 0)
        throw VbError(ErrorNumber::Overflow, TX("オーバーフローしました。"));
    // Through the 15-significant-digit text: 0.29 × 100 is 28.999999999999996
    // in binary and must truncate to 29.
    const double clean = QString::number(product, 'g', 15).toDouble();
    const double result = std::trunc(clean) / scale;
    return result == 0 ? 0.0 : result; // no negative zero
}

QString sfNthFild(Context& ctx, const QString& text, const QString& sep, int n)
{
    return trapped(ctx, "sfNthFild", QString(), [&] { return nthField(text, sep, n); });
}

int ifNthFilds(Context& ctx, const QString& text, const QString& sep)
{
    return trapped(ctx, "ifNthFilds", 0, [&] { return fieldCount(text, sep); });
}

double FixSS(Context& ctx, const QString& value, int d)
{
    return trapped(ctx, "FixSS", 0.0, [&] { return truncateDecimal(value, d); });
}

} // namespace quellin

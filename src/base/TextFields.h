#pragma once
// Taking a delimited text apart, and the decimal truncation used for scale steps.
// Each routine traps its own errors: it reports them under its own name and
// returns its failure value ("" / 0 / 0).

#include <QString>

namespace quellin {

struct Context;

// The n-th field (counted from 1) of text split at sep; "" when n < 1 or the text
// has fewer than n fields. Fields may be empty: "a//b" has "a", "" and "b".
QString sfNthFild(Context& ctx, const QString& text, const QString& sep, int n);

// The number of fields of text split at sep: 0 for "", else separators + 1.
int ifNthFilds(Context& ctx, const QString& text, const QString& sep);

// The decimal text's value truncated toward zero to d decimal places, free of
// floating-point noise (FixSS("0.29", 2) is 0.29, not 0.28). A text that is no
// number is reported as a type mismatch and gives 0.
double FixSS(Context& ctx, const QString& value, int d);

} // namespace quellin

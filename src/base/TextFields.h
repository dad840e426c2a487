#pragma once
// Taking a delimited text apart, and the decimal truncation used for scale steps.
// The plain functions throw VbError; sfNthFild, ifNthFilds and FixSS wrap them
// and trap their own errors: they report them under their own name and return
// their failure value ("" / 0 / 0).

#include <QString>

namespace quellin {

struct Context;

// The n-th field of text split at sep, the number of fields, and value truncated
// to d decimal places, as described below. An empty separator throws "invalid
// call" (5); a value that is no number "type mismatch" (13), one too large
// "overflow" (6).
QString nthField(const QString& text, const QString& sep, int n);
int fieldCount(const QString& text, const QString& sep);
double truncateDecimal(const QString& value, int d);

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

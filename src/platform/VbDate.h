#pragma once
// Date values as the original platform kept them: a double counting days since
// 1899-12-30, the fraction being the time of day, civil local time with no
// time-zone shifts. Times are compared in whole seconds.

#include <QString>
#include <QStringView>
#include <optional>

class QDateTime;

namespace quellin::vbdate {

struct Civil {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Civil date and time → date value; nullopt for an impossible date (month 13,
// 31 June, 29 February of a common year, hour 24 …).
std::optional<double> fromCivil(const Civil& c);
// Date value → civil date and time, rounded to the nearest whole second. A value
// outside the date range (years 100 to 9999) gives the range's first or last second.
Civil toCivil(double date);
// Whether a date value lies within years 100 to 9999.
bool inDateRange(double date);

double fromQDateTime(const QDateTime& dt);
QDateTime toQDateTime(double date);

// Text → date value. Accepts the forms the meter and the files use:
// "yyyy/mm/dd hh:mm:ss", "yyyy/mm/dd hh:mm", "yyyy/mm/dd", "hh:mm:ss", "hh:mm"
// with "/" or "-" (the same one twice) between the date parts, one- or two-digit
// fields (a one- or two-digit year: 00-29 → 20xx, 30-99 → 19xx), blanks around
// and at least one blank between date and time. Anything else (or an impossible
// date) gives nullopt. Hand-written: it runs once per measured-data line.
std::optional<double> parse(QStringView text);
bool isDate(QStringView text);

// Numeric text in the sense of the original IsNumeric: optional blanks and sign,
// digits with at most one decimal point, optional exponent ("E" or "D"). "" is
// not numeric; a value too large for a double is not numeric, one too small is 0.
// Only ASCII digits and blanks count.
std::optional<double> parseNumber(QStringView text);
bool isNumeric(QStringView text);

// Steps that would leave years 100 to 9999 end at the range's first or last second.
double addSeconds(double date, long long seconds);
// Calendar days (the date part moves; the time of day stays).
double addDays(double date, int days);
// Whole seconds from a to b (b − a), each time first rounded to its whole second.
long long secondsBetween(double a, double b);

} // namespace quellin::vbdate

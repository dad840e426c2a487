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
// Date value → civil date and time, rounded to the nearest whole second.
Civil toCivil(double date);

double fromQDateTime(const QDateTime& dt);
QDateTime toQDateTime(double date);

// Text → date value. Accepts the forms the meter and the files use:
// "yyyy/mm/dd hh:mm:ss", "yyyy/mm/dd hh:mm", "yyyy/mm/dd", "hh:mm:ss", "hh:mm"
// with "/" or "-" between the date parts, one- or two-digit fields, surrounding
// blanks. Anything else (or an impossible date) gives nullopt.
std::optional<double> parse(QStringView text);
bool isDate(QStringView text);

// Numeric text in the sense of the original IsNumeric: optional blanks and sign,
// digits with at most one decimal point, optional exponent. "" is not numeric.
std::optional<double> parseNumber(QStringView text);
bool isNumeric(QStringView text);

double addSeconds(double date, long long seconds);
// Calendar days (the date part moves; the time of day stays).
double addDays(double date, int days);
// Whole seconds from a to b (b − a), each time first rounded to its whole second.
long long secondsBetween(double a, double b);

}  // namespace quellin::vbdate

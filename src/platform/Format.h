#pragma once
// Basic's Format for the patterns the program uses.
//
//  numeric:     "0", "00", "0000", "0.0" … "0.00000"  (fixed digits)
//  scientific:  "0.000E+0", "000.0E+0" (exactly as many integer digits as the
//               pattern has zeros before the point; the exponent shifts)
//  date:        "yyyy/mm/dd hh:mm:ss", "YYYY/MM/DD HH:MM:SS", "mm/dd hh:mm:ss",
//               " hh:mm:ss", "yyyy/mm/dd hh:mm", "yyyy/mm/dd" (a number is read as
//               a date value)
//
// Digits come from the value's 15-significant-digit decimal form and round half
// away from zero (0.285 → "0.29" with "0.00").

#include <QString>

namespace quellin {

QString Format(double value, const QString& pattern);
// A text that is a number is formatted as that number; for date patterns a text
// that is a date is formatted as that date; anything else comes back unchanged.
QString Format(const QString& text, const QString& pattern);

} // namespace quellin

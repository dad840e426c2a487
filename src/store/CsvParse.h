#pragma once
// Reading the fields of a data file, as bytes (a data line is plain ASCII; a
// title line is split as bytes before its fields are decoded, which is safe for
// Shift_JIS and UTF-8 alike: neither uses "," or '"' inside a character).
//
// The conversions are those these files have always had: a 32-bit integer for
// the record number (rounded half to even), a date for the time, and a
// single-precision number widened to a double for every measured value.
// A data set has more than half a million fields, so the common texts take a
// short road; every text reads exactly as the general conversion reads it.

#include <QByteArrayView>
#include <vector>

namespace quellin::csv {

enum class Conversion { Ok, NotConvertible, Overflow };

struct Converted {
    Conversion status = Conversion::NotConvertible;
    double value = 0;
};

// Numeric text in the sense of the original IsNumeric: optional blanks and sign,
// digits with at most one decimal point, optional exponent (E or D).
Converted toDouble(QByteArrayView text);
// The record number: the number rounded half to even into a 32-bit integer.
Converted toLong(QByteArrayView text);
// A measured value: the number rounded to the nearest single-precision value.
// "inf", "-inf" and "nan" (what Format writes for such values) read back as themselves.
Converted toSingle(QByteArrayView text);

// What stands in a time field. The one form read is year/month/day
// hour:minute:second: a four-digit year first ("03/01/2024" could be March or
// January), "/" or "-" between the date's parts, one or two digits for the
// others, and the seconds (without them records that were a second apart share
// a time). Blanks around the text and one leading and one trailing double quote
// are dropped.
enum class TimeForm {
    Ok,
    NoSeconds, // year/month/day hour:minute, what a spreadsheet shows by default
    NotADate,  // the form, but a day the calendar lacks (month 13, 30 February)
    OtherForm, // anything else
};

struct TimeField {
    TimeForm form = TimeForm::OtherForm;
    double value = 0; // the date value when form is Ok
};

TimeField readTime(QByteArrayView text);

// Splits a line at the commas that stand outside double quotes into at most
// maxFields fields (the rest of the line is dropped) and returns their number;
// an empty line has one empty field. A field that is enclosed in double quotes
// (and has nothing after its closing quote) is given without them; a doubled
// quote inside stays doubled. A quote that is never closed is an ordinary
// character. Blanks around a field are kept.
int splitFields(QByteArrayView line, QByteArrayView* fields, int maxFields);
// The same into a vector (resized to the number of fields).
void splitFields(QByteArrayView line, std::vector<QByteArrayView>& fields, int maxFields);

// Whether a line holds nothing but blanks and commas (a row a spreadsheet
// keeps after its cells were cleared, or an extra line ending).
bool isEmptyRow(QByteArrayView line);

} // namespace quellin::csv

#pragma once
// The one error type of the program: what Basic kept in its pending-error record.
// Routines that trap their own errors catch it (see catalog/ErrorReport.h).

#include <QString>
#include <stdexcept>

namespace quellin {

// The error numbers the program raises, with the numbers Basic gave them (they
// are shown to the user: "エラー：53 / …").
enum class ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    Subscript = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    BadFileNumber = 52,
    FileNotFound = 53,
    FileIo = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    BadRecordNumber = 63,
    PathFileAccess = 75,
    PathNotFound = 76,
    ApplicationDefined = 95,
    BadFileFormat = 321,
    InvalidPropertyValue = 380,
    PrinterFirst = 482, // 482..484: the printer reported an error
    PrinterLast = 484,
    InvalidPort = 8002,
    PortUnusable = 8015,
};

class VbError : public std::runtime_error {
public:
    VbError(ErrorNumber number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description)
    {
    }
    ErrorNumber code() const { return number_; }
    int number() const { return static_cast<int>(number_); }
    const QString& description() const { return description_; }

private:
    ErrorNumber number_;
    QString description_;
};

} // namespace quellin

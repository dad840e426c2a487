#pragma once
// The one error type of the program: what Basic kept in its pending-error record.
// Routines that trap their own errors catch it (see catalog/ErrorReport.h).

#include <QString>
#include <stdexcept>

namespace quellin {

namespace err {
constexpr int kInvalidCall = 5;
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
constexpr int kSubscript = 9;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kFileNotFound = 53;
constexpr int kFileIo = 57;
constexpr int kDiskFull = 61;
constexpr int kPathNotFound = 76;
constexpr int kApplicationDefined = 95;
constexpr int kPrinterFirst = 482;
constexpr int kPrinterLast = 484;
constexpr int kInvalidPort = 8002;
constexpr int kPortUnusable = 8015;
} // namespace err

class VbError : public std::runtime_error {
public:
    VbError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description)
    {
    }
    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace quellin

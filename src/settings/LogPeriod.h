#pragma once
// The PC logging period as "ロギング設定" and the command line take it: hours,
// minutes and seconds checked with the dialog's messages, then turned into seconds.

#include <QString>
#include <optional>

namespace quellin {

// The first failure of the period boxes: the message and the box to focus
// (0 hours, 1 minutes, 2 seconds); nullopt when the period is valid.
struct PeriodError {
    QString message;
    int focusBox;
};
std::optional<PeriodError> checkLogPeriod(const QString& hours, const QString& minutes,
                                          const QString& seconds);

// The period in seconds of boxes that passed checkLogPeriod (0 for any that did
// not), rounded as Basic assigns to an integer: halves to even ("00:00:1.5" is 2 s).
int logPeriodSeconds(const QString& hours, const QString& minutes, const QString& seconds);

} // namespace quellin

#pragma once
// One step of an exchange with the meter, as a caller hands it to the link, and
// what the link hands back when the exchange ends.

#include <QString>
#include <QStringList>

namespace quellin {

struct ExchangeStep {
    QString Command;
    int ReplyLength = 0;
    QString ReplyPrefix;
    int PrefixLength = 0;
    QString ReplyData;
    // How long the answer may take, in ms; 0 for the link's own time-out. Only
    // the flash write needs longer.
    int TimeOutMs = 0;
};

// The answers of a finished exchange: the ReplyData of every step of its list,
// in order (the part of each answer after the echoed command).
using ExchangeReplies = QStringList;

} // namespace quellin

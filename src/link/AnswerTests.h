#pragma once
// The tests an answer line must pass. The line is the upper-cased line as received.

#include "base/ExchangeStep.h"

#include <QString>

namespace quellin {

// Echo test: the line begins with "R" followed by command without its first
// character ("CMD" is answered "RMD…", "CCF03" is answered "RCF03…").
bool echoTest(const QString& line, const QString& command);
// The part of the line after the echoed command (empty when the line is shorter).
QString echoData(const QString& line, const QString& command);
// Length test: exactly replyLength characters.
bool lengthTest(const QString& line, int replyLength);
// Prefix test: the first prefixLength characters equal prefix (0 accepts any line).
bool prefixTest(const QString& line, const QString& prefix, int prefixLength);
// "OK" test: the line is exactly "OK".
bool okTest(const QString& line);

// The same tests against a step's expectations.
bool echoTest(const QString& line, const ExchangeStep& step);
bool lengthTest(const QString& line, const ExchangeStep& step);
bool prefixTest(const QString& line, const ExchangeStep& step);

// The value of the decimal digit at position pos (0-based), or -1 when the line is
// shorter or the character is not a digit.
int digitAt(const QString& line, int pos);

} // namespace quellin

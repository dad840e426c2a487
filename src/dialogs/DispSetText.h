#pragma once
// The meter's environment settings as text, one "Name=value" line per field, so
// that a program without windows can print them and take them back. The names
// are the dialog's fields; a list is written as the code the meter is sent
// (a channel as its number 1, 2 …), a text field as the dialog shows it:
//
//   VoltageInput=1            0 contact, 1 non-contact (CmbDenatu)
//   Voltage=100.0             TxtData(0)
//   PtRatio=1  CtRatio=1      TxtData(1), TxtData(2)
//   LoggingInterval=2         0..5: 1, 5, 10, 15, 30, 60 minutes; empty: none
//   LoggingStart=…  LoggingEnd=…   TxtData(3), TxtData(4)
//   CurrentRange=0            0 AUTO, 1 10 A, 2 50 A, 3 100 A, 4 600 A; empty: none
//   LoggingTimer=0            0 off, 1 on; empty: none
//   MeterComm=9600,NONE,8,1   the meter's own line settings (shown, never sent)
//   Power1Level=…             version 2 and later: the control outputs, parameters
//   …                         10 to 39 (Power1/2, Leakage1/2, Temperature1/2, each
//   Temperature2OffTime=…     Level or Channel, Unit, OnTime, OffLevel, OffTime)
//
// The clock is not a setting here: a send sets the meter to the PC's clock, as
// the dialog does.

#include "dialogs/DispSetFields.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quellin {

// Every field of the version as "Name=value" lines, in the order above.
QStringList dispSetLines(const DispSetFields& fields, int hardVersion);

// Applies "Name=value" lines to fields: a name not given keeps its value; blank
// lines and lines beginning with "#" are skipped; MeterComm is read and left as
// it is. Nothing is applied unless every line is good; otherwise the message
// names the first bad line. The dialog's checks (checkDispSet) follow separately.
std::optional<QString> applyDispSetLines(DispSetFields& fields, const QStringList& lines,
                                         int hardVersion);

} // namespace quellin

#pragma once
// The exchanges of the meter's environment settings (link states 0 to 3):
// reading every setting after a status check, and writing a list of setting
// commands after another status check. The dialog that waits is reached only
// as LinkClients::dispSet, so a program without windows runs the same
// exchanges with a client of its own.
//
//   state 0  "CMD"            the meter must not measure; then the read list
//   state 1  the read list    each answer echoes its command; then DataDisp
//   state 2  "CMD"            the meter must not measure; then the commands
//   state 3  the commands     each answered "OK"; "SCFW" last, then done

#include "base/ExchangeStep.h"
#include "base/LinkClients.h"

#include <QStringList>
#include <vector>

namespace quellin {

class Sequencer;

// The read list: "CCF02", "CCF03", "CCF04", "CCF06", "CCF07", "CCF08", "CCF01",
// "CCF05", "CCM"; from version 2 on "CCF10" to "CCF39" follow.
std::vector<ExchangeStep> settingsReadList(int hardVersion);
// How many steps of the read list answer in a fixed length (the basic items and
// "CCM"); the control outputs' answers vary with their values.
constexpr int kFixedLengthReadSteps = 9;
// The meter answers "SCFW" once its flash memory is written, which can take
// longer than the link's own time-out.
constexpr int kFlashWriteTimeOutMs = 60000;
// The PC setting that is "1" from the first command of a send until the meter has
// answered its "SCFW": a send cut short leaves values in the meter that a power
// cycle would lose, and the next read says so.
inline const QString kUnflashedSettingName = QStringLiteral("MeterUnflashed");

// Form_Load's read: hourglass, then "CMD" in state 0.
void startSettingsRead(Sequencer& seq);
// The send: hourglass, then "CMD" and every command (each answered "OK") in
// state 2. commands excludes the leading "CMD".
void startSettingsWrite(Sequencer& seq, const QStringList& commands);

class SettingsExchange : public DialogExchangeHandler {
public:
    void handleLine(RunningExchange& exchange, int count, const QString& line) override;

private:
    void readStatus(RunningExchange& ex, const QString& line);
    void readItem(RunningExchange& ex, int count, const QString& line);
    void writeStatus(RunningExchange& ex, const QString& line);
    void writeItem(RunningExchange& ex, int count, const QString& line);
};

} // namespace quellin

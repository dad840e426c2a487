#pragma once
// The exchanges of the meter's measurement mode (link states 4 to 6): reading
// its status, and sending one "SMD" command after a fresh status has shown
// that the command makes sense. The dialog that waits is reached only as
// LinkClients::keisokuMode.
//
//   state 4  "CMD"      then DataDisp
//   state 5  "CMD"      decides from the status: refuse, report done without
//                       sending, or send the command
//   state 6  "SMD.."    "OK": done, the status is read again (state 4)

#include "base/LinkClients.h"

#include <QString>

namespace quellin {

class Sequencer;

// Form_Load's read, and the re-read after a command: hourglass, "CMD" in state 4.
void startModeRead(Sequencer& seq);
// A send button: hourglass, "CMD" then command ("SMD" + row + choice) in state 5.
void startModeSend(Sequencer& seq, const QString& command);

class ModeExchange : public DialogExchangeHandler {
public:
    void handleLine(RunningExchange& exchange, int count, const QString& line) override;

private:
    void readStatus(RunningExchange& ex, const QString& line);
    void sendStatus(RunningExchange& ex, const QString& line);
    void sendCommand(RunningExchange& ex, int count, const QString& line);
};

} // namespace quellin

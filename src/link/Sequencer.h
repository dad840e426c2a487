#pragma once
// The command sequencer: one conversation with the meter at a time. A caller fills
// the exchange list and starts it; every completed line then goes through dispatch(),
// which takes the lines the meter may send at any time ("STP", "LOW", "RML" while
// measuring) and hands the others to the handler of the current LinkState. The
// time-out reports a failed exchange once, in the words of the state that failed.
//
// The sequencer knows no widgets: it writes through a LinkTransport, switches a
// LinkTimer and calls the windows back through LinkClients.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/TimeoutTable.h"

#include <QString>
#include <vector>

namespace quellin {

class Sequencer : public VersionExchangeStarter {
public:
    Sequencer(Context& ctx, LinkTransport& transport, LinkTimer& timer, LinkClients& clients);

    // --- Starting exchanges -------------------------------------------------------

    // Writes command + CR as one block; nothing when the port is closed.
    void SendCommand(const QString& command);

    // Fills ExchangeList with steps, ExchangeIndex 0, ExchangeLast, LinkState; sends
    // step 0 and switches the time-out on. An empty list only sets the state.
    void startExchange(link::State linkState, std::vector<ExchangeStep> steps);

    // State 15: "CMD" (prefix "RMD", length 6); goes on through 16 and 17 to KeisokuStart.
    void startMeasurementRequest();
    // State 18: "SLE", "SMD10" (any two-character answer); ends in KeisokuEnd.
    void startStopExchange();

    // VersionExchangeStarter (start-up, states 22 and 23).
    bool portIsOpen() const override;
    void startVersionExchange() override;

    // --- Events ---------------------------------------------------------------------

    // The line dispatcher: one completed line of count characters.
    void dispatch(int count, const QString& line);
    // TmrTimeOut fired: the time-out table.
    void onTimeout();
    // The port became unusable (reported by the port owner, which has closed it):
    // tells the user once, ends a running measurement and lets a running exchange
    // end through its time-out row at once. portNumber is the text of CommPort.
    void portLost(const QString& portNumber);

    // --- Primitives for the exchange handlers ----------------------------------------

    void timerOn();
    void timerOff();
    // Off and on again: restarts the 10-second count.
    void restartTimer();
    // Counts every timerOn/timerOff, so that a time-out noticed late can tell whether
    // the timer was switched since it fired.
    unsigned timerGeneration() const { return timerGeneration_; }

    // The step whose answer is awaited, or null when ExchangeIndex is outside the list.
    ExchangeStep* currentStep();
    // Timer off, ReplyData of the current step = the answer after the echoed command,
    // advance ExchangeIndex.
    void accept(const QString& line);
    // Sends the command of the step at ExchangeIndex and switches the timer on; when
    // the list is exhausted nothing is sent.
    void continueExchange();
    // Moves ExchangeIndex back by one and stores line's data in that step.
    void stepBack(const QString& line);
    // True when ExchangeIndex has passed ExchangeLast.
    bool exchangeDone() const;
    // Replaces the list (ExchangeIndex 0, ExchangeLast = size - 1) without sending.
    void replaceList(std::vector<ExchangeStep> steps);

    Context& context() { return ctx_; }
    LinkClients& clients() { return clients_; }

private:
    void handleMeasureStatus(const QString& line);
    void handleMeasureSetup(const QString& line);
    void handleMeasureSend(const QString& line);
    void handleMeasureStop(const QString& line);
    void handleVersionSle(const QString& line);
    void handleVersionVer(const QString& line);
    void dispatchToDialogHandler(link::State state, int count, const QString& line);

    void showMessage(const QString& text);
    void enableDialog(DialogClient* dialog);
    void unloadDialog(DialogClient* dialog);
    void closeDownloadFile();
    void keisokuEnd();
    DialogClient* dialogClient(LinkDialog dialog) const;
    void assumeVersionFromUser();
    bool versionNoCheck();

    Context& ctx_;
    LinkTransport& transport_;
    LinkTimer& timer_;
    LinkClients& clients_;
    unsigned timerGeneration_ = 0;
};

// Steps the sequencer builds.
ExchangeStep makeStep(const QString& command, int replyLength, const QString& prefix = {},
                      int prefixLength = 0);

} // namespace quellin

#pragma once
// The command sequencer: one conversation with the meter at a time, and the only
// owner of it (its state number, its exchange list with the index and last step,
// the wiring mode the meter reported). A caller starts an exchange with its list;
// every completed line then goes through dispatch(), which takes the lines the
// meter may send at any time ("STP", "LOW", "RML" while measuring) and hands the
// others to the handler of the current LinkState. When the exchange is over the
// link goes idle and calls its caller back with the answers (LinkClients); the
// time-out reports a failed exchange once, in the words of the state that failed.
// The signals tell anyone else who waits (quellin-cli) that something ended.
//
// The sequencer knows no widgets: it writes through a LinkTransport, switches a
// LinkTimer and calls the windows back through LinkClients.

#include "base/Context.h"
#include "base/ExchangeStep.h"
#include "base/LinkClients.h"
#include "link/AnswerTests.h"
#include "link/LinkTexts.h"
#include "link/TimeoutTable.h"

#include <QObject>
#include <QString>
#include <deque>
#include <utility>
#include <vector>

namespace quellin {

class Sequencer : public QObject, public VersionExchangeStarter {
    Q_OBJECT

public:
    Sequencer(Context& ctx, LinkTransport& transport, LinkTimer& timer, LinkClients& clients);

    // --- The conversation, read only -----------------------------------------------

    // Which exchange runs (99 idle). 0 at process start.
    link::State LinkState() const { return state_; }
    // The wiring digit of the status answer at measurement start (0, 1, 2; -1 for
    // a digit the program does not know).
    int WiringMode() const { return wiringMode_; }
    int ExchangeIndex() const { return index_; }
    int ExchangeLast() const { return last_; }
    // Counts the exchanges started with startExchange: what is asked of one
    // exchange (a cancel) is not carried over to the next.
    unsigned exchangeSerial() const { return exchangeSerial_; }

    // --- Starting and ending exchanges ---------------------------------------------

    // The user gave up waiting for the meter's version: the version is asked of
    // the user at once, as after the time-out. Nothing outside that wait.
    void cancelVersionWait();

    // Writes command + CR as one block; nothing when the port is closed.
    void SendCommand(const QString& command);

    // The exchange list becomes steps (index 0, last step), the state linkState;
    // step 0 is sent and the time-out switched on. An empty list only sets the
    // state. Whatever ran before is overwritten.
    void startExchange(link::State linkState, std::vector<ExchangeStep> steps);

    // State 15: "CMD" (prefix "RMD", length 6); goes on through 16 and 17 to KeisokuStart.
    void startMeasurementRequest();
    // State 18: "SLE", "SMD10" (any two-character answer); ends in KeisokuEnd.
    void startStopExchange();

    // The waiting window is done with the link (its unload, the end of a
    // measurement): idle, so that a late answer is not taken for anything.
    void endExchange() override;

    // VersionExchangeStarter (start-up, states 22 and 23).
    bool portIsOpen() const override;
    void startVersionExchange() override;

    // --- Events ---------------------------------------------------------------------

    // The line dispatcher: one completed line of count characters. Lines that come
    // during the pause before "SLG" wait until it has been sent, as they waited in
    // the port's buffer while the original slept.
    void dispatch(int count, const QString& line);
    // TmrTimeOut fired: the time-out table.
    void onTimeout();
    // The port became unusable (reported by the port owner, which has closed it):
    // tells the user once, ends a running measurement and lets a running exchange
    // end through its time-out row at once. portNumber is the text of CommPort.
    void portLost(const QString& portNumber);

    // Counts every switch of the time-out timer, so that a time-out noticed late
    // can tell whether the timer was switched since it fired.
    unsigned timerGeneration() const { return timerGeneration_; }

    // The pause between the last set-up answer of a measurement start and "SLG".
    static constexpr int kPauseBeforeSlgMs = 1000;

    Context& context() { return ctx_; }
    const Context& context() const { return ctx_; }
    LinkClients& clients() { return clients_; }

Q_SIGNALS:
    // Every change of LinkState.
    void stateChanged(quellin::link::State state);
    // A line ended the exchange of state: the link awaits no further answer, and
    // the caller has been called back (with the answers, or told why not).
    void exchangeEnded(quellin::link::State state);
    // The exchange of state timed out: its time-out row has run.
    void exchangeFailed(quellin::link::State state);

private:
    friend class RunningExchange;
    // The link's own tests look at the list and move along it.
    friend struct SequencerProbe;

    void dispatchLine(int count, const QString& received);
    void dispatchByState(link::State state, int count, const QString& line);
    void dispatchToDialogHandler(int count, const QString& line);

    void handleMeasureStatus(const QString& line);
    void handleMeasureSetup(const QString& line);
    void handleMeasureSend(const QString& line);
    void handleMeasureStop(const QString& line);
    void handleVersionSle(const QString& line);
    void handleVersionVer(const QString& line);

    // --- The conversation's moves (the handlers reach them through RunningExchange)

    void setState(link::State state);
    void timerOn();
    void timerOff();
    // Off and on again: restarts the 10-second count.
    void restartTimer();
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
    ExchangeReplies replies() const;

    // --- The pause before "SLG" -----------------------------------------------------

    void startPauseBeforeSlg();
    void endPauseBeforeSlg(unsigned pause);
    // A new exchange or the end replaces the pause; what was held is handed on
    // from the event loop.
    void cancelPause();
    void releaseHeldLines();

    void showMessage(const QString& text);
    void enableDialog(DialogClient* dialog);
    void unloadDialog(DialogClient* dialog);
    void closeDownloadFile();
    void keisokuEnd();
    DialogClient* dialogClient(LinkDialog dialog) const;
    void assumeVersionFromUser();
    // bfVer_NoCheck; a catalogue built ends the exchange.
    bool versionNoCheck();

    Context& ctx_;
    LinkTransport& transport_;
    LinkTimer& timer_;
    LinkClients& clients_;
    unsigned timerGeneration_ = 0;
    unsigned exchangeSerial_ = 0;

    link::State state_ = link::State::SettingsStatus;
    std::vector<ExchangeStep> list_;
    int index_ = 0;
    int last_ = 0;
    int wiringMode_ = 0;

    bool pausing_ = false;
    bool releasing_ = false;
    unsigned pauseGeneration_ = 0;
    std::deque<std::pair<int, QString>> held_;
};

// Steps the sequencer builds.
ExchangeStep makeStep(const QString& command, int replyLength, const QString& prefix = {},
                      int prefixLength = 0);

} // namespace quellin

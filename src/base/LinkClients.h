#pragma once
// How the link reaches the rest of the program: the transport it writes to, the
// time-out timer it switches, and the windows it calls back. Each is a small
// interface so that the sequencer runs without widgets and without a port.

#include "base/ExchangeStep.h"
#include "base/LinkState.h"

#include <QByteArray>
#include <QString>

namespace quellin {

// The serial port as the sequencer sees it.
class LinkTransport {
public:
    virtual ~LinkTransport() = default;
    virtual bool isOpen() const = 0;
    // One block of bytes; does nothing when the port is closed.
    virtual void write(const QByteArray& bytes) = 0;
};

// TmrTimeOut: 10 000 ms, single-shot in effect (the handler switches it off).
class LinkTimer {
public:
    virtual ~LinkTimer() = default;
    virtual void start() = 0; // (re)starts the count
    // (Re)starts the count for a longer wait of ms, for one step only: the next
    // start() counts the link's own time-out again.
    virtual void startFor(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// FrmMDIMain's public procedures that the link calls.
class MainWindowClient {
public:
    virtual ~MainWindowClient() = default;
    virtual void KeisokuStart() = 0;
    virtual void KeisokuEnd() = 0;
    virtual void KeisokuEnd_Req() = 0;
    virtual void clearBusyText() = 0; // status panel 2 emptied by the download/clear time-outs
    // The port became unusable while a measurement runs: stop PC logging, then end
    // the measurement as if stopped, keeping the data set.
    virtual void linkLost() = 0;
    // A download's data line without its "RMM" (state 20): one record of the data set.
    virtual void Download_Recv(const QString& text) { (void)text; }
    // The download's last block ended ("RMME"): the data set is shown.
    virtual void DispDownload() {}
    // The download failed (refused, timed out, port lost) after TMP.DAT was opened
    // for it: the records received so far must not stand as a data set.
    virtual void downloadAbandoned() {}
};

// The version side of start-up (ModVer).
class VersionClient {
public:
    virtual ~VersionClient() = default;
    virtual bool bfVer_NoCheck() = 0;
    // The Yes/No question "which hardware version to assume": true = version 1.
    virtual bool askAssumeVersion1() = 0;
};

// What the version start-up needs of the link.
class VersionExchangeStarter {
public:
    virtual ~VersionExchangeStarter() = default;
    virtual bool portIsOpen() const = 0;
    // "SLE" in state 22; with HardVersion already known calls bfVer_NoCheck at
    // once, otherwise starts the time-out timer.
    virtual void startVersionExchange() = 0;
    // The catalogue was built without asking the meter: the link goes idle.
    virtual void endExchange() = 0;
};

// The measured-data handler: gets each "RML" line without its first three characters.
class MeasuredDataSink {
public:
    virtual ~MeasuredDataSink() = default;
    virtual void handleMeasuredLine(const QString& rest) = 0;
};

// A dialog that runs an exchange: the link calls it back when the exchange ends
// (having gone idle first), and the time-out gives it back to the user.
class DialogClient {
public:
    virtual ~DialogClient() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual void unload() = 0;
    virtual void clearSelections() {} // FrmKeisokuMode: both rows unselected, both sends off
    // The answers of the exchange that ended: the status, or every setting read.
    virtual void DataDisp(const ExchangeReplies& replies) { (void)replies; }
    // The answers of the memory information list: five per block.
    virtual void DispMemory(const ExchangeReplies& replies) { (void)replies; }
    virtual void startSecondTimer() {} // FrmDispSet's Tmr1Sec
};

class RunningExchange;

// The handlers of the dialog exchanges (settings, measurement mode, memory list and
// download, logging and memory clear). The sequencer hands each line of such a state
// to the handler of its group; a group without a handler ignores its lines.
class DialogExchangeHandler {
public:
    virtual ~DialogExchangeHandler() = default;
    // line is already upper-cased; count is its number of characters. exchange is
    // the link's running exchange (its state, list and steps), reachable only here.
    virtual void handleLine(RunningExchange& exchange, int count, const QString& line) = 0;
};

// Every window the link may call back; null members are windows not loaded.
struct LinkClients {
    MainWindowClient* main = nullptr;
    VersionClient* version = nullptr;
    MeasuredDataSink* measured = nullptr;
    DialogClient* dispSet = nullptr;     // FrmDispSet
    DialogClient* keisokuMode = nullptr; // FrmKeisokuMode
    DialogClient* download = nullptr;    // FrmDownload
    DialogClient* logingMem = nullptr;   // FrmLogingMem

    // Line handlers of the dialog exchanges, by group of states.
    DialogExchangeHandler* settingsExchange = nullptr; // states 0-3
    DialogExchangeHandler* modeExchange = nullptr;     // states 4-6
    DialogExchangeHandler* memoryExchange = nullptr;   // states 7-9, 19, 20
    DialogExchangeHandler* logingExchange = nullptr;   // states 10-14, 21
};

} // namespace quellin

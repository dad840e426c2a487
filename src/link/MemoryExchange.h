#pragma once
// The download dialog's exchanges with the meter: its memory list (states 7 to 9:
// "CMD", "CBN", the "CMI" reads) and the download itself (state 19: "CMD"; state
// 20: one "CMM" command per memory block, answered by "RMM" record lines and an
// "RMME" block end). The records go to the main window's Download_Recv, the end
// to DispDownload; a refusal or a failure never leaves the received records
// standing as a data set.

#include "base/LinkClients.h"
#include "base/MemoryClients.h"

namespace quellin {

class Sequencer;

class MemoryExchange : public DialogExchangeHandler {
public:
    explicit MemoryExchange(LinkClients& clients) : clients_(clients) {}

    // FrmDownload while it is loaded: this handler and the link's time-outs call it
    // back (attach also sets LinkClients::download).
    void attach(DownloadDialogClient* dialog);
    // Only the dialog that is attached detaches.
    void detach(DownloadDialogClient* dialog);

    void handleLine(RunningExchange& exchange, int count, const QString& line) override;

    // Stops a download under way: no further block is asked for, the lines of the
    // block the meter is sending are taken in and dropped (the meter cannot be
    // stopped within a block), and at its end (or its time-out) what was received
    // is discarded as for a failed download. False when no download runs.
    bool cancelDownload(const Sequencer& seq);

private:
    void listStatus(RunningExchange& ex, const QString& line);
    void listCount(RunningExchange& ex, const QString& line);
    void listInfo(RunningExchange& ex, const QString& line);
    void downloadStatus(RunningExchange& ex, const QString& line);
    void downloadData(RunningExchange& ex, const QString& line);
    // The memory list cannot be read: the dialog shows why in its list.
    void refuseList(RunningExchange& ex, const QString& text);
    // TMP.DAT closed and what was received discarded.
    void abandonDownload(RunningExchange& ex);
    // After a cancelled download: the busy note gone, the dialog given back.
    void finishCancel(RunningExchange& ex);

    LinkClients& clients_;
    DownloadDialogClient* dialog_ = nullptr;
    // The exchange (Sequencer::exchangeSerial) whose download was cancelled; 0
    // for none.
    unsigned cancelled_ = 0;
    bool cancelling(const RunningExchange& ex) const;
};

} // namespace quellin

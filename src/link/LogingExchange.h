#pragma once
// The logging memory dialog's exchanges with the meter: its logging state (state
// 10: "CMD"), starting and stopping its logging (11: "CMD", 12: "SMD21"/"SMD20"),
// its memory list (13: "CBN", 14: the "CMI" reads) and clearing blocks (21: the
// "SCB" commands, kept alive by the meter's "CPY"/"CLR" progress lines).

#include "base/LinkClients.h"
#include "base/MemoryClients.h"

namespace quellin {

class LogingExchange : public DialogExchangeHandler {
public:
    explicit LogingExchange(LinkClients& clients) : clients_(clients) {}

    // FrmLogingMem while it is loaded (attach also sets LinkClients::logingMem).
    void attach(LogingMemDialogClient* dialog);
    // Only the dialog that is attached detaches.
    void detach(LogingMemDialogClient* dialog);

    void handleLine(RunningExchange& exchange, int count, const QString& line) override;

private:
    void logingStatus(RunningExchange& ex, const QString& line);
    void sendStatus(RunningExchange& ex, const QString& line);
    void send(RunningExchange& ex, const QString& line);
    void memoryCount(RunningExchange& ex, const QString& line);
    void memoryInfo(RunningExchange& ex, const QString& line);
    void clear(RunningExchange& ex, const QString& line);
    // The logging command is not sent: the status just read is shown.
    void settled(RunningExchange& ex, const QString& line, const QString& message);
    void dataDisp(RunningExchange& ex);
    void enableDialog();

    LinkClients& clients_;
    LogingMemDialogClient* dialog_ = nullptr;
};

} // namespace quellin

#pragma once
// quellin-cli settings: the environment settings dialog without the window. The
// settings are read by the dialog's exchange and printed as "Name=value" lines;
// with --set, the lines of a file replace the values read, the dialog's checks
// run with its messages, and the dialog's send (ending with the flash write)
// follows.

#include "base/LinkClients.h"
#include "cli/CliSession.h"
#include "dialogs/DispSetFields.h"

namespace quellin {

class CliSettings : public DialogClient {
public:
    explicit CliSettings(CliSession& session);
    ~CliSettings() override;

    CliExit run();

    // DialogClient: the read ends in DataDisp, or in unload after a message; the
    // send ends in unload, or in the clock restarted after a message.
    void setEnabled(bool) override {}
    void unload() override { unloaded_ = true; }
    void DataDisp(const ExchangeReplies& replies) override;
    void startSecondTimer() override { sendFailed_ = true; }

private:
    CliExit read();
    CliExit send();

    CliSession& session_;
    Context& ctx_;
    DispSetFields fields_;
    bool shown_ = false;
    bool unloaded_ = false;
    bool sendFailed_ = false;
};

} // namespace quellin

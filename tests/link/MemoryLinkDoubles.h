#pragma once
// The memory exchanges with their real handlers and recording dialogs: every call
// into the main window and the dialogs goes into one log, in order.

#include "LinkDoubles.h"
#include "base/MemoryClients.h"
#include "link/LogingExchange.h"
#include "link/MemoryExchange.h"

namespace quellin::test {

class RecordingDownloadMain : public RecordingMain {
public:
    explicit RecordingDownloadMain(CallLog& log) : RecordingMain(log), log_(log) {}
    void Download_Recv(const QString& text) override { log_.add("main.Download_Recv:" + text); }
    void DispDownload() override { log_.add("main.DispDownload"); }
    void downloadAbandoned() override { log_.add("main.downloadAbandoned"); }

private:
    CallLog& log_;
};

template <class Client> class RecordingMemoryDialog : public Client {
public:
    RecordingMemoryDialog(CallLog& log, QString name) : log_(log), name_(std::move(name)) {}
    void setEnabled(bool enabled) override { log_.add(name_ + (enabled ? ".enable" : ".disable")); }
    void unload() override { log_.add(name_ + ".unload"); }
    void DataDisp() override { log_.add(name_ + ".DataDisp"); }
    void DispMemory() override { log_.add(name_ + ".DispMemory"); }
    void showSingleLine(const QString& text) override { log_.add(name_ + ".line:" + text); }

protected:
    CallLog& log_;
    QString name_;
};

class RecordingDownloadDialog : public RecordingMemoryDialog<DownloadDialogClient> {
public:
    using RecordingMemoryDialog::RecordingMemoryDialog;
    void disableDownload() override { log_.add(name_ + ".disableDownload"); }
};
using RecordingLogingDialog = RecordingMemoryDialog<LogingMemDialogClient>;

struct MemoryLinkFixture {
    MemoryLinkFixture()
    {
        tc.msg.onShow = [this](const MessageRequest& r) { log.add("msg:" + r.text); };
        clients.main = &main;
        clients.memoryExchange = &memory;
        clients.logingExchange = &loging;
        memory.attach(&download);
        loging.attach(&logingMem);
    }

    Context& ctx() { return *tc.ctx; }
    void line(const QString& text) { input.bytesReceived((text + '\r').toLatin1()); }
    QStringList sent() const { return transport.commands(); }
    // Answers each command as it is sent, until none is left to answer.
    void answer(const std::function<QString(const QString&)>& reply)
    {
        for (qsizetype done = 0; done < sent().size();) {
            const QString command = sent()[done++];
            const QString text = reply(command);
            if (!text.isEmpty())
                line(text);
        }
    }

    TestContext tc;
    CallLog log;
    FakeTransport transport;
    FakeTimer timer;
    RecordingDownloadMain main{log};
    RecordingDownloadDialog download{log, "download"};
    RecordingLogingDialog logingMem{log, "logingMem"};
    LinkClients clients;
    MemoryExchange memory{clients};
    LogingExchange loging{clients};
    Sequencer seq{*tc.ctx, transport, timer, clients};
    LinkInput input{seq};
};

} // namespace quellin::test

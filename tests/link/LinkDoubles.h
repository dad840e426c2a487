#pragma once
// Doubles for the link's seams: a transport that records writes, a timer that the
// test fires, and clients that record every call into one shared log, so that a
// test can check what happened in which order.

#include "base/LinkClients.h"
#include "link/LinkInput.h"
#include "link/RunningExchange.h"
#include "link/Sequencer.h"
#include "support/TestContext.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace quellin {

// The link's own tests: the list as the sequencer holds it, and the moves its
// handlers make on it.
struct SequencerProbe {
    static const std::vector<ExchangeStep>& steps(const Sequencer& seq) { return seq.list_; }
    static RunningExchange exchange(Sequencer& seq) { return RunningExchange(seq); }
};

} // namespace quellin

namespace quellin::test {

struct CallLog {
    QStringList entries;
    void add(const QString& entry) { entries << entry; }
    void clear() { entries.clear(); }
};

class FakeTransport : public LinkTransport {
public:
    bool isOpen() const override { return open; }
    void write(const QByteArray& bytes) override
    {
        if (open)
            writes.push_back(bytes);
    }
    // The commands written, without their carriage return.
    QStringList commands() const
    {
        QStringList out;
        for (const auto& w : writes)
            out << QString::fromLatin1(w.endsWith('\r') ? w.chopped(1) : w);
        return out;
    }
    bool open = true;
    std::vector<QByteArray> writes;
};

class FakeTimer : public LinkTimer {
public:
    void start() override
    {
        active = true;
        ++starts;
        lastMs = 0;
    }
    void startFor(int ms) override
    {
        start();
        lastMs = ms;
    }
    void stop() override
    {
        active = false;
        ++stops;
    }
    bool isActive() const override { return active; }
    bool active = false;
    int starts = 0;
    int stops = 0;
    int lastMs = 0; // the longer wait of the last start; 0 for the link's own
};

class RecordingMain : public MainWindowClient {
public:
    explicit RecordingMain(CallLog& log) : log_(log) {}
    void KeisokuStart() override { record("KeisokuStart"); }
    void KeisokuEnd() override { record("KeisokuEnd"); }
    void KeisokuEnd_Req() override { record("KeisokuEnd_Req"); }
    void clearBusyText() override { record("clearBusyText"); }
    void linkLost() override { record("linkLost"); }
    // Runs after each recorded call (to act like the window, e.g. end the exchange).
    std::function<void(const QString&)> onCall;

private:
    void record(const QString& call)
    {
        log_.add("main." + call);
        if (onCall)
            onCall(call);
    }
    CallLog& log_;
};

class RecordingVersion : public VersionClient {
public:
    RecordingVersion(CallLog& log, Context& ctx) : log_(log), ctx_(ctx) {}
    // Like the catalogue builder: fails for version 0.
    bool bfVer_NoCheck() override
    {
        log_.add(QStringLiteral("version.bfVer_NoCheck:%1").arg(ctx_.app.HardVersion));
        return ctx_.app.HardVersion != 0;
    }
    bool askAssumeVersion1() override
    {
        log_.add("version.ask");
        return answerVersion1;
    }
    bool answerVersion1 = true;

private:
    CallLog& log_;
    Context& ctx_;
};

class RecordingSink : public MeasuredDataSink {
public:
    explicit RecordingSink(CallLog& log) : log_(log) {}
    void handleMeasuredLine(const QString& rest) override { log_.add("measured:" + rest); }

private:
    CallLog& log_;
};

class RecordingDialog : public DialogClient {
public:
    RecordingDialog(CallLog& log, QString name) : log_(log), name_(std::move(name)) {}
    void setEnabled(bool enabled) override { log_.add(name_ + (enabled ? ".enable" : ".disable")); }
    void unload() override { log_.add(name_ + ".unload"); }
    void clearSelections() override { log_.add(name_ + ".clearSelections"); }
    void DataDisp(const ExchangeReplies& r) override
    {
        log_.add(name_ + ".DataDisp");
        replies = r;
        if (onDataDisp)
            onDataDisp();
    }
    void DispMemory(const ExchangeReplies& r) override
    {
        log_.add(name_ + ".DispMemory");
        replies = r;
    }
    void startSecondTimer() override { log_.add(name_ + ".Tmr1Sec"); }
    std::function<void()> onDataDisp; // runs after DataDisp is recorded
    ExchangeReplies replies;          // what the last DataDisp or DispMemory was given

private:
    CallLog& log_;
    QString name_;
};

class RecordingExchangeHandler : public DialogExchangeHandler {
public:
    RecordingExchangeHandler(CallLog& log, QString name) : log_(log), name_(std::move(name)) {}
    void handleLine(RunningExchange& exchange, int count, const QString& line) override
    {
        log_.add(QStringLiteral("%1:%2:%3:%4")
                     .arg(name_)
                     .arg(link::number(exchange.state()))
                     .arg(count)
                     .arg(line));
    }

private:
    CallLog& log_;
    QString name_;
};

// A sequencer with every client attached and recording, and its receive path.
struct LinkFixture {
    LinkFixture()
    {
        tc.msg.onShow = [this](const MessageRequest& r) { log.add("msg:" + r.text); };
        attachAll();
    }

    void attachAll()
    {
        clients.main = &main;
        clients.version = &version;
        clients.measured = &sink;
        clients.dispSet = &dispSet;
        clients.keisokuMode = &keisokuMode;
        clients.download = &download;
        clients.logingMem = &logingMem;
        clients.settingsExchange = &settingsHandler;
        clients.modeExchange = &modeHandler;
        clients.memoryExchange = &memoryHandler;
        clients.logingExchange = &logingHandler;
    }
    void detachAll() { clients = LinkClients{}; }

    Context& ctx() { return *tc.ctx; }
    // Feeds text as received bytes (each line needs its own "\r").
    void receive(const QString& text) { input.bytesReceived(text.toLatin1()); }
    void line(const QString& text) { receive(text + '\r'); }
    QStringList sent() const { return transport.commands(); }
    QString lastSent() const { return sent().isEmpty() ? QString() : sent().back(); }
    // The link in state with an empty list, as a caller that only names a state.
    void enterState(link::State state) { seq.startExchange(state, {}); }
    void enterState(int state) { enterState(static_cast<link::State>(state)); }

    TestContext tc;
    CallLog log;
    FakeTransport transport;
    FakeTimer timer;
    RecordingMain main{log};
    RecordingVersion version{log, *tc.ctx};
    RecordingSink sink{log};
    RecordingDialog dispSet{log, "dispSet"};
    RecordingDialog keisokuMode{log, "keisokuMode"};
    RecordingDialog download{log, "download"};
    RecordingDialog logingMem{log, "logingMem"};
    RecordingExchangeHandler settingsHandler{log, "settings"};
    RecordingExchangeHandler modeHandler{log, "mode"};
    RecordingExchangeHandler memoryHandler{log, "memory"};
    RecordingExchangeHandler logingHandler{log, "loging"};
    LinkClients clients;
    Sequencer seq{*tc.ctx, transport, timer, clients};
    LinkInput input{seq};
};

} // namespace quellin::test

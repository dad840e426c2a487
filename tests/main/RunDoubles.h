#pragma once
// Doubles for the measurement run: a main window that records what the session's
// states do to its menus and buttons, a port that records commands, and a harness
// that wires a real Sequencer and MeasurementRun together over them.

#include "MeasureStateAccess.h"
#include "TestContext.h"
#include "base/LinkClients.h"
#include "catalog/ModVer.h"
#include "link/Sequencer.h"
#include "main/MeasurementRun.h"
#include "main/SessionControls.h"

#include <QMap>
#include <QStringList>
#include <bit>
#include <memory>
#include <cstdint>
#include <functional>
#include <memory>

namespace quellin::test {

class RecordingView : public MeasurementView, public CommandControls {
public:
    // Recorded by the items' names and the buttons' keys, the images by number.
    void setMenuCaption(MenuItem menu, const QString& caption) override
    {
        const QString item = menuItemName(menu);
        calls << QStringLiteral("caption %1 %2").arg(item, caption);
        captions[item] = caption;
    }
    void setMenuEnabled(MenuItem menu, bool enabled) override
    {
        const QString item = menuItemName(menu);
        calls << QStringLiteral("menu %1 %2").arg(item).arg(enabled);
        menuEnabled[item] = enabled;
    }
    void setButtonImage(ToolButton button, ToolImage picture) override
    {
        const QString key = toolButtonKey(button);
        const int image = static_cast<int>(picture);
        calls << QStringLiteral("image %1 %2").arg(key).arg(image);
        images[key] = image;
    }
    void setButtonToolTip(ToolButton button, const QString& tip) override
    {
        const QString key = toolButtonKey(button);
        calls << QStringLiteral("tip %1 %2").arg(key, tip);
        tips[key] = tip;
    }
    void setButtonEnabled(ToolButton button, bool enabled) override
    {
        const QString key = toolButtonKey(button);
        calls << QStringLiteral("button %1 %2").arg(key).arg(enabled);
        buttonEnabled[key] = enabled;
    }
    bool viewMark(ViewItem item) const override { return marks.value(static_cast<int>(item)); }
    bool confirmClearData() override
    {
        ++clearQuestions;
        if (clearAnswer)
            cleared = true;
        return clearAnswer;
    }
    void refreshList() override { ++listRefreshes; }
    bool listShowsNewest() const override { return listAtEnd; }
    void refreshGraph() override { ++graphRefreshes; }
    ValuePanel* valuePanel() override { return panel.get(); }
    // A value panel that keeps whether its values are marked old; none unless set.
    struct StalePanel : ValuePanel {
        void setValue(int, const QString&) override {}
        void setUnit(int, const QString&) override {}
        void showStale(bool s) override { stale = s; }
        bool stale = false;
    };
    std::unique_ptr<StalePanel> panel;

    void mark(ViewItem item, bool on) { marks[static_cast<int>(item)] = on; }

    QStringList calls;
    QMap<QString, QString> captions;
    QMap<QString, bool> menuEnabled;
    QMap<QString, int> images;
    QMap<QString, QString> tips;
    QMap<QString, bool> buttonEnabled;
    QMap<int, bool> marks;
    bool listAtEnd = true;
    bool clearAnswer = false;
    bool cleared = false;
    int clearQuestions = 0;
    int listRefreshes = 0;
    int graphRefreshes = 0;
};

class CommandPort : public LinkTransport {
public:
    bool isOpen() const override { return open; }
    bool open = true;
    void write(const QByteArray& bytes) override
    {
        const QString command = QString::fromLatin1(bytes).chopped(1);
        commands << command;
        if (onWrite)
            onWrite(command);
    }
    QStringList commands;
    std::function<void(const QString&)> onWrite;
};

class ManualTimer : public LinkTimer {
public:
    void start() override { active = true; }
    void startFor(int) override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    bool active = false;
};

// The main window's link call-backs, forwarded to the run as FrmMDIMain does.
class RunClient : public MainWindowClient {
public:
    MeasurementRun* run = nullptr;
    void KeisokuStart() override { run->KeisokuStart(); }
    void KeisokuEnd() override { run->KeisokuEnd(); }
    void KeisokuEnd_Req() override { run->KeisokuEnd_Req(); }
    void clearBusyText() override {}
    void linkLost() override { run->linkLost(); }
};

// A version-1 or version-2 catalogue as the version check builds it.
inline void fillCatalog(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    dimensionCatalog(ctx.cat, version);
    ctx.cat.LogColumns.assign(ctx.cat.LogColumns.size(), true);
    test::props(ctx).ColumnPresent.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, false);
}

struct RunHarness {
    explicit RunHarness(int version = 2, int wiring = 2, int logingTime = 1)
    {
        fillCatalog(ctx(), version);
        reportWiring(wiring);
        ctx().app.LogingTime = logingTime;
        run = std::make_unique<MeasurementRun>(ctx(), view, *seq);
        // The window's commands follow the session as FrmMDIMain has them follow.
        QObject::connect(
            run.get(), &MeasurementRun::stateChanged, run.get(),
            [this](MeasurementState s) { showMeasurementState(view, s, ctx().app.DataPresent); });
        QObject::connect(run.get(), &MeasurementRun::loggingChanged, run.get(),
                         [this](bool on) { showLoggingState(view, on); });
        client.run = run.get();
        clients.main = &client;
        clients.measured = &run->measuredData();
    }
    Context& ctx() { return *t.ctx; }
    // The measured-data handler's state, to be read or set by the test.
    MeasureState& meas() { return MeasureStateAccess::state(run->measuredData()); }
    bool logging() const { return run->logging(); }
    // The meter has confirmed the start.
    void start()
    {
        run->keisokuCommand();
        run->KeisokuStart();
    }
    // One measured-data line through the dispatcher, at 2002/06/01 12:00:00 + second.
    void line(int second, float power = 1000);
    // The meter's last status answer reported wiring (one digit): the link keeps
    // it, and the harness forgets the start it belonged to.
    void reportWiring(int wiring)
    {
        seq->startMeasurementRequest();
        seq->dispatch(6, QStringLiteral("RMD") + QString::number(wiring) + QStringLiteral("00"));
        seq->endExchange();
        port.commands.clear();
        timer.active = false;
    }

    TestContext t;
    RecordingView view;
    CommandPort port;
    ManualTimer timer;
    LinkClients clients;
    RunClient client;
    std::unique_ptr<Sequencer> seq = std::make_unique<Sequencer>(*t.ctx, port, timer, clients);
    std::unique_ptr<MeasurementRun> run;
};

inline QString hexOf(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

// A measured-data line (with "RML") of 100 V / 10 A on both phases.
inline QString measuredLine(int version, int second, float power)
{
    QString out = QStringLiteral("RML0000");
    const float seven[] = {100, 100, 10, 10, power, 90, 50};
    for (int i = 0; i < 7; ++i)
        out += (i ? QStringLiteral(",") : QString()) + hexOf(seven[i]);
    out += QStringLiteral(",2002/06/01 %1:%2:%3")
               .arg(12 + second / 3600, 2, 10, QLatin1Char('0'))
               .arg((second / 60) % 60, 2, 10, QLatin1Char('0'))
               .arg(second % 60, 2, 10, QLatin1Char('0'));
    if (version >= 2)
        for (float v : {1.0f, 2.0f, 3.0f, 20.0f, 21.0f})
            out += ',' + hexOf(v);
    return out;
}

inline void RunHarness::line(int second, float power)
{
    const QString text = measuredLine(ctx().app.HardVersion, second, power);
    seq->dispatch(static_cast<int>(text.size()), text);
}

} // namespace quellin::test

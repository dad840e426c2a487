#pragma once
// Scripted doubles of the platform services: they record what was shown and
// answer questions from a queue of programmed answers.

#include "platform/Services.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quellin::test {

class ScriptedMessageBox : public MessageBoxService {
public:
    MsgAnswer show(const MessageRequest& request) override;

    // Answers handed out in order; when the queue is empty: Ok for Ok boxes,
    // Yes for Yes/No questions (or defaultAnswer when set).
    std::deque<MsgAnswer> answers;
    std::optional<MsgAnswer> defaultAnswer;
    // Runs while a box is "open" (to test re-entrancy of nested event loops).
    std::function<void(const MessageRequest&)> onShow;

    std::vector<MessageRequest> shown;
    QStringList texts() const;
    bool sawText(const QString& text) const;
    void clear() { shown.clear(); }
};

class ScriptedFileDialog : public FileDialogService {
public:
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;

    std::deque<QString> answers; // paths; empty text = cancel
    std::vector<FileDialogRequest> opens;
    std::vector<FileDialogRequest> saves;
};

// No time passes in a test: a timer step is recorded (its length in slept) and
// runs from the event loop at once, so a test sees that nothing happens before
// the loop runs (runSteps) and everything after it.
class FakeSleep : public SleepService {
public:
    void after(int ms, QObject* context, std::function<void()> step) override
    {
        slept.push_back(ms);
        if (onSleep)
            onSleep(ms);
        QTimer::singleShot(0, context, std::move(step));
    }
    // Runs the steps that are due (and whatever else the event loop holds).
    static void runSteps() { QCoreApplication::processEvents(); }
    void processEvents() override
    {
        ++eventRounds;
        if (onProcessEvents)
            onProcessEvents();
    }
    std::vector<int> slept;
    int eventRounds = 0;
    std::function<void(int)> onSleep;
    std::function<void()> onProcessEvents;
};

class FakePointer : public PointerService {
public:
    // Kept as the pointer's numbers (0 default, 11 hourglass).
    void setPointer(MousePointer pointer) override
    {
        history.push_back(static_cast<int>(pointer));
        current = static_cast<int>(pointer);
    }
    int current = 0;
    std::vector<int> history;
};

class FakeClock : public Clock {
public:
    double now() const override { return value; }
    double value = 37408.0; // 2002-06-01 00:00:00
};

class FakeStatus : public StatusPanel {
public:
    void setPanelText(int panel, const QString& text) override { panels[panel] = text; }
    QString panelText(int panel) const override { return panels[panel]; }
    QString panels[5];
};

} // namespace quellin::test

#pragma once
// Everything the original platform did for a routine, as interfaces the routine
// receives. Qt implementations live beside this file (QtServices.*); tests use
// the scripted doubles of tests/support.

#include <QString>
#include <functional>

class QObject;
class QWidget;

namespace quellin {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title; // empty: the application title
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool foreground = false; // bring the box to the front
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;

    // Shorthands for the common forms.
    MsgAnswer info(const QString& text, MsgIcon icon = MsgIcon::None)
    {
        return show({text, {}, MsgButtons::Ok, icon, false});
    }
    bool askYesNo(const QString& text, MsgIcon icon = MsgIcon::Question)
    {
        return show({text, {}, MsgButtons::YesNo, icon, false}) == MsgAnswer::Yes;
    }
};

struct FileDialogRequest {
    QWidget* owner = nullptr;
    QString filter;  // e.g. "CSVﾌｧｲﾙ(*.csv)"
    QString pattern; // e.g. "*.csv"
    QString initialFolder;
    QString defaultExtension; // save only, e.g. "*.csv"
    QString title;            // save only; empty for none
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
};

class SleepService {
public:
    virtual ~SleepService() = default;
    // The original Sleep as a timer step: step runs once, ms milliseconds from
    // now, from the event loop, so that pending events run meanwhile; not at all
    // once context is destroyed.
    virtual void after(int ms, QObject* context, std::function<void()> step) = 0;
    // Lets the pending window events run once (the original DoEvents).
    virtual void processEvents() = 0;
};

// The screen's mouse pointer, by the numbers Basic gave them.
enum class MousePointer : int { Default = 0, Hourglass = 11 };

class PointerService {
public:
    virtual ~PointerService() = default;
    virtual void setPointer(MousePointer pointer) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Current local date and time as a date value (days since 1899-12-30).
    virtual double now() const = 0;
};

// The main window's status bar, as far as the core writes it (panels 1..4).
class StatusPanel {
public:
    virtual ~StatusPanel() = default;
    virtual void setPanelText(int panel, const QString& text) = 0;
    virtual QString panelText(int panel) const = 0;
};

struct Services {
    MessageBoxService& msg;
    FileDialogService& files;
    SleepService& sleep;
    PointerService& pointer;
    Clock& clock;
    StatusPanel& status;
};

} // namespace quellin

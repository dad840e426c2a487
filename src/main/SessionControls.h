#pragma once
// How the main window's commands look in each state of the measurement session:
// the captions, images and tool tips of the measurement and logging commands and
// which commands a running measurement switches off, in one table.

#include "main/MainWindowItems.h"

#include <QString>

namespace quellin {

// The measurement session's states. Starting: the start exchange runs (the
// window still looks idle); Stopping: the stop exchange runs (it still looks as
// while measuring).
enum class MeasurementState { Idle, Starting, Measuring, Stopping };

// What the table writes into: the main window's menu items and toolbar buttons.
class CommandControls {
public:
    virtual ~CommandControls() = default;
    virtual void setMenuCaption(MenuItem item, const QString& caption) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void setButtonImage(ToolButton button, ToolImage image) = 0;
    virtual void setButtonToolTip(ToolButton button, const QString& tip) = 0;
    virtual void setButtonEnabled(ToolButton button, bool enabled) = 0;
};

// The commands for the session's state. The save and clear commands need data
// as well (dataPresent). Starting and Stopping leave the commands as they are.
void showMeasurementState(CommandControls& controls, MeasurementState state, bool dataPresent);
// The logging command for PC logging on or off.
void showLoggingState(CommandControls& controls, bool logging);

} // namespace quellin

#include "main/SessionControls.h"

#include "platform/Tx.h"

#include <optional>

namespace quellin {

namespace {

// A look of the session and the command it changes: caption, image, tip, and for
// the measurement command the logging command's and the others' enabling.
enum class Look { Idle, Measuring, LoggingOff, LoggingOn };

struct ControlsRow {
    Look look;
    MenuItem menu;
    ToolButton button;
    const char* caption; // the catalogue's ids, translated when shown
    ToolImage image;
    const char* tip;
    std::optional<bool> loggingEnabled; // MnuExec_Loging and its button
    std::optional<bool> disturbingOn;   // the commands below
};

constexpr ControlsRow kTable[] = {
    {Look::Idle, MenuItem::MnuExec_Keisoku, ToolButton::Keisoku, TXN("計測開始(&S)"),
     ToolImage::KeisokuIdle, TXN("計測開始"), false, true},
    {Look::Measuring, MenuItem::MnuExec_Keisoku, ToolButton::Keisoku, TXN("計測停止(&S)"),
     ToolImage::KeisokuActive, TXN("計測停止"), true, false},
    {Look::LoggingOff, MenuItem::MnuExec_Loging, ToolButton::Loging, TXN("ﾛｷﾞﾝｸﾞ開始(&L)"),
     ToolImage::LogingIdle, TXN("ﾛｷﾞﾝｸﾞ開始"), std::nullopt, std::nullopt},
    {Look::LoggingOn, MenuItem::MnuExec_Loging, ToolButton::Loging, TXN("ﾛｷﾞﾝｸﾞ停止(&L)"),
     ToolImage::LogingActive, TXN("ﾛｷﾞﾝｸﾞ停止"), std::nullopt, std::nullopt},
};

// Commands that would disturb a running measurement (the meter's settings, the data
// set, printing); the memory menu, the view menu and help stay usable.
constexpr MenuItem kMenusOffWhileMeasuring[] = {
    MenuItem::MnuManu_Keisoku,    MenuItem::MnuManu_Pref,        MenuItem::MnuFile_Load,
    MenuItem::MnuFile_Save,       MenuItem::MnuFile_Download,    MenuItem::MnuFile_Clear,
    MenuItem::MnuFile_PrintGraph, MenuItem::MnuFile_PrintSpread, MenuItem::MnuPref_System,
    MenuItem::MnuPref_Loging,     MenuItem::MnuFile_Pdf};
constexpr ToolButton kButtonsOffWhileMeasuring[] = {
    ToolButton::Load,        ToolButton::Save,       ToolButton::Download, ToolButton::Clear,
    ToolButton::SpreadPrint, ToolButton::GraphPrint, ToolButton::System};

void show(CommandControls& controls, Look look, bool dataPresent)
{
    for (const ControlsRow& row : kTable) {
        if (row.look != look)
            continue;
        controls.setMenuCaption(row.menu, tx(row.caption));
        controls.setButtonImage(row.button, row.image);
        controls.setButtonToolTip(row.button, tx(row.tip));
        if (row.loggingEnabled) {
            controls.setMenuEnabled(MenuItem::MnuExec_Loging, *row.loggingEnabled);
            controls.setButtonEnabled(ToolButton::Loging, *row.loggingEnabled);
        }
        if (row.disturbingOn) {
            // Save and clear need data: an "STP" or a time-out while idle ends
            // here too, and must not offer to save an empty data set.
            const bool on = *row.disturbingOn;
            for (MenuItem item : kMenusOffWhileMeasuring)
                controls.setMenuEnabled(item, item == MenuItem::MnuFile_Save ||
                                                      item == MenuItem::MnuFile_Clear
                                                  ? on && dataPresent
                                                  : on);
            for (ToolButton button : kButtonsOffWhileMeasuring)
                controls.setButtonEnabled(button,
                                          button == ToolButton::Save || button == ToolButton::Clear
                                              ? on && dataPresent
                                              : on);
        }
    }
}

} // namespace

void showMeasurementState(CommandControls& controls, MeasurementState state, bool dataPresent)
{
    if (state == MeasurementState::Idle)
        show(controls, Look::Idle, dataPresent);
    else if (state == MeasurementState::Measuring)
        show(controls, Look::Measuring, dataPresent);
}

void showLoggingState(CommandControls& controls, bool logging)
{
    show(controls, logging ? Look::LoggingOn : Look::LoggingOff, false);
}

} // namespace quellin

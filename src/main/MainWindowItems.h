#pragma once
// The main window's menu items and toolbar buttons as the program names them,
// and the toolbar's images by their numbers in the image list (7 and 8 the
// measurement button, 9 and 10 the logging button).

#include <QString>

namespace quellin {

enum class MenuItem {
    MnuFile_Load,
    MnuFile_Save,
    MnuFile_Download,
    MnuFile_Clear,
    MnuFile_PrintSpread,
    MnuFile_PrintGraph,
    MnuFile_Pdf,
    MnuFile_GraphImage,
    MnuFile_Exit,
    MnuView_Denryoku,
    MnuView_Graph,
    MnuView_Spread,
    MnuExec_Keisoku,
    MnuExec_Loging,
    MnuManu_Keisoku,
    MnuManu_Memori,
    MnuManu_Pref,
    MnuPref_Loging,
    MnuPref_System,
    MnuHelp_Mokuji,
    MnuHelp_Version,
};
constexpr int kMenuItemCount = static_cast<int>(MenuItem::MnuHelp_Version) + 1;

// Toolbar buttons, in the toolbar's order.
enum class ToolButton {
    Load,
    Save,
    Download,
    Clear,
    SpreadPrint,
    GraphPrint,
    Keisoku,
    Loging,
    System,
    Help
};
constexpr int kToolButtonCount = static_cast<int>(ToolButton::Help) + 1;

enum class ToolImage : int {
    Load = 1,
    Save = 2,
    Download = 3,
    Clear = 4,
    SpreadPrint = 5,
    GraphPrint = 6,
    KeisokuIdle = 7,
    KeisokuActive = 8,
    LogingIdle = 9,
    LogingActive = 10,
    System = 11,
    Help = 12,
};

// The item's name ("MnuExec_Keisoku") and the button's key ("Keisoku").
QString menuItemName(MenuItem item);
QString toolButtonKey(ToolButton button);

} // namespace quellin

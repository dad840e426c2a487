#include "main/MainWindowItems.h"

#include <array>

namespace quellin {

QString menuItemName(MenuItem item)
{
    static const std::array<const char*, kMenuItemCount> kNames = {
        "MnuFile_Load",        "MnuFile_Save",       "MnuFile_Download", "MnuFile_Clear",
        "MnuFile_PrintSpread", "MnuFile_PrintGraph", "MnuFile_Pdf",      "MnuFile_GraphImage",
        "MnuFile_Exit",        "MnuView_Denryoku",   "MnuView_Graph",    "MnuView_Spread",
        "MnuExec_Keisoku",     "MnuExec_Loging",     "MnuManu_Keisoku",  "MnuManu_Memori",
        "MnuManu_Pref",        "MnuPref_Loging",     "MnuPref_System",   "MnuHelp_Mokuji",
        "MnuHelp_Version"};
    return QString::fromLatin1(kNames[static_cast<std::size_t>(item)]);
}

QString toolButtonKey(ToolButton button)
{
    static const std::array<const char*, kToolButtonCount> kKeys = {
        "Load",       "Save",    "Download", "Clear",  "SpreadPrint",
        "GraphPrint", "Keisoku", "Loging",   "System", "Help"};
    return QString::fromLatin1(kKeys[static_cast<std::size_t>(button)]);
}

} // namespace quellin

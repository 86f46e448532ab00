#pragma once
// Where the desktop program finds its files: the working folder of Tabulix's
// tables, and the files beside the program ("Tabulix.ini", "ITACA.chm").
#include <QString>
#include <filesystem>

namespace velmora {

// C:\XTEMP on Windows. Elsewhere $WINEPREFIX/drive_c/XTEMP, or
// ~/.wine/drive_c/XTEMP, where Tabulix keeps it under Wine. VELMORA_XTEMP
// overrides it everywhere.
std::filesystem::path WorkingFolder();

// "Tabulix.ini" beside the program (the folder VELMORA_INI_DIR names instead,
// when set).
QString SettingsFilePath();

// "ITACA.chm" beside the program (the folder VELMORA_HELP_DIR names instead,
// when set).
QString HelpFilePath();

}  // namespace velmora

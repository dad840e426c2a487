#pragma once
// The PC settings as the program holds them: reading them at start-up, checking
// and repairing them once the hardware version is known, and the texts their
// writers store.

#include <QString>
#include <climits>
#include <optional>
#include <vector>

namespace quellin {

struct Context;
struct Catalog;

// What an integer setting holds when its stored text was not a number; the
// validation repairs it (LogingTime to 1, GraphXHani to 0).
constexpr int kNonNumericSetting = INT_MIN;

// Ordinary integer conversion of a stored text: rounded half to even, held within
// the 32-bit range (just above kNonNumericSetting at the low end);
// kNonNumericSetting for a text that is not a number.
int settingToInt(const QString& text);

// AppFolder + "Data" + separator: the default of FilePath and LogingPath.
QString defaultDataFolder(const Context& ctx);

// The default data folder made when FilePath or LogingPath names it and it is
// missing, so that the file dialogs open there. A folder the user chose is never
// made: it may lie on a stick that is not plugged in. False when making it failed
// (the dialogs then open where they can).
bool makeDefaultDataFolder(const Context& ctx);

// FilePath, CommPort, CommParam, LogingTime, LogingPath, GraphXHani, in this
// order, each with its default. Nothing is checked here and nothing written.
void readStartupSettings(Context& ctx);

// A per-item value (LogingData, GraphYFlg, GraphYKizami): the stored text when it
// has exactly expectedLength characters, else def.
QString readPerItemSetting(Context& ctx, const QString& name, int expectedLength,
                           const QString& def);

// The port number of CommPort: a whole number 1 to 8, read as Basic reads it
// ("3", " 3", "03", "+3", "3.0"); nothing for any other text ("1.5", "COM3", "1e0").
std::optional<int> commPortNumber(const QString& port);
// CommPort: a text commPortNumber reads.
bool isValidCommPort(const QString& port);
// CommParam: speed 4800/9600/19200/38400, parity N/O/E, data bits 7/8, stop bits
// 1/2, as "9600,N,8,1" (a four-digit speed) or "19200,E,7,2", nothing more.
bool isValidCommParam(const QString& param);

// Checks and repairs the loaded settings in place, in the fixed order: FilePath,
// CommPort, CommParam, LogingTime, LogingPath, SeriesScale, GraphXHani. Nothing
// is written back.
void validateSettings(Context& ctx);

// The stored texts: one "1"/"0" per series or column, two digits per scale index.
QString graphYFlgText(const Catalog& cat);
QString graphYKizamiText(const Catalog& cat);
QString logingDataText(const Catalog& cat);

// GraphYUser: "1" for each series whose Y scale the user chose in the Y-axis
// dialog. Read back with scalesChosenFrom: the stored text when it has one
// character per series; settings written before it existed have none, and then a
// series whose stored GraphYKizami pair is not the default "00" counts as chosen.
QString graphYUserText(const Catalog& cat);
std::vector<bool> scalesChosenFrom(const QString& graphYUser, const QString& graphYKizami,
                                   int series);

// At program end: GraphYFlg, GraphYKizami, GraphYUser and GraphXHani, as strings.
void storeGraphSettings(Context& ctx);

} // namespace quellin

#pragma once
// The hardware version and the item catalogue it implies (ModVer).
//
// Version 1 has columns 0..12 and graph series 0..8; version 2 and any later
// number add three leakage currents and two temperatures (columns 13..17, series
// 9..13). Everything that lists measured items is sized from the catalogue.

#include "base/LinkClients.h"

#include <QString>

namespace quellin {

struct Catalog;
struct Context;

// Start of the version exchange at program start: with the port open the link
// asks the meter ("SLE", then "VER"); with the port closed and the version still
// unknown the user chooses, the catalogue is built and the link goes idle. False
// only when an error was trapped.
bool bfVer_Open(Context& ctx, VersionExchangeStarter& starter);

// The Yes/No question asked when the meter cannot tell its version: true for
// version 1 (Yes), false for version 2 (No).
bool askAssumeVersion1(Context& ctx);

// Builds the catalogue for HardVersion without talking to the meter: titles,
// names, units, the per-item choices from the settings, the Y ranges; then checks
// the settings and empties the data store (the link, which called it back, then
// goes idle). False when HardVersion is not known (0 or below; nothing is built)
// or an error was trapped.
bool bfVer_NoCheck(Context& ctx);

// The Y range of series s from its scale index k = SeriesScale[s]:
//   mode -1  0 .. (k+1)×100          (leakage currents, mA)
//   mode  0  −(k+1)×10 .. (k+1)×10   (temperatures, symmetric)
//   mode  1  0 .. (k−9)×10           (temperatures, positive)
//   mode  2  (19−k)×10 .. 0          (temperatures, negative)
// Any other mode leaves the range as it is.
bool bfKizami(Context& ctx, int s, int mode);

// Sizes the catalogue for a hardware version and gives it the titles, series
// names, units and unit prefixes of the measured items; the per-item choices get
// their neutral values (nothing logged or shown, every column on, scale 0, empty
// ranges). Nothing is read from the settings.
void dimensionCatalog(Catalog& cat, int hardVersion);

// The per-item settings' defaults for a catalogue of columns 0..columnLast and
// series 0..seriesLast.
QString defaultLogingData(int columnLast);
QString defaultGraphYFlg(int seriesLast);
QString defaultGraphYKizami(int seriesLast);

// The version routines as the link calls them back.
class ModVerClient : public VersionClient {
public:
    explicit ModVerClient(Context& ctx) : ctx_(ctx) {}
    bool bfVer_NoCheck() override;
    bool askAssumeVersion1() override;

private:
    Context& ctx_;
};

} // namespace quellin

#pragma once
// The measured-values panel's texts for a record: each value with its decimal
// prefix and unit, the power factor, the time, the leakage currents and the
// temperatures, by the panel's items 0..14.

#include "base/DataRecord.h"

#include <QString>
#include <array>

namespace quellin {

// LblValue / LblTani of the measured-values panel, indexed by item 0..14.
class ValuePanel {
public:
    virtual ~ValuePanel() = default;
    virtual void setValue(int item, const QString& text) = 0;
    virtual void setUnit(int item, const QString& text) = 0;
    // The meter has been silent for a while: the values shown are its last ones.
    virtual void showStale(bool stale) { (void)stale; }
    // An alarm of the item is raised (or no longer is).
    virtual void showAlarm(int item, bool raised)
    {
        (void)item;
        (void)raised;
    }
};

// The value with its decimal prefix as the panel shows it.
struct ScaledValue {
    QString value;
    QString unit;
};
ScaledValue scaledValue(double v, const QString& baseUnit);
// Writes scaledValue(v, baseUnit) into the panel's value and unit labels of item.
void FormatScaled(ValuePanel& panel, int item, double v, const QString& baseUnit);

// Power factor as the panel shows it: "0.000", a blank after a value ≥ 0, at most 6
// characters.
QString powerFactorText(double pf);

constexpr int kPanelItems = 15;

// One item's texts; the unit label is written only where the item has a unit
// that follows the value's magnitude.
struct PanelText {
    int item = -1;
    QString value;
    QString unit;
    bool writesUnit = false;
};
// The items a record fills, in column order: those the hardware version delivers;
// a single-phase two-wire line (wiring 0) has no T phase, its labels are emptied.
struct PanelTexts {
    std::array<PanelText, kPanelItems> items;
    int count = 0;
};
PanelTexts panelTexts(const DataRecord& rec, int wiringMode, int hardVersion);
// Writes the texts into the panel.
void showPanelTexts(ValuePanel& panel, const PanelTexts& texts);

} // namespace quellin

#pragma once
// The meter's environment settings: items "01" to "08" on every hardware
// version, the control outputs "10" to "39" from version 2 on, and its own
// serial parameters. Values are kept as the text that follows the echo in the
// answer to "CCFnn", so a value that was set reads back exactly.
//
// The meter's own limits (anything else is answered "NG"):
//
//   item    meaning                      kept / answered as    accepted
//   01      current range                1 digit               0-4 (AUTO, 10, 50, 100, 600 A)
//   02      voltage input                c + "ddd.d"           c 0 contact (value optional, the
//                                                              last one is kept), c 1 non-contact
//                                                              with "ddd.d" 000.0-999.9
//   03, 04  PT, CT ratio                 4 digits              1-9999 (1-4 digits)
//   05      logging timer                1 digit               0 off, 1 on
//   06      logging interval             1 digit               0-5 (1, 5, 10, 15, 30, 60 min)
//   07, 08  logging start, end           "yyyy/mm/dd hh:mm"    a real date, years 2000-2099
//   10, 15  power output level           2-3 digits            0-999 (1-3 digits)
//   11, 16  power output unit            1 digit               0-4 (W, kW, MW, GW, TW)
//   20, 25  leakage output channel       1 digit               1-3
//   21, 26  leakage output level (mA)    "ddd.d"               000.0-999.9
//   30, 35  temperature output channel   1 digit               1-2
//   31, 36  temperature output level     2 digits              0-99 (1-2 digits)
//   x2      ON time of output x (s)      2 digits              0-60
//   x3      OFF level of output x (%)    2 digits              50-99
//   x4      OFF time of output x (s)     2 digits              0-10
//   clock   "STM"                        "yyyy/mm/dd hh:mm:ss" a real time, years 2000-2099
//
// The answer lengths the program expects for the read list fit items 01-08
// and "CCM". For 10-39 they cannot all hold: several are 4 or 5 characters,
// not even the 5-character echo "RCFnn", so no answer could match them. The
// program only tests the echo there, so these items are answered "RCFnn" plus
// the value exactly as the program sends it, which is also what it shows.

#include <QDateTime>
#include <QMap>
#include <QString>
#include <optional>

namespace quellin::sim {

class SettingsTable {
public:
    // Realistic factory values for the version; the wiring picks the nominal
    // voltage, the clock the next logging window, pt/ct the ratios.
    SettingsTable(int version, int wiring, int ptRatio, int ctRatio, const QDateTime& clock);

    // The value answered after "RCFnn"; nothing for an item this version lacks.
    std::optional<QString> value(const QString& item) const;
    // Stores the value in its kept form; false (nothing changed) when the item is
    // unknown or the value outside the limits above.
    bool set(const QString& item, const QString& value);

    // Logging interval code (item 06).
    int intervalCode() const;
    // Serial parameters answered to "CCM": speed (5 digits), parity, data bits, stop bits.
    QString serialParameters() const { return QStringLiteral("09600N81"); }

    // "yyyy/mm/dd hh:mm:ss" as the meter takes it for its clock; invalid otherwise.
    static QDateTime parseClock(const QString& text);

private:
    int version_;
    QMap<QString, QString> values_;
};

} // namespace quellin::sim

#pragma once
// What the environment settings dialog (FrmDispSet) holds and how it turns into
// commands, free of widgets: a program without windows reads, shows and sends
// the same settings. The fields mirror the dialog's controls; the read list's
// answers fill them, and the command list is built from them.
//
// The control outputs of version 2 and later are parameters 10 to 39, five per
// output in the order below; the list choices (unit, input channel) are
// CmbSb(0..5) and every other parameter is a text, TxtDataSb(0..23), both in
// parameter order:
//
//   10-14  power output 1        level, unit, ON time, OFF level, OFF time
//   15-19  power output 2        the same
//   20-24  leakage output 1      input channel, level, ON time, OFF level, OFF time
//   25-29  leakage output 2      the same
//   30-34  temperature output 1  input channel, level, ON time, OFF level, OFF time
//   35-39  temperature output 2  the same

#include "base/ExchangeStep.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace quellin {

// The tabs of version 2 and later (OptionSet, FrameSb).
enum DispSetTab : int { kTabEnvironment = 0, kTabPower = 1, kTabLeakage = 2, kTabTemperature = 3 };

struct DispSetFields {
    int denatu = 0;              // CmbDenatu: 0 contact, 1 non-contact
    std::array<QString, 6> data; // TxtData: voltage, PT, CT, logging start, end, clock
    int jikan = -1;              // CmbJikan: logging interval; -1 none
    int renge = -1;              // CmbRenge: current range; -1 none
    int timer = -1;              // CmbTimer: logging timer off/on; -1 none
    std::array<QString, 4> comm; // LblComm: the meter's speed, parity, data bits, stop bits
    std::array<int, 6> sb{-1, -1, -1, -1, -1, -1}; // CmbSb
    std::array<QString, 24> sbText;                // TxtDataSb

    bool operator==(const DispSetFields&) const = default;
};

enum class OutputKind {
    PowerLevel,
    PowerUnit,
    LeakageChannel,
    LeakageLevel,
    TemperatureChannel,
    TemperatureLevel,
    OnTime,
    OffLevel,
    OffTime,
};

struct OutputParam {
    int number; // 10..39
    OutputKind kind;
    bool isList; // CmbSb(control), else TxtDataSb(control)
    int control;
    int tab; // kTabPower, kTabLeakage or kTabTemperature
};

// The thirty control-output parameters in number order.
const std::array<OutputParam, 30>& outputParams();

// The entries of the lists, index by index.
QStringList denatuEntries();
QStringList jikanEntries();
QStringList rengeEntries();
QStringList timerEntries();
QStringList outputListEntries(int cmbSb);

// DataDisp: the fields from the read list's answers (each step's ReplyData). An
// answer that names no entry of its list leaves that list without a selection.
// TxtData(5) is left empty: it shows the PC's clock (clockText).
DispSetFields fieldsFromReplies(const ExchangeReplies& replies, int hardVersion);

// TxtData(5) and Tmr1Sec: "YYYY/MM/DD HH:MM:SS".
QString clockText(double now);

// The commands after the status check, in sending order: the voltage, "SCF03",
// "SCF04", "SCF06", "SCF07", "SCF08", "SCF01", from version 2 on "SCF10" to
// "SCF39", "SCF05" only with a timer choice, "STM" with the clock, "SCFW" last.
// A list without a selection (interval, range) is left out, so the meter keeps
// what the program could not show. The fields must have passed checkDispSet.
QStringList dispSetCommands(const DispSetFields& fields, int hardVersion);

// FrmDispSet's size and buttons by version, in twips: both versions have the
// same window; version 2 and later show the tab selectors.
struct DispSetLayout {
    int windowHeight, windowWidth;
    int sendLeft, sendTop, closeLeft, closeTop;
    int pageLeft;
    bool showSelectors;
};
DispSetLayout dispSetLayout(int hardVersion);

} // namespace quellin

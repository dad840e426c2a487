#pragma once
// What the link does when an exchange times out, by state: the steps in the
// order they are taken, the dialog they concern and the message shown. The
// sequencer's time-out runs the row of the state that failed.

#include "base/LinkState.h"

#include <QString>
#include <array>

namespace quellin {

// The dialogs that run exchanges (the waiting windows of the link).
enum class LinkDialog { None, DispSet, KeisokuMode, Download, LogingMem };

enum class TimeoutStep {
    ClearBusyText,     // status panel 2 emptied
    CloseDownloadFile, // TMP.DAT, opened by the download, closed
    EnableDialog,
    ShowMessage,
    UnloadDialog,
    StartSecondTimer, // the settings dialog's clock runs again
    KeisokuEnd,       // the measurement ends
    AskVersion,       // the user chooses the hardware version
    EndExchange,      // the link goes idle: a late answer starts nothing
};

struct TimeoutRow {
    LinkDialog dialog = LinkDialog::None;
    // The message: its detail text, followed by CR LF and "電力計を確認して下さい。"
    // unless it stands alone. Kept as the catalogue's id, translated when shown.
    const char* detail = nullptr;
    bool detailAlone = false;
    std::array<TimeoutStep, 4> steps{};
    int stepCount = 0;
};

// The row of a state; states without a row of their own (3, 9, 12, idle) share
// the row "no data was sent", which gives back the dialog that waited in 3, 9
// or 12 and ends a measurement.
const TimeoutRow& timeoutRow(link::State state);

// The message of a row ("" when it shows none).
QString timeoutMessage(const TimeoutRow& row);

} // namespace quellin

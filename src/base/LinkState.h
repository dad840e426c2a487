#pragma once
// The link's state numbers: which exchange with the meter runs, and so which
// handler takes the next line. The numbers are the ones the program always had
// (they appear in the time-out table and in traces); 99 is idle.

namespace quellin::link {

enum class State : int {
    SettingsStatus = 0,      // "CMD" before reading the environment settings
    SettingsRead = 1,        // the settings read list
    SettingsWriteStatus = 2, // "CMD" before writing the settings
    SettingsWrite = 3,       // the setting commands
    ModeStatus = 4,          // "CMD": show the measurement mode
    ModeSendStatus = 5,      // "CMD" before the mode command
    ModeSend = 6,            // the "SMD" command
    DownloadListStatus = 7,  // "CMD" before the download dialog's memory list
    DownloadListCount = 8,   // "CBN"
    DownloadListInfo = 9,    // the "CMI" list
    LogingStatus = 10,       // "CMD": show the meter's logging state
    LogingSendStatus = 11,   // "CMD" before "SMD20"/"SMD21"
    LogingSend = 12,         // "SMD20"/"SMD21"
    MemoryCount = 13,        // "CBN" of the logging memory dialog
    MemoryInfo = 14,         // its "CMI" list
    MeasureStatus = 15,      // "CMD" before starting a measurement
    MeasureSetup = 16,       // "SMD10", "CCF03", "CCF04", "SMD11"
    MeasureSend = 17,        // "SLG"
    MeasureStop = 18,        // "SLE", "SMD10"
    DownloadStatus = 19,     // "CMD" before a download
    DownloadData = 20,       // the download commands and their data lines
    MemoryClear = 21,        // the "SCB" commands
    VersionSle = 22,         // "SLE" at start-up
    VersionVer = 23,         // "VER"
    Idle = 99,
};

// Above this every ordinary line is ignored.
constexpr State kLastState = State::VersionVer;

constexpr int number(State s)
{
    return static_cast<int>(s);
}

} // namespace quellin::link

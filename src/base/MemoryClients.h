#pragma once
// The two dialogs of the meter's logging memory as the link's memory exchanges
// see them. A window, a test double or a command-line front end can stand behind
// each; the exchanges never know which.

#include "base/LinkClients.h"

#include <QString>

namespace quellin {

// FrmDownload: the memory list and the download (states 7 to 9, 19 and 20).
// DispMemory is called when the memory information has been read.
class DownloadDialogClient : public DialogClient {
public:
    // The memory list emptied, given the single line text and disabled; the
    // download button disabled (the meter measures, or holds nothing).
    virtual void showSingleLine(const QString& text) = 0;
    // The download button disabled (the meter refused to download while measuring).
    virtual void disableDownload() = 0;
};

// FrmLogingMem: the meter's logging state, its memory list and clearing (states 10
// to 14 and 21). DataDisp is called when the logging state is known, DispMemory
// when the memory information has been read.
class LogingMemDialogClient : public DialogClient {
public:
    // Both clear buttons disabled, the memory list emptied, given the single line
    // text and disabled, no block read (block count −1).
    virtual void showSingleLine(const QString& text) = 0;
};

} // namespace quellin

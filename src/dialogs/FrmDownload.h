#pragma once
// "ダウンロード": lists the measurements in the meter's logging memory and
// downloads the one the user selects into the data set, replacing the current
// one. The exchanges run in the link (MemoryExchange); the decisions (block
// table, list lines, commands, the data set's properties) in MemoryList and
// MemoryCommands; the memory list itself is MemoryDialog's.

#include "base/MemoryClients.h"
#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryDialog.h"

#include <QPointer>
#include <functional>

class QPushButton;

namespace quellin {

class FrmDownloadProgress;
class MemoryExchange;

class FrmDownload : public MemoryDialog, public DownloadDialogClient {
public:
    // The load: the dialog disabled with the hourglass while the memory list is read.
    // counts: the tally of the reception that receives the download.
    // beforeDownload: called once the download is about to start (the main window
    // clears its data set there, so that a dialog closed without a download keeps it).
    FrmDownload(Context& ctx, DownloadCounts& counts, Sequencer& seq, MemoryExchange& exchange,
                QWidget* parent = nullptr, std::function<void()> beforeDownload = {});
    ~FrmDownload() override;

    // DownloadDialogClient
    // Given back by the link: a download that ended without a data set (refused,
    // failed, stopped) closes its progress window.
    void setEnabled(bool enabled) override;
    void unload() override { done(QDialog::Rejected); }
    void DispMemory(const ExchangeReplies& replies) override;
    void showSingleLine(const QString& text) override;
    void disableDownload() override;

private:
    void CmdDownLoad_Click();
    void detachFromExchange() override;
    void closeProgress();

    QPushButton* CmdDownLoad = nullptr;
    QPushButton* cmdCancel = nullptr;

    DownloadCounts& counts_;
    MemoryExchange& exchange_;
    std::function<void()> beforeDownload_;
    QPointer<FrmDownloadProgress> progress_;
};

} // namespace quellin

#pragma once
// "ダウンロード": lists the measurements in the meter's logging memory and
// downloads the one the user selects into the data set, replacing the current
// one. The exchanges run in the link (MemoryExchange); the decisions (block
// table, list lines, commands, the data set's properties) in MemoryList and
// MemoryCommands; the memory list itself is MemoryDialog's.

#include "base/MemoryClients.h"
#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryDialog.h"

class QPushButton;

namespace quellin {

class MemoryExchange;

class FrmDownload : public MemoryDialog, public DownloadDialogClient {
public:
    // The load: the dialog disabled with the hourglass while the memory list is read.
    // counts: the tally of the reception that receives the download.
    FrmDownload(Context& ctx, DownloadCounts& counts, Sequencer& seq, MemoryExchange& exchange,
                QWidget* parent = nullptr);
    ~FrmDownload() override;

    // DownloadDialogClient
    void setEnabled(bool enabled) override { QDialog::setEnabled(enabled); }
    void unload() override { done(QDialog::Rejected); }
    void DispMemory(const ExchangeReplies& replies) override;
    void showSingleLine(const QString& text) override;
    void disableDownload() override;

private:
    void CmdDownLoad_Click();
    void detachFromExchange() override;

    QPushButton* CmdDownLoad = nullptr;
    QPushButton* cmdCancel = nullptr;

    DownloadCounts& counts_;
    MemoryExchange& exchange_;
};

} // namespace quellin

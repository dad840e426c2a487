#pragma once
// "ダウンロード": lists the measurements in the meter's logging memory and
// downloads the one the user selects into the data set, replacing the current
// one. The exchanges run in the link (MemoryExchange); the decisions (block
// table, list lines, commands, the data set's properties) in MemoryList and
// MemoryCommands.

#include "base/Context.h"
#include "base/MemoryClients.h"
#include "dialogs/MemoryList.h"

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace quellin {

class MemoryExchange;
class Sequencer;

class FrmDownload : public QDialog, public DownloadDialogClient {
public:
    // The load: the dialog disabled with the hourglass while the memory list is read.
    FrmDownload(Context& ctx, Sequencer& seq, MemoryExchange& exchange, QWidget* parent = nullptr);
    ~FrmDownload() override;

    QLabel* LblMemory = nullptr;
    QListWidget* LstMemory = nullptr; // item data (Qt::UserRole): the measurement's first block
    QPushButton* CmdDownLoad = nullptr;
    QPushButton* cmdCancel = nullptr;

    // DownloadDialogClient
    void setEnabled(bool enabled) override;
    void unload() override;
    void DispMemory() override;
    void showSingleLine(const QString& text) override;
    void disableDownload() override;

    void LstMemory_Click();
    void CmdDownLoad_Click();

    int memoryCount() const { return mMemoryCnt; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // Form_Unload: the link goes idle and no longer calls this dialog.
    void formUnload();

    Context& ctx_;
    Sequencer& seq_;
    MemoryExchange& exchange_;
    int mMemoryCnt = -1;
    std::vector<MemoryBlockInfo> blocks_;
    bool unloaded_ = false;
};

} // namespace quellin

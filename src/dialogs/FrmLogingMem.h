#pragma once
// "ロギング・メモリ操作": whether the meter logs on its own, starting and stopping
// that logging, the measurements in its logging memory, and clearing one of them
// or all. The exchanges run in the link (LogingExchange); the decisions in
// MemoryList and MemoryCommands.

#include "base/Context.h"
#include "base/MemoryClients.h"
#include "dialogs/MemoryList.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quellin {

class LogingExchange;
class Sequencer;

class FrmLogingMem : public QDialog, public LogingMemDialogClient {
public:
    // The load: the dialog disabled with the hourglass while the state is read.
    FrmLogingMem(Context& ctx, Sequencer& seq, LogingExchange& exchange, QWidget* parent = nullptr);
    ~FrmLogingMem() override;

    QLabel* LblLoging = nullptr;
    QComboBox* CmbData = nullptr; // 0 "ロギング停止", 1 "ロギング開始"
    QPushButton* CmdSend = nullptr;
    QLabel* LblMemory = nullptr;
    QListWidget* LstMemory = nullptr; // item data (Qt::UserRole): the measurement's first block
    std::array<QPushButton*, 2> CmdClear{}; // 0 the selected measurement, 1 all
    QPushButton* CmdClose = nullptr;

    // LogingMemDialogClient
    void setEnabled(bool enabled) override;
    void unload() override;
    void DataDisp() override;
    void DispMemory() override;
    void showSingleLine(const QString& text) override;

    void LstMemory_Click();
    void CmdSend_Click();
    void CmdClear_Click(int index);

    int memoryCount() const { return mMemoryCnt; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void formUnload();

    Context& ctx_;
    Sequencer& seq_;
    LogingExchange& exchange_;
    int mMemoryCnt = -1;
    std::vector<MemoryBlockInfo> blocks_;
    bool unloaded_ = false;
};

} // namespace quellin

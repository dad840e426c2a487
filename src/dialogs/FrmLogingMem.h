#pragma once
// "ロギング・メモリ操作": whether the meter logs on its own, starting and stopping
// that logging, the measurements in its logging memory, and clearing one of them
// or all. The exchanges run in the link (LogingExchange); the decisions in
// MemoryList and MemoryCommands; the memory list itself is MemoryDialog's.

#include "base/MemoryClients.h"
#include "dialogs/MemoryDialog.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace quellin {

class LogingExchange;

class FrmLogingMem : public MemoryDialog, public LogingMemDialogClient {
public:
    // The load: the dialog disabled with the hourglass while the state is read.
    FrmLogingMem(Context& ctx, Sequencer& seq, LogingExchange& exchange, QWidget* parent = nullptr);
    ~FrmLogingMem() override;

    // LogingMemDialogClient
    void setEnabled(bool enabled) override { QDialog::setEnabled(enabled); }
    void unload() override { done(QDialog::Rejected); }
    void DataDisp(const ExchangeReplies& replies) override;
    void DispMemory(const ExchangeReplies& replies) override;
    void showSingleLine(const QString& text) override;

private:
    void CmdSend_Click();
    void CmdClear_Click(int index);
    void detachFromExchange() override;

    QLabel* LblLoging = nullptr;
    QComboBox* CmbData = nullptr; // 0 "ロギング停止", 1 "ロギング開始"
    QPushButton* CmdSend = nullptr;
    std::array<QPushButton*, 2> CmdClear{}; // 0 the selected measurement, 1 all
    QPushButton* CmdClose = nullptr;

    LogingExchange& exchange_;
};

} // namespace quellin

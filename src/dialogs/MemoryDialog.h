#pragma once
// What the two memory dialogs ("ダウンロード", "ロギング・メモリ操作") share: the
// memory list under its header and the block table behind it, the one button a
// selected line enables, the wait while the dialog's exchange runs (disabled,
// hourglass; closing refused), and the unload that ends the exchange.

#include "base/Context.h"
#include "base/ExchangeStep.h"
#include "dialogs/MemoryList.h"

#include <QDialog>
#include <vector>

class QCloseEvent;
class QLabel;
class QListWidget;
class QPushButton;

namespace quellin {

class Sequencer;

class MemoryDialog : public QDialog {
protected:
    MemoryDialog(Context& ctx, Sequencer& seq, const QString& name, const QString& caption,
                 QWidget* parent);

    // The header and the list, made where they come among the dialog's controls
    // (the order the focus takes).
    void addMemoryList();
    // The button a selected line enables.
    void setSelectionButton(QPushButton* button);

    // The dialog disabled with the hourglass while its exchange runs; the link (or
    // its time-out) gives it back.
    void waitForMeter();
    void giveBack();
    // The memory list arrived: the dialog given back with the focus on the list,
    // so that the keys choose a line at once.
    void giveBackToList();

    // DispMemory's common part: the block table and one list line per measurement
    // from the answers of the memory information list.
    void showMemory(const ExchangeReplies& replies);
    // The list emptied, given the single line text and disabled; the button of the
    // selected line disabled.
    void showMemoryLine(const QString& text);
    // No block read (the block count −1).
    void forgetBlocks();
    int memoryCount() const { return mMemoryCnt; }

    // The first block of the selected line, -1 without a selection.
    int selectedBlock() const;
    const std::vector<MemoryBlockInfo>& blocks() const { return blocks_; }

    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    // Form_Unload, once: the link goes idle and no longer calls this dialog. The
    // dialogs call it from their destructors too.
    void formUnload();
    virtual void detachFromExchange() = 0;

    Context& ctx_;
    Sequencer& seq_;
    // Made by addMemoryList, laid out by the dialog.
    QLabel* LblMemory = nullptr;
    QListWidget* LstMemory = nullptr; // item data (Qt::UserRole): the measurement's first block

private:
    // With a selection, the button of the selected line (CmdDownLoad, CmdClear(0))
    // is enabled.
    void LstMemory_Click();

    QPushButton* selectionButton_ = nullptr;
    int mMemoryCnt = -1;
    std::vector<MemoryBlockInfo> blocks_;
    bool unloaded_ = false;
};

} // namespace quellin

#include "dialogs/MemoryDialog.h"

#include "dialogs/MemoryListView.h"
#include "link/Sequencer.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace quellin {

MemoryDialog::MemoryDialog(Context& ctx, Sequencer& seq, const QString& name,
                           const QString& caption, QWidget* parent)
    : QDialog(parent), ctx_(ctx), seq_(seq)
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
}

void MemoryDialog::addMemoryList()
{
    LblMemory = new QLabel(memoryListHeader(), this);
    LblMemory->setObjectName(QStringLiteral("LblMemory"));
    LstMemory = makeMemoryList(this);
    connect(LstMemory, &QListWidget::itemSelectionChanged, this, [this] { LstMemory_Click(); });
}

void MemoryDialog::setSelectionButton(QPushButton* button)
{
    selectionButton_ = button;
}

void MemoryDialog::LstMemory_Click()
{
    if (selectionButton_ && selectedFirstBlock(*LstMemory) >= 0)
        selectionButton_->setEnabled(true);
}

void MemoryDialog::waitForMeter()
{
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
}

void MemoryDialog::giveBack()
{
    setEnabled(true);
    ctx_.svc.pointer.setPointer(MousePointer::Default);
}

void MemoryDialog::giveBackToList()
{
    giveBack();
    if (LstMemory->isEnabled())
        LstMemory->setFocus(Qt::OtherFocusReason);
}

void MemoryDialog::showMemory(const ExchangeReplies& replies)
{
    blocks_ = memoryBlocksFrom(replies);
    mMemoryCnt = static_cast<int>(blocks_.size()) - 1;
    fillMemoryList(*LstMemory, memoryListLines(blocks_));
}

void MemoryDialog::showMemoryLine(const QString& text)
{
    showMemoryListLine(*LstMemory, text);
    if (selectionButton_)
        selectionButton_->setEnabled(false);
}

void MemoryDialog::forgetBlocks()
{
    blocks_.clear();
    mMemoryCnt = -1;
}

int MemoryDialog::selectedBlock() const
{
    return selectedFirstBlock(*LstMemory);
}

void MemoryDialog::closeEvent(QCloseEvent* event)
{
    // While an exchange runs the dialog is disabled; the link or its time-out gives
    // it back.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MemoryDialog::done(int result)
{
    formUnload();
    QDialog::done(result);
}

void MemoryDialog::formUnload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    seq_.endExchange();
    detachFromExchange();
}

} // namespace quellin

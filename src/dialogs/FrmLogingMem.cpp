#include "dialogs/FrmLogingMem.h"

#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryListView.h"
#include "link/LogingExchange.h"
#include "link/Sequencer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

FrmLogingMem::FrmLogingMem(Context& ctx, Sequencer& seq, LogingExchange& exchange, QWidget* parent)
    : QDialog(parent), ctx_(ctx), seq_(seq), exchange_(exchange)
{
    setObjectName(QStringLiteral("FrmLogingMem"));
    setWindowTitle(QStringLiteral("ロギング・メモリ操作"));
    setModal(true);

    // The meter's own logging: its state and the new one to send.
    auto* logging = new QGroupBox(QStringLiteral("ロギング"), this);
    LblLoging = new QLabel(logging);
    LblLoging->setObjectName(QStringLiteral("LblLoging"));
    LblLoging->setFrameShape(QFrame::StyledPanel);
    LblLoging->setFrameShadow(QFrame::Sunken);
    LblLoging->setMinimumWidth(
        LblLoging->fontMetrics().horizontalAdvance(QStringLiteral("ロギングなし")) + 16);
    CmbData = new QComboBox(logging);
    CmbData->setObjectName(QStringLiteral("CmbData"));
    CmbData->addItems({QStringLiteral("ロギング停止"), QStringLiteral("ロギング開始")});
    CmbData->setCurrentIndex(-1);
    CmdSend = new QPushButton(QStringLiteral("設定送信"), logging);
    CmdSend->setObjectName(QStringLiteral("CmdSend"));
    CmdSend->setEnabled(false);
    auto* state = new QGridLayout(logging);
    state->addWidget(new QLabel(QStringLiteral("ロギング："), logging), 0, 0);
    state->addWidget(LblLoging, 0, 1);
    state->addWidget(new QLabel(QStringLiteral("設定："), logging), 0, 3);
    state->addWidget(CmbData, 0, 4);
    state->addWidget(CmdSend, 0, 5);
    state->setColumnStretch(2, 1);

    LblMemory = new QLabel(kMemoryListHeader, this);
    LstMemory = makeMemoryList(this);
    CmdClear[0] = new QPushButton(QStringLiteral("メモリクリア"), this);
    CmdClear[1] = new QPushButton(QStringLiteral("全クリア"), this);
    CmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    CmdClear[0]->setObjectName(QStringLiteral("CmdClear0"));
    CmdClear[1]->setObjectName(QStringLiteral("CmdClear1"));
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    CmdClear[0]->setEnabled(false);
    CmdClear[1]->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdClear[0]);
    buttons->addWidget(CmdClear[1]);
    buttons->addStretch(1);
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logging);
    layout->addSpacing(6);
    layout->addWidget(LblMemory);
    layout->addWidget(LstMemory, 1);
    layout->addLayout(buttons);
    resize(memoryDialogSize(*this));

    connect(CmbData, &QComboBox::currentIndexChanged, this,
            [this](int index) { CmdSend->setEnabled(index >= 0); });
    connect(CmdSend, &QPushButton::clicked, this, [this] { CmdSend_Click(); });
    connect(LstMemory, &QListWidget::itemSelectionChanged, this, [this] { LstMemory_Click(); });
    connect(CmdClear[0], &QPushButton::clicked, this, [this] { CmdClear_Click(0); });
    connect(CmdClear[1], &QPushButton::clicked, this, [this] { CmdClear_Click(1); });
    connect(CmdClose, &QPushButton::clicked, this, [this] { close(); });

    // Form_Load: the logging state is read while the dialog waits.
    exchange_.attach(this);
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    startLogingStatus(seq_);
}

FrmLogingMem::~FrmLogingMem()
{
    formUnload();
}

void FrmLogingMem::setEnabled(bool enabled)
{
    QDialog::setEnabled(enabled);
}

void FrmLogingMem::unload()
{
    done(QDialog::Rejected);
}

void FrmLogingMem::DataDisp()
{
    ctx_.link.LinkState = link::State::Idle;
    const QString reply =
        ctx_.link.ExchangeList.empty() ? QString() : ctx_.link.ExchangeList.front().ReplyData;
    const LogingStateText shown = logingStateOf(reply);
    LblLoging->setText(shown.label);
    CmbData->setCurrentIndex(shown.selection);
    // The memory list follows.
    startMemoryCount(seq_);
}

void FrmLogingMem::DispMemory()
{
    ctx_.link.LinkState = link::State::Idle;
    LstMemory->clear();
    CmdClear[0]->setEnabled(false);
    CmdClear[1]->setEnabled(true);
    blocks_ = memoryBlocksFrom(ctx_.link.ExchangeList);
    mMemoryCnt = static_cast<int>(blocks_.size()) - 1;
    fillMemoryList(*LstMemory, memoryListLines(blocks_));
    ctx_.svc.status.setPanelText(2, QString());
    setEnabled(true);
    ctx_.svc.pointer.setPointer(MousePointer::Default);
}

void FrmLogingMem::showSingleLine(const QString& text)
{
    CmdClear[0]->setEnabled(false);
    CmdClear[1]->setEnabled(false);
    showMemoryListLine(*LstMemory, text);
    blocks_.clear();
    mMemoryCnt = -1;
}

void FrmLogingMem::LstMemory_Click()
{
    if (selectedFirstBlock(*LstMemory) >= 0)
        CmdClear[0]->setEnabled(true);
}

void FrmLogingMem::CmdSend_Click()
{
    const int newState = CmbData->currentIndex();
    if (newState < 0)
        return;
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    startLogingSend(seq_, newState);
}

void FrmLogingMem::CmdClear_Click(int index)
{
    if (!ctx_.svc.msg.askYesNo(kClearMemoryQuestion, MsgIcon::Question))
        return;
    std::vector<ExchangeStep> steps;
    if (index == 0) {
        const int first = selectedFirstBlock(*LstMemory);
        if (first < 0)
            return;
        steps = clearMeasurementSteps(blocks_, first);
    } else {
        if (mMemoryCnt == -1)
            return;
        steps = clearAllSteps();
    }
    if (steps.empty())
        return;
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    startClear(ctx_, seq_, std::move(steps));
}

void FrmLogingMem::closeEvent(QCloseEvent* event)
{
    // While an exchange runs the dialog is disabled; the link or its time-out gives
    // it back.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmLogingMem::done(int result)
{
    formUnload();
    QDialog::done(result);
}

void FrmLogingMem::formUnload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    ctx_.link.LinkState = link::State::Idle;
    exchange_.detach(this);
}

} // namespace quellin

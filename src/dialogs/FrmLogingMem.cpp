#include "dialogs/FrmLogingMem.h"

#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryListView.h"
#include "link/LogingExchange.h"
#include "platform/Tx.h"

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
    : MemoryDialog(ctx, seq, QStringLiteral("FrmLogingMem"), TX("ロギング・メモリ操作"),
                   parent),
      exchange_(exchange)
{
    // The meter's own logging: its state and the new one to send.
    auto* logging = new QGroupBox(TX("ロギング"), this);
    LblLoging = new QLabel(logging);
    LblLoging->setObjectName(QStringLiteral("LblLoging"));
    LblLoging->setFrameShape(QFrame::StyledPanel);
    LblLoging->setFrameShadow(QFrame::Sunken);
    LblLoging->setMinimumWidth(
        LblLoging->fontMetrics().horizontalAdvance(TX("ロギングなし")) + 16);
    CmbData = new QComboBox(logging);
    CmbData->setObjectName(QStringLiteral("CmbData"));
    CmbData->addItems({TX("ロギング停止"), TX("ロギング開始")});
    CmbData->setCurrentIndex(-1);
    CmdSend = new QPushButton(TX("設定送信"), logging);
    CmdSend->setObjectName(QStringLiteral("CmdSend"));
    CmdSend->setEnabled(false);
    auto* state = new QGridLayout(logging);
    state->addWidget(new QLabel(TX("ロギング："), logging), 0, 0);
    state->addWidget(LblLoging, 0, 1);
    state->addWidget(new QLabel(TX("設定："), logging), 0, 3);
    state->addWidget(CmbData, 0, 4);
    state->addWidget(CmdSend, 0, 5);
    state->setColumnStretch(2, 1);

    addMemoryList();
    CmdClear[0] = new QPushButton(TX("メモリクリア"), this);
    CmdClear[1] = new QPushButton(TX("全クリア"), this);
    CmdClose = new QPushButton(TX("閉じる"), this);
    CmdClear[0]->setObjectName(QStringLiteral("CmdClear0"));
    CmdClear[1]->setObjectName(QStringLiteral("CmdClear1"));
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    CmdClear[0]->setEnabled(false);
    CmdClear[1]->setEnabled(false);
    setSelectionButton(CmdClear[0]);

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
    connect(CmdClear[0], &QPushButton::clicked, this, [this] { CmdClear_Click(0); });
    connect(CmdClear[1], &QPushButton::clicked, this, [this] { CmdClear_Click(1); });
    connect(CmdClose, &QPushButton::clicked, this, [this] { close(); });

    // Form_Load: the logging state is read while the dialog waits.
    exchange_.attach(this);
    waitForMeter();
    startLogingStatus(seq_);
}

FrmLogingMem::~FrmLogingMem()
{
    formUnload();
}

void FrmLogingMem::DataDisp(const ExchangeReplies& replies)
{
    const LogingStateText shown = logingStateOf(replies.value(0));
    LblLoging->setText(shown.label);
    CmbData->setCurrentIndex(shown.selection);
    // The memory list follows.
    startMemoryCount(seq_);
}

void FrmLogingMem::DispMemory(const ExchangeReplies& replies)
{
    LstMemory->clear();
    CmdClear[0]->setEnabled(false);
    CmdClear[1]->setEnabled(true);
    showMemory(replies);
    ctx_.svc.status.setPanelText(2, QString());
    giveBackToList();
}

void FrmLogingMem::showSingleLine(const QString& text)
{
    CmdClear[1]->setEnabled(false);
    showMemoryLine(text);
    forgetBlocks();
}

void FrmLogingMem::CmdSend_Click()
{
    const int newState = CmbData->currentIndex();
    if (newState < 0)
        return;
    waitForMeter();
    startLogingSend(seq_, newState);
}

void FrmLogingMem::CmdClear_Click(int index)
{
    if (!ctx_.svc.msg.askYesNo(clearMemoryQuestion(), MsgIcon::Question))
        return;
    std::vector<ExchangeStep> steps;
    if (index == 0) {
        const int first = selectedBlock();
        if (first < 0)
            return;
        steps = clearMeasurementSteps(blocks(), first);
    } else {
        if (memoryCount() == -1)
            return;
        steps = clearAllSteps();
    }
    if (steps.empty())
        return;
    waitForMeter();
    startClear(ctx_, seq_, std::move(steps));
}

void FrmLogingMem::detachFromExchange()
{
    exchange_.detach(this);
}

} // namespace quellin

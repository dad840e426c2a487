#include "dialogs/FrmDownload.h"

#include "base/ErrorReport.h"
#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryListView.h"
#include "link/MemoryExchange.h"
#include "link/Sequencer.h"
#include "store/ModFile.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

FrmDownload::FrmDownload(Context& ctx, Sequencer& seq, MemoryExchange& exchange, QWidget* parent)
    : QDialog(parent), ctx_(ctx), seq_(seq), exchange_(exchange)
{
    setObjectName(QStringLiteral("FrmDownload"));
    setWindowTitle(QStringLiteral("ダウンロード"));
    setModal(true);

    LblMemory = new QLabel(kMemoryListHeader, this);
    LstMemory = makeMemoryList(this);
    CmdDownLoad = new QPushButton(QStringLiteral("ダウンロード"), this);
    CmdDownLoad->setObjectName(QStringLiteral("CmdDownLoad"));
    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    CmdDownLoad->setEnabled(false);
    CmdDownLoad->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdDownLoad);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblMemory);
    layout->addWidget(LstMemory, 1);
    layout->addLayout(buttons);
    resize(memoryDialogSize(*this));

    connect(LstMemory, &QListWidget::itemSelectionChanged, this, [this] { LstMemory_Click(); });
    connect(LstMemory, &QListWidget::itemDoubleClicked, this, [this] {
        if (CmdDownLoad->isEnabled())
            CmdDownLoad_Click();
    });
    connect(CmdDownLoad, &QPushButton::clicked, this, [this] { CmdDownLoad_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { close(); });

    // Form_Load: the memory list is read while the dialog waits.
    exchange_.attach(this);
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    startDownloadList(seq_);
}

FrmDownload::~FrmDownload()
{
    formUnload();
}

void FrmDownload::setEnabled(bool enabled)
{
    QDialog::setEnabled(enabled);
}

void FrmDownload::unload()
{
    done(QDialog::Rejected);
}

void FrmDownload::DispMemory()
{
    ctx_.link.LinkState = link::State::Idle;
    blocks_ = memoryBlocksFrom(ctx_.link.ExchangeList);
    mMemoryCnt = static_cast<int>(blocks_.size()) - 1;
    fillMemoryList(*LstMemory, memoryListLines(blocks_));
    setEnabled(true);
    ctx_.svc.pointer.setPointer(MousePointer::Default);
}

void FrmDownload::showSingleLine(const QString& text)
{
    showMemoryListLine(*LstMemory, text);
    CmdDownLoad->setEnabled(false);
}

void FrmDownload::disableDownload()
{
    CmdDownLoad->setEnabled(false);
}

void FrmDownload::LstMemory_Click()
{
    if (selectedFirstBlock(*LstMemory) >= 0)
        CmdDownLoad->setEnabled(true);
}

void FrmDownload::CmdDownLoad_Click()
{
    const int first = selectedFirstBlock(*LstMemory);
    if (first < 0)
        return;
    const DownloadPlanResult planned = planDownload(blocks_, first);
    if (!planned.plan) {
        ctx_.svc.msg.info(planned.error, MsgIcon::Exclamation);
        return;
    }
    setEnabled(false);
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    const bool started = trapped(ctx_, "CmdDownLoad_Click", false, [&] {
        startDownload(ctx_, seq_, *planned.plan);
        return true;
    });
    if (!started) {
        // TMP.DAT could not be opened: nothing was sent.
        ctx_.dataSet().CloseTmp();
        ctx_.svc.status.setPanelText(2, QString());
        ctx_.svc.pointer.setPointer(MousePointer::Default);
        setEnabled(true);
    }
}

void FrmDownload::closeEvent(QCloseEvent* event)
{
    // While an exchange runs the dialog is disabled; the link or its time-out gives
    // it back.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmDownload::done(int result)
{
    formUnload();
    QDialog::done(result);
}

void FrmDownload::formUnload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    ctx_.link.LinkState = link::State::Idle;
    exchange_.detach(this);
}

} // namespace quellin

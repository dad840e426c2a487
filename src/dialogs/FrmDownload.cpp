#include "dialogs/FrmDownload.h"

#include "base/ErrorReport.h"
#include "dialogs/FrmDownloadProgress.h"
#include "dialogs/MemoryCommands.h"
#include "dialogs/MemoryListView.h"
#include "link/MemoryExchange.h"
#include "platform/Tx.h"
#include "store/ModFile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

FrmDownload::FrmDownload(Context& ctx, DownloadCounts& counts, Sequencer& seq,
                         MemoryExchange& exchange, QWidget* parent,
                         std::function<void()> beforeDownload)
    : MemoryDialog(ctx, seq, QStringLiteral("FrmDownload"), TX("ダウンロード"), parent),
      counts_(counts), exchange_(exchange), beforeDownload_(std::move(beforeDownload))
{
    addMemoryList();
    CmdDownLoad = new QPushButton(TX("ダウンロード"), this);
    CmdDownLoad->setObjectName(QStringLiteral("CmdDownLoad"));
    cmdCancel = new QPushButton(TX("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    CmdDownLoad->setEnabled(false);
    CmdDownLoad->setDefault(true);
    setSelectionButton(CmdDownLoad);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdDownLoad);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblMemory);
    layout->addWidget(LstMemory, 1);
    layout->addLayout(buttons);
    resize(memoryDialogSize(*this));

    connect(LstMemory, &QListWidget::itemDoubleClicked, this, [this] {
        if (CmdDownLoad->isEnabled())
            CmdDownLoad_Click();
    });
    connect(CmdDownLoad, &QPushButton::clicked, this, [this] { CmdDownLoad_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { close(); });

    // Form_Load: the memory list is read while the dialog waits.
    exchange_.attach(this);
    waitForMeter();
    startDownloadList(seq_);
}

FrmDownload::~FrmDownload()
{
    closeProgress();
    formUnload();
}

void FrmDownload::setEnabled(bool enabled)
{
    if (enabled)
        closeProgress();
    QDialog::setEnabled(enabled);
}

void FrmDownload::closeProgress()
{
    delete progress_.data();
}

void FrmDownload::DispMemory(const ExchangeReplies& replies)
{
    // The list is read once per opening: nothing to clear first.
    showMemory(replies);
    giveBackToList();
}

void FrmDownload::showSingleLine(const QString& text)
{
    showMemoryLine(text);
}

void FrmDownload::disableDownload()
{
    CmdDownLoad->setEnabled(false);
}

void FrmDownload::CmdDownLoad_Click()
{
    const int first = selectedBlock();
    if (first < 0)
        return;
    const DownloadPlanResult planned = planDownload(blocks(), first);
    if (!planned.plan) {
        ctx_.svc.msg.info(planned.error, MsgIcon::Exclamation);
        return;
    }
    if (beforeDownload_)
        beforeDownload_();
    waitForMeter();
    const bool started = trapped(ctx_, "CmdDownLoad_Click", false, [&] {
        startDownload(ctx_, counts_, seq_, *planned.plan);
        return true;
    });
    if (!started) {
        // TMP.DAT could not be opened: nothing was sent.
        ctx_.dataSet().CloseTmp();
        ctx_.svc.status.setPanelText(2, QString());
        ctx_.svc.pointer.setPointer(MousePointer::Default);
        setEnabled(true);
        return;
    }
    // The progress window shows the wait; an hourglass for the better part of an
    // hour would hide that 中止 can be pressed. It stands beside this (disabled)
    // dialog, not inside it, so that it stays usable.
    ctx_.svc.pointer.setPointer(MousePointer::Default);
    progress_ = new FrmDownloadProgress(
        counts_, [this] { return exchange_.cancelDownload(seq_); }, parentWidget());
    progress_->show();
}

void FrmDownload::detachFromExchange()
{
    exchange_.detach(this);
}

} // namespace quellin

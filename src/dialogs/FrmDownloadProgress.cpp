#include "dialogs/FrmDownloadProgress.h"

#include "dialogs/MemoryCommands.h"
#include "platform/Tx.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quellin {

namespace {
QString stoppingText()
{
    return TX("中止しています。電力計が送信中のブロックを終えるまでお待ち下さい。");
}
}

FrmDownloadProgress::FrmDownloadProgress(const DownloadCounts& counts,
                                         std::function<bool()> cancel, QWidget* parent)
    : QDialog(parent), counts_(counts), cancel_(std::move(cancel))
{
    setObjectName(QStringLiteral("FrmDownloadProgress"));
    setWindowTitle(TX("ダウンロード"));
    setWindowModality(Qt::ApplicationModal);
    LblReceived = new QLabel(this);
    LblReceived->setObjectName(QStringLiteral("LblReceived"));
    PrgDownload = new QProgressBar(this);
    PrgDownload->setObjectName(QStringLiteral("PrgDownload"));
    LblTimeLeft = new QLabel(this);
    LblTimeLeft->setObjectName(QStringLiteral("LblTimeLeft"));
    cmdStop = new QPushButton(TX("中止"), this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdStop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblReceived);
    layout->addWidget(PrgDownload);
    layout->addWidget(LblTimeLeft);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(stoppingText()) + 40);

    connect(cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
    refreshTimer_ = new QTimer(this);
    connect(refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
    refreshTimer_->start(kRefreshMs);
    clock_.start();
    refresh();
}

void FrmDownloadProgress::refresh()
{
    const int received = counts_.RecordCounter;
    const int announced = std::max(counts_.Announced, 1);
    LblReceived->setText(downloadReceivedText(received, counts_.Announced));
    PrgDownload->setRange(0, announced);
    PrgDownload->setValue(std::min(received, announced));
    if (cancelling_)
        return;
    pace_.note(received, clock_.elapsed());
    LblTimeLeft->setText(downloadTimeLeftText(pace_.secondsLeft(counts_.Announced)));
}

void FrmDownloadProgress::cmdStop_Click()
{
    if (cancelling_)
        return;
    if (!cancel_())
        return; // the download has just ended; its end closes this window
    cancelling_ = true;
    cmdStop->setEnabled(false);
    LblTimeLeft->setText(stoppingText());
}

void FrmDownloadProgress::reject()
{
    cmdStop_Click();
}

void FrmDownloadProgress::closeEvent(QCloseEvent* event)
{
    // The window goes when the link has stopped, not before.
    event->ignore();
    cmdStop_Click();
}

} // namespace quellin

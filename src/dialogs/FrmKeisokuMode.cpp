#include "dialogs/FrmKeisokuMode.h"

#include "dialogs/KeisokuModeTexts.h"
#include "link/ModeExchange.h"
#include "link/Sequencer.h"
#include "platform/Tx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quellin {

FrmKeisokuMode::FrmKeisokuMode(Context& ctx, Sequencer& link, QWidget* parent)
    : QDialog(parent), ctx_(ctx), link_(link)
{
    setObjectName(QStringLiteral("FrmKeisokuMode"));
    setWindowTitle(TX("計測モード設定"));
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    const QString captions[2] = {TX("測定ライン："), TX("計測状態：")};
    const QStringList entries[2] = {lineEntries(), stateEntries()};
    for (int i = 0; i < 2; ++i) {
        const size_t s = static_cast<size_t>(i);
        auto* label = new QLabel(captions[i], this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LblKeisoku[s] = new QLabel(this);
        LblKeisoku[s]->setFrameShape(QFrame::Panel);
        LblKeisoku[s]->setFrameShadow(QFrame::Sunken);
        // The status shows an entry of the list beside it: room for the widest.
        int widest = 0;
        for (const QString& entry : entries[i])
            widest = std::max(widest, LblKeisoku[s]->fontMetrics().horizontalAdvance(entry));
        LblKeisoku[s]->setMinimumSize(std::max(100, widest + 2 * LblKeisoku[s]->frameWidth() + 4), 24);
        CmbData[s] = new QComboBox(this);
        CmbData[s]->addItems(entries[i]);
        CmbData[s]->setCurrentIndex(-1);
        CmbData[s]->setMinimumSize(110, 24);
        CmdSend[s] = new QPushButton(TX("設定送信"), this);
        CmdSend[s]->setAutoDefault(false);
        CmdSend[s]->setEnabled(false);
        LblKeisoku[s]->setObjectName(QStringLiteral("LblKeisoku%1").arg(i));
        CmbData[s]->setObjectName(QStringLiteral("CmbData%1").arg(i));
        CmdSend[s]->setObjectName(QStringLiteral("CmdSend%1").arg(i));
        grid->addWidget(label, i, 0);
        grid->addWidget(LblKeisoku[s], i, 1);
        grid->addWidget(CmbData[s], i, 2);
        grid->addWidget(CmdSend[s], i, 3);
        connect(CmbData[s], &QComboBox::currentIndexChanged, this, [this, i] { CmbData_Click(i); });
        connect(CmdSend[s], &QPushButton::clicked, this, [this, i] { CmdSend_Click(i); });
    }

    CmdClose = new QPushButton(TX("閉じる"), this);
    CmdClose->setAutoDefault(false);
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    connect(CmdClose, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 10);
    layout->setSpacing(12);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    link_.clients().keisokuMode = &linkSide_;
    setEnabled(false);
    repaint();
    startModeRead(link_);
}

FrmKeisokuMode::~FrmKeisokuMode()
{
    if (link_.clients().keisokuMode == &linkSide_)
        link_.clients().keisokuMode = nullptr;
}

void FrmKeisokuMode::DataDisp(const ExchangeReplies& replies)
{
    const ModeStatusView view = modeStatusView(replies.value(0));
    if (view.lineText)
        LblKeisoku[0]->setText(*view.lineText);
    if (view.stateText)
        LblKeisoku[1]->setText(*view.stateText);
    if (view.statePreselect >= 0) {
        CmbData[1]->setCurrentIndex(view.statePreselect);
        CmbData_Click(1);
    }
    setEnabled(true);
    ctx_.svc.pointer.setPointer(MousePointer::Default);
}

void FrmKeisokuMode::CmbData_Click(int index)
{
    const size_t s = static_cast<size_t>(index);
    if (CmbData[s]->currentIndex() >= 0)
        CmdSend[s]->setEnabled(true);
}

void FrmKeisokuMode::CmdSend_Click(int index)
{
    const int choice = CmbData[static_cast<size_t>(index)]->currentIndex();
    if (choice < 0)
        return;
    setEnabled(false);
    startModeSend(link_, modeCommand(index, choice));
}

void FrmKeisokuMode::clearSelections()
{
    for (size_t i = 0; i < 2; ++i) {
        CmbData[i]->setCurrentIndex(-1);
        CmdSend[i]->setEnabled(false);
    }
}

bool FrmKeisokuMode::exchangeRunning() const
{
    const int state = link::number(link_.LinkState());
    return state >= link::number(link::State::ModeStatus) &&
           state <= link::number(link::State::ModeSend);
}

void FrmKeisokuMode::done(int result)
{
    // Form_Unload: the link forgets the dialog's exchange.
    if (exchangeRunning())
        link_.endExchange();
    QDialog::done(result);
}

void FrmKeisokuMode::reject()
{
    // As the settings dialog: closing waits for the dialog's own exchange only.
    if (isEnabled() || !exchangeRunning())
        QDialog::reject();
}

} // namespace quellin

#include "views/FrmScaleX.h"

#include "base/ErrorReport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

FrmScaleX::FrmScaleX(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Ｘ軸スケール設定"));
    setModal(true);

    FramOptions = new QGroupBox(QStringLiteral("X軸設定"), this);
    auto* grid = new QGridLayout(FramOptions);
    const QString captions[3] = {QStringLiteral("範囲描画："), QStringLiteral("スタート値："),
                                 QStringLiteral("測定期間")};
    for (int i = 0; i < 3; ++i)
        LblOptions1[static_cast<size_t>(i)] = new QLabel(captions[i], FramOptions);
    CmbScale = new QComboBox(FramOptions);
    TxtData[0] = new QLineEdit(FramOptions);
    TxtData[0]->setMaxLength(19);
    TxtData[0]->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 16);
    LblData = new QLabel(FramOptions);
    LblData->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(LblOptions1[0], 0, 0);
    grid->addWidget(CmbScale, 0, 1);
    grid->addWidget(LblOptions1[1], 1, 0);
    grid->addWidget(TxtData[0], 1, 1);
    grid->addWidget(LblOptions1[2], 2, 0);
    grid->addWidget(LblData, 2, 1);

    cmdOK = new QPushButton(QStringLiteral("設定"), this);
    cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(FramOptions);
    outer->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &FrmScaleX::confirm);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmScaleX::prepare(const ScaleXSetup& setup)
{
    CmbScale->clear();
    CmbScale->addItems(setup.choices);
    CmbScale->setCurrentIndex(
        setup.position >= 0 && setup.position < CmbScale->count() ? setup.position : -1);
    TxtData[0]->setText(setup.startText);
    LblData->setText(setup.periodText);
}

void FrmScaleX::confirm()
{
    const ScaleXEntry entry = checkScaleXStart(ctx_, TxtData[0]->text());
    if (!entry.start) {
        ctx_.svc.msg.info(entry.refusal);
        TxtData[0]->setFocus();
        TxtData[0]->selectAll();
        return;
    }
    // A file error while the window's points are read back is reported, and the
    // dialog still closes: the choice itself has been taken.
    trapped(ctx_, "LoadGraphWindow", false, [&] {
        applyScaleX(ctx_, CmbScale->currentIndex(), *entry.start);
        return true;
    });
    accept();
}

} // namespace quellin

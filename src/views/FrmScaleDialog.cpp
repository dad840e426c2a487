#include "views/FrmScaleDialog.h"

#include "base/ErrorReport.h"
#include "platform/Tx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

FrmScaleDialog::FrmScaleDialog(Context& ctx, const Frame& frame, QWidget* parent)
    : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(frame.caption);
    setModal(true);

    FramOptions = new QGroupBox(frame.frameCaption, this);
    rows_ = new QGridLayout(FramOptions);
    for (size_t i = 0; i < LblOptions1.size(); ++i)
        LblOptions1[i] = new QLabel(frame.captions[i], FramOptions);
    CmbScale = new QComboBox(FramOptions);
    TxtData[0] = new QLineEdit(FramOptions);
    LblData = new QLabel(FramOptions);
    LblData->setFrameShape(QFrame::StyledPanel);
    FramOptions->setObjectName(QStringLiteral("FramOptions"));
    for (size_t i = 0; i < LblOptions1.size(); ++i)
        LblOptions1[i]->setObjectName(QStringLiteral("LblOptions1%1").arg(i));
    CmbScale->setObjectName(QStringLiteral("CmbScale"));
    TxtData[0]->setObjectName(QStringLiteral("TxtData0"));
    LblData->setObjectName(QStringLiteral("LblData"));

    if (frame.automatic)
        cmdAuto = new QPushButton(TX("自動選択"), this);
    cmdOK = new QPushButton(TX("設定"), this);
    cmdCancel = new QPushButton(TX("ｷｬﾝｾﾙ"), this);
    cmdOK->setDefault(true);
    if (cmdAuto)
        cmdAuto->setObjectName(QStringLiteral("cmdAuto"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    if (cmdAuto)
        buttons->addWidget(cmdAuto);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(FramOptions);
    outer->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &FrmScaleDialog::confirm);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmScaleDialog::placeRows(const std::array<QWidget*, 3>& controls)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        rows_->addWidget(LblOptions1[i], static_cast<int>(i), 0);
        rows_->addWidget(controls[i], static_cast<int>(i), 1);
    }
}

void FrmScaleDialog::addRow(QLabel* caption, QWidget* control)
{
    const int row = rows_->rowCount();
    rows_->addWidget(caption, row, 0);
    rows_->addWidget(control, row, 1);
}

void FrmScaleDialog::reloadTrapped(const std::function<void()>& reload)
{
    trapped(ctx_, "LoadGraphWindow", false, [&] {
        reload();
        return true;
    });
}

void FrmScaleDialog::confirm()
{
    const QString refusal = takeChoice();
    if (!refusal.isEmpty()) {
        ctx_.svc.msg.info(refusal);
        TxtData[0]->setFocus();
        TxtData[0]->selectAll();
        return;
    }
    accept();
}

} // namespace quellin

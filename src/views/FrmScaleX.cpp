#include "views/FrmScaleX.h"

#include "platform/Tx.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace quellin {

FrmScaleX::FrmScaleX(Context& ctx, QWidget* parent)
    : FrmScaleDialog(ctx,
                     {TX("Ｘ軸スケール設定"),
                      TX("X軸設定"),
                      {TX("範囲描画："), TX("スタート値："),
                       TX("測定期間")},
                      false},
                     parent)
{
    setObjectName(QStringLiteral("FrmScaleX"));
    TxtData[0]->setMaxLength(19);
    TxtData[0]->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 16);
    placeRows({CmbScale, TxtData[0], LblData});
}

void FrmScaleX::prepare(const ScaleXSetup& setup)
{
    CmbScale->clear();
    CmbScale->addItems(setup.choices);
    CmbScale->setCurrentIndex(
        setup.position >= 0 && setup.position < CmbScale->count() ? setup.position : -1);
    TxtData[0]->setText(setup.startText);
    shownStart_ = setup.startText;
    LblData->setText(setup.periodText);
}

QString FrmScaleX::takeChoice()
{
    const ScaleXEntry entry = checkScaleXStart(ctx_, TxtData[0]->text());
    if (!entry.start)
        return entry.refusal;
    const bool edited = TxtData[0]->text() != shownStart_;
    reloadTrapped([&] { applyScaleX(ctx_, CmbScale->currentIndex(), *entry.start, edited); });
    return {};
}

} // namespace quellin

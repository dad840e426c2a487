#include "views/FrmScaleY.h"

#include "platform/Tx.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace quellin {

FrmScaleY::FrmScaleY(Context& ctx, int s, QWidget* parent)
    : FrmScaleDialog(ctx,
                     {TX("Y軸スケール設定"),
                      TX("Ｙ軸設定"),
                      {TX("描画範囲"), TX("最小値："),
                       TX("スケール刻み：")},
                      true},
                     parent),
      mIndex(s)
{
    setObjectName(QStringLiteral("FrmScaleY"));
    kind_ = seriesKind(s);
    LblData->setMinimumWidth(
        fontMetrics().horizontalAdvance(TX("( -100.0 ～ 99999.0 )")));
    lblC = new QLabel(TX("温度＋－："), FramOptions);
    CmbC = new QComboBox(FramOptions);
    CmbC->addItems(temperatureKindChoices());
    lblC->setObjectName(QStringLiteral("lblC"));
    CmbC->setObjectName(QStringLiteral("CmbC"));
    placeRows({LblData, TxtData[0], CmbScale});
    addRow(lblC, CmbC);

    connect(CmbScale, &QComboBox::currentIndexChanged, this, [this] { scaleChosen(); });
    connect(CmbC, &QComboBox::currentIndexChanged, this, [this] { kindChosen(); });
    connect(TxtData[0], &QLineEdit::textChanged, this, [this] { minimumEdited(); });
    connect(cmdAuto, &QPushButton::clicked, this, &FrmScaleY::automatic);
}

QString FrmScaleY::unit() const
{
    const auto& units = ctx_.cat.SeriesUnits;
    return mIndex >= 0 && mIndex < units.size() ? units[mIndex] : QString();
}

void FrmScaleY::prepare(const ScaleYSetup& setup)
{
    lblC->hide();
    CmbC->hide();
    FramOptions->setTitle(setup.frameCaption);
    {
        const QSignalBlocker quiet(TxtData[0]);
        TxtData[0]->setText(setup.minimumText);
    }
    {
        const QSignalBlocker quiet(CmbScale);
        CmbScale->clear();
        if (!setup.temperature)
            CmbScale->addItems(setup.choices);
    }
    if (setup.temperature) {
        lblC->show();
        CmbC->show();
        const QSignalBlocker quiet(CmbC);
        CmbC->setCurrentIndex(setup.kindPosition);
        kindChosen(); // fills the temperature steps
    }
    CmbScale->setCurrentIndex(setup.scalePosition);
    scaleChosen();
}

void FrmScaleY::scaleChosen()
{
    const int k = CmbScale->currentIndex();
    if (k < 0)
        return;
    const bool fit = k == fitChoicePosition(kind_);
    // The fitted range has no minimum of the user's; the box shows the steps' own.
    TxtData[0]->setReadOnly(fit || kind_ != SeriesKind::Normal);
    if (fit) {
        LblData->setText(fittedRangeText(ctx_, mIndex));
        return;
    }
    LblData->setText(
        scaleYRangeText(kind_, k, CmbC->currentIndex(), CmbScale->currentText(), unit()));
    if (const auto minimum = scaleYImpliedMinimum(kind_, k, CmbC->currentIndex())) {
        const QSignalBlocker quiet(TxtData[0]);
        TxtData[0]->setText(QString::number(*minimum, 'g', 15));
    }
}

void FrmScaleY::kindChosen()
{
    const int keep = CmbScale->currentIndex();
    {
        const QSignalBlocker quiet(CmbScale);
        CmbScale->clear();
        CmbScale->addItems(temperatureScaleChoices(unit()));
        CmbScale->addItem(fitChoiceText());
        CmbScale->setCurrentIndex(keep);
    }
    scaleChosen();
}

void FrmScaleY::minimumEdited()
{
    if (CmbScale->currentIndex() == fitChoicePosition(kind_))
        return;
    if (const auto text = scaleYMinimumText(kind_, std::max(0, CmbScale->currentIndex()),
                                            CmbC->currentIndex(), TxtData[0]->text()))
        LblData->setText(*text);
}

void FrmScaleY::automatic()
{
    const auto pick = autoScaleYPick(ctx_, mIndex);
    if (!pick)
        return;
    if (kind_ == SeriesKind::Temperature)
        CmbC->setCurrentIndex(pick->kindPosition); // refills the steps
    // "自動選択" picks among the listed steps only, the largest when none holds the peak.
    CmbScale->setCurrentIndex(std::min(pick->scalePosition, fitChoicePosition(kind_) - 1));
}

QString FrmScaleY::takeChoice()
{
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    const bool stored = applyScaleY(ctx_, mIndex, CmbScale->currentIndex(), CmbC->currentIndex(),
                                    TxtData[0]->text());
    ctx_.svc.pointer.setPointer(MousePointer::Default);
    if (!stored && kind_ == SeriesKind::Normal)
        return enterNumberText();
    return {};
}

} // namespace quellin

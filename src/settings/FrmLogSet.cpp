#include "settings/FrmLogSet.h"

#include "base/VersionLayout.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"
#include "settings/SettingsValues.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace quellin {

FrmLogSet::FrmLogSet(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmLogSet"));
    setWindowTitle(TX("ロギング設定"));
    setModal(true);

    const LogSetLayout lay = logSetLayout(ctx_.app.HardVersion);
    const auto tw = [](int twips) { return twipsToPixels(twips); };
    FramData = new QGroupBox(TX("記録項目"), this);
    FramData->setObjectName(QStringLiteral("FramData"));

    // Three columns of boxes in column order; the version-2 items follow below.
    // Names longer than the designed column (another language's) widen the
    // columns, and with them the frame and the window.
    const int designedColumn = tw(lay.frameWidth - 240) / 3;
    int columnWidth = designedColumn;
    for (int i = 0; i < 16; ++i) {
        const int c = i + 2;
        const QString caption =
            c < ctx_.cat.ColumnTitles.size() ? txText(ctx_.cat.ColumnTitles[c]) : QString();
        auto* box = new QCheckBox(caption, FramData);
        const QStyle* style = box->style();
        columnWidth = std::max(columnWidth,
                               style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                                   style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box) +
                                   box->fontMetrics().horizontalAdvance(caption));
        box->setVisible(c <= ctx_.cat.ColumnLast && (c < 13 || lay.showVersion2Boxes));
        const size_t ci = static_cast<size_t>(c);
        box->setChecked(ci < ctx_.cat.LogColumns.size() && ctx_.cat.LogColumns[ci]);
        box->setObjectName(QStringLiteral("ChkData%1").arg(i));
        ChkData[static_cast<size_t>(i)] = box;
    }
    for (int i = 0; i < 16; ++i) {
        // Version-1 items fill rows 0..3; the version-2 items start a row of their own.
        const int slot = i < 11 ? i : 12 + (i - 11);
        ChkData[static_cast<size_t>(i)]->setGeometry(tw(120) + (slot % 3) * columnWidth,
                                                     tw(300) + (slot / 3) * tw(330),
                                                     columnWidth, tw(300));
    }
    const int wider = 3 * (columnWidth - designedColumn);
    setFixedSize(tw(lay.windowWidth) + wider, tw(lay.windowHeight) - tw(400));
    FramData->setGeometry(tw(lay.frameLeft), tw(lay.frameTop), tw(lay.frameWidth) + wider,
                          tw(lay.frameHeight));
    CmdAll = new QPushButton(TX("全て選択"), FramData);
    CmdAll->setObjectName(QStringLiteral("CmdAll"));
    CmdAll->setGeometry(tw(lay.allLeft) + wider, tw(lay.allTop), tw(1815), tw(360));

    // The period stands left of the command buttons: "周期：" hh : mm : ss.
    auto* periodLabel = new QLabel(TX("周期："), this);
    const int rowTop = tw(lay.buttonsTop);
    periodLabel->setGeometry(tw(150), rowTop, tw(600), tw(360));
    const int logingTime = ctx_.app.LogingTime;
    const std::array<int, 3> parts = {logingTime / 3600, logingTime % 3600 / 60, logingTime % 60};
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(
            Format(double(parts[static_cast<size_t>(i)]), QStringLiteral("00")), this);
        edit->setAlignment(Qt::AlignRight);
        edit->setMaxLength(4);
        edit->setGeometry(tw(750) + i * tw(700), rowTop, tw(480), tw(360));
        edit->setObjectName(QStringLiteral("TxtTime%1").arg(i));
        TxtTime[static_cast<size_t>(i)] = edit;
        if (i < 2) {
            auto* colon = new QLabel(QStringLiteral(":"), this);
            colon->setAlignment(Qt::AlignCenter);
            colon->setGeometry(tw(1230) + i * tw(700), rowTop, tw(220), tw(360));
        }
    }

    cmdOK = new QPushButton(TX("設定"), this);
    cmdCancel = new QPushButton(TX("ｷｬﾝｾﾙ"), this);
    cmdOK->setGeometry(tw(lay.okLeft) + wider, rowTop, tw(960), tw(360));
    cmdCancel->setGeometry(tw(lay.cancelLeft) + wider, rowTop, tw(960), tw(360));
    cmdOK->setDefault(true);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    connect(CmdAll, &QPushButton::clicked, this, [this] { CmdAll_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmLogSet::CmdAll_Click()
{
    for (QCheckBox* box : ChkData)
        box->setChecked(true);
}

bool FrmLogSet::cmdOK_Click()
{
    if (const auto error =
            checkLogPeriod(TxtTime[0]->text(), TxtTime[1]->text(), TxtTime[2]->text())) {
        ctx_.svc.msg.show({error->message, {}, MsgButtons::Ok, MsgIcon::None, false});
        TxtTime[static_cast<size_t>(error->focusBox)]->setFocus();
        TxtTime[static_cast<size_t>(error->focusBox)]->selectAll();
        return false;
    }
    const int period = logPeriodSeconds(TxtTime[0]->text(), TxtTime[1]->text(), TxtTime[2]->text());
    ctx_.app.LogingTime = period;
    Catalog& cat = ctx_.cat;
    const size_t columns = static_cast<size_t>(cat.ColumnLast) + 1;
    cat.ColumnOn.resize(columns, true);
    cat.LogColumns.resize(columns, true);
    cat.ColumnOn[0] = cat.ColumnOn[1] = true;
    for (size_t c = 2; c < columns; ++c) {
        const bool checked = ChkData[c - 2]->isChecked();
        cat.ColumnOn[c] = checked;
        cat.LogColumns[c] = checked;
    }
    ctx_.settings.write(QStringLiteral("LogingTime"), QString::number(period));
    ctx_.settings.write(QStringLiteral("LogingData"), logingDataText(cat));
    accept();
    return true;
}

} // namespace quellin

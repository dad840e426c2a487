#include "print/FrmImageSize.h"

#include "platform/Tx.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace quellin {

std::optional<QSize> askGraphImageSize(QWidget* owner, QSize offered)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(TX("グラフ画像の大きさ"));
    auto* form = new QFormLayout(&dialog);
    auto spin = [&](int low, int high, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setRange(low, high);
        box->setValue(std::clamp(value, low, high));
        box->setSuffix(TX(" ピクセル"));
        return box;
    };
    QSpinBox* width = spin(kSmallestGraphImage.width(), kLargestGraphImage.width(), offered.width());
    QSpinBox* height =
        spin(kSmallestGraphImage.height(), kLargestGraphImage.height(), offered.height());
    width->setObjectName(QStringLiteral("TxtImageWidth"));
    height->setObjectName(QStringLiteral("TxtImageHeight"));
    form->addRow(TX("幅："), width);
    form->addRow(TX("高さ："), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(TX("ｷｬﾝｾﾙ"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QSize(width->value(), height->value());
}

} // namespace quellin

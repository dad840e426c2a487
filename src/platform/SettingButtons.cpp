#include "platform/SettingButtons.h"

#include "platform/Tx.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace quellin {

SettingButtons settingButtons()
{
    SettingButtons b;
    b.ok = new QPushButton(TX("設定"));
    b.cancel = new QPushButton(TX("ｷｬﾝｾﾙ"));
    b.ok->setObjectName(QStringLiteral("cmdOK"));
    b.cancel->setObjectName(QStringLiteral("cmdCancel"));
    b.ok->setDefault(true);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}

} // namespace quellin

#include "dialogs/FrmAlarmSet.h"

#include "base/MeasuredItems.h"
#include "platform/SettingButtons.h"
#include "platform/Tx.h"
#include "settings/ModRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

namespace {

const char* const kBoxNames[4] = {"TxtAbove", "TxtAboveHold", "TxtBelow", "TxtBelowHold"};

} // namespace

FrmAlarmSet::FrmAlarmSet(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmAlarmSet"));
    setWindowTitle(TX("警報設定"));
    setModal(true);

    const AlarmRulesParse read = readAlarmRules(ctx_.settings);
    stored_ = read.rules;

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const QString heads[5] = {TX("項目"), TX("上限"), TX("継続(秒)"),
                              TX("下限"), TX("継続(秒)")};
    for (int h = 0; h < 5; ++h) {
        auto* head = new QLabel(heads[h]);
        head->setAlignment(h == 0 ? Qt::AlignLeft : Qt::AlignCenter);
        grid->addWidget(head, 0, h);
    }
    const int last = std::min(ctx_.cat.ColumnLast, kMaxColumns - 1);
    int row = 1;
    for (int c = column::kVoltR; c <= last; ++c, ++row) {
        grid->addWidget(new QLabel(txText(columnTitle(c))), row, 0);
        const AlarmFields f = alarmFieldsFor(stored_, c);
        const QString texts[4] = {f.above, f.aboveHold, f.below, f.belowHold};
        for (int b = 0; b < 4; ++b) {
            auto* edit = new QLineEdit(texts[b]);
            edit->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(kBoxNames[b])).arg(c));
            edit->setAlignment(Qt::AlignRight);
            edit->setMaxLength(b % 2 ? 5 : 16);
            edit->setFixedWidth(b % 2 ? 64 : 96);
            grid->addWidget(edit, row, b + 1);
            boxes_[static_cast<size_t>(c)][static_cast<size_t>(b)] = edit;
        }
    }
    // One label a line: each fits the dialog by itself.
    QStringList notes{TX("値は項目の単位で入力します（空欄は警報なし）。"),
                      TX("上限を上回るか下限を下回る状態が継続時間続くと警報になり、戻ると解除されます。"),
                      TX("変更は次の計測開始から有効です。")};
    if (!read.rejected.isEmpty())
        notes << TX("%1（設定すると消えます）")
                     .arg(rejectedAlarmRulesText(TX("設定ファイル"), read.rejected));

    const SettingButtons bar = settingButtons();
    cmdOK = bar.ok;
    cmdCancel = bar.cancel;
    QHBoxLayout* buttons = bar.row;

    auto* body = new QVBoxLayout(this);
    body->addLayout(grid);
    for (const QString& text : notes)
        body->addWidget(new QLabel(text));
    body->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* FrmAlarmSet::box(int column, AlarmBox which) const
{
    return boxes_[static_cast<size_t>(column)][static_cast<size_t>(which)];
}

bool FrmAlarmSet::cmdOK_Click()
{
    std::vector<ShownAlarmFields> shown;
    for (int c = 0; c < kMaxColumns; ++c)
        if (box(c, AlarmBox::Above))
            shown.push_back({c,
                             {box(c, AlarmBox::Above)->text(), box(c, AlarmBox::AboveHold)->text(),
                              box(c, AlarmBox::Below)->text(), box(c, AlarmBox::BelowHold)->text()}});
    const AlarmFieldsRead read = rulesFromFields(shown, stored_);
    if (read.error) {
        ctx_.svc.msg.show({read.error->message, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
        QLineEdit* failed = box(read.error->column, read.error->box);
        failed->setFocus();
        failed->selectAll();
        return false;
    }
    if (!storeAlarmRules(ctx_.settings, read.rules))
        return false;
    accept();
    return true;
}

} // namespace quellin

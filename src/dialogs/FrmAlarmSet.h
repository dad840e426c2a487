#pragma once
// "警報設定": per measured item an upper and a lower limit, each with the time
// the value has to stay beyond it; stored in the settings file and used from
// the next measurement on.

#include "base/Context.h"
#include "dialogs/AlarmSetFields.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QPushButton;

namespace quellin {

class FrmAlarmSet : public QDialog {
public:
    explicit FrmAlarmSet(Context& ctx, QWidget* parent = nullptr);

private:
    // Checks, stores and closes; false (the dialog stays open) after a message.
    bool cmdOK_Click();
    QLineEdit* box(int column, AlarmBox which) const;

    Context& ctx_;
    std::vector<AlarmRule> stored_;
    // Per record column 2..17: TxtAbove, TxtAboveHold, TxtBelow, TxtBelowHold.
    std::array<std::array<QLineEdit*, 4>, kMaxColumns> boxes_{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace quellin

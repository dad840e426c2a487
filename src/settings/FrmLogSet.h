#pragma once
// "ロギング設定": the PC logging period and the columns it records.

#include "base/Context.h"
#include "settings/LogPeriod.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellin {

class FrmLogSet : public QDialog {
public:
    explicit FrmLogSet(Context& ctx, QWidget* parent = nullptr);

private:
    void CmdAll_Click();
    // Validates, stores and closes; false (dialog stays open) after a message.
    bool cmdOK_Click();

    Context& ctx_;
    std::array<QLineEdit*, 3> TxtTime{};
    std::array<QCheckBox*, 16> ChkData{}; // ChkData(i) stands for column i + 2
    QGroupBox* FramData = nullptr;
    QPushButton* CmdAll = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace quellin

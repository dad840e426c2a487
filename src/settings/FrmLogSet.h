#pragma once
// "ロギング設定": the PC logging period and the columns it records.

#include "base/Context.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellin {

// The first failure of the period boxes: the message and the box to focus
// (0 hours, 1 minutes, 2 seconds); nullopt when the period is valid.
struct PeriodError {
    QString message;
    int focusBox;
};
std::optional<PeriodError> checkLogPeriod(const QString& hours, const QString& minutes,
                                          const QString& seconds);
// The period of boxes that passed the check, in whole seconds as LogingTime takes
// it: rounded as Basic assigns to an integer, half to even ("00:00:1.5" is 2 s).
int logPeriodSeconds(const QString& hours, const QString& minutes, const QString& seconds);

class FrmLogSet : public QDialog {
public:
    explicit FrmLogSet(Context& ctx, QWidget* parent = nullptr);

    std::array<QLineEdit*, 3> TxtTime{};
    std::array<QCheckBox*, 16> ChkData{}; // ChkData(i) stands for column i + 2
    QGroupBox* FramData = nullptr;
    QPushButton* CmdAll = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void CmdAll_Click();
    // Validates, stores and closes; false (dialog stays open) after a message.
    bool cmdOK_Click();

private:
    Context& ctx_;
};

} // namespace quellin

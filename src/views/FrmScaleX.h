#pragma once
// "Ｘ軸スケール設定": the span of the graph's time window and where it starts.
// The graph window fills it (prepare) and shows it modally.

#include "base/Context.h"
#include "views/GraphWindow.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellin {

class FrmScaleX : public QDialog {
public:
    explicit FrmScaleX(Context& ctx, QWidget* parent = nullptr);

    void prepare(const ScaleXSetup& setup);

    QGroupBox* FramOptions = nullptr;
    std::array<QLabel*, 3> LblOptions1{};
    QComboBox* CmbScale = nullptr;
    std::array<QLineEdit*, 1> TxtData{};
    QLabel* LblData = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    // Checks the start; on success takes the choice and closes the dialog.
    void confirm();

    Context& ctx_;
};

} // namespace quellin

#pragma once
// "Y軸スケール設定": the Y range of one series (scale step, minimum, and for
// temperatures the kind of range). The graph window fills it and shows it modally.

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

class FrmScaleY : public QDialog {
public:
    FrmScaleY(Context& ctx, int s, QWidget* parent = nullptr);

    void prepare(const ScaleYSetup& setup);

    int mIndex = 0; // the series being edited

    QGroupBox* FramOptions = nullptr;
    std::array<QLabel*, 3> LblOptions1{};
    QComboBox* CmbScale = nullptr;
    std::array<QLineEdit*, 1> TxtData{};
    QLabel* LblData = nullptr;
    QLabel* lblC = nullptr;
    QComboBox* CmbC = nullptr;
    QPushButton* cmdAuto = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void scaleChosen();
    void kindChosen();
    void minimumEdited();
    void automatic();
    void confirm();
    QString unit() const;

    Context& ctx_;
    SeriesKind kind_ = SeriesKind::Normal;
};

} // namespace quellin

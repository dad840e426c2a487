#pragma once
// "Y軸スケール設定": the Y range of one series (scale step, minimum, and for
// temperatures the kind of range). The graph window fills it and shows it modally.

#include "base/Context.h"
#include "views/FrmScaleDialog.h"
#include "views/GraphWindow.h"

namespace quellin {

class FrmScaleY : public FrmScaleDialog {
public:
    FrmScaleY(Context& ctx, int s, QWidget* parent = nullptr);

    void prepare(const ScaleYSetup& setup);
    // The series being edited.
    int series() const { return mIndex; }

private:
    void scaleChosen();
    void kindChosen();
    void minimumEdited();
    void automatic();
    // Stores the scale; a normal series' minimum that is no number refuses it.
    QString takeChoice() override;
    QString unit() const;

    int mIndex = 0; // the series being edited
    QLabel* lblC = nullptr;
    QComboBox* CmbC = nullptr;
    SeriesKind kind_ = SeriesKind::Normal;
};

} // namespace quellin

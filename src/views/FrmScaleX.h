#pragma once
// "Ｘ軸スケール設定": the span of the graph's time window and where it starts.
// The graph window fills it (prepare) and shows it modally.

#include "base/Context.h"
#include "views/FrmScaleDialog.h"
#include "views/GraphWindow.h"

namespace quellin {

class FrmScaleX : public FrmScaleDialog {
public:
    explicit FrmScaleX(Context& ctx, QWidget* parent = nullptr);

    void prepare(const ScaleXSetup& setup);

private:
    // Checks the start; on success takes the choice and reloads the window.
    QString takeChoice() override;

    QString shownStart_; // the start as prepare put it in the box
};

} // namespace quellin

#pragma once
// The frame the two axis dialogs share (FrmScaleX, FrmScaleY): the options frame
// with its three captions, the scale list, the value box and the range label,
// and the buttons "設定" and "ｷｬﾝｾﾙ" (with "自動選択" before them for the Y axis).
// "設定" asks the dialog to take the user's choice: a refused entry is told in a
// message and the dialog stays open with the value box selected; a taken one
// closes it.

#include "base/Context.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellin {

class FrmScaleDialog : public QDialog {
protected:
    struct Frame {
        QString caption;                 // the dialog's
        QString frameCaption;            // FramOptions'
        std::array<QString, 3> captions; // LblOptions1's, one per row
        bool automatic = false;          // with "自動選択"
    };
    FrmScaleDialog(Context& ctx, const Frame& frame, QWidget* parent);

    // The three rows of the frame, the caption left and the given control right.
    void placeRows(const std::array<QWidget*, 3>& controls);
    // A further row below them.
    void addRow(QLabel* caption, QWidget* control);

    // Checks and takes the user's choice: the message that refuses the entry, or
    // "" when the choice has been taken.
    virtual QString takeChoice() = 0;

    // Reads the graph's points back after a choice, under "LoadGraphWindow": a
    // file error is reported, and the dialog still closes, since the choice itself
    // has been taken.
    void reloadTrapped(const std::function<void()>& reload);

    Context& ctx_;
    // The frame's controls, which the two dialogs fill and place.
    QGroupBox* FramOptions = nullptr;
    std::array<QLabel*, 3> LblOptions1{};
    QComboBox* CmbScale = nullptr;
    std::array<QLineEdit*, 1> TxtData{};
    QLabel* LblData = nullptr;
    QPushButton* cmdAuto = nullptr; // the Y axis only
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void confirm();
    QGridLayout* rows_ = nullptr;
};

} // namespace quellin

#pragma once
// "計測モード設定": the meter's measuring line and whether it measures, as it
// reports them, with one send button per row to change either. The exchanges
// run in the link (ModeExchange); the texts and commands are KeisokuModeTexts.

#include "base/Context.h"
#include "base/LinkClients.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace quellin {

class Sequencer;

class FrmKeisokuMode : public QDialog {
public:
    // Form_Load: disables the dialog and reads the meter's status.
    FrmKeisokuMode(Context& ctx, Sequencer& link, QWidget* parent = nullptr);
    ~FrmKeisokuMode() override;

    void done(int result) override;
    void reject() override;

private:
    // Called by the link whenever a fresh status has been read; replies[0] is the
    // status answer's data.
    void DataDisp(const ExchangeReplies& replies);
    void CmbData_Click(int index);
    void CmdSend_Click(int index);
    // Both rows unselected, both send buttons disabled.
    void clearSelections();

    // LinkState is one of the dialog's (4 to 6).
    bool exchangeRunning() const;

    class LinkSide : public DialogClient {
    public:
        explicit LinkSide(FrmKeisokuMode& dlg) : dlg_(dlg) {}
        void setEnabled(bool enabled) override { dlg_.setEnabled(enabled); }
        void unload() override { dlg_.done(QDialog::Rejected); }
        void DataDisp(const ExchangeReplies& replies) override { dlg_.DataDisp(replies); }
        void clearSelections() override { dlg_.clearSelections(); }

    private:
        FrmKeisokuMode& dlg_;
    };

    Context& ctx_;
    Sequencer& link_;
    LinkSide linkSide_{*this};

    std::array<QLabel*, 2> LblKeisoku{};
    std::array<QComboBox*, 2> CmbData{};
    std::array<QPushButton*, 2> CmdSend{};
    QPushButton* CmdClose = nullptr;
};

} // namespace quellin

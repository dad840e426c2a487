#pragma once
// "電力計の環境設定": the meter's environment settings. Opening the dialog reads
// every setting from the meter; 送信(FLASH書込み) checks the fields and sends
// them with the PC's clock and a flash write. The exchanges run in the link
// (SettingsExchange); the checks and the commands are DispSetCheck and
// DispSetFields. This window shows and collects.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "dialogs/DispSetFields.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace quellin {

class Sequencer;

class FrmDispSet : public QDialog {
public:
    // Form_Load: lays the dialog out for the hardware version, disables it and
    // starts reading the meter's settings.
    FrmDispSet(Context& ctx, Sequencer& link, QWidget* parent = nullptr);
    ~FrmDispSet() override;

    // The fields as the controls hold them.
    DispSetFields fields() const;
    // The tab whose frame is visible.
    int currentTab() const;

    void done(int result) override;
    void reject() override;

private:
    // The dialog as the link sees it.
    class LinkSide : public DialogClient {
    public:
        explicit LinkSide(FrmDispSet& dlg) : dlg_(dlg) {}
        void setEnabled(bool enabled) override;
        void unload() override;
        void DataDisp(const ExchangeReplies& replies) override { dlg_.DataDisp(replies); }
        void startSecondTimer() override;

    private:
        FrmDispSet& dlg_;
    };

    // Called by the link when every setting has been read, with the answers of
    // the read list.
    void DataDisp(const ExchangeReplies& replies);
    void Tmr1Sec_Timer();
    void CmbDenatu_Click();
    void OptionSet_Click(int index);
    // Checks and starts the sending; false when a check refused (nothing sent).
    bool CmdSend_Click();
    void CmdClose_Click();
    void showFields(const DispSetFields& fields);

    void buildEnvironmentPage();
    void buildOutputPage(int tab);
    void focusError(int tab, QWidget* control);
    // LinkState is one of the dialog's (0 to 3).
    bool exchangeRunning() const;

    Context& ctx_;
    Sequencer& link_;
    LinkSide linkSide_{*this};

    std::array<QPushButton*, 4> OptionSet{};
    std::array<QGroupBox*, 4> FrameSb{};
    QComboBox* CmbDenatu = nullptr;
    QComboBox* CmbJikan = nullptr;
    QComboBox* CmbRenge = nullptr;
    QComboBox* CmbTimer = nullptr;
    std::array<QLineEdit*, 6> TxtData{};
    std::array<QLabel*, 4> LblComm{};
    std::array<QComboBox*, 6> CmbSb{};
    std::array<QLineEdit*, 24> TxtDataSb{};
    QPushButton* CmdSend = nullptr;
    QPushButton* CmdClose = nullptr;
    QTimer* Tmr1Sec = nullptr;
};

} // namespace quellin

#pragma once
// The main window's side of a measurement: the start and stop commands, the window
// state while measuring, the one-second display cycle (TmrDisp), PC logging start
// and stop, and the end of the measurement. The window itself is reached through
// MeasurementView; the exchanges with the meter go through the Sequencer.

#include "base/Context.h"
#include "link/MeasuredData.h"
#include "main/MainWindowItems.h"
#include "views/ChildWindowHost.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

class QWidget;

namespace quellin {

class Sequencer;

// What the measurement run needs of FrmMDIMain.
class MeasurementView {
public:
    virtual ~MeasurementView() = default;
    virtual void setMenuCaption(MenuItem item, const QString& caption) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void setButtonImage(ToolButton button, ToolImage image) = 0;
    virtual void setButtonToolTip(ToolButton button, const QString& tip) = 0;
    virtual void setButtonEnabled(ToolButton button, bool enabled) = 0;
    // TmrDisp on or off.
    virtual void setDisplayTimer(bool on) = 0;
    // The check marks of the view menu.
    virtual bool viewMark(ViewItem item) const = 0;
    // The clear-data confirmation ("内部メモリをクリアします。" Yes/No); on Yes the data
    // set is cleared. Returns true for Yes.
    virtual bool confirmClearData() = 0;
    // The data list refilled from ListPage (after LoadListPage).
    virtual void refreshList() = 0;
    // The data list shows the newest records: its scroll bar is at its end (or
    // off, or the list is closed). Scrolled back, the list stays where the user
    // put it.
    virtual bool listShowsNewest() const = 0;
    // The graph window's display-cycle refresh: SetGraphWindow(0), LoadGraphWindow,
    // the drawing and the summary labels.
    virtual void refreshGraph() = 0;
    // The value panel while it is loaded, else null.
    virtual ValuePanel* valuePanel() = 0;
    // Owner of the file dialogs.
    virtual QWidget* dialogOwner() const { return nullptr; }
    // A measured-data line has been handled: the record it made (stored in TMP.DAT
    // or not, by the logging period) for a front end that follows every line.
    virtual void lineHandled(const DataRecord& record) { (void)record; }
};

namespace run_text {
inline const QString kMeasuring = QStringLiteral("計測中");
inline const QString kStoreFull = QStringLiteral("最大計測数になったため、計測を終了しました。");
inline const QString kLogFilter = QStringLiteral("CSVﾌｧｲﾙ(*.csv)");
inline const QString kLogPattern = QStringLiteral("*.csv");
inline const QString kLogTitle = QStringLiteral("記録データ格納先");
inline const QString kLogWriteFailed =
    QStringLiteral("ロギングファイルに書き込めないため、ロギングを停止しました。");
inline const QString kLogOpenFailed = QStringLiteral("ロギングファイルを作成できません。");
inline const QString kMeterSilent = QStringLiteral(
    "電力計からデータが届いていません（10秒以上）。ケーブルと電力計を確認して下さい。");
inline const QString kStoreWriteFailed =
    QStringLiteral("計測データを一時データファイルに書き込めないため、計測を終了しました。");
} // namespace run_text

// GraphXHani for a logging period in seconds: 1 below a minute, 2 below an hour, else 3.
int graphXHaniFor(int logingTime);
// ListTop of the display cycle: the newest 14 records.
int listTopFor(int recordCount);
// ListTop of a display tick: the newest records while the list shows them,
// else the page the user scrolled to (kept within the data set).
int listTopForTick(int recordCount, int listTop, bool showsNewest);

class MeasurementRun : public MeasuredDataHost {
public:
    MeasurementRun(Context& ctx, MeasurementView& view, Sequencer& link);

    // The measured-data handler (for LinkClients::measured).
    MeasuredData& measuredData() { return measured_; }

    // MnuExec_Keisoku / button "Keisoku": start or stop.
    void keisokuCommand();
    // MnuExec_Loging / button "Loging": PC logging on or off.
    void logingCommand();

    // Called by the link.
    void KeisokuStart();
    void KeisokuEnd_Req();
    void KeisokuEnd();
    // The port became unusable while measuring: logging stops, the measurement ends
    // at once, the data set stays.
    void linkLost();

    // TmrDisp, every second.
    void onDisplayTick();

    // The meter's silence while measuring: after kSilenceWarningMs without a
    // measured-data line the status bar warns (the measurement goes on); the next
    // line clears the warning. Checked every second from KeisokuStart on.
    static constexpr qint64 kSilenceWarningMs = 10000;
    void checkSilence(qint64 msSinceLastLine);

    // MnuExec_Loging: asks for the log file, then beginPcLogging.
    void startPcLogging();
    // Opens path as the PC log and starts logging into it; false (after the
    // message "ロギングファイルを作成できません。") when it cannot be created.
    bool beginPcLogging(const QString& path);
    void stopPcLogging();

    // MeasuredDataHost
    bool valuePanelChecked() const override;
    ValuePanel* valuePanel() override;
    void startDisplayTimer() override;
    void pcLogWriteFailed(const QString& reason) override;
    void storeAppendFailed(const VbError& error) override;
    int wiringMode() const override;
    void lineArrived() override;
    void lineDone(const DataRecord& record) override;

private:
    void startRequest();
    void setMeasuringControls(bool measuring);
    void setLoggingControls(bool logging);

    Context& ctx_;
    MeasurementView& view_;
    Sequencer& link_;
    MeasuredData measured_;
    QTimer silenceTimer_;
    QElapsedTimer sinceLastLine_;
    bool silenceShown_ = false;
    QString panel2BeforeWarning_;
};

} // namespace quellin

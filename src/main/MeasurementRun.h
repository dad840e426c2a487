#pragma once
// The measurement session: the start and stop commands, the one-second display
// cycle (TmrDisp), PC logging start and stop, and the end of the measurement. It
// owns its state and tells of every change by a signal: the state (idle,
// starting, measuring, stopping), PC logging on or off, each record it stores
// and each line it has handled. A front end shows what it hears; the exchanges
// with the meter go through the Sequencer.

#include "base/Context.h"
#include "link/MeasuredData.h"
#include "main/MainWindowItems.h"
#include "main/PcLogging.h"
#include "main/SessionControls.h"
#include "platform/Tx.h"
#include "store/DataViews.h"
#include "views/ChildWindowHost.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace quellin {

class Sequencer;

// What the session asks of a front end with windows. Without windows (quellin-cli)
// the defaults hold: no list, graph or panel to refresh, and a start over
// existing data needs no question (the measurement resets the data set).
class MeasurementView {
public:
    virtual ~MeasurementView() = default;
    // The check marks of the view menu.
    virtual bool viewMark(ViewItem item) const
    {
        (void)item;
        return false;
    }
    // The clear-data confirmation ("内部メモリをクリアします。" Yes/No); on Yes the data
    // set is cleared. Returns true for Yes.
    virtual bool confirmClearData() { return true; }
    // The data list refilled from ListPage (after LoadListPage).
    virtual void refreshList() {}
    // The data list shows the newest records: its scroll bar is at its end (or
    // off, or the list is closed). Scrolled back, the list stays where the user
    // put it.
    virtual bool listShowsNewest() const { return true; }
    // The graph window's display-cycle refresh: SetGraphWindow(0), LoadGraphWindow,
    // the drawing and the summary labels.
    virtual void refreshGraph() {}
    // The value panel while it is loaded, else null.
    virtual ValuePanel* valuePanel() { return nullptr; }
    // Owner of the file dialogs.
    virtual QWidget* dialogOwner() const { return nullptr; }
};

namespace run_text {
// Looked up in the catalogue when shown, after the program's language is installed.
inline QString measuring() { return TX("計測中"); }
inline QString storeFull() { return TX("最大計測数になったため、計測を終了しました。"); }
inline QString logFilter() { return TX("CSVﾌｧｲﾙ(*.csv)"); }
inline const QString kLogPattern = QStringLiteral("*.csv");
inline QString logTitle() { return TX("記録データ格納先"); }
inline QString logWriteFailed()
{
    return TX("ロギングファイルに書き込めないため、ロギングを停止しました。");
}
inline QString logOpenFailed() { return TX("ロギングファイルを作成できません。"); }
inline QString meterSilent()
{
    return TX("電力計からデータが届いていません（10秒以上）。ケーブルと電力計を確認して下さい。");
}
// Status panel 2 while the meter is silent: the warning after what the panel
// said ("ロギング中…" stays in sight).
inline QString meterSilentAfter(const QString& before)
{
    return before.isEmpty() ? meterSilent() : before + TX("　") + meterSilent();
}
// Status panel 2 once the port was lost during PC logging.
inline QString loggingEndedByPortLoss(const QString& logPath)
{
    return TX("通信ポートが使用できなくなったため、ロギングを終了しました。ロギングファイル：%1")
        .arg(logPath);
}
inline QString storeWriteFailed()
{
    return TX("計測データを一時データファイルに書き込めないため、計測を終了しました。");
}
} // namespace run_text

// GraphXHani for a logging period in seconds: 1 below a minute, 2 below an hour, else 3.
int graphXHaniFor(int logingTime);
// ListTop of the display cycle: the newest records, a page of rows of them.
int listTopFor(int recordCount, int rows = kListRows);
// ListTop of a display tick: the newest records while the list shows them,
// else the page the user scrolled to (kept within the data set).
int listTopForTick(int recordCount, int listTop, bool showsNewest, int rows = kListRows);

class MeasurementRun : public QObject, public MeasuredDataHost {
    Q_OBJECT

public:
    MeasurementRun(Context& ctx, MeasurementView& view, Sequencer& link);
    ~MeasurementRun() override;

    // The measured-data handler (for LinkClients::measured).
    MeasuredData& measuredData() { return measured_; }

    MeasurementState state() const { return state_; }
    // Between KeisokuStart and KeisokuEnd (measuring or stopping).
    bool running() const
    {
        return state_ == MeasurementState::Measuring || state_ == MeasurementState::Stopping;
    }
    bool logging() const { return measured_.state().PcLogging; }
    // The measured-data handler's totals, counters and log (quellin-cli's progress).
    const MeasureState& measureState() const { return measured_.state(); }
    // TmrDisp runs (from the first line of a measurement to its end).
    bool displayTimerActive() const { return TmrDisp.isActive(); }
    // The program ends: no display cycle any more.
    void stopDisplayTimer() { TmrDisp.stop(); }

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
    bool beginPcLogging(const QString& path, PcLogOpen mode = PcLogOpen::Replace);
    void stopPcLogging();

    // MeasuredDataHost
    bool valuePanelChecked() const override;
    ValuePanel* valuePanel() override;
    void startDisplayTimer() override;
    void pcLogWriteFailed(const QString& reason) override;
    void storeAppendFailed(const VbError& error) override;
    int wiringMode() const override;
    void lineArrived() override;
    void recordAppended(const DataRecord& record) override;
    void lineDone(const DataRecord& record) override;

Q_SIGNALS:
    // The session's state changed. KeisokuEnd always tells Idle, also when the
    // session was idle already (a dialog exchange's time-out ends there too): the
    // commands follow the data set again.
    void stateChanged(quellin::MeasurementState state);
    // PC logging started or stopped.
    void loggingChanged(bool logging);
    // A record was appended to the data set.
    void recordStored(const quellin::DataRecord& record);
    // A measured-data line was handled; record is what it made (stored or not, by
    // the logging period).
    void lineHandled(const quellin::DataRecord& record);

private:
    // The display cycle's refresh: the list's newest page (unless scrolled back)
    // and the graph, as far as they are shown.
    void refreshViews();
    void startRequest();
    void setState(MeasurementState state);
    void announceState();
    // The link went idle or failed while the start exchange ran.
    void startExchangeOver(bool failed);
    // The message box of a failure found while a line is handled, opened once the
    // handling has returned.
    void reportAfterLine(const QString& text);

    Context& ctx_;
    MeasurementView& view_;
    Sequencer& link_;
    MeasuredData measured_;
    MeasurementState state_ = MeasurementState::Idle;
    QTimer TmrDisp;
    QTimer silenceTimer_;
    QElapsedTimer sinceLastLine_;
    bool silenceShown_ = false;
    QString panel2BeforeWarning_;
};

} // namespace quellin

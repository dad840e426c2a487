#pragma once
// The program's one top-level window: menus, toolbar, status bar and the child
// windows (value panel, graph, data list) of the current data set.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "main/DownloadReception.h"
#include "main/MeasurementOutputs.h"
#include "main/MeasurementRun.h"
#include "main/SessionControls.h"
#include "views/ChildWindowHost.h"
#include "views/GraphHost.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

class QLabel;
class QMdiArea;
class QTimer;
class QToolBar;

namespace quellin {

class FrmAlarmList;
class FrmDisp;
class FrmGraph;
class FrmHelp;
class FrmPrint;
class FrmSpread;
class LogingExchange;
class MemoryExchange;
class Sequencer;
class StatusBarProxy;
class WindowMenu;
class FrmReport;
struct SurveyFigures;

// What the main window needs from the rest of the program (owned by the start-up).
struct MainWindowLinks {
    std::function<void()> showSystemDialog; // FrmSystem, which reopens the port
    std::function<void()> closeLink;        // unload FrmComm (closes the port)
};

class FrmMDIMain : public QMainWindow,
                   public ChildWindowHost,
                   public MeasurementView,
                   public CommandControls,
                   public MainWindowClient,
                   public GraphHost {
public:
    FrmMDIMain(Context& ctx, StatusBarProxy& status, Sequencer& link, MainWindowLinks links,
               QWidget* parent = nullptr);
    ~FrmMDIMain() override;

    MeasurementRun& measurementRun() { return *run_; }
    MeasurementOutputs& measurementOutputs() { return *outputs_; }

    // MDIForm_Load step 2: the three child windows, list, graph and panel.
    void showChildWindows();

    // ChildWindowHost (viewMark also serves MeasurementView)
    void setViewMark(ViewItem item, bool checked) override;
    bool viewMark(ViewItem item) const override;

    // CommandControls: the session's states shown by the table of SessionControls.
    void setMenuCaption(MenuItem item, const QString& caption) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void setButtonImage(ToolButton button, ToolImage image) override;
    void setButtonToolTip(ToolButton button, const QString& tip) override;
    void setButtonEnabled(ToolButton button, bool enabled) override;
    // Program end: unloads every window (last loaded first) and closes every open
    // file; false when unloading failed (the files are closed all the same).
    bool bfExitApplication();

    // A data set restored after an abnormal end: shown as after a load.
    void showRestoredDataSet();

    // "内部メモリをクリアします。" Yes/No; on Yes clears the data set. Returns the answer.
    bool confirmClearData() override;
    // The question alone, and the clearing alone (data set, panel, list, graph,
    // the save and clear commands).
    bool askClearData();
    void clearDataSet();
    void refreshList() override;
    bool listShowsNewest() const override;
    void refreshGraph() override;
    ValuePanel* valuePanel() override;
    QWidget* dialogOwner() const override { return const_cast<FrmMDIMain*>(this); }

    // MainWindowClient: the link's calls into the measurement run.
    void KeisokuStart() override;
    void KeisokuEnd() override;
    void KeisokuEnd_Req() override;
    void clearBusyText() override;
    void linkLost() override;
    // MainWindowClient: a download's records, its end and its failure.
    void Download_Recv(const QString& text) override;
    void DispDownload() override;
    void downloadAbandoned() override;

    // The logging memory's exchanges are there: MnuFile_Download (and its button)
    // and MnuManu_Memori are shown and open their dialogs from now on.
    void attachMemoryDialogs(Sequencer& link, MemoryExchange& memory, LogingExchange& loging);

    // GraphHost
    void setGraphMenuChecked(bool checked) override;
    bool measurementRunning() const override;
    void reportPeriod(double from, double to) override;

    QAction* toolButton(ToolButton button) const
    {
        return ToolButtons[static_cast<size_t>(button)];
    }
    QAction* menuItem(MenuItem item) const { return menuItems_[static_cast<size_t>(item)]; }
    FrmSpread* spreadWindow() const;
    FrmGraph* graphWindow() const;
    FrmDisp* dispWindow() const;
    QMdiArea* mdiArea() const { return mdi_; }
    // The print commands (tests drive their preview through it) and the help window.
    FrmPrint& printer() { return *print_; }
    FrmHelp* helpWindow() const;
    // 整列: the panel at the top left, the graph beside it, the list below both,
    // for the window area's present size (also the first run's layout).
    void arrangeWindows();

    // Menu items, named as the commands they carry.
    QMenu* MnuFile = nullptr;
    QAction* MnuFile_Load = nullptr;
    QAction* MnuFile_Join = nullptr;
    QAction* MnuFile_Save = nullptr;
    QAction* MnuFile_Download = nullptr;
    QAction* MnuFile_Clear = nullptr;
    QAction* MnuFile_PrintSpread = nullptr;
    QAction* MnuFile_PrintGraph = nullptr;
    QAction* MnuFile_Pdf = nullptr;
    QAction* MnuFile_GraphImage = nullptr;
    QAction* MnuFile_Exit = nullptr;
    QMenu* MnuView = nullptr;
    QAction* MnuView_Denryoku = nullptr;
    QAction* MnuView_Graph = nullptr;
    QAction* MnuView_Spread = nullptr;
    QAction* MnuView_Report = nullptr; // "集計・レポート(&R)", while data is present
    QAction* MnuView_Alarms = nullptr; // "警報一覧(&A)"
    QAction* MnuView_Compare = nullptr; // 比較表示, or its removal while one is shown
    QMenu* MnuExec = nullptr;
    QAction* MnuExec_Keisoku = nullptr;
    QAction* MnuExec_Loging = nullptr;
    QMenu* MnuManu = nullptr;
    QAction* MnuManu_Keisoku = nullptr;
    QAction* MnuManu_Memori = nullptr;
    QAction* MnuManu_Pref = nullptr;
    QMenu* MnuPref = nullptr;
    QAction* MnuPref_Loging = nullptr;
    QAction* MnuPref_System = nullptr;
    QAction* MnuPref_Alarm = nullptr;  // "警報設定(&A)..."
    QAction* MnuPref_Output = nullptr; // "外部出力(&O)..."
    WindowMenu* MnuWindow = nullptr; // "ウィンドウ(&W)"
    QMenu* MnuHelp = nullptr;
    QAction* MnuHelp_Mokuji = nullptr;
    QAction* MnuHelp_Version = nullptr;

    QToolBar* ToolBar = nullptr;
    std::array<QAction*, kToolButtonCount> ToolButtons{}; // in the toolbar's order
    std::array<QLabel*, 5> StsBar{};                      // panels 1..4 (0 unused)
    QLabel* StsAlarm = nullptr;  // the raised alarms, while there are any
    QLabel* StsOutput = nullptr; // the monitoring outputs' last word, while there is one
    FrmAlarmList* alarmList() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void toggleView(ViewItem item);
    void showSpread();
    void showDisp();
    void showGraph();
    // MDIForm_QueryUnload: false refuses to close.
    bool queryUnload();
    // MDIForm_Unload: TMP.DAT removed, link closed, graph settings stored.
    void unload();
    void setPanel(int panel, const QString& text);
    void tickClock();
    // Tells the user when the port is closed; true when the meter can be asked.
    bool portReady(const Sequencer& link);
    // MnuFile_Download: the clear-data confirmation when data is present, FrmDownload.
    void showDownload();
    // MnuManu_Memori: FrmLogingMem.
    void showLogingMem();
    Sequencer* memoryLink_ = nullptr;
    MemoryExchange* memoryExchange_ = nullptr;
    LogingExchange* logingExchange_ = nullptr;

    QAction* addMenuItem(QMenu* menu, const QString& caption, MenuItem item);
    // The list and the graph emptied after a discarded download; note in status panel 2.
    void showDiscardedDownload(const QString& note);
    // MnuFile_Save, MnuFile_Clear and their buttons.
    void setDataCommandsEnabled(bool enabled);
    // MnuFile_Load: confirmation, dialog, file, then list and graph.
    void loadDataFile();
    // The one place where the windows follow a data set that changed as a whole
    // (a load, a download, a restore, a clear): the save and clear commands, the
    // list refilled and the graph redrawn with its summary. A data set that
    // arrived opens the list and the graph windows; one whose Y scales were not
    // chosen yet (a load, a restore) is auto-scaled first.
    enum class DataSetChange { Emptied, ArrivedScaled, ArrivedUnscaled };
    void showDataSet(DataSetChange change);
    // 追加読込: a data file appended to the loaded data set.
    void joinDataFile();
    // 比較表示: a data file laid over the graph, or taken away again.
    void compareDataFile();
    void showLogSet();
    // Runs use on the graph window, opened for it when it is closed (and closed
    // again afterwards).
    void withGraphWindow(const std::function<void(FrmGraph&)>& use);
    void showHelp();
    // The report window, opened (or brought forward) over the current data set.
    void showReport();
    void printSurveyReport(const SurveyFigures& figures);
    // 集計・レポート: while data is present or a measurement runs.
    void enableReportCommand();
    void showAbout();
    // The alarms: the status bar, the value panel's colours and the event list.
    void showAlarmEvent(const AlarmEvent& event);
    void showRaisedAlarms();
    void showAlarmList();
    // On the first showing: the children that take their first-run places are
    // fitted to the window area (a small screen would cut them off).
    void fitFirstRunWindows();
    bool firstRunFitDone_ = false;
    int listLeastHeight_ = 0; // the list's first-run height, in pixels
    // 操作: the meter's measurement mode and environment settings, modal.
    void connectMeterDialogs(Sequencer& link);

    Context& ctx_;
    StatusBarProxy& status_;
    MainWindowLinks links_;
    std::unique_ptr<MeasurementRun> run_;
    std::unique_ptr<MeasurementOutputs> outputs_;
    QPointer<FrmAlarmList> alarmList_;
    DownloadReception download_{ctx_};
    QMdiArea* mdi_ = nullptr;
    QPointer<FrmSpread> spread_;
    QPointer<FrmDisp> disp_;
    QPointer<FrmReport> report_;
    QPointer<FrmGraph> graph_;
    QTimer* clock_ = nullptr;
    bool unloaded_ = false;
    std::array<QAction*, kMenuItemCount> menuItems_{};
    std::unique_ptr<FrmPrint> print_;
    QPointer<FrmHelp> help_;
};

} // namespace quellin

#include "main/FrmMDIMain.h"

#include "about/FrmAbout.h"
#include "about/FrmHelp.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "base/VersionLayout.h"
#include "dialogs/FrmAlarmSet.h"
#include "dialogs/FrmDispSet.h"
#include "dialogs/FrmDownload.h"
#include "dialogs/FrmKeisokuMode.h"
#include "dialogs/FrmLogingMem.h"
#include "dialogs/FrmOutputSet.h"
#include "link/LinkTexts.h"
#include "link/Sequencer.h"
#include "main/DownloadReception.h"
#include "main/LoadedGraph.h"
#include "main/WindowMenu.h"
#include "main/widgets/ToolbarIcons.h"
#include "platform/Format.h"
#include "platform/StatusBarProxy.h"
#include "platform/Tx.h"
#include "print/FrmPrint.h"
#include "print/ReportPages.h"
#include "settings/FrmLogSet.h"
#include "settings/ModRegistry.h"
#include "settings/SettingsValues.h"
#include "store/CsvLoad.h"
#include "store/DataFileFlow.h"
#include "store/DataFileJoin.h"
#include "store/ModFile.h"
#include "views/FrmAlarmList.h"
#include "views/FrmDisp.h"
#include "views/FrmGraph.h"
#include "views/FrmReport.h"
#include "views/FrmSpread.h"
#include "views/GraphScale.h"
#include "views/WindowFit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace quellin {

namespace {

QString clearQuestion()
{
    return TX("内部メモリをクリアします。\r\nよろしいですか？");
}

} // namespace

FrmMDIMain::FrmMDIMain(Context& ctx, StatusBarProxy& status, Sequencer& link, MainWindowLinks links,
                       QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), status_(status), links_(std::move(links)),
      run_(std::make_unique<MeasurementRun>(ctx, *this, link)),
      outputs_(std::make_unique<MeasurementOutputs>(ctx, *run_)),
      print_(std::make_unique<FrmPrint>(ctx, this))
{
    setObjectName(QStringLiteral("FrmMDIMain"));
    setWindowTitle(QStringLiteral("Quellin"));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(0x8a, 0x96, 0xa3));
    // A child that lies partly outside the area can still be reached.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);

    buildMenus();
    connectMeterDialogs(link);
    buildToolBar();
    buildStatusBar();

    // The commands start idle, with no data set to save or clear yet, and follow
    // the session's state and its logging from then on.
    showMeasurementState(*this, MeasurementState::Idle, false);
    connect(run_.get(), &MeasurementRun::stateChanged, this, [this](MeasurementState state) {
        showMeasurementState(*this, state, ctx_.app.DataPresent);
        enableReportCommand();
    });
    // The report follows a measurement record by record.
    connect(run_.get(), &MeasurementRun::recordStored, this, [this] {
        if (report_ && report_->isVisible())
            report_->refresh();
    });
    connect(run_.get(), &MeasurementRun::loggingChanged, this,
            [this](bool logging) { showLoggingState(*this, logging); });
    connect(outputs_.get(), &MeasurementOutputs::alarmEvent, this,
            [this](const AlarmEvent& event) { showAlarmEvent(event); });
    connect(outputs_.get(), &MeasurementOutputs::told, this, [this](const QString& text) {
        StsOutput->setText(text);
        StsOutput->setToolTip(text);
        StsOutput->setVisible(!text.isEmpty());
    });
    connect(outputs_.get(), &MeasurementOutputs::alarmsReset, this, [this] {
        showRaisedAlarms();
        if (alarmList_)
            alarmList_->showEvents(outputs_->events());
    });

    // Room for the three child windows side by side and one above the other,
    // frame and status bar on the screen.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1400, 1000);
    resize(firstMainWindowSize(screen.size()));
    move(screen.topLeft());
}

FrmMDIMain::~FrmMDIMain()
{
    status_.attach({});
}

QAction* FrmMDIMain::addMenuItem(QMenu* menu, const QString& caption, MenuItem item)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(menuItemName(item));
    menuItems_[static_cast<size_t>(item)] = a;
    return a;
}

void FrmMDIMain::buildMenus()
{
    MnuFile = menuBar()->addMenu(TX("ﾌｧｲﾙ(&F)"));
    MnuFile_Load = addMenuItem(MnuFile, TX("ﾌｧｲﾙ読込(&L)..."), MenuItem::MnuFile_Load);
    MnuFile_Join = MnuFile->addAction(TX("追加読込(&J)..."));
    MnuFile_Join->setObjectName(QStringLiteral("MnuFile_Join"));
    MnuFile_Save = addMenuItem(MnuFile, TX("ﾌｧｲﾙ保存(&S)..."), MenuItem::MnuFile_Save);
    MnuFile->addSeparator();
    MnuFile_Download =
        addMenuItem(MnuFile, TX("ﾀﾞｳﾝﾛｰﾄﾞ(&D)..."), MenuItem::MnuFile_Download);
    MnuFile_Clear = addMenuItem(MnuFile, TX("ﾒﾓﾘｸﾘｱ(&C)"), MenuItem::MnuFile_Clear);
    MnuFile->addSeparator();
    MnuFile_PrintSpread =
        addMenuItem(MnuFile, TX("ﾃﾞｰﾀ一覧印刷(&A)"), MenuItem::MnuFile_PrintSpread);
    MnuFile_PrintGraph =
        addMenuItem(MnuFile, TX("ｸﾞﾗﾌ印刷(&G)"), MenuItem::MnuFile_PrintGraph);
    MnuFile_Pdf = addMenuItem(MnuFile, TX("PDFに出力(&P)..."), MenuItem::MnuFile_Pdf);
    MnuFile_GraphImage = addMenuItem(MnuFile, TX("グラフ画像を保存(&I)..."),
                                     MenuItem::MnuFile_GraphImage);
    MnuFile->addSeparator();
    MnuFile_Exit = addMenuItem(MnuFile, TX("終了(&X)"), MenuItem::MnuFile_Exit);

    MnuView = menuBar()->addMenu(TX("表示(&V)"));
    MnuView_Denryoku =
        addMenuItem(MnuView, TX("測定値表示(&D)"), MenuItem::MnuView_Denryoku);
    MnuView_Graph = addMenuItem(MnuView, TX("ｸﾞﾗﾌ表示(&G)"), MenuItem::MnuView_Graph);
    MnuView_Spread =
        addMenuItem(MnuView, TX("ﾃﾞｰﾀ一覧表示(&S)"), MenuItem::MnuView_Spread);
    MnuView->addSeparator();
    MnuView_Report = MnuView->addAction(TX("集計・レポート(&R)..."));
    MnuView_Report->setObjectName(QStringLiteral("MnuView_Report"));
    MnuView_Report->setEnabled(false);
    MnuView_Alarms = MnuView->addAction(TX("警報一覧(&A)"));
    MnuView_Alarms->setObjectName(QStringLiteral("MnuView_Alarms"));
    MnuView_Compare = MnuView->addAction(TX("比較表示(&O)..."));
    MnuView_Compare->setObjectName(QStringLiteral("MnuView_Compare"));
    // The overlay goes with the graph window: the menu says what the item does now.
    connect(MnuView, &QMenu::aboutToShow, this, [this] {
        MnuView_Compare->setText(graph_ && graph_->hasOverlay()
                                     ? TX("比較表示を解除(&O)")
                                     : TX("比較表示(&O)..."));
    });

    MnuExec = menuBar()->addMenu(TX("動作制御(&E)"));
    MnuExec_Keisoku =
        addMenuItem(MnuExec, TX("計測開始(&S)"), MenuItem::MnuExec_Keisoku);
    MnuExec_Loging =
        addMenuItem(MnuExec, TX("ﾛｷﾞﾝｸﾞ開始(&L)..."), MenuItem::MnuExec_Loging);

    MnuManu = menuBar()->addMenu(TX("操作(&M)"));
    MnuManu_Keisoku =
        addMenuItem(MnuManu, TX("計測ﾓｰﾄﾞ(&K)..."), MenuItem::MnuManu_Keisoku);
    MnuManu_Memori =
        addMenuItem(MnuManu, TX("ﾛｷﾞﾝｸﾞ・ﾒﾓﾘ操作(&M)..."), MenuItem::MnuManu_Memori);
    MnuManu_Pref =
        addMenuItem(MnuManu, TX("電力計の環境設定(&D)..."), MenuItem::MnuManu_Pref);

    MnuPref = menuBar()->addMenu(TX("設定(&P)"));
    MnuPref_Loging =
        addMenuItem(MnuPref, TX("ﾛｷﾞﾝｸﾞ条件設定(&L)..."), MenuItem::MnuPref_Loging);
    MnuPref_System =
        addMenuItem(MnuPref, TX("通信条件設定(&S)..."), MenuItem::MnuPref_System);
    MnuPref->addSeparator();
    MnuPref_Alarm = MnuPref->addAction(TX("警報設定(&A)..."));
    MnuPref_Alarm->setObjectName(QStringLiteral("MnuPref_Alarm"));
    MnuPref_Output = MnuPref->addAction(TX("外部出力(&O)..."));
    MnuPref_Output->setObjectName(QStringLiteral("MnuPref_Output"));

    MnuHelp = menuBar()->addMenu(TX("ﾍﾙﾌﾟ(&H)"));
    MnuWindow =
        new WindowMenu(*menuBar(), MnuHelp->menuAction(), *mdi_, [this] { arrangeWindows(); });
    MnuHelp_Mokuji = addMenuItem(MnuHelp, TX("目次(&M)"), MenuItem::MnuHelp_Mokuji);
    MnuHelp->addSeparator();
    MnuHelp_Version =
        addMenuItem(MnuHelp, TX("Quellinについて(&A)"), MenuItem::MnuHelp_Version);

    // The check marks of the view items are kept by the child windows themselves.
    for (QAction* a : {MnuView_Denryoku, MnuView_Graph, MnuView_Spread})
        a->setCheckable(true);
    // Each command runs under an error trap of its own, so that a failure (a file
    // that cannot be read, say) is reported under the command's name instead of
    // ending the program.
    const auto command = [this](QAction* item, const char* name, std::function<void()> body) {
        connect(item, &QAction::triggered, this, [this, name, body = std::move(body)] {
            trapped(ctx_, name, false, [&] {
                body();
                return true;
            });
        });
    };
    command(MnuView_Denryoku, "MnuView_Denryoku_Click", [this] { toggleView(ViewItem::Denryoku); });
    command(MnuView_Graph, "MnuView_Graph_Click", [this] { toggleView(ViewItem::Graph); });
    command(MnuView_Spread, "MnuView_Spread_Click", [this] { toggleView(ViewItem::Spread); });
    command(MnuView_Report, "MnuView_Report_Click", [this] { showReport(); });
    command(MnuView_Alarms, "MnuView_Alarms_Click", [this] { showAlarmList(); });
    command(MnuPref_Alarm, "MnuPref_Alarm_Click", [this] {
        FrmAlarmSet dlg(ctx_, this);
        dlg.exec();
    });
    command(MnuPref_Output, "MnuPref_Output_Click", [this] {
        FrmOutputSet dlg(ctx_, this);
        dlg.exec();
    });
    command(MnuView_Compare, "MnuView_Compare_Click", [this] { compareDataFile(); });
    command(MnuFile_Load, "MnuFile_Load_Click", [this] { loadDataFile(); });
    command(MnuFile_Join, "MnuFile_Join_Click", [this] { joinDataFile(); });
    command(MnuFile_Save, "MnuFile_Save_Click", [this] { chooseAndSaveDataFile(ctx_, this); });
    command(MnuFile_Clear, "MnuFile_Clear_Click", [this] { confirmClearData(); });
    connect(MnuFile_Exit, &QAction::triggered, this, &QWidget::close);
    command(MnuExec_Keisoku, "MnuExec_Keisoku_Click", [this] { run_->keisokuCommand(); });
    command(MnuExec_Loging, "MnuExec_Loging_Click", [this] { run_->logingCommand(); });
    command(MnuFile_PrintSpread, "MnuFile_PrintSpread_Click",
            [this] { print_->printSpreadCommand(); });
    command(MnuFile_PrintGraph, "MnuFile_PrintGraph_Click", [this] {
        if (ctx_.svc.msg.askYesNo(printGraphQuestion(), MsgIcon::Question))
            withGraphWindow([this](FrmGraph& graph) { print_->PrintGraph(graph); });
    });
    command(MnuFile_Pdf, "MnuFile_Pdf_Click",
            [this] { withGraphWindow([this](FrmGraph& graph) { print_->exportPdf(graph); }); });
    command(MnuFile_GraphImage, "MnuFile_GraphImage_Click", [this] {
        withGraphWindow([this](FrmGraph& graph) { print_->saveGraphImage(graph); });
    });
    command(MnuHelp_Mokuji, "MnuHelp_Mokuji_Click", [this] { showHelp(); });
    command(MnuHelp_Version, "MnuHelp_Version_Click", [this] { showAbout(); });
    command(MnuPref_Loging, "MnuPref_Loging_Click", [this] { showLogSet(); });
    command(MnuPref_System, "MnuPref_System_Click", [this] {
        if (links_.showSystemDialog)
            links_.showSystemDialog();
    });

    // The memory commands need the meter's memory exchanges, which the program
    // attaches after the window is built; until then they stay out of sight.
    for (QAction* a : {MnuFile_Download, MnuManu_Memori})
        a->setVisible(false);
}

void FrmMDIMain::buildToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(24, 24));
    struct Button {
        ToolButton button;
        const char* tip; // the catalogue's id
        ToolImage image;
        QAction* item;
    };
    const Button buttons[] = {
        {ToolButton::Load, TXN("ファイル読込"), ToolImage::Load, MnuFile_Load},
        {ToolButton::Save, TXN("ファイル保存"), ToolImage::Save, MnuFile_Save},
        {ToolButton::Download, TXN("ダウンロード"), ToolImage::Download, MnuFile_Download},
        {ToolButton::Clear, TXN("メモリクリア"), ToolImage::Clear, MnuFile_Clear},
        {ToolButton::SpreadPrint, TXN("データ一覧印刷"), ToolImage::SpreadPrint, MnuFile_PrintSpread},
        {ToolButton::GraphPrint, TXN("グラフ印刷"), ToolImage::GraphPrint, MnuFile_PrintGraph},
        {ToolButton::Keisoku, TXN("計測開始"), ToolImage::KeisokuIdle, MnuExec_Keisoku},
        {ToolButton::Loging, TXN("ロギング開始"), ToolImage::LogingIdle, MnuExec_Loging},
        {ToolButton::System, TXN("通信条件設定"), ToolImage::System, MnuPref_System},
        {ToolButton::Help, TXN("ヘルプ目次"), ToolImage::Help, MnuHelp_Mokuji},
    };
    for (const Button& b : buttons) {
        const QString tip = tx(b.tip);
        QAction* a = ToolBar->addAction(toolIcon(b.image), tip);
        a->setObjectName(toolButtonKey(b.button));
        a->setToolTip(tip);
        a->setEnabled(b.item->isEnabled());
        a->setVisible(b.item->isVisible());
        // A click on a button runs exactly the action of its menu item.
        QAction* item = b.item;
        connect(a, &QAction::triggered, item, [item] { item->trigger(); });
        ToolButtons[static_cast<size_t>(b.button)] = a;
        if ((b.button == ToolButton::Clear || b.button == ToolButton::GraphPrint ||
             b.button == ToolButton::Loging) &&
            a->isVisible())
            ToolBar->addSeparator();
    }
    // The graph's own view: back to the window its time axis names, the whole
    // data set, the second cursor and its period for the report.
    QToolBar* graphBar = addToolBar(QStringLiteral("GraphToolBar"));
    graphBar->setObjectName(QStringLiteral("GraphToolBar"));
    graphBar->setMovable(false);
    const auto onGraph = [this, graphBar](const char* name, const QString& text, auto act) {
        QAction* a = graphBar->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, act] {
            if (graph_)
                act(*graph_);
        });
    };
    onGraph("CmdGraphHome", TX("元の表示"), [](FrmGraph& g) { g.restoreView(); });
    onGraph("CmdGraphWhole", TX("全体"), [](FrmGraph& g) { g.showWholeData(); });
    onGraph("CmdGraphCursor2", TX("2本目のカーソル"), [](FrmGraph& g) { g.toggleSecondCursor(); });
    onGraph("CmdGraphReport", TX("期間をレポートへ"), [](FrmGraph& g) { g.reportCursorPeriod(); });
}

void FrmMDIMain::buildStatusBar()
{
    // Panels 1 and 2 carry the measurement state and messages; 3 and 4 the date and time.
    const int widths[5] = {0, 294, 452, 90, 70}; // 4410 and 6782 twips for panels 1 and 2
    for (int p = 1; p <= 4; ++p) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("StsBarPanel%1").arg(p));
        label->setMinimumWidth(widths[p]);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        if (p >= 3)
            label->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(label, p == 2 ? 1 : 0);
        StsBar[static_cast<size_t>(p)] = label;
    }
    StsAlarm = new QLabel;
    StsAlarm->setObjectName(QStringLiteral("StsBarAlarm"));
    StsAlarm->setStyleSheet(QStringLiteral("QLabel { background: #b01818; color: white; padding: 0 6px; }"));
    StsAlarm->hide();
    StsOutput = new QLabel;
    StsOutput->setObjectName(QStringLiteral("StsBarOutput"));
    StsOutput->hide();
    statusBar()->addWidget(StsOutput);
    statusBar()->addWidget(StsAlarm);
    status_.attach([this](int panel, const QString& text) { setPanel(panel, text); });
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, [this] { tickClock(); });
    clock_->start();
    tickClock();
}

void FrmMDIMain::setPanel(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 4)
        StsBar[static_cast<size_t>(panel)]->setText(text);
}

void FrmMDIMain::tickClock()
{
    const double now = ctx_.svc.clock.now();
    StsBar[3]->setText(Format(now, QStringLiteral("yyyy/mm/dd")));
    StsBar[4]->setText(Format(now, QStringLiteral("hh:mm:ss")));
}

void FrmMDIMain::showChildWindows()
{
    showSpread();
    showGraph();
    showDisp();
}

void FrmMDIMain::setViewMark(ViewItem item, bool checked)
{
    // A child clears its mark as it closes; it is gone for the window from then on,
    // even before Qt deletes it, so the next click loads it afresh.
    if (!checked) {
        if (item == ViewItem::Denryoku)
            disp_ = nullptr;
        else if (item == ViewItem::Spread)
            spread_ = nullptr;
        else
            graph_ = nullptr;
    }
    switch (item) {
    case ViewItem::Denryoku:
        MnuView_Denryoku->setChecked(checked);
        break;
    case ViewItem::Graph:
        MnuView_Graph->setChecked(checked);
        break;
    case ViewItem::Spread:
        MnuView_Spread->setChecked(checked);
        break;
    }
}

bool FrmMDIMain::viewMark(ViewItem item) const
{
    switch (item) {
    case ViewItem::Denryoku:
        return MnuView_Denryoku->isChecked();
    case ViewItem::Graph:
        return MnuView_Graph->isChecked();
    case ViewItem::Spread:
        return MnuView_Spread->isChecked();
    }
    return false;
}

void FrmMDIMain::toggleView(ViewItem item)
{
    // The action has already flipped its own mark; the window decides it.
    switch (item) {
    case ViewItem::Denryoku:
        if (disp_)
            disp_->close();
        else
            showDisp();
        break;
    case ViewItem::Spread:
        if (spread_)
            spread_->close();
        else
            showSpread();
        break;
    case ViewItem::Graph:
        if (graph_)
            graph_->close();
        else
            showGraph();
        break;
    }
}

void FrmMDIMain::showGraph()
{
    if (graph_)
        return;
    graph_ = FrmGraph::open(*mdi_, ctx_, *this);
    // First start: right of the value panel (the panel's designed width).
    if (ctx_.settings.read(QStringLiteral("FrmGraph_Left"), QString()).isEmpty() &&
        ctx_.settings.read(QStringLiteral("FrmGraph_Top"), QString()).isEmpty())
        graph_->move(twipsToPixels(4995), 0);
    graph_->redraw();
}

FrmGraph* FrmMDIMain::graphWindow() const
{
    return graph_.data();
}

void FrmMDIMain::setGraphMenuChecked(bool checked)
{
    setViewMark(ViewItem::Graph, checked);
}

bool FrmMDIMain::measurementRunning() const
{
    return run_->running();
}

void FrmMDIMain::reportPeriod(double from, double to)
{
    showReport();
    report_->setPeriod(from, to);
}

void FrmMDIMain::showSpread()
{
    if (spread_)
        return;
    // First start: the list below the graph window.
    spread_ = new FrmSpread(ctx_, *this, QPoint(0, twipsToPixels(7425)));
    mdi_->addSubWindow(spread_);
    spread_->show();
}

void FrmMDIMain::showDisp()
{
    if (disp_)
        return;
    disp_ = new FrmDisp(ctx_, *this);
    mdi_->addSubWindow(disp_);
    disp_->show();
    showRaisedAlarms();
}

void FrmMDIMain::showAlarmEvent(const AlarmEvent& event)
{
    showRaisedAlarms();
    if (alarmList_)
        alarmList_->addEvent(event);
}

void FrmMDIMain::showRaisedAlarms()
{
    const AlarmEvaluator& alarms = outputs_->alarms();
    QStringList raised;
    for (std::size_t i = 0; i < alarms.rules().size(); ++i)
        if (alarms.raised(i))
            raised << alarmRuleCaption(alarms.rules()[i]);
    // Joined pair by pair: the separator is the language's own.
    QString names = raised.value(0);
    for (qsizetype i = 1; i < raised.size(); ++i)
        names = TX("%1、%2").arg(names, raised[i]);
    StsAlarm->setText(TX("警報：%1").arg(names));
    StsAlarm->setVisible(!raised.isEmpty());
    if (!disp_)
        return;
    for (int c = column::kVoltR; c < kMaxColumns; ++c)
        if (const int item = measuredItem(c).panelItem; item >= 0)
            disp_->showAlarm(item, alarms.columnRaised(c));
}

void FrmMDIMain::showAlarmList()
{
    if (!alarmList_) {
        alarmList_ = new FrmAlarmList;
        mdi_->addSubWindow(alarmList_);
        alarmList_->showEvents(outputs_->events());
    }
    alarmList_->show();
    mdi_->setActiveSubWindow(alarmList_);
}

FrmAlarmList* FrmMDIMain::alarmList() const
{
    return alarmList_.data();
}

bool FrmMDIMain::confirmClearData()
{
    if (!askClearData())
        return false;
    clearDataSet();
    return true;
}

bool FrmMDIMain::askClearData()
{
    return ctx_.svc.msg.askYesNo(clearQuestion(), MsgIcon::Question);
}

void FrmMDIMain::clearDataSet()
{
    ctx_.app.DataPresent = false;
    ctx_.dataSet().DeleteTmpFile();
    ResetStore(ctx_);
    if (disp_)
        disp_->resetValues();
    showDataSet(DataSetChange::Emptied);
}

void FrmMDIMain::showDataSet(DataSetChange change)
{
    const bool present = change != DataSetChange::Emptied;
    setDataCommandsEnabled(present);
    if (present)
        showSpread();
    refreshList();
    if (change == DataSetChange::ArrivedUnscaled)
        fitUnchosenScales(ctx_);
    if (present)
        showGraph();
    if (graph_) {
        graph_->redraw();
        graph_->showSummary(present ? GraphSummary::Filled : GraphSummary::Empty);
    }
    enableReportCommand();
    if (report_)
        report_->refresh();
}

bool FrmMDIMain::queryUnload()
{
    if (run_->logging()) {
        ctx_.svc.msg.info(TX("ロギングを終了してください。"));
        return false;
    }
    if (ctx_.app.Measuring) {
        ctx_.svc.msg.info(TX("計測を終了してください。"));
        return false;
    }
    if (ctx_.app.DataPresent && MnuFile_Save->isEnabled()) {
        if (!ctx_.svc.msg.askYesNo(TX("内部メモリは破棄されます。\r\nよろしいですか？"),
                                   MsgIcon::Question))
            return false;
    }
    return true;
}

void FrmMDIMain::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    run_->stopDisplayTimer();
    bfExitApplication();
    ctx_.dataSet().DeleteTmpFile();
    if (links_.closeLink)
        links_.closeLink();
    storeGraphSettings(ctx_);
}

FrmSpread* FrmMDIMain::spreadWindow() const
{
    return spread_.data();
}

FrmDisp* FrmMDIMain::dispWindow() const
{
    return disp_.data();
}

void FrmMDIMain::setMenuCaption(MenuItem item, const QString& caption)
{
    menuItem(item)->setText(caption);
}

void FrmMDIMain::setMenuEnabled(MenuItem item, bool enabled)
{
    menuItem(item)->setEnabled(enabled);
}

void FrmMDIMain::setButtonImage(ToolButton button, ToolImage image)
{
    toolButton(button)->setIcon(toolIcon(image));
}

void FrmMDIMain::setButtonToolTip(ToolButton button, const QString& tip)
{
    QAction* a = toolButton(button);
    a->setToolTip(tip);
    a->setText(tip);
}

void FrmMDIMain::setButtonEnabled(ToolButton button, bool enabled)
{
    toolButton(button)->setEnabled(enabled);
}

void FrmMDIMain::refreshList()
{
    if (spread_)
        spread_->fillList();
}

bool FrmMDIMain::listShowsNewest() const
{
    return !spread_ || spread_->showsNewest();
}

void FrmMDIMain::refreshGraph()
{
    if (graph_)
        graph_->refresh();
}

ValuePanel* FrmMDIMain::valuePanel()
{
    return disp_.data();
}

void FrmMDIMain::KeisokuStart()
{
    run_->KeisokuStart();
}

void FrmMDIMain::KeisokuEnd()
{
    run_->KeisokuEnd();
}

void FrmMDIMain::KeisokuEnd_Req()
{
    run_->KeisokuEnd_Req();
}

void FrmMDIMain::clearBusyText()
{
    ctx_.svc.status.setPanelText(2, QString());
}

void FrmMDIMain::linkLost()
{
    run_->linkLost();
}

void FrmMDIMain::attachMemoryDialogs(Sequencer& link, MemoryExchange& memory,
                                     LogingExchange& loging)
{
    memoryLink_ = &link;
    memoryExchange_ = &memory;
    logingExchange_ = &loging;
    const auto command = [this](QAction* item, const char* name, void (FrmMDIMain::*body)()) {
        connect(item, &QAction::triggered, this, [this, name, body] {
            trapped(ctx_, name, false, [&] {
                (this->*body)();
                return true;
            });
        });
    };
    command(MnuFile_Download, "MnuFile_Download_Click", &FrmMDIMain::showDownload);
    command(MnuManu_Memori, "MnuManu_Memori_Click", &FrmMDIMain::showLogingMem);
    for (QAction* a : {MnuFile_Download, MnuManu_Memori, MnuManu->menuAction(),
                       toolButton(ToolButton::Download)})
        a->setVisible(true);
    // The button was built disabled along with its hidden menu item.
    toolButton(ToolButton::Download)->setEnabled(MnuFile_Download->isEnabled());
}

bool FrmMDIMain::portReady(const Sequencer& link)
{
    // Without a port the meter cannot be asked: say so at once.
    if (link.portIsOpen())
        return true;
    ctx_.svc.msg.info(link_text::portNotOpen(ctx_.app.CommPort), MsgIcon::Exclamation);
    return false;
}

void FrmMDIMain::showDownload()
{
    if (!portReady(*memoryLink_))
        return;
    if (ctx_.app.DataPresent && !askClearData())
        return;
    // The data set goes only once a download starts: closing the dialog keeps it.
    FrmDownload dlg(ctx_, download_.counts(), *memoryLink_, *memoryExchange_, this, [this] {
        if (ctx_.app.DataPresent)
            clearDataSet();
    });
    dlg.exec();
}

void FrmMDIMain::showLogingMem()
{
    if (!portReady(*memoryLink_))
        return;
    FrmLogingMem dlg(ctx_, *memoryLink_, *logingExchange_, this);
    dlg.exec();
}

void FrmMDIMain::Download_Recv(const QString& text)
{
    download_.Download_Recv(text);
    // Minutes at 9600 baud: the status bar counts the records as they come.
    if (download_.progressDue())
        ctx_.svc.status.setPanelText(2, download_.progressText());
}

void FrmMDIMain::DispDownload()
{
    const DownloadEnd end = download_.finish();
    if (!end.ready) {
        showDiscardedDownload(end.statusText);
        if (!end.message.isEmpty())
            ctx_.svc.msg.show({end.message, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
        return;
    }
    // The download's scales were chosen as it finished.
    showDataSet(DataSetChange::ArrivedScaled);
    ctx_.svc.status.setPanelText(2, end.statusText);
}

void FrmMDIMain::downloadAbandoned()
{
    showDiscardedDownload(download_.discard());
}

void FrmMDIMain::showDiscardedDownload(const QString& note)
{
    showDataSet(DataSetChange::Emptied);
    ctx_.svc.status.setPanelText(2, note);
}

void FrmMDIMain::setDataCommandsEnabled(bool enabled)
{
    MnuFile_Save->setEnabled(enabled);
    MnuFile_Clear->setEnabled(enabled);
    toolButton(ToolButton::Save)->setEnabled(enabled);
    toolButton(ToolButton::Clear)->setEnabled(enabled);
}

void FrmMDIMain::loadDataFile()
{
    if (ctx_.app.DataPresent && !askClearData())
        return;
    // The data set is cleared only once a file was chosen: cancelling the dialog
    // keeps it.
    const QString path = chooseDataFileToLoad(ctx_, this);
    if (path.isEmpty())
        return;
    if (ctx_.app.DataPresent)
        clearDataSet();
    if (!loadChosenDataFile(ctx_, path)) {
        // A refused file leaves an empty data set behind: show it as such.
        if (!ctx_.app.DataPresent)
            showDataSet(DataSetChange::Emptied);
        return;
    }
    fitGraphToLoadedData(ctx_);
    showDataSet(DataSetChange::ArrivedScaled);
}

void FrmMDIMain::joinDataFile()
{
    if (ctx_.app.Measuring) {
        ctx_.svc.msg.info(TX("計測中は追加読込できません。"));
        return;
    }
    const QString path = chooseDataFileToLoad(ctx_, this);
    if (!path.isEmpty() && JoinDataFile(ctx_, path))
        showDataSet(DataSetChange::ArrivedScaled);
}

void FrmMDIMain::compareDataFile()
{
    if (graph_ && graph_->hasOverlay()) {
        graph_->clearOverlay();
        MnuView_Compare->setText(TX("比較表示(&O)..."));
        return;
    }
    FileDialogRequest request;
    request.owner = this;
    request.filter = csvFilterText();
    request.pattern = kCsvPattern;
    request.initialFolder = ctx_.app.FilePath;
    const QString path = ctx_.svc.files.openFile(request);
    if (path.isEmpty())
        return;
    std::optional<DataSet> other = LoadDataFileAside(ctx_, path);
    if (!other)
        return;
    const bool align =
        ctx_.app.DataPresent &&
        ctx_.svc.msg.askYesNo(TX("比較するデータの開始を現在のデータの開始に揃えますか"
                                 "？\r\n（いいえ：それぞれの時刻で表示します）"),
                              MsgIcon::Question);
    showGraph();
    graph_->setOverlay(std::move(*other), QFileInfo(path).fileName(), align);
    MnuView_Compare->setText(TX("比較表示を解除(&O)"));
}

void FrmMDIMain::showRestoredDataSet()
{
    showDataSet(DataSetChange::ArrivedUnscaled);
}

void FrmMDIMain::showLogSet()
{
    FrmLogSet dlg(ctx_, this);
    dlg.exec();
}

void FrmMDIMain::withGraphWindow(const std::function<void(FrmGraph&)>& use)
{
    const bool wasShown = graph_ != nullptr;
    showGraph();
    QPointer<FrmGraph> graph = graph_;
    use(*graph);
    if (!wasShown && graph)
        graph->close();
}

void FrmMDIMain::enableReportCommand()
{
    MnuView_Report->setEnabled(ctx_.app.DataPresent || run_->state() != MeasurementState::Idle);
}

void FrmMDIMain::showReport()
{
    if (!report_) {
        report_ = new FrmReport(ctx_, this);
        report_->printReport = [this](const SurveyFigures& figures) { printSurveyReport(figures); };
    }
    report_->refresh();
    report_->show();
    report_->raise();
    report_->activateWindow();
}

void FrmMDIMain::printSurveyReport(const SurveyFigures& figures)
{
    // The trend graph reads TMP.DAT: a failing read is reported under the command's name.
    trapped(ctx_, "CmdPdfReport_Click", false, [&] {
        ReportSection report(ctx_.cat, ctx_.app.HardVersion, ctx_.dataSet(), figures,
                             reportHeading(ctx_.app, ctx_.dataSet()), ctx_.svc.clock.now(), ctx_.svc);
        print_->printDocument(reportTitleText(), {&report});
        return true;
    });
}

void FrmMDIMain::showHelp()
{
    if (!help_)
        help_ = new FrmHelp(ctx_.app.language, this);
    help_->showContents();
    help_->show();
    help_->raise();
    help_->activateWindow();
}

FrmHelp* FrmMDIMain::helpWindow() const
{
    return help_.data();
}

void FrmMDIMain::showAbout()
{
    frmAbout dlg(ctx_, this);
    dlg.exec();
}

void FrmMDIMain::connectMeterDialogs(Sequencer& link)
{
    const auto open = [this, &link](QAction* item, const char* name, auto makeDialog) {
        connect(item, &QAction::triggered, this, [this, &link, name, makeDialog] {
            trapped(ctx_, name, false, [&] {
                if (!portReady(link))
                    return true;
                auto dlg = makeDialog(ctx_, link, this);
                dlg->exec();
                return true;
            });
        });
    };
    open(MnuManu_Keisoku, "MnuManu_Keisoku_Click", [](Context& c, Sequencer& s, QWidget* w) {
        return std::make_unique<FrmKeisokuMode>(c, s, w);
    });
    open(MnuManu_Pref, "MnuManu_Pref_Click", [](Context& c, Sequencer& s, QWidget* w) {
        return std::make_unique<FrmDispSet>(c, s, w);
    });
}

bool FrmMDIMain::bfExitApplication()
{
    bool ok = true;
    try {
        // Every loaded window, the last loaded first: each child saves its placement.
        const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
        for (auto it = windows.crbegin(); it != windows.crend(); ++it)
            (*it)->close();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != this && w->isVisible())
                w->close();
    } catch (...) {
        ok = false; // go straight on to the files, with no message
    }
    ctx_.dataSet().CloseTmp();
    run_->measuredData().endLog();
    return ok;
}

void FrmMDIMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstRunFitDone_ && !event->spontaneous()) {
        firstRunFitDone_ = true;
        fitFirstRunWindows();
    }
}

void FrmMDIMain::fitFirstRunWindows()
{
    const auto firstRun = [this](QWidget* window, const char* prefix) -> std::optional<QRect> {
        const QString name = QString::fromLatin1(prefix);
        if (!window || !ctx_.settings.read(name + QStringLiteral("_Top"), QString()).isEmpty() ||
            !ctx_.settings.read(name + QStringLiteral("_Left"), QString()).isEmpty())
            return std::nullopt;
        return window->geometry();
    };
    ChildPlaces designed;
    designed.panel = firstRun(disp_, "FrmDisp");
    designed.graph = firstRun(graph_, "FrmGraph");
    designed.list = firstRun(spread_, "FrmSpread");
    if (auto* l = layout())
        l->activate();
    // The list's first size holds its rows (grown for the font): 整列 keeps it.
    if (spread_ && designed.list)
        listLeastHeight_ = spread_->height();
    // Never placed by the user: the arranged layout for this window's size.
    if (disp_ && graph_ && spread_ && designed.panel && designed.graph && designed.list) {
        arrangeWindows();
        return;
    }
    const QSize area = mdi_->contentsRect().size();
    const ChildPlaces fitted = fitFirstRunPlaces(designed, area, QSize(300, 240));
    if (disp_ && fitted.panel)
        disp_->setGeometry(*fitted.panel);
    if (graph_ && fitted.graph)
        graph_->setGeometry(*fitted.graph);
    if (spread_ && fitted.list)
        spread_->setGeometry(*fitted.list);
}

void FrmMDIMain::arrangeWindows()
{
    // The panel in its designed size (wider by what longer titles need); the
    // list at least its designed height, which holds its rows.
    const DispLayout panel = dispLayout(ctx_.app.HardVersion);
    const int panelGrown = disp_ ? disp_->grownWidth() : 0;
    const ChildPlaces places = arrangedPlaces(
        mdi_->contentsRect().size(),
        QSize(twipsToPixels(panel.windowWidth) + panelGrown, twipsToPixels(panel.windowHeight)),
        std::max(listLeastHeight_, twipsToPixels(spreadLayout(ctx_.app.HardVersion).windowHeight)),
        240);
    for (const auto& [window, place] :
         {std::pair<QWidget*, std::optional<QRect>>{disp_, places.panel},
          {graph_, places.graph},
          {spread_, places.list}}) {
        if (!window || !place)
            continue;
        if (window->isMinimized() || window->isMaximized())
            window->showNormal();
        window->setGeometry(*place);
    }
}

void FrmMDIMain::closeEvent(QCloseEvent* event)
{
    if (!unloaded_ && !queryUnload()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

} // namespace quellin

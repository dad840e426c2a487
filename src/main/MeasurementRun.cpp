#include "main/MeasurementRun.h"

#include "base/ErrorReport.h"
#include "link/Sequencer.h"
#include "main/PcLogging.h"
#include "platform/AppPaths.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"

namespace quellin {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

int graphXHaniFor(int logingTime)
{
    if (logingTime < 60)
        return 1;
    if (logingTime < 3600)
        return 2;
    return 3;
}

int listTopFor(int recordCount, int rows)
{
    return recordCount < rows + 1 ? 0 : recordCount - rows;
}

int listTopForTick(int recordCount, int listTop, bool showsNewest, int rows)
{
    const int newest = listTopFor(recordCount, rows);
    return showsNewest ? newest : std::clamp(listTop, 0, newest);
}

MeasurementRun::MeasurementRun(Context& ctx, MeasurementView& view, Sequencer& link)
    : ctx_(ctx), view_(view), link_(link), measured_(ctx, *this)
{
    TmrDisp.setObjectName(QStringLiteral("TmrDisp"));
    TmrDisp.setInterval(1000);
    connect(&TmrDisp, &QTimer::timeout, this, [this] { onDisplayTick(); });
    silenceTimer_.setInterval(1000);
    connect(&silenceTimer_, &QTimer::timeout, this,
            [this] { checkSilence(sinceLastLine_.elapsed()); });
    // A start the meter refused goes idle without KeisokuStart, a start that timed
    // out fails: either way the session is idle again. A confirmed start goes idle
    // too, just before KeisokuStart, so the refusal is told apart once the event
    // that made the link idle is over.
    connect(&link_, &Sequencer::exchangeFailed, this, [this](link::State) {
        if (state_ == MeasurementState::Starting)
            setState(MeasurementState::Idle);
    });
    connect(&link_, &Sequencer::stateChanged, this, [this](link::State linkState) {
        if (state_ != MeasurementState::Starting || linkState != link::State::Idle)
            return;
        QTimer::singleShot(0, this, [this] {
            if (state_ == MeasurementState::Starting)
                setState(MeasurementState::Idle);
        });
    });
}

MeasurementRun::~MeasurementRun() = default;

void MeasurementRun::setState(MeasurementState state)
{
    if (state == state_)
        return;
    state_ = state;
    Q_EMIT stateChanged(state_);
}

void MeasurementRun::announceState()
{
    Q_EMIT stateChanged(state_);
}

// ---------------------------------------------------------------------------------
// Commands

void MeasurementRun::keisokuCommand()
{
    if (ctx_.app.Measuring) {
        if (logging())
            stopPcLogging();
        KeisokuEnd_Req();
        return;
    }
    // Without a port nothing can be asked of the meter: say so before the data
    // set is touched.
    if (!link_.portIsOpen()) {
        ctx_.svc.msg.info(link_text::portNotOpen(ctx_.app.CommPort), MsgIcon::Exclamation);
        return;
    }
    if (ctx_.app.DataPresent && !view_.confirmClearData())
        return;
    startRequest();
}

void MeasurementRun::startRequest()
{
    measured_.expectFirstSample();
    ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
    setState(MeasurementState::Starting);
    link_.startMeasurementRequest();
}

void MeasurementRun::logingCommand()
{
    if (logging())
        stopPcLogging();
    else if (ctx_.app.Measuring)
        startPcLogging();
}

// ---------------------------------------------------------------------------------
// Entering and leaving the measuring state

void MeasurementRun::KeisokuStart()
{
    ctx_.svc.status.setPanelText(1, run_text::measuring());
    ctx_.svc.pointer.setPointer(MousePointer::Default);
    ctx_.app.Measuring = true;
    // The window looks as while measuring before anything can fail (and stop).
    state_ = MeasurementState::Measuring;
    announceState();

    const double now = ctx_.svc.clock.now();
    ctx_.dataSet().beginMeasurement(now, link_.WiringMode(), ctx_.app.LogingTime,
                                    ctx_.cat.ColumnLast);
    // The graph follows the newest record, and the series the user never scaled
    // get a scale from the first points.
    ctx_.graphWindow().beginMeasurement(now);
    ctx_.listPage().ListTop = 0;
    measured_.beginMeasurement(ctx_.app.LogingTime);

    const size_t columns = ctx_.dataSet().ColumnPresent().size();
    std::vector<bool>& on = ctx_.cat.ColumnOn;
    on.assign(columns, false);
    for (size_t c = 0; c < columns && c < ctx_.cat.LogColumns.size(); ++c)
        on[c] = ctx_.cat.LogColumns[c];

    ctx_.app.GraphXHani = graphXHaniFor(ctx_.app.LogingTime);
    ctx_.app.DataPresent = true;

    // TMP.DAT is cut to the (empty) data set when it opens. Without it nothing can
    // be stored, so the meter is told to stop again.
    const bool opened = trapped(ctx_, "KeisokuStart", false, [&] {
        ctx_.dataSet().OpenTmpForAppend();
        return true;
    });
    if (!opened) {
        KeisokuEnd_Req();
        return;
    }
    // From here on a crash leaves records that the next start can restore.
    writeDataSetInfo(ctx_, DataSetKind::Measurement);
    sinceLastLine_.start();
    silenceShown_ = false;
    silenceTimer_.start();
}

void MeasurementRun::KeisokuEnd_Req()
{
    // Whoever asks for the stop (the window, the meter's "STP", a full store), the
    // log file is closed before the meter is told.
    if (logging())
        stopPcLogging();
    // An "STP" while idle is answered with the stop as well; the session stays idle.
    if (state_ == MeasurementState::Measuring)
        setState(MeasurementState::Stopping);
    link_.startStopExchange();
}

void MeasurementRun::KeisokuEnd()
{
    if (logging())
        stopPcLogging();
    TmrDisp.stop();
    // The records stored since the last display tick (the last one before the
    // stop, say) are shown, not left to a cycle that no longer comes.
    if (ctx_.app.Measuring)
        refreshViews();
    silenceTimer_.stop();
    if (silenceShown_)
        checkSilence(0);
    ctx_.svc.status.setPanelText(1, QString());
    ctx_.app.Measuring = false;
    ctx_.dataSet().CloseTmp();
    link_.endExchange();
    state_ = MeasurementState::Idle;
    announceState();
}

void MeasurementRun::linkLost()
{
    const QString logPath =
        logging() && measureState().LogFileNo ? measureState().LogFileNo->fileName() : QString();
    if (logging())
        stopPcLogging();
    KeisokuEnd();
    // The message box about the port is gone long before the user looks here.
    if (!logPath.isEmpty())
        ctx_.svc.status.setPanelText(2, run_text::loggingEndedByPortLoss(logPath));
}

// ---------------------------------------------------------------------------------
// Display cycle

void MeasurementRun::refreshViews()
{
    const int records = ctx_.dataSet().RecordCount();
    ListPage& page = ctx_.listPage();
    page.ListTop = listTopForTick(records, page.ListTop, view_.listShowsNewest(), page.rowCount());
    if (view_.viewMark(ViewItem::Spread)) {
        const bool loaded = trapped(
            ctx_, "TmrDisp_Timer", false,
            [&] {
                LoadListPage(ctx_, page.ListTop);
                return true;
            },
            ReportTo::StatusBar);
        if (loaded)
            view_.refreshList();
    }
    if (view_.viewMark(ViewItem::Graph))
        view_.refreshGraph();
}

void MeasurementRun::onDisplayTick()
{
    if (!ctx_.app.Measuring)
        return;
    if (ctx_.dataSet().RecordCount() <= kMaxRecords) {
        refreshViews();
        return;
    }
    TmrDisp.stop();
    if (logging())
        stopPcLogging();
    KeisokuEnd_Req();
    ctx_.svc.status.setPanelText(2, run_text::storeFull());
}

// ---------------------------------------------------------------------------------
// PC logging

void MeasurementRun::startPcLogging()
{
    FileDialogRequest request;
    request.owner = view_.dialogOwner();
    request.filter = run_text::logFilter();
    request.pattern = run_text::kLogPattern;
    request.initialFolder = ctx_.app.LogingPath;
    request.defaultExtension = run_text::kLogPattern;
    request.title = run_text::logTitle();
    const QString path = ctx_.svc.files.saveFile(request);
    if (path.isEmpty())
        return;
    // The measurement may have ended while the dialog was open.
    if (!ctx_.app.Measuring)
        return;

    ctx_.app.LogingPath = folderOf(path);
    ctx_.settings.write(QStringLiteral("LogingPath"), ctx_.app.LogingPath);
    beginPcLogging(path);
}

bool MeasurementRun::beginPcLogging(const QString& path, PcLogOpen mode)
{
    std::unique_ptr<QFile> file;
    try {
        file = openPcLogFile(ctx_, path, link_.WiringMode(), mode);
    } catch (const VbError& e) {
        ctx_.svc.msg.show({run_text::logOpenFailed() + kCrLf + e.description(),
                           {},
                           MsgButtons::Ok,
                           MsgIcon::Exclamation,
                           false});
        return false;
    }

    measured_.beginLog(std::move(file));
    ctx_.svc.status.setPanelText(
        2, TX("ロギング中（間隔：%1秒おき）")
               .arg(Format(static_cast<double>(ctx_.app.LogingTime), QStringLiteral("0"))));
    Q_EMIT loggingChanged(true);
    return true;
}

void MeasurementRun::stopPcLogging()
{
    measured_.endLog();
    ctx_.svc.status.setPanelText(2, QString());
    Q_EMIT loggingChanged(false);
}

// ---------------------------------------------------------------------------------
// MeasuredDataHost

bool MeasurementRun::valuePanelChecked() const
{
    return view_.viewMark(ViewItem::Denryoku);
}

ValuePanel* MeasurementRun::valuePanel()
{
    return view_.valuePanel();
}

void MeasurementRun::startDisplayTimer()
{
    TmrDisp.start();
}

void MeasurementRun::pcLogWriteFailed(const QString& reason)
{
    stopPcLogging();
    ctx_.svc.status.setPanelText(2, run_text::logWriteFailed());
    reportAfterLine(run_text::logWriteFailed() + kCrLf + reason);
}

void MeasurementRun::storeAppendFailed(const VbError& error)
{
    KeisokuEnd_Req();
    ctx_.svc.status.setPanelText(2, run_text::storeWriteFailed());
    reportAfterLine(run_text::storeWriteFailed() + kCrLf + error.description());
}

void MeasurementRun::reportAfterLine(const QString& text)
{
    // Not from inside the line's handling: a box opened there would hold up the
    // link's input, and the stop just asked for would never get its answers. Once
    // the line is over, the box's own event loop goes on reading the meter.
    QTimer::singleShot(0, this, [this, text] {
        ctx_.svc.msg.show({text, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
    });
}

int MeasurementRun::wiringMode() const
{
    return link_.WiringMode();
}

// ---------------------------------------------------------------------------------
// The meter's silence

void MeasurementRun::lineArrived()
{
    sinceLastLine_.start();
    if (silenceShown_)
        checkSilence(0);
}

void MeasurementRun::recordAppended(const DataRecord& record)
{
    Q_EMIT recordStored(record);
}

void MeasurementRun::lineDone(const DataRecord& record)
{
    Q_EMIT lineHandled(record);
}

void MeasurementRun::checkSilence(qint64 msSinceLastLine)
{
    const bool silent = ctx_.app.Measuring && msSinceLastLine >= kSilenceWarningMs;
    if (silent == silenceShown_)
        return;
    silenceShown_ = silent;
    if (ValuePanel* panel = valuePanel())
        panel->showStale(silent);
    if (silent) {
        // "ロギング中…" stays in sight: the warning comes after it.
        panel2BeforeWarning_ = ctx_.svc.status.panelText(2);
        ctx_.svc.status.setPanelText(2, run_text::meterSilentAfter(panel2BeforeWarning_));
    } else if (ctx_.svc.status.panelText(2) == run_text::meterSilentAfter(panel2BeforeWarning_)) {
        ctx_.svc.status.setPanelText(2, panel2BeforeWarning_);
    }
}

} // namespace quellin

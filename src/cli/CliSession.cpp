#include "cli/CliSession.h"

#include "catalog/ModVer.h"
#include "platform/AppPaths.h"
#include "platform/Tx.h"
#include "settings/SettingsValues.h"
#include "store/DataSetInfo.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <utility>

namespace quellin {

namespace {

// The meter's version answer comes within the link's time-out; the answer to
// "SLE" after a given version within a moment.
constexpr int kVersionWaitMs = FrmComm::kTimeOutMs + 2000;
constexpr int kSleWaitMs = 3000;

} // namespace

CliSession::CliSession(const CliOptions& options, std::FILE* out, std::FILE* err)
    : options_(options), out_(out), err_(err),
      messages_(err), services_{messages_, files_, sleep_, pointer_, clock_, status_}
{
    signals_.onSignal = [this](int received) {
        if (stopHandler_)
            stopHandler_(received);
        else
            interrupt();
    };
}

CliSession::~CliSession()
{
    if (comm_)
        comm_->closePort();
}

CliExit CliSession::open()
{
    settings_ = std::make_unique<SettingsStore>(SettingsStore::defaultIniPath(), messages_);
    ctx_ = std::make_unique<Context>(services_, *settings_, data_.dataSet, data_.graphWindow,
                                     data_.listPage);
    Context& ctx = *ctx_;
    ctx.app.AppFolder = resolveAppFolder();
    ctx.dataSet().setFolder(ctx.app.AppFolder);
    readStartupSettings(ctx);
    if (!options_.commParam.isEmpty()) {
        if (!isValidCommParam(options_.commParam)) {
            writeLine(err_, TX("通信条件 %1 は使えません（例：9600,N,8,1）。")
                                .arg(options_.commParam));
            return CliExit::Usage;
        }
        ctx.app.CommParam = options_.commParam;
    }

    lock_ = lockDataFolder(ctx.app.AppFolder);
    if (lock_.inUse) {
        writeLine(err_, terminalText(dataFolderInUseText(ctx.app.AppFolder)));
        return CliExit::Refused;
    }

    clients_.version = this;
    exchanges_ = std::make_unique<DialogExchanges>(clients_);
    comm_ = std::make_unique<FrmComm>(ctx, clients_);
    if (!options_.port.isEmpty())
        comm_->setFixedDevice(options_.port);
    QObject::connect(&comm_->timeOutTimer(), &QTimer::timeout, [this] { timedOut_ = true; });
    if (!comm_->openPort())
        return CliExit::LinkFailure;
    const CliExit e = askVersion();
    return interrupted_ ? interruptedExit() : e;
}

void CliSession::openOffline()
{
    settings_ = std::make_unique<SettingsStore>(SettingsStore::defaultIniPath(), messages_);
    ctx_ = std::make_unique<Context>(services_, *settings_, data_.dataSet, data_.graphWindow,
                                     data_.listPage);
    ctx_->app.AppFolder = resolveAppFolder();
    ctx_->app.HardVersion = 2;
    dimensionCatalog(ctx_->cat, 2);
}

CliExit CliSession::askVersion()
{
    Context& ctx = *ctx_;
    ctx.app.HardVersion = options_.version;
    if (!bfVer_Open(ctx, seq()))
        return CliExit::LinkFailure;
    if (options_.version != 0) {
        // The catalogue is built; the meter's answer to "SLE" is still awaited.
        waitFor([&] { return seq().LinkState() == link::State::Idle; }, kSleWaitMs);
        return ctx.cat.ColumnTitles.isEmpty() ? CliExit::Refused : CliExit::Done;
    }
    const bool known = waitFor(
        [&] {
            return versionUnknown_ || !comm_->isOpen() ||
                   (!ctx.cat.ColumnTitles.isEmpty() && seq().LinkState() == link::State::Idle);
        },
        kVersionWaitMs);
    if (versionUnknown_ || !known || !comm_->isOpen()) {
        writeLine(err_, TX("電力計のハードバージョンが取得できません。"
                                       "電力計を確認するか、--version で指定して下さい。"));
        return CliExit::LinkFailure;
    }
    return ctx.cat.ColumnTitles.isEmpty() ? CliExit::Refused : CliExit::Done;
}

bool CliSession::bfVer_NoCheck()
{
    return quellin::bfVer_NoCheck(*ctx_);
}

bool CliSession::askAssumeVersion1()
{
    // The meter did not say: a logger must not guess.
    versionUnknown_ = true;
    return false;
}

void CliSession::onStopSignal(std::function<void(int)> handler)
{
    stopHandler_ = std::move(handler);
}

void CliSession::interrupt()
{
    interrupted_ = true;
    recheck();
}

CliExit CliSession::interruptedExit() const
{
    writeLine(err_, TX("中断しました。"));
    return CliExit::Interrupted;
}

bool CliSession::waitFor(const std::function<bool()>& done, int ms)
{
    if (done() || interrupted_)
        return done();
    // Whatever the command waits for is the end of an exchange (or its failure):
    // the link says so. The condition is looked at once the link's handling of
    // the line (the call-backs, their messages) is complete.
    QEventLoop loop;
    const auto look = [&] {
        QTimer::singleShot(0, &loop, [&] {
            if (done() || interrupted_)
                loop.quit();
        });
    };
    Sequencer& link = seq();
    QObject::connect(&link, &Sequencer::stateChanged, &loop, look);
    QObject::connect(&link, &Sequencer::exchangeEnded, &loop, look);
    QObject::connect(&link, &Sequencer::exchangeFailed, &loop, look);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(ms);
    std::function<void()> outer = std::exchange(recheck_, look);
    loop.exec();
    recheck_ = std::move(outer);
    return done();
}

void CliSession::recheck()
{
    if (recheck_)
        recheck_();
}

bool CliSession::linkFailed() const
{
    return timedOut_ || !comm_ || !comm_->isOpen();
}

bool CliSession::keepLeftoverDataSet()
{
    Context& ctx = *ctx_;
    const std::optional<LeftoverDataSet> leftover = findLeftoverDataSet(ctx);
    if (!leftover)
        return true;
    const QString aside = setLeftoverAside(ctx);
    if (aside.isEmpty()) {
        writeLine(err_, TX("前回の計測データ（%1件）が %2 に残っていますが、"
                                       "移せないため開始しません。このファイルを別の場所へ"
                                       "移してから、もう一度実行して下さい。")
                            .arg(leftover->records)
                            .arg(QDir::toNativeSeparators(ctx.tmpDatPath())));
        return false;
    }
    const QString why = leftover->damage == LeftoverDamage::Properties
                            ? TX("（TMP.INF が壊れています）")
                        : leftover->damage == LeftoverDamage::Records
                            ? TX("（読めない記録があります）")
                            : QString();
    writeLine(err_, TX("前回の計測データ（%1件）%3を %2 に移しました。")
                        .arg(leftover->records)
                        .arg(QDir::toNativeSeparators(aside), why));
    return true;
}

} // namespace quellin

#include "app/Program.h"

#include "about/FrmSplash.h"
#include "app/CommandLine.h"
#include "app/StartTexts.h"
#include "base/ErrorReport.h"
#include "main/FrmMDIMain.h"
#include "platform/AppPaths.h"
#include "platform/Language.h"
#include "platform/Tx.h"
#include "settings/FrmSystem.h"
#include "settings/SettingsValues.h"
#include "store/DataFolderLock.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"

#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

namespace quellin {

namespace {

constexpr int kSplashMs = 1000;

} // namespace

Program::Program(ServiceOverrides o)
    : services_{o.msg ? *o.msg : msg_,
                o.files ? *o.files : files_,
                o.sleep ? *o.sleep : sleep_,
                o.pointer ? *o.pointer : pointer_,
                clock_,
                status_},
      installLanguage_(o.installLanguage)
{
}

Program::~Program()
{
    main_.reset();
    splash_.reset();
    if (comm_)
        comm_->closePort();
    comm_.reset();
}

bool Program::VersionClientAdapter::bfVer_NoCheck()
{
    const bool built = modVer_.bfVer_NoCheck();
    // Once a version is known the start goes on, even when its catalogue could not
    // be built (that has been reported): nothing would end the wait otherwise.
    if ((built || program_.ctx_->app.HardVersion != 0) && program_.versionKnown_)
        program_.versionKnown_();
    return built;
}

void Program::showSystemDialog()
{
    FrmSystemLinks links;
    links.reopenPort = [this] { return comm_->reopenPort(); };
    links.deviceForPort = [this](int n) { return FrmComm::deviceForPort(*ctx_, n); };
    links.deviceFixedByEnvironment = [](int n) {
        return !qEnvironmentVariableIsEmpty(
            QStringLiteral("QUELLIN_COM%1").arg(n).toLatin1().constData());
    };
    links.presentPorts = [] { return presentPorts(); };
    FrmSystem dlg(*ctx_, links, main_ ? static_cast<QWidget*>(main_.get()) : nullptr);
    dlg.exec();
}

void Program::start(const QStringList& arguments)
{
    // 1-2: hourglass and splash.
    settings_ = std::make_unique<SettingsStore>(SettingsStore::defaultIniPath(), services_.msg);
    Language language = Language::Ja;
    if (installLanguage_) {
        language = chooseLanguage(settings_->read(kLanguageSetting, QString()),
                                  QLocale::system().uiLanguages());
        if (!installLanguage(*QCoreApplication::instance(), language))
            language = Language::Ja;
    }
    ctx_ = std::make_unique<Context>(services_, *settings_, data_.dataSet, data_.graphWindow,
                                     data_.listPage);
    Context& ctx = *ctx_;
    ctx.app.language = language;
    ctx.svc.pointer.setPointer(MousePointer::Hourglass);
    splash_ = std::make_unique<FrmSplash>();
    splash_->show();
    splash_->repaint();
    QApplication::processEvents();
    // The splash stands for a second; what is pending meanwhile still runs.
    QEventLoop splashWait;
    ctx.svc.sleep.after(kSplashMs, &splashWait, [&splashWait] { splashWait.quit(); });
    splashWait.exec();
    ctx.svc.sleep.processEvents();

    // 3-6: version unknown, the version option, the folders, the flags.
    ctx.app.HardVersion = 0;
    ctx.app.HardVersionText = kNotQueriedText;
    if (const auto forced = versionOption(ctx, commandLineText(arguments)))
        ctx.app.HardVersion = *forced;
    ctx.app.AppFolder = resolveAppFolder();
    ctx.dataSet().setFolder(ctx.app.AppFolder);
    ctx.app.DataPresent = false;
    if (!lockDataFolder()) {
        refused_ = true;
        splash_->close();
        splash_.reset();
        ctx.svc.pointer.setPointer(MousePointer::Default);
        return;
    }

    // 7: the PC settings.
    readStartupSettings(ctx);
    makeDefaultDataFolder(ctx);

    // 8: the communications window opens the port.
    version_ = std::make_unique<VersionClientAdapter>(*this);
    clients_.version = version_.get();
    exchanges_ = std::make_unique<DialogExchanges>(clients_);
    comm_ = std::make_unique<FrmComm>(ctx, clients_);
    comm_->showSystemDialog = [this] { showSystemDialog(); };
    comm_->openPort();

    // 9: ask the meter for its version (or the user, without a port).
    bfVer_Open(ctx, comm_->sequencer());

    // 10: the main window; its load waits for the version.
    MainWindowLinks links;
    links.showSystemDialog = [this] { showSystemDialog(); };
    links.closeLink = [this] { comm_->closePort(); };
    main_ = std::make_unique<FrmMDIMain>(ctx, status_, comm_->sequencer(), links);
    clients_.main = main_.get();
    clients_.measured = &main_->measurementRun().measuredData();
    main_->attachMemoryDialogs(comm_->sequencer(), exchanges_->memory, exchanges_->loging);
    waitForHardVersion();
    main_->showChildWindows();
    main_->show();

    // 11-12.
    splash_->close();
    splash_.reset();
    ctx.svc.pointer.setPointer(MousePointer::Default);

    offerLeftoverDataSet();
}

bool Program::lockDataFolder()
{
    Context& ctx = *ctx_;
    DataFolderLock lock = quellin::lockDataFolder(ctx.app.AppFolder);
    lock_ = std::move(lock.file);
    if (!lock.inUse)
        return true;
    ctx.svc.msg.show(
        {dataFolderInUseText(ctx.app.AppFolder), {}, MsgButtons::Ok, MsgIcon::Exclamation, true});
    return false;
}

void Program::offerLeftoverDataSet()
{
    Context& ctx = *ctx_;
    const std::optional<LeftoverDataSet> leftover = findLeftoverDataSet(ctx);
    if (!leftover)
        return;
    if (!leftover->restorable()) {
        // Records of a load or download that never finished, or damaged ones:
        // not a data set the user could trust, but not ours to delete either.
        const QString aside = setLeftoverAside(ctx);
        ctx.svc.msg.show({leftover->damage == LeftoverDamage::None
                              ? incompleteLeftoverText(leftover->records, aside)
                              : damagedLeftoverText(leftover->records, leftover->damage, aside),
                          {},
                          MsgButtons::Ok,
                          MsgIcon::Exclamation,
                          false});
        return;
    }
    if (!ctx.svc.msg.askYesNo(leftoverQuestionText(leftover->records))) {
        ctx.dataSet().DeleteTmpFile();
        return;
    }
    const bool restored = trapped(ctx, "RestoreDataSet", false, [&] {
        restoreDataSet(ctx, *leftover);
        return true;
    });
    if (restored && main_)
        main_->showRestoredDataSet();
}

void Program::waitForHardVersion()
{
    Context& ctx = *ctx_;
    if (ctx.app.HardVersion == 0 && comm_->timeOutTimer().isActive()) {
        main_->setEnabled(false);
        FrmSplash* splash = splash_.get();
        splash->showVersionCheck(TX("ハードバージョンを調べてます。"));
        // Event-driven: the loop ends as soon as the catalogue is built, and a dot is
        // added every 800 ms while the meter (or the user after the time-out) answers.
        QEventLoop loop;
        QTimer dots;
        dots.setInterval(800);
        QObject::connect(&dots, &QTimer::timeout, &loop,
                         [splash] { splash->addVersionCheckDot(); });
        versionKnown_ = [&loop] { loop.quit(); };
        // A meter busy with something else (a block of a killed download) may not
        // answer before the time-out: the user need not wait for it.
        splash->offerCancel([this] { comm_->sequencer().cancelVersionWait(); });
        dots.start();
        if (ctx.app.HardVersion == 0)
            loop.exec();
        splash->offerCancel(nullptr);
        versionKnown_ = nullptr;
    }
    // A catalogue that could not be built (reported already) still gives the
    // windows arrays of the version's size.
    if (ctx.cat.ColumnTitles.isEmpty()) {
        dimensionCatalog(ctx.cat, std::max(ctx.app.HardVersion, 1));
        ctx.dataSet().fitColumns(ctx.cat.ColumnLast);
        ctx.graphWindow().GraphValues.assign(static_cast<size_t>(ctx.cat.SeriesLast) + 1, {});
    }
    if (ctx.app.HardVersionText == kNotQueriedText)
        splash_->showVersionCheck(TX("ハードバージョン ") +
                                  QString::number(ctx.app.HardVersion) + QLatin1Char(' ') +
                                  txText(kNotQueriedText));
    else
        splash_->showVersionCheck(TX("ハードバージョン ") + ctx.app.HardVersionText);
    versionStatus_ = splash_->versionCheckText();
    QApplication::processEvents();
    main_->setEnabled(true);
}

} // namespace quellin

#pragma once
// The running program: services, settings, shared state, the communications
// window and the main window, in the order they must be built and torn down.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "catalog/ModVer.h"
#include "link/DialogExchanges.h"
#include "link/FrmComm.h"
#include "platform/QtServices.h"
#include "platform/StatusBarProxy.h"
#include "settings/ModRegistry.h"
#include "store/DataSet.h"

#include <QLockFile>
#include <QPointer>
#include <functional>
#include <memory>

namespace quellin {

class FrmMDIMain;
class FrmSplash;

// Services a caller (an end-to-end test) supplies instead of the Qt ones.
struct ServiceOverrides {
    MessageBoxService* msg = nullptr;
    FileDialogService* files = nullptr;
    SleepService* sleep = nullptr;
    PointerService* pointer = nullptr;
    // The program's own start installs the language of the settings or the
    // system; tests that start it in-process keep the texts as written.
    bool installLanguage = false;
};

class Program {
public:
    explicit Program(ServiceOverrides overrides = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start routine; returns when the main window is shown, or at once when
    // another running program holds the data folder (refused() then tells).
    void start(const QStringList& arguments);
    bool refused() const { return refused_; }

    Context& context() { return *ctx_; }
    FrmComm& comm() { return *comm_; }
    FrmMDIMain* mainWindow() const { return main_.get(); }
    // The splash window's last progress text ("ハードバージョン …").
    QString versionStatusText() const { return versionStatus_; }

private:
    // Tells the version wait that the catalogue was built.
    class VersionClientAdapter : public VersionClient {
    public:
        explicit VersionClientAdapter(Program& p) : program_(p), modVer_(*p.ctx_) {}
        bool bfVer_NoCheck() override;
        bool askAssumeVersion1() override { return modVer_.askAssumeVersion1(); }

    private:
        Program& program_;
        ModVerClient modVer_;
    };

    void showSystemDialog();
    // One program per data folder: false (after telling the user) when another
    // running program holds it.
    bool lockDataFolder();
    // Records an abnormal end left in TMP.DAT: restored or removed as the user says.
    void offerLeftoverDataSet();
    // MDIForm_Load step 1: while the meter is being asked, wait for its answer.
    void waitForHardVersion();

    QtMessageBox msg_;
    QtFileDialog files_;
    QtSleep sleep_;
    QtPointer pointer_;
    SystemClock clock_;
    StatusBarProxy status_;
    Services services_;
    std::unique_ptr<SettingsStore> settings_;
    CurrentData data_; // the current data set and the windows' views of it
    std::unique_ptr<Context> ctx_;
    LinkClients clients_;
    std::unique_ptr<VersionClientAdapter> version_;
    std::unique_ptr<DialogExchanges> exchanges_;
    std::unique_ptr<FrmComm> comm_;
    std::unique_ptr<FrmSplash> splash_;
    std::unique_ptr<FrmMDIMain> main_;
    std::function<void()> versionKnown_;
    QString versionStatus_;
    std::unique_ptr<QLockFile> lock_;
    bool refused_ = false;
    bool installLanguage_ = false;
};

} // namespace quellin

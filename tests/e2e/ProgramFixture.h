#pragma once
// The whole program in this process against the virtual meter, as the
// end-to-end tests run it: a scratch data folder as QUELLIN_HOME, the meter on a
// pseudo-terminal as COM1, the scripted message box, file dialog and sleep. The
// tear-down closes the program (answering yes to what it asks on the way) and
// forgets COM1.

#include "Doubles.h"
#include "MeterSim.h"
#include "app/Program.h"
#include "main/FrmMDIMain.h"

#include <QAction>
#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace quellin::test {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The virtual meter started with args, and COM1 leading to it.
    void startMeter(const QStringList& args);
    // The program started here with the scripted services; pointer replaces the
    // mouse pointer's service when given. The program may have refused to start.
    void startHere(const QStringList& commandLine = {QStringLiteral("quellin")},
                   PointerService* pointer = nullptr);
    // Both, and the main window is there.
    void start(const QStringList& meterArgs,
               const QStringList& commandLine = {QStringLiteral("quellin")});

    FrmMDIMain& main() { return *program->mainWindow(); }
    Context& ctx() { return program->context(); }

    // Opens a modal dialog from its menu item and runs script inside the dialog's
    // own modal loop; returns once the dialog has closed, false when no such
    // dialog opened. A dialog the script leaves open is asked to close.
    template <class Dialog>
    bool runDialog(QAction* item, const std::function<void(Dialog&)>& script)
    {
        bool opened = false;
        // Ends with this call: when no dialog opened, the script never runs later
        // on a finished call's references.
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            if (auto* dlg = dynamic_cast<Dialog*>(QApplication::activeModalWidget())) {
                opened = true;
                script(*dlg);
                if (dlg->isVisible())
                    dlg->reject();
            }
        });
        item->trigger();
        return opened;
    }

    // The program installs the language of its settings or the system, as its
    // own start does; off, it keeps the texts as written.
    bool installLanguage = false;
    QTemporaryDir home;
    MeterSim sim;
    ScriptedMessageBox msg;
    ScriptedFileDialog files;
    FakeSleep sleep;
    std::unique_ptr<Program> program;
};

} // namespace quellin::test

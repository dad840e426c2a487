#pragma once
// The about box: the program's name and version, the meter's hardware version,
// a notice, and a button that starts the desktop's system-information program.

#include "base/Context.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace quellin {

class frmAbout : public QDialog {
public:
    frmAbout(Context& ctx, QWidget* parent = nullptr);

    // Where programs are looked up and how one is started; tests replace them.
    std::function<QString(const QString&)> findExecutable;
    std::function<bool(const QString&)> startProgram;

private:
    // cmdSysInfo_Click: the first system-information program found, or the
    // message that there is none (also when it cannot be started).
    void cmdSysInfo_Click();

    Context& ctx_;
    QLabel* LblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblHDVer = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace quellin

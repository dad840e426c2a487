#pragma once
// The help window: the help pages shipped inside the program, opened at their
// contents page, with the usual back, forward and contents buttons.

#include <QWidget>

class QAction;
class QTextBrowser;

namespace quellin {

// Where the help pages are: compiled into the program, so it finds them
// wherever it is installed.
QString helpContentsUrl();

class FrmHelp : public QWidget {
public:
    explicit FrmHelp(QWidget* parent = nullptr);

    // MnuHelp_Mokuji: the contents page.
    void showContents();

private:
    QTextBrowser* browser_ = nullptr;
    QAction* contents_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
};

} // namespace quellin

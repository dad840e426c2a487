#pragma once
// The help window: the help pages shipped inside the program, opened at their
// contents page, with the usual back, forward and contents buttons, a search
// over every page, and Escape to close it.

#include "about/HelpSearch.h"

#include <QWidget>
#include <vector>

class QAction;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace quellin {

// Where the help pages are: compiled into the program, so it finds them
// wherever it is installed. The contents page of the pages in that language.
QString helpContentsUrl(Language language);

class FrmHelp : public QWidget {
public:
    // The pages shown and searched are those of the language the program speaks.
    explicit FrmHelp(Language language, QWidget* parent = nullptr);

    // MnuHelp_Mokuji: the contents page.
    void showContents();
    // The pages that hold the words, in the list beside the page; the first opens.
    void search(const QString& query);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openHit(int row);

    Language language_;
    QTextBrowser* browser_ = nullptr;
    QAction* contents_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* hitList_ = nullptr;
    std::vector<HelpPage> pages_; // read at the first search
    std::vector<HelpHit> hits_;
    QString query_;
};

} // namespace quellin

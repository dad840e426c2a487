#pragma once
// "印刷プレビュー": the pages of a document as the printer will print them, each
// drawn only when it is shown, so that a list of a thousand pages opens at once.
// From here the user prints (the print dialog, then the pages with a progress
// window that can stop them).

#include "print/PrintPages.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace quellin {

class FrmPrintPreview : public QDialog {
public:
    // print is handed the printer once the user has set it up in the print dialog.
    FrmPrintPreview(QPrinter& printer, const std::vector<PrintSection*>& sections,
                    std::function<void(QPrinter*)> print, QWidget* owner);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    int currentPage() const { return current_; }
    void showPage(int page); // 0-based, held within the document

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void drawPage();
    void printPages();

    QPrinter& printer_;
    std::vector<DocumentPage> pages_;
    std::function<void(QPrinter*)> print_;
    int current_ = 0;
    bool wholePage_ = true; // else as wide as the window

    QScrollArea* scroll_ = nullptr;
    QLabel* LblPage = nullptr;
    QSpinBox* TxtPage = nullptr;
    QLabel* LblPages = nullptr;
};

} // namespace quellin

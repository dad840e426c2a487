#include "print/FrmPrintPreview.h"

#include "platform/Tx.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace quellin {

FrmPrintPreview::FrmPrintPreview(QPrinter& printer, const std::vector<PrintSection*>& sections,
                                 std::function<void(QPrinter*)> print, QWidget* owner)
    : QDialog(owner), printer_(printer), pages_(documentPages(printer, sections)),
      print_(std::move(print))
{
    setObjectName(QStringLiteral("FrmPrintPreview"));
    setWindowTitle(TX("印刷プレビュー"));
    auto* column = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const QString& text, const char* name, auto&& onClick) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, onClick);
        bar->addWidget(b);
        return b;
    };
    button(TX("印刷..."), "CmdPrint", [this] { printPages(); });
    bar->addSpacing(16);
    button(QStringLiteral("|<"), "CmdFirst", [this] { showPage(0); });
    button(QStringLiteral("<"), "CmdPrevious", [this] { showPage(current_ - 1); });
    TxtPage = new QSpinBox(this);
    TxtPage->setObjectName(QStringLiteral("TxtPage"));
    TxtPage->setRange(1, std::max(1, pageCount()));
    TxtPage->setKeyboardTracking(false);
    connect(TxtPage, &QSpinBox::valueChanged, this, [this](int v) { showPage(v - 1); });
    bar->addWidget(TxtPage);
    LblPages = new QLabel(TX("/ %1 ページ").arg(pageCount()), this);
    bar->addWidget(LblPages);
    button(QStringLiteral(">"), "CmdNext", [this] { showPage(current_ + 1); });
    button(QStringLiteral(">|"), "CmdLast", [this] { showPage(pageCount() - 1); });
    bar->addSpacing(16);
    button(TX("ページ全体"), "CmdWholePage", [this] {
        wholePage_ = true;
        drawPage();
    });
    button(TX("幅に合わせる"), "CmdFitWidth", [this] {
        wholePage_ = false;
        drawPage();
    });
    bar->addStretch();
    button(TX("閉じる"), "CmdClose", [this] { reject(); });
    column->addLayout(bar);

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    LblPage = new QLabel(scroll_);
    LblPage->setObjectName(QStringLiteral("LblPage"));
    scroll_->setWidget(LblPage);
    column->addWidget(scroll_, 1);
    resize(1000, 760);
    drawPage();
}

void FrmPrintPreview::showPage(int page)
{
    const int held = std::clamp(page, 0, std::max(0, pageCount() - 1));
    if (held == current_ && !LblPage->pixmap().isNull())
        return;
    current_ = held;
    const QSignalBlocker quiet(TxtPage);
    TxtPage->setValue(current_ + 1);
    drawPage();
}

void FrmPrintPreview::drawPage()
{
    if (pages_.empty())
        return;
    // The page at the resolution that fits it into the view: whole, or as wide.
    const QSizeF paper = printer_.pageLayout().fullRect(QPageLayout::Inch).size();
    const QSize room = scroll_->viewport()->size() - QSize(24, 24);
    const double across = room.width() / paper.width();
    const double down = room.height() / paper.height();
    const double dpi = std::clamp(wholePage_ ? std::min(across, down) : across, 24.0, 300.0) *
                       devicePixelRatioF();
    QImage image = previewPageImage(printer_, pages_[static_cast<size_t>(current_)], dpi);
    image.setDevicePixelRatio(devicePixelRatioF());
    LblPage->setPixmap(QPixmap::fromImage(image));
    LblPage->resize(LblPage->pixmap().deviceIndependentSize().toSize());
}

void FrmPrintPreview::printPages()
{
    QPrintDialog dialog(&printer_, this);
    dialog.setWindowTitle(TX("印刷"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    print_(&printer_);
    accept();
}

void FrmPrintPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(current_ + 1);
        return;
    case Qt::Key_PageUp:
        showPage(current_ - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void FrmPrintPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    drawPage();
}

} // namespace quellin

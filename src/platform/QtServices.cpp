#include "platform/QtServices.h"

#include "platform/JapaneseFileDialog.h"
#include "platform/VbDate.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

namespace quellin {

MsgAnswer QtMessageBox::show(const MessageRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title.isEmpty() ? title_ : request.title);
    // The original joins detail and advice with CR LF (or a bare CR); Qt wants LF.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    switch (request.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (request.foreground) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.raise();
        box.activateWindow();
    }
    // The box must not show the busy pointer of a waiting routine.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (r) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

static QString qtFilter(const FileDialogRequest& r)
{
    // "CSVﾌｧｲﾙ(*.csv)" already names its pattern; Qt reads the pattern from the brackets.
    if (r.filter.contains(QLatin1Char('(')) || r.pattern.isEmpty())
        return r.filter;
    return r.filter + QStringLiteral(" (") + r.pattern + QLatin1Char(')');
}

QString QtFileDialog::openFile(const FileDialogRequest& r)
{
    QFileDialog dlg(r.owner, r.title, r.initialFolder, qtFilter(r));
    makeJapaneseFileDialog(dlg);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dlg.selectedFiles().constFirst());
}

QString QtFileDialog::saveFile(const FileDialogRequest& r)
{
    QFileDialog dlg(r.owner, r.title, r.initialFolder, qtFilter(r));
    makeJapaneseFileDialog(dlg);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    QString ext = r.defaultExtension;
    ext.remove(QStringLiteral("*.")).remove(QLatin1Char('.'));
    if (!ext.isEmpty())
        dlg.setDefaultSuffix(ext);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dlg.selectedFiles().constFirst());
}

QtPointer::~QtPointer()
{
    if (overridden_ && qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

void QtPointer::setPointer(MousePointer pointer)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    const bool wantBusy = pointer == MousePointer::Hourglass;
    if (wantBusy && !overridden_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        overridden_ = true;
    } else if (!wantBusy && overridden_) {
        QApplication::restoreOverrideCursor();
        overridden_ = false;
    }
}

} // namespace quellin

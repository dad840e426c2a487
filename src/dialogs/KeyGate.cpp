#include "dialogs/KeyGate.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace quellin {

namespace {

class KeyGate : public QObject {
public:
    KeyGate(KeyFilter filter, QObject* parent) : QObject(parent), filter_(filter) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (const auto source = pasteSource(*event))
            return !textPasses(filter_, QApplication::clipboard()->text(*source));
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        for (const QChar c : key->text()) {
            // Editing keys (Backspace, Delete, Tab …) carry control characters.
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                continue;
            if (!keyPasses(filter_, c))
                return true;
        }
        return false;
    }

private:
    KeyFilter filter_;
};

} // namespace

std::optional<QClipboard::Mode> pasteSource(const QEvent& event)
{
    if (event.type() == QEvent::KeyPress &&
        static_cast<const QKeyEvent&>(event).matches(QKeySequence::Paste))
        return QClipboard::Clipboard;
    if (event.type() == QEvent::MouseButtonRelease &&
        static_cast<const QMouseEvent&>(event).button() == Qt::MiddleButton)
        return QClipboard::Selection;
    return std::nullopt;
}

void guardKeys(QLineEdit* edit, KeyFilter filter)
{
    edit->installEventFilter(new KeyGate(filter, edit));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setAcceptDrops(false);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
}

} // namespace quellin

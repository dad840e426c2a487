#pragma once
// A text field's key filter as the user meets it: a character its filter refuses
// never reaches the field, typed or pasted, and Enter never sends the dialog.

#include "dialogs/DispSetCheck.h"

#include <QClipboard>
#include <optional>

class QEvent;
class QLineEdit;

namespace quellin {

// Installs the filter on edit (owned by it). Text then comes in by keys only: no
// input method, no drop, no paste from the context menu; a paste by the keys or
// by the middle button only when all of it could have been typed.
void guardKeys(QLineEdit* edit, KeyFilter filter);

// Where the text comes from that a field would paste for event: the clipboard
// for the paste keys, the selection for a middle-button release (X11 pastes the
// selection there); nothing for any other event.
std::optional<QClipboard::Mode> pasteSource(const QEvent& event);

} // namespace quellin

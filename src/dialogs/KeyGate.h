#pragma once
// A text field's key filter as the user meets it: a character its filter refuses
// never reaches the field, typed or pasted, and Enter never sends the dialog.

#include "dialogs/DispSetCheck.h"

class QLineEdit;

namespace quellin {

// Installs the filter on edit (owned by it). Text then comes in by keys only: no
// input method, no drop, no paste from the context menu.
void guardKeys(QLineEdit* edit, KeyFilter filter);

} // namespace quellin

#pragma once
// The environment settings dialog's checks, free of widgets: the key filters of
// its text fields, and the validation before sending with its messages and the
// control (and tab) that gets the focus. Validation stops at the first failing
// field: the voltage first, then the control outputs in number order.

#include "dialogs/DispSetFields.h"

#include <QChar>
#include <QString>
#include <optional>

namespace quellin {

// What a text field lets through: Decimal digits and ".", Digits, DateTime
// digits, "/" and ":", Any everything.
enum class KeyFilter { Decimal, Digits, DateTime, Any };

KeyFilter txtDataFilter(int index);
KeyFilter txtDataSbFilter(int index);
// Whether a typed character reaches its field: Enter (13) never, Backspace (8)
// always, anything else by the filter.
bool keyPasses(KeyFilter filter, QChar key);
// Whether every character of a text (a paste, a value from a file) would pass.
bool textPasses(KeyFilter filter, const QString& text);

enum class DispSetControl { TxtData, TxtDataSb, CmbSb };

struct DispSetError {
    QString message;
    DispSetControl control;
    int index;
    int tab; // the tab to switch to (version 2 and later)
};

// The first invalid field, or nothing when the settings may be sent.
std::optional<DispSetError> checkDispSet(const DispSetFields& fields, int hardVersion);

namespace dispset_text {
QString voltageNotNumber();
QString voltageRange();
} // namespace dispset_text

// The message for an invalid control-output parameter of a kind.
QString outputMessage(OutputKind kind);

} // namespace quellin

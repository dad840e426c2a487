#pragma once
// The file dialogs as a Japanese user expects them: Qt's own dialog (the same on
// every desktop), its texts from Qt's Japanese translation, and the file list's
// dates and sizes written the Japanese way whatever the system's language.

#include <QDateTime>
#include <QString>

class QFileDialog;

namespace quellin {

// A file's date in the list: "2024/06/03 13:05".
QString fileListDate(const QDateTime& modified);

// Non-native, with the file list's dates and sizes in Japanese. The dialog keeps
// its other settings.
void makeJapaneseFileDialog(QFileDialog& dialog);

} // namespace quellin

#pragma once
// The file dialogs as a Japanese user expects them: Qt's own dialog (the same on
// every desktop), its texts from Qt's translation of the program's language, and
// the file list's dates written the program's way whatever the system's
// language; its sizes in the program's language ("10 バイト", "10 bytes").

#include <QDateTime>
#include <QString>

class QFileDialog;

namespace quellin {

// A file's date in the list: "2024/06/03 13:05".
QString fileListDate(const QDateTime& modified);

// A file's size in the list.
QString fileListSize(qint64 bytes);

// Non-native, with the file list's dates and sizes as above. The dialog keeps
// its other settings.
void makeJapaneseFileDialog(QFileDialog& dialog);

} // namespace quellin

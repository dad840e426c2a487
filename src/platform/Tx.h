#pragma once
// The user's texts go through Qt's translation system. The Japanese text is its
// own id in the catalogue (translations/quellin_en.ts), so a text without an
// English entry, and every text while the program speaks Japanese, is shown
// exactly as written here.
//
//   TX("通信ポート")        the text in the program's language, at the call
//   TXN("有効電力")         marks a text kept as data (a table, a file's head);
//                           where it is shown, txText() translates it
//
// lupdate reads TX as qtTrId and TXN as QT_TRID_NOOP (cmake/Translations.cmake).
// Texts that are a file format or go to the meter are not marked: they stay
// Japanese whatever the language.

#include <QString>

#define TX(text) ::quellin::tx(text)
#define TXN(text) text

namespace quellin {

// The catalogue's text for a literal id.
QString tx(const char* japanese);
// The same for a text that was kept as data; a text the catalogue does not know
// (a user's title, a number) comes back unchanged.
QString txText(const QString& japanese);

} // namespace quellin

#pragma once
// The language the program speaks: Japanese, its own, or English from the
// catalogue compiled in. The settings value Language (ja or en) decides; without
// it the system's first user-interface language does (Japanese for ja*, English
// for any other).

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace quellin {

enum class Language { Ja, En };

// The settings value's name and its two texts.
inline const QString kLanguageSetting = QStringLiteral("Language");

// setting: the stored text ("ja", "en", any case and blanks around; anything
// else counts as not set). uiLanguages: as QLocale::uiLanguages() gives them,
// first the preferred.
Language chooseLanguage(const QString& setting, const QStringList& uiLanguages);

// The setting's text for a language ("ja", "en"); a stored text that is not one
// of them reads as nothing.
QString languageSettingText(Language language);
bool isLanguageSettingText(const QString& setting);

// Installs the program's catalogue (English) and Qt's own texts of that language
// into app (Japanese: qtbase_ja from the system's Qt translations, when present),
// and makes the language's locale the default. Call once, before any window.
// False when the English catalogue could not be loaded: the program then speaks
// Japanese, its texts being their own ids.
bool installLanguage(QCoreApplication& app, Language language);

} // namespace quellin

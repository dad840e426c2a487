#include "platform/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <optional>

// The catalogue is compiled into the core library; a static library's resources
// are registered by name.
static void registerCatalogue()
{
    Q_INIT_RESOURCE(translations);
}

namespace quellin {

namespace {

std::optional<Language> fromSetting(const QString& setting)
{
    const QString s = setting.trimmed().toLower();
    if (s == QLatin1String("ja"))
        return Language::Ja;
    if (s == QLatin1String("en"))
        return Language::En;
    return std::nullopt;
}

bool loadInto(QCoreApplication& app, const QString& name, const QString& dir)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(name, dir) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

Language chooseLanguage(const QString& setting, const QStringList& uiLanguages)
{
    if (const auto chosen = fromSetting(setting))
        return *chosen;
    const QString first = uiLanguages.isEmpty() ? QString() : uiLanguages.first();
    return first.startsWith(QLatin1String("ja"), Qt::CaseInsensitive) ? Language::Ja
                                                                       : Language::En;
}

QString languageSettingText(Language language)
{
    return language == Language::Ja ? QStringLiteral("ja") : QStringLiteral("en");
}

bool isLanguageSettingText(const QString& setting)
{
    return fromSetting(setting).has_value();
}

bool installLanguage(QCoreApplication& app, Language language)
{
    registerCatalogue();
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == Language::Ja) {
        // Qt's own Japanese texts, so standard buttons and dialogs read Japanese too.
        loadInto(app, QStringLiteral("qtbase_ja"), qtDir);
        loadInto(app, QStringLiteral("qt_ja"), qtDir);
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
        return true;
    }
    const bool loaded = loadInto(app, QStringLiteral("quellin_en"), QStringLiteral(":/i18n"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return loaded;
}

} // namespace quellin

#include "EnglishTexts.h"

#include <QCoreApplication>

static void registerCatalogue()
{
    Q_INIT_RESOURCE(translations);
}

namespace quellin::test {

EnglishTexts::EnglishTexts()
{
    registerCatalogue();
    loaded_ = translator_.load(QStringLiteral("quellin_en"), QStringLiteral(":/i18n"))
              && QCoreApplication::installTranslator(&translator_);
}

EnglishTexts::~EnglishTexts()
{
    QCoreApplication::removeTranslator(&translator_);
}

} // namespace quellin::test

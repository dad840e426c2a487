#include "app/ModMain.h"

#include "app/Program.h"
#include "main/widgets/ToolbarIcons.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quellin {

namespace {

// Qt's own Japanese texts, so standard buttons and file dialogs read Japanese too.
void loadQtTranslations(QApplication& app)
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_ja", "qt_ja"}) {
        auto* tr = new QTranslator(&app);
        if (tr->load(QString::fromLatin1(name), dir))
            QApplication::installTranslator(tr);
        else
            delete tr;
    }
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

void useJapaneseFont()
{
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Noto Sans CJK JP", "Noto Sans JP", "IPAGothic"}) {
        if (families.contains(QString::fromLatin1(name))) {
            QFont f(QString::fromLatin1(name));
            f.setPointSize(9);
            QApplication::setFont(f);
            return;
        }
    }
}

} // namespace

std::unique_ptr<Program> startProgram(const QStringList& arguments, ServiceOverrides overrides)
{
    auto program = std::make_unique<Program>(overrides);
    program->start(arguments);
    return program;
}

int runProgram(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quellin"));
    QApplication::setOrganizationName(QStringLiteral("Tarvo"));
    QApplication::setWindowIcon(appIcon());
    loadQtTranslations(app);
    useJapaneseFont();
    std::unique_ptr<Program> program = startProgram(QApplication::arguments(), {});
    if (program->refused())
        return 1;
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

} // namespace quellin

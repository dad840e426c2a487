#include "app/ModMain.h"

#include "app/Program.h"
#include "main/widgets/ToolbarIcons.h"

#include <QApplication>
#include <QFontDatabase>

namespace quellin {

namespace {

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
    useJapaneseFont();
    std::unique_ptr<Program> program = startProgram(QApplication::arguments(), {.installLanguage = true});
    if (program->refused())
        return 1;
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

} // namespace quellin

// quellin-icons: the program's icon as the desktop wants it, one PNG per
// hicolor size: <folder>/<n>x<n>/apps/<name>.png. Run at build time, so the
// installed images are always the windows' own icon.
//
//   quellin-icons <folder> <name> <size>...

#include "main/AppIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: quellin-icons <folder> <name> <size>...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "quellin-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !quellin::appIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "quellin-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

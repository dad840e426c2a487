#include "store/CsvFile.h"

namespace quellin {

QString wiringLineText(int wiring)
{
    switch (wiring) {
    case 0:
        return QStringLiteral("測定条件　結線＝単相２線式");
    case 1:
        return QStringLiteral("測定条件　結線＝単相３線式");
    case 2:
        return QStringLiteral("測定条件　結線＝三相３線式");
    default:
        return {};
    }
}

int SplitLine(QStringView line, QStringList& fields, int maxFields)
{
    fields.clear();
    if (maxFields <= 0)
        return 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0 || fields.size() + 1 == maxFields) {
            fields.append(comma < 0 ? line.mid(start).toString()
                                    : line.mid(start, comma - start).toString());
            return static_cast<int>(fields.size());
        }
        fields.append(line.mid(start, comma - start).toString());
        start = comma + 1;
    }
}

} // namespace quellin

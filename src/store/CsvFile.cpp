#include "store/CsvFile.h"

#include "platform/Tx.h"

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

} // namespace quellin

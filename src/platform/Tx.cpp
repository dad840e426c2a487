#include "platform/Tx.h"

#include <QCoreApplication>

namespace quellin {

QString tx(const char* japanese)
{
    return qtTrId(japanese);
}

QString txText(const QString& japanese)
{
    if (japanese.isEmpty())
        return japanese;
    const QByteArray id = japanese.toUtf8();
    return qtTrId(id.constData());
}

} // namespace quellin

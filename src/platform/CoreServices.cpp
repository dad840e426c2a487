#include "platform/CoreServices.h"

#include "platform/VbDate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

namespace quellin {

void QtSleep::sleep(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

void QtSleep::processEvents()
{
    QCoreApplication::processEvents();
}

double SystemClock::now() const
{
    return vbdate::fromQDateTime(QDateTime::currentDateTime());
}

} // namespace quellin

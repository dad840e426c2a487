#include "platform/CoreServices.h"

#include "platform/VbDate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

namespace quellin {

void QtSleep::after(int ms, QObject* context, std::function<void()> step)
{
    QTimer::singleShot(ms, context, std::move(step));
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

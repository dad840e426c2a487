#pragma once
// Runs the event loop until a condition holds, for tests that wait on the virtual
// meter or on timers; false when it did not hold within the time.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace quellin::test {

inline bool runEventsUntil(const std::function<bool()>& done, int timeoutMs = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace quellin::test

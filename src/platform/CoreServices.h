#pragma once
// The Qt implementations of the services that need no windows: sleeping, the
// event loop and the clock. The window program and quellin-cli share them.

#include "platform/Services.h"

namespace quellin {

class QtSleep : public SleepService {
public:
    void after(int ms, QObject* context, std::function<void()> step) override;
    void processEvents() override;
};

class SystemClock : public Clock {
public:
    double now() const override;
};

} // namespace quellin

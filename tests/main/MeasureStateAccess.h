#pragma once
// What a test may do to the measured-data handler's state that the program
// cannot: set any counter or flag, hand it a log file of the test's choosing.

#include "link/MeasuredData.h"

namespace quellin::test {

struct MeasureStateAccess {
    static MeasureState& state(MeasuredData& handler) { return handler.m_; }
};

} // namespace quellin::test

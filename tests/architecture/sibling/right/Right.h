#pragma once
// Fixture: the neighbour.
#include "base/Base.h"

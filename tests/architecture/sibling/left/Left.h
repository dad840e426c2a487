#pragma once
// Fixture: a sibling that includes its neighbour.
#include "base/Base.h"
#include "right/Right.h"

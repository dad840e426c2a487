#pragma once
// Fixture: the level the shared folder stands on.
#include "low/Low.h"

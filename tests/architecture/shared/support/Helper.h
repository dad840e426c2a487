#pragma once
// Fixture: the shared folder, which may reach its own level but not above it.
#include "high/High.h"
#include "mid/Mid.h"

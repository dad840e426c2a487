#pragma once
// Fixture: the shared folder, which may reach its own level but not above it.
#include "mid/Mid.h"
#include "high/High.h"

#pragma once
// Fixture: the folder above.
#include "low/Low.h"

#pragma once
// Fixture: a sample tree that is not read.
#include "high/High.h"

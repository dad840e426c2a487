#pragma once
// Fixture: a lower folder that reaches up.
#include "high/High.h"

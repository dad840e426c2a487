#pragma once
// Fixture: a low folder that uses the shared one.
#include "support/Helper.h"

#pragma once
// Fixture: the folder above.
#include "mid/Mid.h"

#pragma once
// A ready catalogue for tests that do not exercise its building: the titles,
// series names and flags of a version-1 or version-2 meter, every column present.

#include "base/Context.h"

namespace quellin::test {

void giveTestCatalogue(Context& ctx, int version);

// The catalogue of a version exactly as the version check builds it, for tests
// of folders below the catalogue's.
void buildCatalogue(Context& ctx, int version);

} // namespace quellin::test

#include "Catalogue.h"

#include "DataSetAccess.h"
#include "catalog/ModVer.h"

namespace quellin::test {

void giveTestCatalogue(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    Catalog& cat = ctx.cat;
    buildCatalogue(ctx, version);
    const size_t columns = static_cast<size_t>(cat.ColumnLast) + 1;
    cat.LogColumns.assign(columns, true);
    cat.SeriesShown[4] = cat.SeriesShown[8] = true;
    cat.SeriesYMax.assign(cat.SeriesYMax.size(), 10);
    test::props(ctx).ColumnPresent.assign(columns, true);
}

void buildCatalogue(Context& ctx, int version)
{
    dimensionCatalog(ctx.cat, version);
}

} // namespace quellin::test

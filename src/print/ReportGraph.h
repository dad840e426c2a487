#pragma once
// The report's trend graph: the data set's records over the whole period, the
// series the graph window shows, each on the scale the user chose for it or
// else fitted to the period's values, in print colours. The graph sheet draws it.

#include "analysis/SurveyAnalysis.h"
#include "store/DataSet.h"
#include "views/GraphScene.h"

#include <memory>

namespace quellin {

// The period's points read now and kept: the data set is not referred to later.
std::unique_ptr<KeptGraphScene> reportGraphScene(const Catalog& cat, int hardVersion, const DataSet& data,
                                                 const SurveyFigures& figures, Services& svc);

} // namespace quellin

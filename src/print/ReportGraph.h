#pragma once
// The report's trend graph: the data set's records over the whole period drawn
// by the graph renderer, the series the graph window shows, each on the scale
// the user chose for it or else fitted to the period's values.

#include "analysis/SurveyAnalysis.h"
#include "store/DataSet.h"
#include "views/GraphScene.h"

#include <QRectF>
#include <memory>

class QPainter;

namespace quellin {

// The period's points read now and kept: the data set is not referred to later.
std::unique_ptr<KeptGraphScene> reportGraphScene(const Catalog& cat, int hardVersion, const DataSet& data,
                                                 const SurveyFigures& figures, Services& svc);

// Draws scene into target (device units of a painter at dpi), laid out for that
// size with labels at a size that reads on paper. Errors go through svc.
void paintReportGraph(QPainter& p, const GraphScene& scene, const QRectF& target, double dpi, Services& svc);

} // namespace quellin

#pragma once
// The survey's summary as a person reads it: one label and one value a line
// (the period, the records, the gaps, the energy, the maximum demand, the load
// factor, the power factor), for the report window and the printed report
// alike. A figure that cannot be made has no line.

#include "analysis/SurveyAnalysis.h"

#include <QString>
#include <utility>
#include <vector>

namespace quellin {

using SummaryRows = std::vector<std::pair<QString, QString>>;

SummaryRows surveySummaryRows(const SurveyFigures& f);

} // namespace quellin

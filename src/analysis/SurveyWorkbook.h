#pragma once
// The survey as a workbook (.xlsx, written by libxlsxwriter): the sheets 集計
// (the period, the totals, each item's figures, the gaps), デマンド (every
// interval), 電力量 (per hour and per day) and 記録 (the records of the period
// under the data files' column titles). Times are real dates and values real
// numbers, so that a spreadsheet computes with them; a missing value is an
// empty cell.

#include "analysis/SurveyAnalysis.h"
#include "base/Context.h"

#include <QString>

namespace quellin {

// Written whole or not at all: into a file beside path that replaces path once
// complete. "" when written; else why not, in the user's words.
QString writeSurveyWorkbook(const QString& path, const Catalog& cat, const DataSet& data,
                            const AnalysisPeriod& period, const SurveyFigures& figures);

} // namespace quellin

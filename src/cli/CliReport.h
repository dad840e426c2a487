#pragma once
// quellin-cli report FILE.csv: the survey's figures over a data file (or a
// period of it) as text for a person or as one JSON object for a program.

#include "analysis/SurveyAnalysis.h"
#include "base/Context.h"
#include "cli/CliOptions.h"

#include <QJsonObject>
#include <QStringList>

namespace quellin {

class CliSession;

// The JSON object: from, to, records, period_s, missing, gaps, out_of_order,
// items (keyed by the column title of the data files), energy_kwh,
// energy_column_kwh, by_hour, by_day, demand, load_factor, power_factor; a
// figure that cannot be made is null.
QJsonObject surveyJson(const Catalog& cat, const SurveyFigures& f);
// The same for a person, one line per figure.
QStringList surveyText(const Catalog& cat, const SurveyFigures& f);

class CliReport {
public:
    explicit CliReport(CliSession& session) : session_(session) {}
    CliExit run();

private:
    CliSession& session_;
};

} // namespace quellin

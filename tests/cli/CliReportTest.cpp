// The report's JSON: a figure that cannot be made is null, never 0; times and
// dates in the data files' form; items under the data files' column titles.

#include "cli/CliReport.h"

#include "catalog/ModVer.h"
#include "base/MeasuredItems.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(CliReportJson, NullsWhereNoFigureCanBeMadeAndTheFilesFormsElsewhere)
{
    Catalog cat;
    dimensionCatalog(cat, 2);
    SurveyFigures withoutPower;
    withoutPower.first = 45425.5;
    withoutPower.last = 45426.25;
    withoutPower.records = 2;
    withoutPower.items.push_back({column::kVoltR, 99.5, 45425.5, 101, 45426.25, 100.25, 2});
    SurveyFigures withPower = withoutPower;
    withPower.byDay = {{45425, 1.25, 1}, {45426, 0.5, 1}};
    withPower.byHour = {{45425.5, 1.25, 1}};
    withPower.energyKWh = 1.75;
    withPower.demand.intervals = {{45425.5, 2.5, 1, false}};
    withPower.demand.maxKW = 2.5;
    withPower.demand.maxStart = 45425.5;
    withPower.demand.loadFactor = 1.0;
    withPower.powerFactorPercent = 92.5;

    struct Case {
        const char* name;
        const SurveyFigures& figures;
        bool power;
    };
    for (const Case& c : {Case{"without power", withoutPower, false}, Case{"with power", withPower, true}}) {
        SCOPED_TRACE(c.name);
        const QJsonObject o = surveyJson(cat, c.figures);
        EXPECT_EQ(o["from"].toString(), "2024/05/13 12:00:00");
        EXPECT_EQ(o["to"].toString(), "2024/05/14 06:00:00");
        EXPECT_EQ(o["items"].toObject()["電圧Ｒ(V)"].toObject()["max_time"].toString(), "2024/05/14 06:00:00");
        EXPECT_EQ(o["energy_kwh"].isNull(), !c.power);
        EXPECT_EQ(o["demand"].toObject()["max_kw"].isNull(), !c.power);
        EXPECT_EQ(o["load_factor"].isNull(), !c.power);
        EXPECT_EQ(o["power_factor"].isNull(), !c.power);
        EXPECT_TRUE(o["energy_column_kwh"].isNull());
        EXPECT_EQ(o["by_day"].toArray().size(), c.power ? 2 : 0);
        if (c.power) {
            EXPECT_EQ(o["by_day"].toArray()[1].toObject()["date"].toString(), "2024/05/14");
            EXPECT_EQ(o["by_hour"].toArray()[0].toObject()["start"].toString(), "2024/05/13 12:00:00");
            EXPECT_EQ(o["demand"].toObject()["max_start"].toString(), "2024/05/13 12:00:00");
        }
    }
}

} // namespace
} // namespace quellin

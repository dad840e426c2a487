// What quellin-cli writes per record: the progress line.

#include "cli/CliRecordText.h"

#include "support/TestContext.h"

#include "platform/VbDate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <limits>

namespace quellin::test {
namespace {

TEST(CliProgress, CountsRecordsThenAddsPowerAndEnergy)
{
    EXPECT_EQ(measureProgressText(CliLang::Ja, 0, nullptr, 0), "記録 0 件");
    DataRecord r;
    r.setColumn(6, 1234.5);
    EXPECT_EQ(measureProgressText(CliLang::Ja, 12, &r, 0.04125),
              "記録 12 件　有効電力 1.235E+3 W　積算電力量 0.0413 kWh");
    EXPECT_EQ(measureProgressText(CliLang::En, 12, &r, 0.04125),
              "records 12  active power 1.235E+3 W  energy 0.0413 kWh");
}

} // namespace
} // namespace quellin::test

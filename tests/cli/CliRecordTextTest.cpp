// What quellin-cli writes per record: the progress line and the JSON line.

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

TEST(CliJson, WritesThePresentColumnsUnderTheirKeys)
{
    TestContext t;
    Context& ctx = *t.ctx;
    ctx.cat.ColumnLast = 17;
    test::props(ctx).ColumnPresent.assign(18, true);
    test::props(ctx).ColumnPresent[3] = false; // voltage T absent (single-phase two-wire)
    DataRecord r;
    r.number = 7;
    r.setTime(*vbdate::parse(QStringLiteral("2002/06/01 12:00:05")));
    for (int c = 2; c <= 17; ++c)
        r.setColumn(c, c * 1.5);
    r.setColumn(13, std::numeric_limits<double>::infinity());

    const QString line = recordJson(ctx, r);
    EXPECT_FALSE(line.contains('\n'));
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(line.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    EXPECT_EQ(o.value("number").toInt(), 7);
    EXPECT_EQ(o.value("time").toString(), "2002/06/01 12:00:05");
    EXPECT_DOUBLE_EQ(o.value("voltR").toDouble(), 3.0);
    EXPECT_FALSE(o.contains("voltT"));
    EXPECT_DOUBLE_EQ(o.value("power").toDouble(), 9.0);
    EXPECT_DOUBLE_EQ(o.value("temp2").toDouble(), 25.5);
    EXPECT_TRUE(o.value("leak1").isNull());
    EXPECT_EQ(o.size(), 2 + 15);
}

} // namespace
} // namespace quellin::test

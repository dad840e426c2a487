// The measured-data line: hexadecimal readings, derived values, the value panel
// texts, and whole lines kept as fixtures in tests/data/lines/*.json.

#include "link/MeasuredData.h"
#include "TestContext.h"
#include "link/MeasurementSetup.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <optional>

// Readable failure messages for texts (internal to this test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin {
namespace {

using test::prepareMeasurement;

using test::TestContext;

class RecordingPanel : public ValuePanel {
public:
    void setValue(int item, const QString& text) override { values.at(item) = text; }
    void setUnit(int item, const QString& text) override { units.at(item) = text; }
    std::array<std::optional<QString>, 15> values;
    std::array<std::optional<QString>, 15> units;
};

class RecordingHost : public MeasuredDataHost {
public:
    bool valuePanelChecked() const override { return checked; }
    ValuePanel* valuePanel() override { return loaded ? &panel : nullptr; }
    void startDisplayTimer() override { ++timerStarts; }
    void pcLogWriteFailed(const QString& reason) override { logFailures << reason; }
    void storeAppendFailed(const VbError& e) override { storeFailures << e.description(); }
    int wiringMode() const override { return wiring; }

    int wiring = 2;
    bool checked = true;
    bool loaded = true;
    RecordingPanel panel;
    int timerStarts = 0;
    QStringList logFailures;
    QStringList storeFailures;
};

QString hex(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

// ---------------------------------------------------------------------------------
// Whole lines from fixtures: line, version, wiring → record columns, panel texts and
// status panel 2.

QStringList fixtureFiles()
{
    const QDir dir(QStringLiteral(QUELLIN_TEST_DATA "/lines"));
    QStringList out;
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        out << dir.filePath(name);
    return out;
}

class MeasuredLineFixture : public ::testing::TestWithParam<QString> {};

TEST_P(MeasuredLineFixture, RecordPanelAndStatusMatch)
{
    QFile file(GetParam());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonParseError parseError;
    const QJsonObject fx = QJsonDocument::fromJson(file.readAll(), &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();
    SCOPED_TRACE(fx.value(QStringLiteral("description")).toString().toStdString());

    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, fx.value(QStringLiteral("hardVersion")).toInt(),
                       fx.value(QStringLiteral("wiring")).toInt());
    RecordingHost host;
    host.wiring = fx.value(QStringLiteral("wiring")).toInt();
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);

    const QString line = fx.value(QStringLiteral("line")).toString();
    ASSERT_TRUE(line.startsWith(QStringLiteral("RML")));
    handler.handleMeasuredLine(line.mid(3));

    ASSERT_EQ(ctx.dataSet().RecordCount(), 1);
    const DataRecord rec = ctx.dataSet().ReadRecord(1);
    const QJsonObject expected = fx.value(QStringLiteral("record")).toObject();
    ASSERT_FALSE(expected.isEmpty());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const int c = it.key().toInt();
        double want = 0;
        if (it.value().isString()) {
            const auto parsed = vbdate::parse(it.value().toString());
            ASSERT_TRUE(parsed.has_value()) << it.value().toString().toStdString();
            want = *parsed;
        } else {
            want = it.value().toDouble();
        }
        const double got = c == 0 ? rec.number : rec.column(c);
        EXPECT_NEAR(got, want, 1e-9 + std::fabs(want) * 1e-7) << "column " << c;
    }
    // Version 1 leaves the version-2 columns at zero.
    if (ctx.app.HardVersion < 2) {
        for (int c = 13; c <= 17; ++c)
            EXPECT_EQ(rec.column(c), 0.0) << "column " << c;
    }

    const QJsonArray values = fx.value(QStringLiteral("values")).toArray();
    const QJsonArray units = fx.value(QStringLiteral("units")).toArray();
    ASSERT_EQ(values.size(), 15);
    ASSERT_EQ(units.size(), 15);
    for (int i = 0; i < 15; ++i) {
        const auto want = [](const QJsonValue& v) {
            return v.isNull() ? std::optional<QString>() : std::optional<QString>(v.toString());
        };
        EXPECT_EQ(host.panel.values[i], want(values[i])) << "value " << i;
        EXPECT_EQ(host.panel.units[i], want(units[i])) << "unit " << i;
    }
    EXPECT_EQ(t.status.panels[2], fx.value(QStringLiteral("status2")).toString());
}

std::string fixtureName(const ::testing::TestParamInfo<QString>& info)
{
    std::string name = QFileInfo(info.param).baseName().toStdString();
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Lines, MeasuredLineFixture, ::testing::ValuesIn(fixtureFiles()),
                         fixtureName);

TEST(MeasuredLineFixtures, AreFound)
{
    EXPECT_GE(fixtureFiles().size(), 7);
}

// ---------------------------------------------------------------------------------
// The panel is written only while its menu item is checked and the window loaded.

struct PanelGateCase {
    bool checked;
    bool loaded;
    bool written;
};

class PanelGateTest : public ::testing::TestWithParam<PanelGateCase> {};

TEST_P(PanelGateTest, PanelFollowsTheMenuCheckMark)
{
    TestContext t;
    prepareMeasurement(*t.ctx, 2, 2);
    RecordingHost host;
    host.checked = GetParam().checked;
    host.loaded = GetParam().loaded;
    MeasuredData handler(*t.ctx, host);
    handler.beginMeasurement(t.ctx->app.LogingTime);
    const QString rest = QStringLiteral("0000") + hex(100) + ',' + hex(100) + ',' + hex(1) + ',' +
                         hex(1) + ',' + hex(150) + ',' + hex(75) + ',' + hex(50) +
                         QStringLiteral(",2002/06/01 10:00:00,") + hex(1) + ',' + hex(2) + ',' +
                         hex(3) + ',' + hex(4) + ',' + hex(5);
    handler.handleMeasuredLine(rest);
    EXPECT_EQ(host.panel.values[0].has_value(), GetParam().written);
    EXPECT_EQ(host.panel.values[14].has_value(), GetParam().written);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 1); // stored either way
}

INSTANTIATE_TEST_SUITE_P(Gates, PanelGateTest,
                         ::testing::Values(PanelGateCase{true, true, true},
                                           PanelGateCase{false, true, false},
                                           PanelGateCase{true, false, false}));

} // namespace
} // namespace quellin

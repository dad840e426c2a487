// What quellin-cli writes per record: the progress line.

#include "cli/CliRecordText.h"

#include "cli/CliConsole.h"

#include "support/EnglishTexts.h"
#include "support/TestContext.h"

#include "platform/VbDate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace quellin::test {
namespace {

TEST(CliProgress, CountsRecordsThenAddsPowerAndEnergy)
{
    EXPECT_EQ(measureProgressText(0, nullptr, 0), "記録 0 件");
    DataRecord r;
    r.setColumn(6, 1234.5);
    EXPECT_EQ(measureProgressText(12, &r, 0.04125),
              "記録 12 件　有効電力 1.235E+3 W　積算電力量 0.0413 kWh");
    const EnglishTexts english;
    ASSERT_TRUE(english.loaded());
    EXPECT_EQ(measureProgressText(0, nullptr, 0), "records 0");
    EXPECT_EQ(measureProgressText(12, &r, 0.04125),
              "records 12  active power 1.235E+3 W  energy 0.0413 kWh");
}

TEST(CliProgress, ASummaryEndsTheMeasurement)
{
    struct Case {
        Language lang;
        int records;
        qint64 seconds;
        QStringList files;
        QString text;
    };
    const Case cases[] = {
        {Language::Ja, 120, 120, {"log.csv", "data.csv"},
         "計測を終了しました。記録 120 件、計測時間 0:02:00、書いたファイル：log.csv、data.csv"},
        {Language::Ja, 0, 0, {}, "計測を終了しました。記録 0 件、計測時間 0:00:00、書いたファイル：なし"},
        {Language::En, 90061, 90061, {"log.csv"},
         "measurement ended: 90061 records in 25:01:01, files written: log.csv"},
        {Language::En, 1, -5, {}, "measurement ended: 1 records in 0:00:00, files written: none"},
        {Language::En, 2, 2, {"a%2.csv", "b.csv"}, "measurement ended: 2 records in 0:00:02, files written: a%2.csv, b.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        std::optional<EnglishTexts> english;
        if (c.lang == Language::En)
            english.emplace();
        EXPECT_EQ(measureSummaryText(c.records, c.seconds, c.files), c.text);
    }
}

// On a terminal the progress stands on one line that every later write replaces;
// in a pipe or a file each progress is a line of its own.
TEST(CliProgress, ATerminalRewritesOneProgressLine)
{
    struct Case {
        bool terminal;
        bool progress;
        QByteArray bytes;
    };
    const Case cases[] = {
        {true, true, "\r\x1b[K記録 1 件"},
        {true, false, "\r\x1b[K記録 1 件\n"},
        {false, true, "記録 1 件\n"},
        {false, false, "記録 1 件\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(consoleBytes(QStringLiteral("記録 1 件"), c.terminal, c.progress), c.bytes)
            << c.terminal << c.progress;
}

} // namespace
} // namespace quellin::test

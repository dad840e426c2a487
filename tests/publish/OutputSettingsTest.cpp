// The 外部出力 settings checked into the outputs a measurement starts, each bad
// one named by its field and left off.

#include "publish/OutputSettings.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

TEST(OutputSettings, BadFieldsAreNamedAndTheirOutputsLeftOff)
{
    const struct {
        const char* name;
        OutputSettings settings;
        const char* outputs; // m(qtt) i(nflux) p(rometheus)
        const char* meterId;
        const char* failures; // joined with "|"
    } cases[] = {
        {"none", {}, "", "board", ""},
        {"all", {"mqtt://h/x", "ca.pem", "b-1", "http://h:8086/write?db=p", "t", "9100"}, "mip", "b-1", ""},
        {"bad mqtt", {"mqtt://", "", "", "", "", "9100"}, "p", "board", "MQTT の URL: ホスト名がありません。"},
        {"bad id", {"mqtt://h", "", "盤 1", "", "", ""}, "m", "__1", "MQTT の ID: 英数字と _ - だけで指定して下さい。"},
        {"bad influx and metrics", {"", "", "", "http://h/query", "", "x:y"}, "", "board",
         "InfluxDB の URL: パスは /write（1.x）か /api/v2/write（2.x）です。|"
         "メトリクスのポート: [ホスト:]ポート（1～65535）で指定して下さい。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OutputCheck check = checkOutputSettings(c.settings, QStringLiteral("board"));
        const QString outputs = QString(check.options.mqtt ? "m" : "") + (check.options.influx ? "i" : "") +
                                (check.options.metrics ? "p" : "");
        EXPECT_EQ(outputs, QString::fromLatin1(c.outputs));
        EXPECT_EQ(check.options.meterId, QString::fromUtf8(c.meterId));
        QStringList failures;
        for (const OutputFailure& f : check.failures)
            failures << f.message;
        EXPECT_EQ(failures.join('|'), QString::fromUtf8(c.failures));
    }
}

} // namespace
} // namespace quellin::test

// The outputs' addresses as the command line gives them: what is taken, and
// what is refused with a message before anything connects.

#include "publish/PublishTargets.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

struct MqttCase {
    const char* text;
    bool ok;
    const char* host;
    int port;
    const char* user;
    const char* password;
    const char* prefix;
    bool tls;
};

TEST(PublishTargets, MqttUrlIsTakenApartOrRefused)
{
    const MqttCase cases[] = {
        {"mqtt://broker", true, "broker", 1883, "", "", "", false},
        {"mqtt://u:p@10.0.0.5:1884/site/board1/", true, "10.0.0.5", 1884, "u", "p", "site/board1", false},
        {"mqtts://broker.example", true, "broker.example", 8883, "", "", "", true},
        {"mqtts://me@broker:9999/x", true, "broker", 9999, "me", "", "x", true},
        {"http://broker", false, "", 0, "", "", "", false},
        {"mqtt://", false, "", 0, "", "", "", false},
        {"mqtt://broker:99999", false, "", 0, "", "", "", false},
        {"mqtt://broker/a/+/b", false, "", 0, "", "", "", false},
        {"mqtt://broker/a/#", false, "", 0, "", "", "", false},
        {"mqtt://broker/a//b", false, "", 0, "", "", "", false},
        {"mqtt://broker?x=1", false, "", 0, "", "", "", false},
        {"broker:1883", false, "", 0, "", "", "", false},
    };
    for (const MqttCase& c : cases) {
        SCOPED_TRACE(c.text);
        const MqttTargetParse p = parseMqttTarget(QString::fromUtf8(c.text));
        ASSERT_EQ(p.target.has_value(), c.ok) << p.error.toStdString();
        if (!c.ok) {
            EXPECT_TRUE(p.error.startsWith("--mqtt ")) << p.error.toStdString();
            continue;
        }
        EXPECT_EQ(p.target->host, c.host);
        EXPECT_EQ(p.target->port, c.port);
        EXPECT_EQ(p.target->user, c.user);
        EXPECT_EQ(p.target->password, c.password);
        EXPECT_EQ(p.target->prefix, c.prefix);
        EXPECT_EQ(p.target->tls, c.tls);
    }
}

TEST(PublishTargets, InfluxUrlNamesItsDatabaseAndGetsNanoseconds)
{
    const struct {
        const char* text;
        const char* url; // "" = refused
        bool v2;
    } cases[] = {
        {"http://db:8086/write?db=power", "http://db:8086/write?db=power&precision=ns", false},
        {"http://db:8086/write?db=power&precision=s", "http://db:8086/write?db=power&precision=ns", false},
        {"https://cloud/api/v2/write?org=o&bucket=b", "https://cloud/api/v2/write?org=o&bucket=b&precision=ns",
         true},
        {"http://db:8086/write", "", false},
        {"http://db:8086/api/v2/write?org=o", "", false},
        {"http://db:8086/query?db=power", "", false},
        {"ftp://db/write?db=x", "", false},
        {"not a url", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const InfluxTargetParse p = parseInfluxTarget(QString::fromUtf8(c.text));
        ASSERT_EQ(p.target.has_value(), *c.url != 0) << p.error.toStdString();
        if (!p.target) {
            EXPECT_TRUE(p.error.startsWith("--influx ")) << p.error.toStdString();
            continue;
        }
        EXPECT_EQ(p.target->url.toString(), c.url);
        EXPECT_EQ(p.target->v2, c.v2);
    }
}

TEST(PublishTargets, MetricsAddressDefaultsToLoopback)
{
    const struct {
        const char* text;
        const char* host; // "" = refused
        int port;
    } cases[] = {
        {"9100", "127.0.0.1", 9100},   {"0.0.0.0:9200", "0.0.0.0", 9200}, {"[::1]:9300", "::1", 9300},
        {"localhost:1", "localhost", 1}, {"0", "", 0},                   {"65536", "", 0},
        {"host:", "", 0},              {":9100", "", 0},                {"::1:9100", "", 0},
        {"nine", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const MetricsAddressParse p = parseMetricsAddress(QString::fromUtf8(c.text));
        ASSERT_EQ(p.address.has_value(), *c.host != 0);
        if (!p.address) {
            EXPECT_FALSE(p.error.isEmpty());
            continue;
        }
        EXPECT_EQ(p.address->host, c.host);
        EXPECT_EQ(p.address->port, c.port);
    }
}

TEST(PublishTargets, MeterIdIsMadeTopicSafe)
{
    const char* cases[][2] = {{"board-1_A", "board-1_A"}, {"盤 1/+#", "__1___"}, {"", "meter"}};
    for (const auto& c : cases)
        EXPECT_EQ(topicSafeId(QString::fromUtf8(c[0])), c[1]) << c[0];
}

} // namespace
} // namespace quellin::test

// The help search: pages holding every word, the most hits first.

#include "about/HelpSearch.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(HelpSearch, FindsThePagesWithEveryWordMostHitsFirst)
{
    const std::vector<HelpPage> pages = {
        {"qrc:/help/a.html", "1. 計測", "計測を開始します。CSV ファイルに記録します。"},
        {"qrc:/help/b.html", "2. データファイル（CSV）", "csv の列。CSV を読み込みます。ロギングします"},
        {"qrc:/help/c.html", "3. 印刷", "グラフを印刷します。"},
    };
    struct Case {
        const char* name;
        QString query;
        std::vector<std::pair<QString, int>> hits; // url, count
    };
    const Case cases[] = {
        {"case ignored, title counted", "csv", {{"qrc:/help/b.html", 3}, {"qrc:/help/a.html", 1}}},
        {"every word must be there", "CSV ロギング", {{"qrc:/help/b.html", 4}}},
        {"the ideographic space splits too", "CSV　計測", {{"qrc:/help/a.html", 3}}},
        {"equal counts keep the pages' order", "します", {{"qrc:/help/a.html", 2}, {"qrc:/help/b.html", 1}, {"qrc:/help/c.html", 1}}},
        {"nothing there", "ダウンロード", {}},
        {"blank", " \t", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<HelpHit> hits = searchHelp(pages, c.query);
        ASSERT_EQ(hits.size(), c.hits.size());
        for (size_t i = 0; i < hits.size(); ++i) {
            EXPECT_EQ(hits[i].url, c.hits[i].first);
            EXPECT_EQ(hits[i].count, c.hits[i].second);
        }
    }
}

} // namespace
} // namespace quellin

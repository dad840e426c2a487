#include "platform/Language.h"
#include "platform/Tx.h"

#include "EnglishTexts.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(Language, SettingDecidesElseTheFirstUserInterfaceLanguage)
{
    const struct {
        const char* setting;
        QStringList ui;
        Language expected;
        bool isSetting;
    } cases[] = {
        {"", {"ja-JP", "en-US"}, Language::Ja, false},
        {"", {"ja"}, Language::Ja, false},
        {"", {"en-US", "ja-JP"}, Language::En, false},
        {"", {"de-DE"}, Language::En, false},
        {"", {"C"}, Language::En, false},
        {"", {}, Language::En, false},
        {"ja", {"en-US"}, Language::Ja, true},
        {" EN ", {"ja-JP"}, Language::En, true},
        {"En", {}, Language::En, true},
        // A text that is neither counts as not set.
        {"jp", {"ja-JP"}, Language::Ja, false},
        {"english", {"ja-JP"}, Language::Ja, false},
        {"fr", {"de"}, Language::En, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.setting) + " / " + c.ui.join(',').toStdString());
        EXPECT_EQ(chooseLanguage(QString::fromUtf8(c.setting), c.ui), c.expected);
        EXPECT_EQ(isLanguageSettingText(QString::fromUtf8(c.setting)), c.isSetting);
    }
}

// The catalogue's ids are the Japanese texts as compiled, line breaks and all:
// a text with CR LF is found, an unknown text comes back unchanged, and without
// the catalogue every text is its own Japanese.
TEST(Language, CatalogueFindsTextsByTheirJapaneseAsCompiled)
{
    const char* withBreak = "ファイルに書き込めませんでした。\r\n";
    {
        test::EnglishTexts english;
        ASSERT_TRUE(english.loaded());
        EXPECT_EQ(tx("中止"), QStringLiteral("Stop"));
        EXPECT_EQ(txText(QStringLiteral("ユーザーの題名")), QStringLiteral("ユーザーの題名"));
        EXPECT_EQ(txText(QString()), QString());
        EXPECT_NE(tx(withBreak), QString::fromUtf8(withBreak));
        EXPECT_TRUE(tx(withBreak).endsWith(QStringLiteral("\r\n")));
    }
    EXPECT_EQ(tx("中止"), QStringLiteral("中止"));
    EXPECT_EQ(tx(withBreak), QString::fromUtf8(withBreak));
}

} // namespace
} // namespace quellin

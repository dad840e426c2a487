#include "base/ErrorReport.h"

#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

using quellin::ErrorNumber;
using quellin::MsgButtons;
using quellin::MsgIcon;
using quellin::ReportTo;
using quellin::VbError;
using quellin::test::TestContext;

TEST(ErrorBox, ShowsNameNumberAndDescriptionInAnExclamationBoxAtTheFront)
{
    TestContext t;
    quellin::bfErrMSgBox(
        *t.ctx, QStringLiteral("bfVer_Open"), true,
        VbError(ErrorNumber::Subscript, QStringLiteral("インデックスが有効範囲にありません。")));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    const auto& box = t.msg.shown[0];
    EXPECT_EQ(box.text, QStringLiteral("bfVer_Openでエラーが起こりました。\r"
                                       "エラー：9 / インデックスが有効範囲にありません。"));
    EXPECT_EQ(box.title, QStringLiteral("エラー"));
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box.foreground);
    EXPECT_TRUE(t.status.panels[2].isEmpty());
}

TEST(ErrorBox, StatusVariantWritesPanelTwoWithoutTheLineBreak)
{
    TestContext t;
    quellin::bfErrMSgBox(
        *t.ctx, QStringLiteral("ChgValue"), false,
        VbError(ErrorNumber::DivisionByZero, QStringLiteral("0 で除算しました。")));
    EXPECT_TRUE(t.msg.shown.empty());
    EXPECT_EQ(t.status.panels[2],
              QStringLiteral("ChgValueでエラーが起こりました。エラー：11 / 0 で除算しました。"));
    for (int p : {0, 1, 3, 4})
        EXPECT_TRUE(t.status.panels[p].isEmpty()) << p;
}

// A status bar that cannot be written (the report itself fails).
class BrokenStatus : public quellin::StatusPanel {
public:
    void setPanelText(int, const QString&) override
    {
        throw VbError(static_cast<ErrorNumber>(91),
                      QStringLiteral("オブジェクト変数が設定されていません。"));
    }
    QString panelText(int) const override { return {}; }
};

TEST(ErrorBox, AFailingReportIsShownUnderItsOwnNameWithoutNumber)
{
    TestContext t;
    BrokenStatus broken;
    quellin::Services services{t.msg, t.files, t.sleep, t.pointer, t.clock, broken};
    quellin::Context ctx(services, *t.settings, t.data.dataSet, t.data.graphWindow,
                         t.data.listPage);
    quellin::bfErrMSgBox(
        ctx, QStringLiteral("bfGraph_Abs"), false,
        VbError(ErrorNumber::Overflow, QStringLiteral("オーバーフローしました。")));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("bfErrMSgBoxでエラーが起こりました。\r"
                                                  "オブジェクト変数が設定されていません。"));
    EXPECT_EQ(t.msg.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(t.msg.shown[0].foreground);
}

TEST(ErrorBox, ABoxThatCannotBeShownDoesNotEscapeTheReport)
{
    TestContext t;
    t.msg.onShow = [](const quellin::MessageRequest&) { throw std::runtime_error("no display"); };
    EXPECT_NO_THROW(quellin::bfErrMSgBox(
        *t.ctx, QStringLiteral("bfKizami"), true,
        VbError(ErrorNumber::Overflow, QStringLiteral("オーバーフローしました。"))));
    // The report and the fallback were both attempted.
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_EQ(t.msg.shown[1].text,
              QStringLiteral("bfErrMSgBoxでエラーが起こりました。\rno display"));
}

// ---- the trap pattern -------------------------------------------------------------------

struct ThrowCase {
    const char* name;
    std::function<void()> raise;
    const char* expectedDetail;
};

class Trap : public ::testing::TestWithParam<ThrowCase> {};

TEST_P(Trap, ReportsUnderTheNameAndReturnsTheFailureValue)
{
    const ThrowCase& c = GetParam();
    {
        TestContext t;
        const bool r = quellin::trapped(*t.ctx, "bfVer_NoCheck", false, [&] {
            c.raise();
            return true;
        });
        EXPECT_FALSE(r);
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("bfVer_NoCheckでエラーが起こりました。\r") +
                                           QString::fromUtf8(c.expectedDetail));
    }
    {
        TestContext t;
        const QString r = quellin::trapped(*t.ctx, "sfNthFild", QString(), [&] {
            c.raise();
            return QStringLiteral("never");
        });
        EXPECT_EQ(r, QString());
    }
    {
        TestContext t;
        const int r = quellin::trapped(
            *t.ctx, "bfGraph_Abs", 0,
            [&] {
                c.raise();
                return 7;
            },
            ReportTo::StatusBar);
        EXPECT_EQ(r, 0);
        EXPECT_TRUE(t.msg.shown.empty());
        EXPECT_EQ(t.status.panels[2], QStringLiteral("bfGraph_Absでエラーが起こりました。") +
                                          QString::fromUtf8(c.expectedDetail));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Trap,
    ::testing::Values(
        ThrowCase{"VbError",
                  [] {
                      throw VbError(ErrorNumber::Subscript,
                                    QStringLiteral("インデックスが有効範囲にありません。"));
                  },
                  "エラー：9 / インデックスが有効範囲にありません。"},
        ThrowCase{"bad_alloc", [] { throw std::bad_alloc(); },
                  "エラー：7 / メモリが不足しています。"},
        ThrowCase{"std::exception", [] { throw std::out_of_range("範囲外"); },
                  "エラー：5 / 範囲外"},
        ThrowCase{"anything else", [] { throw 42; },
                  "エラー：95 / アプリケーション定義またはオブジェクト定義のエラーです。"}),
    [](const ::testing::TestParamInfo<ThrowCase>& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(Trap, ASuccessfulBodyPassesItsResultAndReportsNothing)
{
    TestContext t;
    EXPECT_EQ(quellin::trapped(*t.ctx, "ifNthFilds", 0, [] { return 3; }), 3);
    EXPECT_TRUE(t.msg.shown.empty());
    EXPECT_TRUE(t.status.panels[2].isEmpty());
}

} // namespace

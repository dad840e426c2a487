#include "store/CsvText.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace quellin::csv;

namespace {

QByteArray sjis(const char* hex)
{
    return QByteArray::fromHex(hex);
}

struct DetectCase {
    const char* name;
    QList<QByteArray> lines;
    TextEncoding expected;
};

class EncodingDetection : public ::testing::TestWithParam<DetectCase> {};

TEST_P(EncodingDetection, FollowsTheFirstLines)
{
    EXPECT_EQ(detectEncoding(GetParam().lines), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Heads, EncodingDetection,
    ::testing::Values(
        // "番号" in Shift_JIS is 94 D4 8D 86.
        DetectCase{"shift_jis titles", {"x", sjis("2294d48d8622")}, TextEncoding::ShiftJis},
        DetectCase{"utf8 titles", {"x", QByteArray("\"番号\"")}, TextEncoding::Utf8},
        DetectCase{"bom", {QByteArray("\xEF\xBB\xBFx"), "a"}, TextEncoding::Utf8},
        DetectCase{"bom before shift_jis bytes",
                   {QByteArray("\xEF\xBB\xBF") + sjis("94d4")},
                   TextEncoding::Utf8},
        DetectCase{"ascii only", {"name,value", "a,1"}, TextEncoding::ShiftJis},
        DetectCase{"nothing", {}, TextEncoding::ShiftJis},
        DetectCase{"utf8 then invalid",
                   {QByteArray("番号"), QByteArray("\xC0\xAF")},
                   TextEncoding::ShiftJis},
        DetectCase{"truncated sequence", {QByteArray("\xE7\x95")}, TextEncoding::ShiftJis},
        DetectCase{"surrogate", {QByteArray("\xED\xA0\x80")}, TextEncoding::ShiftJis}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(Utf8Validity, RejectsWhatIsNotUtf8)
{
    const std::pair<QByteArray, bool> cases[] = {{"", true},
                                                 {"plain", true},
                                                 {"温度1(℃)", true},
                                                 {"\xF0\x9F\x98\x80", true},  // four bytes
                                                 {"\xF4\x90\x80\x80", false}, // beyond U+10FFFF
                                                 {"\xE0\x80\x80", false},     // overlong
                                                 {"\x80", false},     // continuation without a lead
                                                 {"\xC3", false},     // cut short
                                                 {"\xC3\x28", false}, // bad continuation
                                                 {"\xFF", false}};
    for (const auto& [bytes, valid] : cases)
        EXPECT_EQ(isValidUtf8(bytes), valid) << bytes.toHex().constData();
}

TEST(TextDecoding, ReadsBothEncodings)
{
    EXPECT_EQ(decodeText(sjis("94d48d86"), TextEncoding::ShiftJis), QStringLiteral("番号"));
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF番号"), TextEncoding::Utf8),
              QStringLiteral("番号"));
    EXPECT_EQ(decodeText(QByteArray("番号"), TextEncoding::Utf8), QStringLiteral("番号"));
}

TEST(ShiftJisEncoding, WritesTheCodePageBytes)
{
    const std::pair<QString, const char*> cases[] = {
        {QStringLiteral("ファイル名="), "837483408343838b96bc3d"},
        {QStringLiteral("温度1(℃)"), "89b793783128818e29"},
        {QStringLiteral("測定条件　結線＝単相２線式"),
         "91aa92e88ff08c8f81408c8b90fc81819250918a825190fc8eae"},
        // Characters that Unicode spells apart from the code page take its form.
        {QStringLiteral("a〜b−c"), "6181606281 7c63"},
        // Characters it lacks become "?".
        {QStringLiteral("café😀.csv"), "6361663f3f2e637376"},
        {QStringLiteral("ascii.csv"), "61736369692e637376"}};
    for (const auto& [text, hex] : cases) {
        const QByteArray expected = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
        EXPECT_EQ(encodeShiftJis(text).toHex(), expected.toHex()) << text.toStdString();
    }
}

TEST(ShiftJisEncoding, RoundTripsThroughTheDecoder)
{
    const QString text = QStringLiteral("ファイル名=\"測定データ_２００２年６月１日.csv\"");
    EXPECT_EQ(decodeText(encodeShiftJis(text), TextEncoding::ShiftJis), text);
}

} // namespace

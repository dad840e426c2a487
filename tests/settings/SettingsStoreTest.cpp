#include "settings/ModRegistry.h"

#include "support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

using quellin::MsgButtons;
using quellin::MsgIcon;
using quellin::SettingsStore;
using quellin::test::TestContext;

QByteArray fileText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// ---- reading hand-edited files ------------------------------------------------------------

struct HandEditCase {
    const char* fileLine; // as typed into the file
    const char* read;     // what the program sees
};

class HandEdited : public ::testing::TestWithParam<HandEditCase> {};

TEST_P(HandEdited, ReadsBackAsWritten)
{
    TestContext t;
    writeFile(t.iniPath(), QByteArray("[Tarvo]\n") + GetParam().fileLine + "\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("CommParam"), QStringLiteral("DEFAULT")),
              QString::fromUtf8(GetParam().read))
        << GetParam().fileLine;
}

INSTANTIATE_TEST_SUITE_P(
    Values, HandEdited,
    ::testing::Values(HandEditCase{"CommParam=9600,N,8,1", "9600,N,8,1"},
                      HandEditCase{"CommParam=9600, N ,8,1", "9600, N ,8,1"},
                      HandEditCase{"CommParam = 19200,E,7,2  ", "19200,E,7,2"},
                      HandEditCase{"CommParam=\"9600,N,8,1\"", "9600,N,8,1"},
                      HandEditCase{"CommParam=a;b", "a;b"},
                      HandEditCase{"CommParam=x # y", "x # y"},
                      HandEditCase{"CommParam=C:\\Data\\", "C:\\Data\\"},
                      HandEditCase{"CommParam=\"C:\\\\Data\\\\\"", "C:\\Data\\"},
                      HandEditCase{"CommParam=データ,１", "データ,１"},
                      HandEditCase{"CommParam=", ""}, HandEditCase{"CommParam=\"\"", ""},
                      HandEditCase{"CommParam=\" a \"", " a "},
                      HandEditCase{"CommParam=\"abc", "\"abc"}, HandEditCase{"CommParam=@@x", "@x"},
                      HandEditCase{"CommParam=@home", "@home"},
                      HandEditCase{"commparam=9600,N,8,1", "9600,N,8,1"},
                      HandEditCase{"CommParam=9600,N,8,1=x", "9600,N,8,1=x"}));

class OtherKind : public ::testing::TestWithParam<const char*> {};

TEST_P(OtherKind, ReadsAsTheDefault)
{
    TestContext t;
    writeFile(t.iniPath(), QByteArray("[Tarvo]\nLogingTime=") + GetParam() + "\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), QStringLiteral("1")),
              QStringLiteral("1"))
        << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Values, OtherKind,
                         ::testing::Values("@ByteArray(\\x5\\0\\0\\0)",
                                           "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", "@DWORD(5)",
                                           "@Point(1 2)"));

TEST(SettingsRead, MissingFileValueOrSectionGivesTheDefault)
{
    TestContext t;
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QStringLiteral("1")),
              QStringLiteral("1"));
    writeFile(t.iniPath(), "[Tarvo]\nCommParam=4800,N,8,1\n[Other]\nCommPort=5\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_EQ(t.settings->read(QStringLiteral("Comm"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(SettingsRead, BareLinesAndTheGeneralSectionCount)
{
    TestContext t;
    writeFile(t.iniPath(), "\xEF\xBB\xBF; comment\r\nCommPort=3\r\n# note\r\n[General]\r\n"
                           "CommParam=9600,N,8,1\r\nnot a value line\r\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QStringLiteral("1")),
              QStringLiteral("3"));
    EXPECT_EQ(t.settings->read(QStringLiteral("CommParam"), QString()),
              QStringLiteral("9600,N,8,1"));
}

TEST(SettingsRead, NeverCreatesTheFileOrItsFolder)
{
    TestContext t;
    SettingsStore store(t.path(QStringLiteral("sub/dir/Quellin.ini")), t.msg);
    EXPECT_EQ(store.read(QStringLiteral("FilePath"), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_FALSE(QFileInfo::exists(t.path(QStringLiteral("sub"))));
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_FALSE(QFileInfo::exists(t.iniPath()));
}

TEST(SettingsRead, AFileThatIsAFolderReadsAsEmpty)
{
    TestContext t;
    ASSERT_TRUE(QDir().mkpath(t.iniPath()));
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QStringLiteral("1")),
              QStringLiteral("1"));
}

// ---- writing ----------------------------------------------------------------------------------

TEST(SettingsWrite, TheFileHoldsNamesAndTextsExactly)
{
    TestContext t;
    auto& s = *t.settings;
    EXPECT_TRUE(s.write(QStringLiteral("FilePath"), QStringLiteral("/home/u/Data/")));
    EXPECT_TRUE(s.write(QStringLiteral("CommPort"), QStringLiteral("1")));
    EXPECT_TRUE(s.write(QStringLiteral("CommParam"), QStringLiteral("9600,N,8,1")));
    EXPECT_TRUE(s.write(QStringLiteral("LogingPath"), QStringLiteral("C:\\Data\\")));
    EXPECT_TRUE(s.write(QStringLiteral("GraphYFlg"), QStringLiteral("000010001")));
    EXPECT_TRUE(s.write(QStringLiteral("CommPort"), QStringLiteral("2")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("[Tarvo]\n"
                                                "FilePath=/home/u/Data/\n"
                                                "CommPort=2\n"
                                                "CommParam=9600,N,8,1\n"
                                                "LogingPath=C:\\Data\\\n"
                                                "GraphYFlg=000010001\n"));
    EXPECT_TRUE(t.msg.shown.empty());
}

struct RoundTripCase {
    const char* text;
    const char* fileRhs;
};

class WriteRead : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(WriteRead, ComesBackUnchanged)
{
    TestContext t;
    const QString text = QString::fromUtf8(GetParam().text);
    ASSERT_TRUE(t.settings->write(QStringLiteral("V"), text));
    EXPECT_EQ(t.settings->read(QStringLiteral("V"), QStringLiteral("<default>")), text);
    EXPECT_EQ(fileText(t.iniPath()),
              QByteArray("[Tarvo]\nV=") + GetParam().fileRhs + QByteArray("\n"));
    SettingsStore again(t.iniPath(), t.msg);
    EXPECT_EQ(again.read(QStringLiteral("v"), QString()), text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WriteRead,
    ::testing::Values(RoundTripCase{"9600,N,8,1", "9600,N,8,1"}, RoundTripCase{"", ""},
                      RoundTripCase{"a;b # c", "a;b # c"},
                      RoundTripCase{"C:\\Data\\", "C:\\Data\\"},
                      RoundTripCase{"/データ/記録/", "/データ/記録/"},
                      RoundTripCase{" lead", "\" lead\""}, RoundTripCase{"trail\t", "\"trail\\t\""},
                      RoundTripCase{"\"q\"", "\"\\\"q\\\"\""}, RoundTripCase{"@x", "\"@x\""},
                      RoundTripCase{"@ByteArray(x)", "\"@ByteArray(x)\""},
                      RoundTripCase{"two\nlines\r", "\"two\\nlines\\r\""},
                      RoundTripCase{"bell\x07", "\"bell\\x07\""}, RoundTripCase{"a\\\"b", "a\\\"b"},
                      RoundTripCase{"x=y", "x=y"}));

TEST(SettingsWrite, AnIntegerTypeIsStoredAsAnotherKindAndReadsAsTheDefault)
{
    TestContext t;
    EXPECT_TRUE(t.settings->write(QStringLiteral("LogingTime"), 5, quellin::kRegDword));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("[Tarvo]\nLogingTime=@DWORD(5)\n"));
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_TRUE(t.settings->write(QStringLiteral("LogingTime"), QStringLiteral("5")));
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), QStringLiteral("1")),
              QStringLiteral("5"));
}

TEST(SettingsWrite, KeepsOtherLinesSectionsAndCommentsOfAHandEditedFile)
{
    TestContext t;
    writeFile(t.iniPath(), "; mine\n[Other]\nCommPort=7\n\n[tarvo]\nCommPort=3\n\n[Last]\nx=1\n");
    EXPECT_TRUE(t.settings->write(QStringLiteral("COMMPORT"), QStringLiteral("4")));
    EXPECT_TRUE(t.settings->write(QStringLiteral("CommParam"), QStringLiteral("4800,O,7,2")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("; mine\n[Other]\nCommPort=7\n\n[tarvo]\n"
                                                "COMMPORT=4\nCommParam=4800,O,7,2\n\n"
                                                "[Last]\nx=1\n"));
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QString()), QStringLiteral("4"));
}

TEST(SettingsWrite, AFileOfOnlyForeignSectionsGetsOurSection)
{
    TestContext t;
    writeFile(t.iniPath(), "[Other]\nCommPort=7");
    EXPECT_TRUE(t.settings->write(QStringLiteral("CommPort"), QStringLiteral("2")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("[Other]\nCommPort=7\n\n[Tarvo]\nCommPort=2\n"));
}

TEST(SettingsWrite, AFileOfBareLinesStaysBare)
{
    TestContext t;
    writeFile(t.iniPath(), "CommPort=7\r\n");
    EXPECT_TRUE(t.settings->write(QStringLiteral("CommParam"), QStringLiteral("9600,N,8,1")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("CommPort=7\nCommParam=9600,N,8,1\n"));
}

TEST(SettingsWrite, CreatesTheFolderOnTheFirstWrite)
{
    TestContext t;
    const QString path = t.path(QStringLiteral("a/b/Quellin.ini"));
    SettingsStore store(path, t.msg);
    EXPECT_TRUE(store.write(QStringLiteral("CommPort"), QStringLiteral("1")));
    EXPECT_EQ(fileText(path), QByteArray("[Tarvo]\nCommPort=1\n"));
}

// ---- write failures -----------------------------------------------------------------------

TEST(SettingsWriteFailure, AFolderThatCannotBeMadeIsTheKeyMessage)
{
    TestContext t;
    // A regular file where the folder should be: no folder can be made below it.
    writeFile(t.path(QStringLiteral("plain")), "x");
    SettingsStore store(t.path(QStringLiteral("plain/sub/Quellin.ini")), t.msg);
    EXPECT_FALSE(store.write(QStringLiteral("CommPort"), QStringLiteral("2")));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(
        t.msg.shown[0].text,
        QStringLiteral(
            "レジストリキーの作成に失敗しました。キー名＝HKEY_CURRENT_USER\\Software\\Tarvo"));
    EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(fileText(t.path(QStringLiteral("plain"))), QByteArray("x"));
}

TEST(SettingsWriteFailure, AFileThatCannotBeWrittenIsTheValueMessage)
{
    TestContext t;
    ASSERT_TRUE(QDir().mkpath(t.iniPath())); // the settings "file" is a folder
    EXPECT_FALSE(t.settings->write(QStringLiteral("GraphXHani"), QStringLiteral("2")));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("レジストリ値のセットに失敗しました。値名＝HKEY_"
                                                  "CURRENT_USER\\Software\\Tarvo\\GraphXHani"));
    EXPECT_EQ(t.msg.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(QFileInfo(t.iniPath()).isDir());
}

TEST(SettingsWriteFailure, ANameThatCannotStandInTheFileIsRefused)
{
    TestContext t;
    for (const QString& name : {QString(), QStringLiteral("a=b"), QStringLiteral("[x]"),
                                QStringLiteral(";x"), QStringLiteral("a\nb")}) {
        t.msg.clear();
        EXPECT_FALSE(t.settings->write(name, QStringLiteral("1")));
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_TRUE(
            t.msg.shown[0].text.startsWith(QStringLiteral("レジストリ値のセットに失敗しました。")));
    }
    EXPECT_FALSE(QFileInfo::exists(t.iniPath()));
}

TEST(SettingsWriteFailure, AFailedWriteLeavesThePreviousFileIntact)
{
    TestContext t;
    ASSERT_TRUE(t.settings->write(QStringLiteral("CommPort"), QStringLiteral("3")));
    EXPECT_FALSE(t.settings->write(QStringLiteral("bad=name"), QStringLiteral("4")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("[Tarvo]\nCommPort=3\n"));
}

// ---- damaged and foreign files ------------------------------------------------------------

TEST(SettingsRead, AnOverlongLineIsSkippedWithOneMessageAndTheRestStillReads)
{
    TestContext t;
    writeFile(t.iniPath(),
              "[Tarvo]\nCommPort=2\nFilePath=" + QByteArray(200 * 1024, 'x') + "\nLogingTime=60\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), {}), QStringLiteral("2"));
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), QStringLiteral("def")),
              QStringLiteral("def"));
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), {}), QStringLiteral("60"));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_TRUE(t.msg.shown[0].text.contains(QStringLiteral("3 行目")));
    EXPECT_TRUE(t.msg.shown[0].text.contains(QStringLiteral("Quellin.ini")));
    // Writing drops the damaged line and keeps the others.
    ASSERT_TRUE(t.settings->write(QStringLiteral("CommPort"), QStringLiteral("4")));
    EXPECT_EQ(fileText(t.iniPath()), QByteArray("[Tarvo]\nCommPort=4\nLogingTime=60\n"));
}

TEST(SettingsRead, AShiftJisFileReadsAsShiftJis)
{
    TestContext t;
    QStringEncoder sjis("Shift_JIS");
    const QString folder = QStringLiteral("/home/計測/データ/");
    writeFile(t.iniPath(), "[Tarvo]\nFilePath=" + QByteArray(sjis.encode(folder)) + "\n");
    EXPECT_EQ(t.settings->read(QStringLiteral("FilePath"), {}), folder);
    // Rewritten, the text stays what it was (now as UTF-8).
    ASSERT_TRUE(t.settings->write(QStringLiteral("CommPort"), QStringLiteral("2")));
    EXPECT_EQ(fileText(t.iniPath()), ("[Tarvo]\nFilePath=" + folder + "\nCommPort=2\n").toUtf8());
}

TEST(SettingsPath, FollowsQuellinHome)
{
    const QByteArray previous = qgetenv("QUELLIN_HOME");
    qputenv("QUELLIN_HOME", "/tmp/quellin-home-test");
    EXPECT_EQ(SettingsStore::defaultIniPath(),
              QStringLiteral("/tmp/quellin-home-test/Quellin.ini"));
    qunsetenv("QUELLIN_HOME");
    EXPECT_TRUE(SettingsStore::defaultIniPath().endsWith(QStringLiteral("Tarvo/Quellin.ini")));
    if (!previous.isEmpty())
        qputenv("QUELLIN_HOME", previous);
}

} // namespace
